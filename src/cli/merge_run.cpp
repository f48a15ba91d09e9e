#include "cli/merge_run.h"

#include <chrono>

#include "cli/convert.h"
#include "cli/plan.h"
#include "cli/summary.h"
#include "commands/merge_reading.h"
#include "commands/save_guard.h"
#include "core/encoding.h"
#include "core/error.h"
#include "export/safe_file.h"

namespace tablamo::cli {
namespace {

FileStatus fileStatus(MergeStatus status) {
    switch (status) {
        case MergeStatus::Merged:
            return FileStatus::Converted;
        case MergeStatus::Rejected:
            return FileStatus::Rejected;
        case MergeStatus::Failed:
            break;
    }
    return FileStatus::Failed;
}

// The input's account as the summary file and line count it.
FileResult resultOf(const MergedReport& report) {
    FileResult result;
    result.status = fileStatus(report.status);
    result.rows = report.records;
    result.messages = report.messages;
    result.seconds = report.seconds;
    result.warningCount = report.warnings;
    result.note = report.note;
    return result;
}

MergeReading readingOf(const Job& job) {
    MergeReading reading;
    reading.layout = job.layout;
    reading.regional = job.regional;
    reading.inputEncoding = job.inputEncoding;
    reading.statements = job.akbank;
    reading.lineNumbers = job.lineNumbers;
    reading.signedBalance = job.signedBalance;
    reading.openings = job.openings;
    reading.mapped = true;
    reading.quiet = job.quiet;
    reading.threads = job.jobs;
    return reading;
}

}  // namespace

int runMerge(const Job& job, Console& console) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<PlannedFile> files;
    std::string merged;
    std::vector<std::pair<std::string, std::string>> repeats;
    try {
        files = withoutRepeats(listInputs(job), repeats);
        merged = planMerge(job, files);
    } catch (const UsageError& e) {
        console.say("tablamo-convert", e.what());
        return 2;
    }
    // A report named twice (a link, its folder too) is read once: its records once.
    for (const auto& [input, words] : repeats) console.say(input, words);
    std::vector<MergeSource> sources;
    std::uint64_t bytesTotal = 0;
    for (const PlannedFile& f : files) {
        sources.push_back({f.input, f.source, f.problem, f.bytes, f.inFolder});
        bytesTotal += f.bytes;
    }

    const int count = static_cast<int>(files.size());
    int done = 0, converted = 0, failed = 0, warnings = 0;
    bool strictFailed = false;
    std::uint64_t bytesDone = 0;
    // Lines in the inputs' order, as each is merged.
    const auto said = [&](std::size_t i, const MergedReport& report) {
        const std::string& input = files[i].input;
        for (const std::string& text : report.messages) console.say(input, text);
        if (report.status == MergeStatus::Merged) {
            ++converted;
            warnings += report.warnings;
            if (!job.quiet) {
                std::string line = printableName(input) + " -> " + printableName(merged) + " \"" +
                                   win1254ToUtf8(report.sheet) + "\"";
                if (!report.note.empty()) line += " (" + report.note + ")";
                console.say("", line);
            }
            if (job.strict && report.totalsDisagree > 0) {
                console.say(input, std::string(kStrictMessage) + merged);
                strictFailed = true;
            }
        } else {
            ++failed;
        }
        bytesDone += files[i].bytes;
        console.progress(++done, count, bytesDone, bytesTotal);
    };
    ReportMerge merge;
    std::vector<MergedReport> reports = mergeReports(sources, readingOf(job), merge, said);
    console.clearProgress();

    bool writeFailed = false;
    std::vector<std::string> written;
    // Every file of the book is checked before the first is written: none may be an input or
    // the summary file.
    RunFiles runFiles;
    runFiles.reserve(files, job);
    const TargetCheck check = [&](const std::string& file) {
        runFiles.claim(file, merged, "--merge");
        refuseUnwritable(file);
    };
    try {
        // A merge that has nothing to merge leaves the book it would replace as it is.
        if (converted == 0) {
            throw Error("hiçbir rapor birleştirilmedi; '" + merged + "' yazılmadı");
        }
        WriteOptions options;
        options.encoding = job.encoding;
        options.regional = job.regional;
        options.today = Clock().today();
        options.csvSeparator = job.csvSeparator;
        written = saveMerge(merge, reports, job.format, merged, options, job.sheetPer, check);
    } catch (const std::exception& e) {
        console.say("tablamo-convert", e.what());
        writeFailed = true;
    }
    if (!job.summary.empty()) {
        std::string records;
        for (std::size_t i = 0; i < files.size(); ++i) {
            PlannedFile file = files[i];
            file.output = writeFailed ? std::string() : merged;
            records += summaryRecord(file, resultOf(reports[i]));
        }
        try {
            refuseUnwritable(job.summary);
            writeFileSafely(job.summary, records);
        } catch (const std::exception& e) {
            console.say("tablamo-convert", e.what());
            writeFailed = true;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    console.say("", summaryLine(converted, failed, warnings, seconds, job.localeDecimal));
    for (const std::string& file : written) console.say("", "yaz\xC4\xB1ld\xC4\xB1: " + file);
    return failed > 0 || strictFailed || writeFailed ? 1 : 0;
}

}  // namespace tablamo::cli
