#include "core/ordered_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tablamo {

void runOrdered(std::size_t count, int threads, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& take) {
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable turnChanged;
    std::size_t turn = 0;  // the piece taken next
    std::exception_ptr error;
    const auto run = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < count;) {
            work(i);
            std::unique_lock lock(mutex);
            turnChanged.wait(lock, [&] { return error || turn == i; });
            if (error) return;
            try {
                take(i);
            } catch (...) {
                error = std::current_exception();
            }
            ++turn;
            turnChanged.notify_all();
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(1, threads)), count);
    try {
        while (helpers.size() + 1 < wanted) helpers.emplace_back(run);
    } catch (const std::system_error&) {
        // No further thread to be had: those there are, and this one, do the work.
    }
    run();
    for (std::thread& t : helpers) t.join();
    if (error) std::rethrow_exception(error);
}

}  // namespace tablamo
