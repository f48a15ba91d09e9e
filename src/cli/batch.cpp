#include "cli/batch.h"

#include <chrono>
#include <filesystem>

#include "cli/convert.h"
#include "cli/merge_run.h"
#include "cli/plan.h"
#include "cli/reconcile_run.h"
#include "cli/summary.h"
#include "commands/save_guard.h"
#include "core/ordered_pool.h"
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
    if (job.reconcile) return runReconcile(job, console);
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
    std::uint64_t bytesTotal = 0, bytesDone = 0;
    for (const PlannedFile& f : files) bytesTotal += f.bytes;
    const int count = static_cast<int>(total);
    int converted = 0, failed = 0, warnings = 0, strictFailed = 0, done = 0;
    std::string records;
    std::vector<FileResult> results(total);
    // The inputs are taken in order by whichever thread is free, so that at most job.jobs
    // of them (their texts and grids) are in memory at once; their lines come out in order.
    runOrdered(
        total, job.jobs,
        [&](std::size_t i) { results[i] = convertPlanned(job, files[i], runFiles); },
        [&](std::size_t i) {
            const FileResult result = std::move(results[i]);
            const PlannedFile& file = files[i];
            for (const std::string& text : result.messages) console.say(file.input, text);
            if (result.status == FileStatus::Converted) {
                ++converted;
                warnings += result.warnings();
                strictFailed += result.strictFailed ? 1 : 0;
                if (!job.quiet) {
                    console.say("", printableName(file.input) + " -> " +
                                        printableName(file.output) +
                                        (result.note.empty() ? "" : " (" + result.note + ")"));
                }
            } else {
                ++failed;
            }
            if (!job.summary.empty()) records += summaryRecord(file, result);
            bytesDone += file.bytes;
            console.progress(++done, count, bytesDone, bytesTotal);
        });
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
