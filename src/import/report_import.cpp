#include "import/report_import.h"

#include <array>
#include <cstdint>

#include "core/encoding.h"
#include "core/field_layout.h"
#include "core/grid_filler.h"
#include "core/workspace.h"
#include "import/column_detection.h"
#include "import/line_selection.h"
#include "import/table_locator.h"

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

// A criterion as the report's bytes show it (the frame criterion's double rules as ═).
std::string dosText(std::string_view bytes) {
    std::string utf8;
    for (const char c : bytes) appendUtf8(utf8, dosToUnicode(static_cast<unsigned char>(c)));
    return utf8;
}

// The columns of the table's line measured past the 20 the settings hold: a warning with
// their count, as the plain import cuts 20 columns.
std::vector<std::string> columnsLeftOut(const TableLocation& table) {
    const auto count = table.widths.size();
    if (count <= static_cast<std::size_t>(ReportLayout::kWidthCount)) return {};
    return {"uyarı: " + std::to_string(table.line + 1) + ". satırdaki çizgide " +
            std::to_string(count) + " sütun var; ilk 20 sütun alındı, sonraki " +
            std::to_string(count - ReportLayout::kWidthCount) +
            " sütun dışarıda kaldı (Temiz tablo hepsini alır)."};
}

}  // namespace

ImportOutcome importReport(Workspace& ws) {
    if (ws.text.empty()) return {ImportStatus::EmptyText, {}};
    return importReport(ws, locateTable(ws.text, ws.settings.layout));
}

ImportOutcome importReport(Workspace& ws, const TableLocation& table) {
    const ReportText& text = ws.text;
    ReportLayout& layout = ws.settings.layout;

    // Check, then detect the columns.
    if (text.empty()) return {ImportStatus::EmptyText, {}};
    if (!table.isReport()) {
        ImportOutcome rejected = notAReport();
        rejected.reason = "neden: dosyada ne arama kriterini (\"" +
                          dosText(layout.SearchCriterion) +
                          "\") taşıyan bir satır ne de çerçeve satırı (\"" +
                          dosText(layout.FrameCriterion) + "\") var";
        return rejected;
    }
    ws.settings.readout.line = -1;
    // The grid holds the plain table from here on, however the import ends.
    ws.book.startTable();
    ws.grid().setColCount(Grid::kColumnCount);
    // Both detections may run, the frame's last: its widths are the ones used.
    ImportOutcome outcome;
    detectColumns(text, table, layout, ws.settings.readout);
    if (layout.AutoColumnSearch) outcome.warnings = columnsLeftOut(table);

    // Size the table and label it.
    const int n = text.lineCount();
    GridFiller filler(ws.grid());
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
        if (row < 0 || row >= ws.grid().rowCount()) return;
        cutLine(text.line(line), fields, conversion, sep, buffer.data(), cells);
        filler.writeRow(row, cells);
    });
    return outcome;
}

}  // namespace tablamo
