#include "commands/merge_reading.h"

#include <chrono>
#include <memory>

#include "commands/report_reading.h"
#include "core/ordered_pool.h"
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
        request.openings = reading.openings;
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
    // A report's workspace lives from its reading to its turn to be added.
    std::vector<std::unique_ptr<Workspace>> read(sources.size());
    runOrdered(
        sources.size(), reading.threads,
        [&](std::size_t i) {
            read[i] = std::make_unique<Workspace>();
            reports[i] = readMerged(sources[i], reading, *read[i]);
        },
        [&](std::size_t i) {
            const std::unique_ptr<Workspace> ws = std::move(read[i]);
            if (reports[i].status == MergeStatus::Merged) merge.add(*ws, reports[i]);
            if (progress) progress(i, reports[i]);
        });
    return reports;
}

}  // namespace tablamo
