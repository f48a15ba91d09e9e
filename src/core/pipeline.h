#pragma once
/// A long piece of work cut into tasks that two threads convert and one at a time writes,
/// in the tasks' order: the CSV text, the clean pass over a report, the workbook's sheets.

#include <array>
#include <cstddef>
#include <functional>

namespace tablamo {

/// Whether a pipeline may start a second thread. A short piece of work stays on the
/// caller's: a thread costs more than it gives there.
enum class PipelineThreads { One, Two };

/// The three steps of a pipeline over tasks `Task`, each converted into a `Buffer`.
template <class Task, class Buffer>
struct PipelineSteps {
    /// Fills in the next task; false when there is none left. Called one at a time, in
    /// order, so it may keep where it stands in plain variables.
    std::function<bool(Task&)> cut;
    /// Converts a task into a buffer; runs on both threads at once. `worker` is 0 on the
    /// caller's thread and 1 on the second, for state that each thread keeps its own.
    std::function<void(int worker, const Task&, Buffer&)> convert;
    /// Writes a converted buffer; called one at a time, in the tasks' order, on either
    /// thread.
    std::function<void(const Task&, Buffer&)> write;
};

namespace pipeline_detail {

/// The tasks and buffers as the scheduler sees them: kSlots of each, used in turn.
class Slots {
public:
    static constexpr std::size_t kSlots = 3;
    virtual bool cut(std::size_t slot) = 0;
    virtual void convert(int worker, std::size_t slot) = 0;
    virtual void write(std::size_t slot) = 0;

protected:
    ~Slots() = default;
};

/// Runs the slots' steps on one or two threads; see runPipeline().
void run(Slots& slots, PipelineThreads threads);

}  // namespace pipeline_detail

/// Cuts, converts and writes every task. At most three tasks are under way at once; a
/// thread with a buffer converted writes it when its turn has come and no one else is
/// writing, or leaves it to whichever thread holds the tasks before it. Without a second
/// thread to be had (or with PipelineThreads::One) the caller's thread does every task in
/// turn. The first error any step raises ends the run (no later task is written) and comes
/// out of this call.
template <class Task, class Buffer>
void runPipeline(const PipelineSteps<Task, Buffer>& steps,
                 PipelineThreads threads = PipelineThreads::Two) {
    struct Held final : pipeline_detail::Slots {
        explicit Held(const PipelineSteps<Task, Buffer>& s) : steps(s) {}
        bool cut(std::size_t slot) override { return steps.cut(tasks[slot]); }
        void convert(int worker, std::size_t slot) override {
            steps.convert(worker, tasks[slot], buffers[slot]);
        }
        void write(std::size_t slot) override { steps.write(tasks[slot], buffers[slot]); }

        const PipelineSteps<Task, Buffer>& steps;
        std::array<Task, kSlots> tasks{};
        std::array<Buffer, kSlots> buffers{};
    } held(steps);
    pipeline_detail::run(held, threads);
}

}  // namespace tablamo
