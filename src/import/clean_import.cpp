#include "import/clean_import.h"

#include <string>
#include <vector>

#include "clean/clean_report.h"
#include "clean/paired_lines.h"
#include "clean/printer_codes.h"
#include "clean/table_finder.h"
#include "core/workspace.h"
#include "import/column_detection.h"
#include "import/report_import.h"
#include "import/table_locator.h"

namespace tablamo {
namespace {

// The plain table, as the plain import finds it: a table the clean import found by its bars
// or its records alone is none the plain import knows.
ImportOutcome noRecords(Workspace& ws, const char* message = kNoRecordsMessage) {
    ImportOutcome outcome = importReport(ws);
    if (outcome.imported()) {
        outcome.status = ImportStatus::NoRecords;
        outcome.message = message;
    }
    return outcome;
}

}  // namespace

ImportOutcome importCleanReport(Workspace& ws, const Clock& clock) {
    if (ws.text.empty()) return {ImportStatus::EmptyText, {}};
    // The report as it stands on paper: without printer codes, a Windows report's letters
    // where its DOS twin has them.
    const std::optional<ReportText> paper = paperText(ws.text, ws.textReading.windows1254);
    const ReportText& printed = paper ? *paper : ws.text;
    // Read from the copy from now on: the file's pages need not stay besides.
    if (paper && !paper->linesOfAnother()) ws.text.releasePages();
    // Records printed over two lines, read as one line each.
    const std::optional<ReportText> joined = joinedRecordLines(printed);
    const ReportText& text = joined ? *joined : printed;
    // The table, found once.
    const TableLocation location =
        locateCleanTable(text, locateTable(text, ws.settings.layout), ws.settings.layout);
    if (!location.found()) return notAReport();
    // Columns cut by the default widths are no table.
    if (location.line < 0 && ws.settings.layout.AutoColumnSearch) {
        return noRecords(ws, kNoTableLineMessage);
    }
    // The settings show the widths the table is cut by, as the plain import leaves them.
    detectCleanColumns(text, location, ws.settings.layout, ws.settings.readout);
    CleanRequest request;
    request.layout = ws.settings.layout;
    request.regional = ws.regional;
    request.signedBalance = ws.settings.signedBalance;
    request.openings = ws.settings.openings;
    request.today = clock.today();
    CleanReading reading = readCleanReport(text, location, request);
    if (reading.tables.empty()) return noRecords(ws);
    // A table of the book each, the first into the grid of the table shown.
    ws.book.startTable();
    for (std::size_t k = 0; k < reading.tables.size(); ++k) {
        CleanTableRead& read = reading.tables[k];
        Book::Table& table = k == 0 ? ws.book.table() : ws.book.tables.emplace_back();
        table.grid = std::move(read.grid);
        table.name = std::move(read.name);
        table.warnings = std::move(read.outcome.warnings);
        table.clean = std::move(read.shape);
    }
    return std::move(reading.outcome);
}

}  // namespace tablamo
