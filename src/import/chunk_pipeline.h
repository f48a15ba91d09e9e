#pragma once
/// Chunks of work read by two threads and written in order by one: the clean import's
/// pass over a long report.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tablamo {

/// Chunks read by a second thread as far ahead as kSlots buffers allow, while this one
/// writes them in order, reading a chunk itself whenever the other has not taken it yet.
/// An error in either thread comes out of run().
template <class Chunk>
class ChunkPipeline {
public:
    static constexpr std::size_t kSlots = 3;
    using Read = std::function<void(std::size_t, Chunk&)>;
    using Write = std::function<void(const Chunk&)>;

    /// `mine` reads chunk i on this thread, `theirs` on the other; `write` takes them in order.
    ChunkPipeline(std::size_t chunks, Read mine, Read theirs, Write write)
        : m_count(chunks),
          m_mine(std::move(mine)),
          m_theirs(std::move(theirs)),
          m_write(std::move(write)),
          m_slots(kSlots),
          m_ready(chunks, 0) {}

    void run() {
        std::thread helper;
        try {
            helper = std::thread([this] { readAhead(); });
        } catch (const std::system_error&) {
            // No thread to be had: this one reads every chunk.
        }
        struct Join {
            ChunkPipeline& p;
            std::thread& t;
            ~Join() {
                {
                    std::lock_guard<std::mutex> lock(p.m_mutex);
                    p.m_stop = true;
                }
                p.m_changed.notify_all();
                if (t.joinable()) t.join();
            }
        } join{*this, helper};
        for (std::size_t i = 0; i < m_count; ++i) {
            Chunk& slot = m_slots[i % kSlots];
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_next == i) {
                ++m_next;
                lock.unlock();
                m_mine(i, slot);
            } else {
                m_changed.wait(lock, [&] { return m_ready[i] != 0; });
                if (m_error) std::rethrow_exception(m_error);
                lock.unlock();
            }
            m_write(slot);
            lock.lock();
            m_written = i + 1;
            lock.unlock();
            m_changed.notify_all();
        }
    }

private:
    void readAhead() {
        for (;;) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(
                lock, [&] { return m_stop || m_next >= m_count || m_next < m_written + kSlots; });
            if (m_stop || m_next >= m_count) return;
            const std::size_t i = m_next++;
            lock.unlock();
            try {
                m_theirs(i, m_slots[i % kSlots]);
            } catch (...) {
                lock.lock();
                m_error = std::current_exception();
                lock.unlock();
            }
            lock.lock();
            m_ready[i] = 1;
            lock.unlock();
            m_changed.notify_all();
        }
    }

    std::size_t m_count;
    Read m_mine, m_theirs;
    Write m_write;
    std::vector<Chunk> m_slots;
    std::vector<char> m_ready;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0, m_written = 0;
    bool m_stop = false;
    std::exception_ptr m_error;
};

}  // namespace tablamo
