#include "commands/merge_reading.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "commands/report_reading.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

constexpr const char* kNoRecordsToMerge =
    "Temiz tablo: raporda kayıt satırı ayırt edilemedi; birleştirilmedi.";

// Reads one report into `ws` as "Aç" with "Temiz tablo" reads it; what is said of it goes
// into the report's messages.
MergedReport readMerged(const MergeSource& source, const MergeReading& reading, Workspace& ws) {
    MergedReport report;
    report.source = source.label;
    if (!source.problem.empty()) {
        report.messages.push_back(source.problem);
        return report;
    }
    const auto start = std::chrono::steady_clock::now();
    KeptMessagesUi ui;  // what is said of the report, listed with it
    bool imported = false;
    const bool ran = runCommand(ui, [&] {
        ReadRequest request;
        request.path = source.path;
        request.layout = reading.layout;
        request.clean = true;
        request.signedBalance = reading.signedBalance;
        request.regional = reading.regional;
        request.inputEncoding = reading.inputEncoding;
        request.importer = reading.statements ? Importer::Statement : Importer::Report;
        request.recogniseStatement = source.recogniseStatement;
        request.profilesFolder = reading.profilesFolder;
        request.mapped = reading.mapped;
        request.quiet = reading.quiet;
        request.lineNumbers = reading.lineNumbers;
        const ImportOutcome outcome = readReport(ws, request, ui);
        // A report without records is not merged: its plain table goes nowhere.
        if (outcome.status == ImportStatus::NoRecords) {
            ui.showMessage(kNoRecordsToMerge);
        } else {
            showOutcome(ui, outcome);
        }
        if (!outcome.reason.empty()) ui.showMessage(outcome.reason);
        if (outcome.status == ImportStatus::EmptyText) ui.showMessage(kEmptyInputMessage);
        imported = outcome.imported();
        if (!imported) return;
        report.note = outcome.note;
        report.warnings =
            static_cast<int>(outcome.warnings.size()) + (ws.textReading.replaced > 0 ? 1 : 0);
    });
    report.status = !ran       ? MergeStatus::Failed
                    : imported ? MergeStatus::Merged
                               : MergeStatus::Rejected;
    report.messages = std::move(ui.messages);
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}

}  // namespace

std::vector<MergedReport> mergeReports(const std::vector<MergeSource>& sources,
                                       const MergeReading& reading, ReportMerge& merge,
                                       const MergeProgress& progress) {
    std::vector<MergedReport> reports(sources.size());
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable turnChanged;
    std::size_t turn = 0;  // the report added next
    std::exception_ptr error;

    // Each thread reads the next report, then waits for its turn to add it: at most one
    // report per thread is held besides the merged rows.
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < sources.size();) {
            Workspace ws;
            MergedReport report = readMerged(sources[i], reading, ws);
            std::unique_lock lock(mutex);
            turnChanged.wait(lock, [&] { return error || turn == i; });
            if (error) return;
            try {
                if (report.status == MergeStatus::Merged) merge.add(ws, report);
                reports[i] = std::move(report);
                if (progress) progress(i, reports[i]);
            } catch (...) {
                error = std::current_exception();
            }
            ++turn;
            turnChanged.notify_all();
        }
    };
    std::vector<std::thread> threads;
    const std::size_t wanted = std::min<std::size_t>(
        static_cast<std::size_t>(std::max(1, reading.threads)), sources.size());
    try {
        while (threads.size() + 1 < wanted) threads.emplace_back(work);
    } catch (const std::system_error&) {
        // No further thread to be had: those there are, and this one, do the work.
    }
    work();
    for (std::thread& t : threads) t.join();
    if (error) std::rethrow_exception(error);
    return reports;
}

}  // namespace tablamo
