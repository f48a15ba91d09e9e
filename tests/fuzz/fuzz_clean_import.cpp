// The clean report and statement imports on any text, with settings drawn from the input.

#include <cstdlib>

#include "bank/clean_statement.h"
#include "core/error.h"
#include "core/workspace.h"
#include "fuzz_input.h"
#include "import/clean_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    Workspace ws;
    ReportLayout& s = ws.settings.layout;
    const std::uint8_t mode = in.byte();
    s.AutoColumnSearch = mode & 1;
    s.LedgerMarks = mode & 2;
    if (mode & 4) s.SearchCriterion = in.text(12);
    if (mode & 8) {
        for (int k = 1; k <= 20; ++k) s.setColumnWidth(k, in.number(-70000, 70000));
    }
    if (mode & 16) s.StartRow = std::to_string(in.number(-50, 200));
    ws.regional.decimalSeparator = (mode & 32) ? ',' : '.';
    ws.regional.dateOrder = (mode & 64) ? DateOrder::MonthDayYear : DateOrder::DayMonthYear;
    ws.text = ReportText(std::string(in.rest()));

    ImportOutcome outcome;
    try {
        outcome = (mode & 128) ? importCleanStatement(ws) : importCleanReport(ws);
    } catch (const Error&) {
        return 0;  // a setting that does not read is an expected outcome
    }
    if (!ws.clean()) return 0;
    // The grid is the clean table its shape describes: the headings, then one row per
    // record, each on a line of the text, in report order.
    const CleanShape& shape = *ws.clean();
    if (ws.grid().colCount() != static_cast<int>(shape.columns.size()) + 1) std::abort();
    if (ws.grid().rowCount() != static_cast<int>(shape.recordLines.size()) + 1) std::abort();
    int last = 0;
    for (const int line : shape.recordLines) {
        if (line <= last || line > ws.text.lineCount()) std::abort();
        last = line;
    }
    // A warning for each table's check that found a total disagreeing, whichever table.
    bool disagrees = false;
    for (const Book::Table& table : ws.book.tables)
        disagrees |= !table.clean->totals.mismatches.empty();
    if (!outcome.imported() || outcome.warnings.empty() == disagrees) std::abort();
    return 0;
}
