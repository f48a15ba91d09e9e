// The statement import on any text, with its settings drawn from the input too.

#include <cstdlib>

#include "bank/statement_import.h"
#include "core/error.h"
#include "core/workspace.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    Workspace ws;
    const std::uint8_t mode = in.byte();
    if (mode & 1) {
        for (int k = 10; k <= 20; ++k)
            ws.settings.layout.setColumnWidth(k, in.number(-70000, 70000));
    }
    if (mode & 2) {
        ws.settings.layout.StartRow = std::to_string(in.number(-50, 200));
        ws.settings.layout.StartColumn = std::to_string(in.number(-50, 200));
    }
    ws.regional.decimalSeparator = (mode & 4) ? ',' : '.';
    ws.text = ReportText(std::string(in.rest()));
    try {
        importStatement(ws);
    } catch (const Error&) {
        // A setting that does not read is an expected outcome.
    }
    // The statement's own widths are always in force afterwards, once there was a line.
    if (ws.text.lineCount() > 0 && ws.settings.layout.ColumnWidths[1] != "9") std::abort();
    for (int r = 0; r < ws.grid().rowCount(); ++r) {
        for (int c = 0; c < ws.grid().colCount(); ++c) {
            if (ws.grid().cell(c, r).size() > ReportText::kMaxLineRead + 4) std::abort();
        }
    }
    return 0;
}
