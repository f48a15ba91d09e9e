#include "core/pipeline.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tablamo {
namespace {

enum class Step { None, Cut, Convert, Write };

struct Outcome {
    std::vector<int> written;  // the tasks in the order they were written
    std::map<int, std::thread::id> workers;
    int cuts = 0;
    std::string error;
};

// Tasks 0 to tasks - 1; every third one converts slowly, so later tasks are often ready
// before the ones ahead of them. `failAt` raises in `failing` for that task.
Outcome runTasks(PipelineThreads threads, int tasks, Step failing = Step::None, int failAt = -1) {
    Outcome run;
    std::mutex mutex;
    int next = 0;
    const auto fail = [&](Step step, int task) {
        if (step == failing && task == failAt)
            throw std::runtime_error("task " + std::to_string(task));
    };
    try {
        runPipeline(
            PipelineSteps<int, std::vector<int>>{
                [&](int& task) {
                    ++run.cuts;
                    fail(Step::Cut, next);
                    if (next == tasks) return false;
                    task = next++;
                    return true;
                },
                [&](int worker, const int& task, std::vector<int>& buffer) {
                    {
                        const std::lock_guard lock(mutex);
                        const auto at = run.workers.emplace(worker, std::this_thread::get_id());
                        EXPECT_EQ(at.first->second, std::this_thread::get_id()) << worker;
                    }
                    if (task % 3 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
                    fail(Step::Convert, task);
                    buffer.assign(static_cast<std::size_t>(task % 5), task);
                },
                [&](const int& task, std::vector<int>& buffer) {
                    fail(Step::Write, task);
                    EXPECT_EQ(buffer, std::vector<int>(static_cast<std::size_t>(task % 5), task));
                    run.written.push_back(task);
                }},
            threads);
    } catch (const std::runtime_error& e) {
        run.error = e.what();
    }
    return run;
}

std::vector<int> upTo(int n) {
    std::vector<int> tasks;
    for (int i = 0; i < n; ++i) tasks.push_back(i);
    return tasks;
}

TEST(Pipeline, WritesEveryTaskOnceInOrder) {
    for (const PipelineThreads threads : {PipelineThreads::One, PipelineThreads::Two}) {
        for (const int tasks : {0, 1, 2, 3, 4, 200}) {
            SCOPED_TRACE(std::to_string(tasks) + " tasks on " +
                         (threads == PipelineThreads::One ? "one thread" : "two"));
            const Outcome run = runTasks(threads, tasks);
            EXPECT_EQ(run.written, upTo(tasks));
            EXPECT_EQ(run.cuts, tasks + 1);  // never cut again after the last
            EXPECT_EQ(run.error, "");
            // Worker 0 is the caller's thread; one thread never hands out worker 1.
            if (run.workers.count(0)) {
                EXPECT_EQ(run.workers.at(0), std::this_thread::get_id());
            }
            if (threads == PipelineThreads::One) {
                EXPECT_EQ(run.workers.count(1), 0u);
            }
        }
    }
}

TEST(Pipeline, TheFirstErrorEndsTheRunAndNothingAfterItIsWritten) {
    const std::pair<Step, int> cases[] = {
        {Step::Cut, 0},       {Step::Cut, 57},  {Step::Convert, 0}, {Step::Convert, 57},
        {Step::Convert, 199}, {Step::Write, 0}, {Step::Write, 57},  {Step::Write, 199}};
    for (const PipelineThreads threads : {PipelineThreads::One, PipelineThreads::Two}) {
        for (const auto& [step, failAt] : cases) {
            SCOPED_TRACE("step " + std::to_string(static_cast<int>(step)) + " task " +
                         std::to_string(failAt));
            const Outcome run = runTasks(threads, 200, step, failAt);
            EXPECT_EQ(run.error, "task " + std::to_string(failAt));
            ASSERT_LE(run.written.size(), static_cast<std::size_t>(failAt));
            EXPECT_EQ(run.written, upTo(static_cast<int>(run.written.size())));
            // One thread writes each task before it cuts the next.
            if (threads == PipelineThreads::One) {
                EXPECT_EQ(run.written.size(), static_cast<std::size_t>(failAt));
            }
        }
    }
}

}  // namespace
}  // namespace tablamo
