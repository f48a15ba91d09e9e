#include "core/pipeline.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace tablamo::pipeline_detail {
namespace {

// Tasks are numbered in the order they are cut; task n lives in slot n % kSlots, which is
// free once task n - kSlots is written.
class Scheduler {
public:
    explicit Scheduler(Slots& slots) : m_slots(slots) {}

    void work(int worker) noexcept {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_error) return;
            if (!m_writing && m_written < m_cut && m_converted[slotOf(m_written)]) {
                if (!write(lock)) return;
            } else if (!m_allCut && m_cut - m_written < Slots::kSlots) {
                if (!convert(worker, lock)) return;
            } else if (m_allCut && m_written == m_cut) {
                return;
            } else {
                m_changed.wait(lock);
            }
        }
    }

    void rethrow() const {
        if (m_error) std::rethrow_exception(m_error);
    }

private:
    static std::size_t slotOf(std::uint64_t task) {
        return static_cast<std::size_t>(task % Slots::kSlots);
    }

    // Writes the next task in order, outside the lock: no one else writes meanwhile.
    bool write(std::unique_lock<std::mutex>& lock) {
        const std::size_t slot = slotOf(m_written);
        m_writing = true;
        lock.unlock();
        try {
            m_slots.write(slot);
        } catch (...) {
            return fail(lock);
        }
        lock.lock();
        m_writing = false;
        m_converted[slot] = false;
        ++m_written;
        m_changed.notify_all();
        return true;
    }

    // Cuts the next task (under the lock, so tasks are cut in order) and converts it.
    bool convert(int worker, std::unique_lock<std::mutex>& lock) {
        const std::size_t slot = slotOf(m_cut);
        try {
            if (!m_slots.cut(slot)) {
                m_allCut = true;
                m_changed.notify_all();
                return true;
            }
        } catch (...) {
            lock.unlock();
            return fail(lock);
        }
        ++m_cut;
        lock.unlock();
        try {
            m_slots.convert(worker, slot);
        } catch (...) {
            return fail(lock);
        }
        lock.lock();
        m_converted[slot] = true;
        m_changed.notify_all();
        return true;
    }

    // Keeps the first error and wakes the other thread to stop; `lock` is not held.
    bool fail(std::unique_lock<std::mutex>& lock) {
        lock.lock();
        if (!m_error) m_error = std::current_exception();
        m_changed.notify_all();
        return false;
    }

    Slots& m_slots;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_cut = 0;      // tasks cut
    std::uint64_t m_written = 0;  // tasks written
    bool m_converted[Slots::kSlots] = {};
    bool m_allCut = false;
    bool m_writing = false;
    std::exception_ptr m_error;
};

}  // namespace

void run(Slots& slots, PipelineThreads threads) {
    Scheduler scheduler(slots);
    std::thread second;
    if (threads == PipelineThreads::Two) {
        try {
            second = std::thread([&scheduler] { scheduler.work(1); });
        } catch (const std::system_error&) {
            // No second thread to be had: this one does every task.
        }
    }
    scheduler.work(0);
    if (second.joinable()) second.join();
    scheduler.rethrow();
}

}  // namespace tablamo::pipeline_detail
