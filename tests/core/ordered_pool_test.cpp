// Pieces done on several threads and taken in their order, with at most one waiting per
// thread; an error in taking one stops the rest.

#include "core/ordered_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tablamo {
namespace {

TEST(OrderedPool, TakesInOrderWithAtMostOneWaitingPerThread) {
    for (const int threads : {1, 2, 4}) {
        SCOPED_TRACE(threads);
        constexpr std::size_t kCount = 40;
        std::vector<std::size_t> taken;
        std::atomic<int> waiting{0}, mostWaiting{0};
        runOrdered(
            kCount, threads,
            [&](std::size_t i) {
                // Early pieces slow, so that later ones are done first and must wait.
                if (i % 7 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                const int now = ++waiting;
                for (int seen = mostWaiting;
                     now > seen && !mostWaiting.compare_exchange_weak(seen, now);) {
                }
            },
            [&](std::size_t i) {
                --waiting;
                taken.push_back(i);
            });
        ASSERT_EQ(taken.size(), kCount);
        for (std::size_t i = 0; i < kCount; ++i) EXPECT_EQ(taken[i], i);
        EXPECT_LE(mostWaiting, threads);
    }
}

TEST(OrderedPool, AnErrorInTakingStopsTheLaterPieces) {
    std::vector<std::size_t> taken;
    EXPECT_THROW(runOrdered(
                     30, 3, [](std::size_t) {},
                     [&](std::size_t i) {
                         if (i == 5) throw std::runtime_error("disk");
                         taken.push_back(i);
                     }),
                 std::runtime_error);
    EXPECT_EQ(taken, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace tablamo
