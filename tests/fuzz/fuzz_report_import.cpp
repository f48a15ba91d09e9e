// The report import on any text, with its settings drawn from the input too.

#include <cstdlib>

#include "core/error.h"
#include "core/workspace.h"
#include "fuzz_input.h"
#include "import/report_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    Workspace ws;
    ReportLayout& s = ws.settings.layout;
    const std::uint8_t mode = in.byte();
    s.AutoColumnSearch = mode & 1;
    s.LedgerMarks = mode & 2;
    if (mode & 4) s.SearchCriterion = in.text(12);
    if (mode & 8) s.FieldSeparator = in.text(3);
    if (mode & 16) s.FrameCriterion = in.text(12);
    if (mode & 32) s.FrameSeparator = in.text(3);
    if (mode & 64) {
        for (int k = 1; k <= 20; ++k) s.setColumnWidth(k, in.number(-70000, 70000));
    }
    if (mode & 128) {
        s.StartRow = std::to_string(in.number(-50, 200));
        s.StartColumn = std::to_string(in.number(-50, 200));
    }
    ws.regional.decimalSeparator = in.flag() ? ',' : '.';
    ws.text = ReportText(std::string(in.rest()));

    try {
        importReport(ws);
    } catch (const Error&) {
        // A setting that does not read is an expected outcome.
    }
    // Every line the import read must be in the table, and no cell can outgrow a line.
    for (int r = 0; r < ws.grid().rowCount(); ++r) {
        for (int c = 0; c < ws.grid().colCount(); ++c) {
            if (ws.grid().cell(c, r).size() > ReportText::kMaxLineRead) std::abort();
        }
    }
    return 0;
}
