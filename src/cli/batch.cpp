#include "cli/batch.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

#include "cli/convert.h"
#include "cli/merge_run.h"
#include "cli/plan.h"
#include "cli/summary.h"
#include "commands/save_guard.h"
#include "core/platform/files.h"
#include "export/safe_file.h"

namespace tablamo::cli {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Converts one planned input with its messages kept. Nothing here is shared with the other
// threads: each input has its own workspace, and the writers' buffers are their own.
FileResult convertPlanned(const Job& job, const PlannedFile& file, RunFiles& runFiles) {
    FileResult result;
    if (!file.problem.empty()) {
        result.messages.push_back(file.problem);
        return result;
    }
    const Clock::time_point start = Clock::now();
    BufferedUi ui;
    // A mirrored subfolder is made once the import has taken the text, so that a rejected
    // input leaves no empty folder behind; a folder that cannot be made fails the write.
    bool folderMade = !file.makeFolder;
    const StepReport step = [&](std::uint64_t) {
        if (folderMade) return;
        folderMade = true;
        std::error_code ec;
        std::filesystem::create_directories(platform::toFsPath(file.output).parent_path(), ec);
    };
    bool written = false;
    ConvertedFile converted;
    const bool ran = runCommand(ui, [&] {
        written = convertOne(job, file.input, file.output, ui, step, &converted, file.inFolder,
                             &runFiles);
    });
    // A file --strict fails was written all the same: it counts as converted, with its
    // warnings, and makes the run's exit status 1.
    const bool out = ran && converted.written;
    result.status = !ran ? FileStatus::Failed : out ? FileStatus::Converted : FileStatus::Rejected;
    result.strictFailed = out && !written;
    result.rows = out ? converted.rows : 0;
    result.warningCount = out ? converted.warnings : 0;
    result.note = out ? converted.note : std::string();
    result.unplaced = converted.unplaced;
    result.messages = std::move(ui.messages);
    result.seconds = secondsSince(start);
    return result;
}

// The inputs' results as the worker threads finish them, handed to the one thread that
// prints them in order.
class ResultBoard {
public:
    explicit ResultBoard(std::size_t count) : m_results(count), m_ready(count, false) {}

    void put(std::size_t i, FileResult result, std::uint64_t bytes) {
        {
            std::lock_guard lock(m_mutex);
            m_results[i] = std::move(result);
            m_ready[i] = true;
            ++m_finished;
            m_bytesDone += bytes;
        }
        m_changed.notify_one();
    }

    /// Waits for input i; `tick` is called about five times a second meanwhile with the
    /// count of inputs finished and their bytes.
    template <class Tick>
    FileResult take(std::size_t i, Tick&& tick) {
        std::unique_lock lock(m_mutex);
        while (!m_ready[i]) {
            m_changed.wait_for(lock, std::chrono::milliseconds(200));
            const int finished = m_finished;
            const std::uint64_t bytes = m_bytesDone;
            lock.unlock();
            tick(finished, bytes);
            lock.lock();
        }
        return std::move(m_results[i]);
    }

    int finished() {
        std::lock_guard lock(m_mutex);
        return m_finished;
    }
    std::uint64_t bytesDone() {
        std::lock_guard lock(m_mutex);
        return m_bytesDone;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<FileResult> m_results;
    std::vector<bool> m_ready;
    int m_finished = 0;
    std::uint64_t m_bytesDone = 0;
};

bool anyFolder(const Job& job) {
    for (const std::string& input : job.inputs) {
        std::error_code ec;
        if (std::filesystem::is_directory(platform::toFsPath(input), ec)) return true;
    }
    return false;
}

}  // namespace

int runJob(const Job& job, Console& console) {
    if (!job.merge.empty()) return runMerge(job, console);
    const Clock::time_point start = Clock::now();
    std::vector<PlannedFile> files;
    try {
        files = planOutputs(job);
    } catch (const UsageError& e) {
        console.say("tablamo-convert", e.what());
        return 2;
    }

    RunFiles runFiles;
    runFiles.reserve(files, job);
    const std::size_t total = files.size();
    std::uint64_t bytesTotal = 0;
    for (const PlannedFile& f : files) bytesTotal += f.bytes;
    ResultBoard board(total);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < total;) {
            board.put(i, convertPlanned(job, files[i], runFiles), files[i].bytes);
        }
    };
    // The inputs are taken in order by whichever thread is free, so that at most job.jobs
    // of them (their texts and grids) are in memory at once.
    std::vector<std::thread> workers;
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(job.jobs), total);
    try {
        while (workers.size() < threads) workers.emplace_back(work);
    } catch (const std::system_error&) {
        // No further thread to be had: those there are, or this one, do the work.
        if (workers.empty()) work();
    }

    const int count = static_cast<int>(total);
    int converted = 0, failed = 0, warnings = 0, strictFailed = 0;
    std::string records;
    for (std::size_t i = 0; i < total; ++i) {
        const FileResult result = board.take(i, [&](int finished, std::uint64_t bytes) {
            console.progress(finished, count, bytes, bytesTotal);
        });
        const PlannedFile& file = files[i];
        for (const std::string& text : result.messages) console.say(file.input, text);
        if (result.status == FileStatus::Converted) {
            ++converted;
            warnings += result.warnings();
            strictFailed += result.strictFailed ? 1 : 0;
            if (!job.quiet) {
                console.say("", printableName(file.input) + " -> " + printableName(file.output) +
                                    (result.note.empty() ? "" : " (" + result.note + ")"));
            }
        } else {
            ++failed;
        }
        if (!job.summary.empty()) records += summaryRecord(file, result);
        console.progress(board.finished(), count, board.bytesDone(), bytesTotal);
    }
    for (std::thread& t : workers) t.join();
    console.clearProgress();

    bool summaryFailed = false;
    if (!job.summary.empty()) {
        try {
            refuseUnwritable(job.summary);
            writeFileSafely(job.summary, records);
        } catch (const std::exception& e) {
            console.say("tablamo-convert", e.what());
            summaryFailed = true;
        }
    }
    if (total > 1 || anyFolder(job)) {
        console.say(
            "", summaryLine(converted, failed, warnings, secondsSince(start), job.localeDecimal));
    }
    return failed > 0 || strictFailed > 0 || summaryFailed ? 1 : 0;
}

}  // namespace tablamo::cli
