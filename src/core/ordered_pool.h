#pragma once
/// Pieces of work done several at once and taken in their order: the converter's inputs,
/// the reports of a merge.

#include <cstddef>
#include <functional>

namespace tablamo {

/// Runs `work(i)` for every i below `count` on up to `threads` threads, the caller's among
/// them, each thread taking the next i in turn; then `take(i)` for each, in the order of i,
/// one at a time, on the thread that did work(i). A thread whose piece is done waits for its
/// turn before it takes another, so at most `threads` pieces are done and not yet taken.
/// Without a further thread to be had, those there are (at least the caller's) do the work.
/// `work` must not raise; the first error `take` raises stops the pool (no later piece is
/// taken) and comes out of this call once the threads have stopped.
void runOrdered(std::size_t count, int threads, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& take);

}  // namespace tablamo
