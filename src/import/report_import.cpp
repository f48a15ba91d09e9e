#include "import/report_import.h"

#include <array>
#include <cstdint>

#include "core/field_layout.h"
#include "core/grid_filler.h"
#include "core/workspace.h"
#include "import/column_detection.h"
#include "import/format_check.h"
#include "import/line_selection.h"

namespace tablamo {
namespace {

// Whether every setting the import reads from here on reads as an integer and the table
// can grow to hold the text: then nothing after the row numbering can stop the import.
bool importCannotFail(const ReportLayout& layout, int lineCount) {
    std::int32_t value = 0, r0 = 0, firstLine = 0;
    for (const std::string& width : layout.ColumnWidths) {
        if (!tryStrToInt(width, value)) return false;
    }
    if (!tryStrToInt(layout.StartColumn, r0) || !tryStrToInt(layout.StartRow, firstLine)) {
        return false;
    }
    return PlainSelection(lineCount, firstLine, r0).rowsNeeded() <= kMaxGrownRows;
}

}  // namespace

ImportOutcome importReport(Workspace& ws) {
    const ReportText& text = ws.text;
    ReportLayout& layout = ws.settings.layout;

    // Check, then detect the columns.
    if (text.empty()) return {ImportStatus::EmptyText, {}};
    const ReportFormat format = checkFormat(text, layout);
    if (!format.isReport()) return notAReport();
    ws.settings.readout.line = -1;
    // Both detections may run, the frame's last: its widths are the ones used.
    if (layout.AutoColumnSearch && format.ruleLine) {
        detectColumnsFromRuleLine(text, layout, ws.settings.readout);
    }
    if (layout.AutoColumnSearch && format.frame) {
        detectColumnsFromFrame(text, layout, ws.settings.readout);
    }

    // Size the table and label it.
    const int n = text.lineCount();
    GridFiller filler(ws.grid);
    filler.sizeForLines(n);
    const bool deferNumbers = importCannotFail(layout, n);
    if (!deferNumbers) filler.numberHeaders();
    const auto widths = layout.columnWidths();
    filler.setDisplayWidths(widths);
    const std::int64_t firstRow = layout.startColumn();
    const std::int64_t firstLine = layout.startRow();

    // Select the lines.
    const PlainSelection selection(n, firstLine, firstRow);
    if (deferNumbers) filler.deferNumbers(selection.firstRow(), selection.lastRow());
    filler.growTo(selection.rowsNeeded());
    if (deferNumbers) filler.numberHeaders();

    // Cut, convert and write the rows.
    const FieldLayout fields = fieldLayoutOf(widths);
    static thread_local std::array<char, kCutBufferSize> buffer;
    const char sep = ws.regional.decimalSeparator;
    Grid::RowCells cells{};
    selection.forEach([&](std::int64_t line, std::int64_t row, FieldConversion conversion) {
        if (row < 0 || row >= ws.grid.rowCount()) return;
        cutLine(text.line(line), fields, conversion, sep, buffer.data(), cells);
        filler.writeRow(row, cells);
    });
    return {};
}

}  // namespace tablamo
