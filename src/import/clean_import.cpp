#include "import/clean_import.h"

#include <string>
#include <vector>

#include "clean/clean_report.h"
#include "clean/printer_codes.h"
#include "clean/table_finder.h"
#include "core/workspace.h"
#include "import/column_detection.h"
#include "import/report_import.h"
#include "import/table_locator.h"

namespace tablamo {
namespace {

ImportOutcome noRecords(Workspace& ws, const TableLocation& location,
                        const char* message = kNoRecordsMessage) {
    ImportOutcome outcome = importReport(ws, location);
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
    const ReportText& text = paper ? *paper : ws.text;
    // The table, found once.
    const TableLocation location =
        locateCleanTable(text, locateTable(text, ws.settings.layout), ws.settings.layout);
    if (!location.found()) return notAReport();
    // Columns cut by the default widths are no table.
    if (location.line < 0 && ws.settings.layout.AutoColumnSearch) {
        return noRecords(ws, location, kNoTableLineMessage);
    }
    // The settings show the widths the table is cut by, as the plain import leaves them.
    detectCleanColumns(text, location, ws.settings.layout, ws.settings.readout);
    CleanRequest request;
    request.layout = ws.settings.layout;
    request.regional = ws.regional;
    request.signedBalance = ws.settings.signedBalance;
    request.today = clock.today();
    std::vector<CleanTableRead> tables = readCleanReport(text, location, request);
    if (tables.empty()) return noRecords(ws, location);
    ImportOutcome outcome = std::move(tables.front().outcome);
    ws.grid = std::move(tables.front().grid);
    ws.clean = std::move(tables.front().shape);
    if (tables.size() > 1) {
        std::vector<CleanTable> further(1);  // the first, in the grid
        for (std::size_t k = 1; k < tables.size(); ++k)
            further.push_back({std::move(tables[k].grid), std::move(tables[k].shape)});
        ws.clean->tables = std::move(further);
    }
    return outcome;
}

}  // namespace tablamo
