#include "import/report_import.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "core/error.h"
#include "core/ui_port.h"
#include "core/workspace.h"
#include "import/column_detection.h"
#include "import/dos_text.h"

namespace tablamo {
namespace {

constexpr int kFields = ImportSettings::kWidthCount;

// Field k (0-based) of a line: 1-based start and length, both 16-bit.
struct FieldLayout {
    std::array<std::uint32_t, kFields> from{};
    std::array<std::uint32_t, kFields> count{};
    // The fields start at non-decreasing positions: once one starts past the end of a
    // line, so do all that follow, and they are empty.
    bool increasing = true;
};

FieldLayout layoutOf(const std::array<std::int32_t, kFields>& widths) {
    FieldLayout layout;
    std::uint32_t pos = 1;
    for (int k = 0; k < kFields; ++k) {
        const auto w = static_cast<std::uint32_t>(widths[static_cast<std::size_t>(k)]);
        layout.from[static_cast<std::size_t>(k)] = pos & 0xFFFF;
        layout.count[static_cast<std::size_t>(k)] = w & 0xFFFF;
        pos += w;
    }
    for (int k = 2; k < kFields; ++k) {
        if (layout.from[static_cast<std::size_t>(k)] < layout.from[static_cast<std::size_t>(k - 1)]) {
            layout.increasing = false;
        }
    }
    return layout;
}

// Cuts one line into the row's 20 data cells, converting into `buffer` (large enough for
// 20 lines' worth of bytes). Column 0 keeps the row number it has.
enum class Conversion { Text, Numbers };

void cutInto(std::string_view line, const FieldLayout& layout, Conversion conversion,
             char decimalSeparator, char* buffer, Grid::RowCells& cells) {
    char* out = buffer;
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (k > 0 && layout.increasing && layout.from[idx] > line.size()) {
            // The rest of the fields lie past the end of the line (most lines of a report
            // are shorter than the 20 default columns).
            for (std::size_t rest = idx; rest < static_cast<std::size_t>(kFields); ++rest) cells[rest + 1] = {};
            break;
        }
        const std::string_view raw = k == 0 ? LeftChars(line, layout.count[0])
                                            : MidChars(line, layout.from[idx], layout.count[idx]);
        const std::string_view field = TrimControl(raw);
        const std::size_t n = (conversion == Conversion::Numbers && k > 0)
                                  ? dosToWinNumberInto(field, decimalSeparator, out)
                                  : dosToWinTextInto(field, out);
        cells[idx + 1] = std::string_view(out, n);
        out += n;
    }
}

// Whether every setting the import reads from here on reads as an integer and the table
// can grow to hold the text: then nothing after the row numbering can stop the import.
bool importCannotFail(const ImportSettings& settings, int n) {
    std::int32_t value = 0, r0 = 0, firstLine = 0;
    for (const std::string& width : settings.ColumnWidths) {
        if (!tryStrToInt(width, value)) return false;
    }
    if (!tryStrToInt(settings.StartColumn, r0) || !tryStrToInt(settings.StartRow, firstLine)) {
        return false;
    }
    const std::int64_t k = std::min<std::int64_t>(n, std::int64_t{n} - 1 - firstLine);
    const std::int64_t grownRows = std::int64_t{r0} + k + 1;
    return !(k >= 0 && firstLine + k >= 0 && grownRows > kMaxGrownRows);
}

// NumberGridHeaders for every row but those from `first` to `last`, which the import
// rewrites whole, row number included.
void numberRowsNotImported(Grid& grid, std::int64_t first, std::int64_t last) {
    char digits[16];
    auto number = [&](int from, int to) {
        for (int r = std::max(from, 1); r < to; ++r) {
            const char* end = std::to_chars(digits, digits + sizeof digits, r).ptr;
            grid.setCell(0, r, std::string_view(digits, static_cast<std::size_t>(end - digits)));
        }
    };
    const std::int64_t rows = grid.rowCount();
    number(1, static_cast<int>(std::clamp<std::int64_t>(first, 0, rows)));
    number(static_cast<int>(std::clamp<std::int64_t>(last + 1, 0, rows)), static_cast<int>(rows));
    if (rows > 0) {
        static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRST";
        Grid::RowCells header = grid.row(0);
        for (int c = 1; c < grid.colCount(); ++c) {
            header[static_cast<std::size_t>(c)] = kLetters.substr(static_cast<std::size_t>(c - 1), 1);
        }
        grid.setRow(0, header);
    }
}

}  // namespace

ImportStatus Button2Click(Workspace& ws, UiPort& ui) {
    const ReportText& text = ws.text;
    ImportSettings& settings = ws.settings;
    Grid& grid = ws.grid;

    if (text.lineCount() == 0) return ImportStatus::EmptyText;
    if (!text.contains(settings.SearchCriterion) && !text.contains(settings.FrameCriterion)) {
        ui.showMessage(kNotAReportMessage);
        return ImportStatus::NotAReport;
    }
    if (text.contains(settings.SearchCriterion) && settings.AutoColumnSearch) {
        Button4Click(text, settings, ui);
    }
    if (text.contains(settings.FrameCriterion) && settings.AutoColumnSearch) {
        Button10Click(text, settings, ui);
    }

    const int n = text.lineCount();
    grid.setRowCount(n == 1 ? 2 : n);
    // When nothing after this point can stop the import, the rows it rewrites whole get
    // their numbers with their cells: numbering them first as well would store each of a
    // long report's rows twice. The table ends up the same.
    const bool numberLater = importCannotFail(settings, n);
    if (!numberLater) NumberGridHeaders(grid);

    std::array<std::int32_t, kFields> widths{};
    for (int k = 1; k <= kFields; ++k) widths[static_cast<std::size_t>(k - 1)] = settings.columnWidth(k);
    for (int k = 1; k <= kFields; ++k) {
        const std::int64_t px = std::int64_t{7} * widths[static_cast<std::size_t>(k - 1)];
        grid.setColWidth(k, static_cast<int>(std::clamp<std::int64_t>(px, INT32_MIN, INT32_MAX)));
    }
    const std::int64_t r0 = settings.startColumn();
    const std::int64_t firstLine = settings.startRow();

    // The table grows to hold the last line of the text that the import reads, so no line
    // falls off its end when StartColumn lies past StartRow.
    const std::int64_t k = std::min<std::int64_t>(n, n - 1 - firstLine);
    if (k >= 0 && firstLine + k >= 0 && r0 + k + 1 > grid.rowCount()) {
        if (r0 + k + 1 > kMaxGrownRows) throw gridIndexOutOfRange();
        const int before = grid.rowCount();
        grid.setRowCount(static_cast<int>(r0 + k + 1));
        char digits[16];
        for (int r = std::max(before, 1); r < grid.rowCount() && !numberLater; ++r) {
            const int len = std::snprintf(digits, sizeof digits, "%d", r);
            grid.setCell(0, r, std::string_view(digits, static_cast<std::size_t>(len)));
        }
    }
    if (numberLater) numberRowsNotImported(grid, r0, r0 + n);

    const FieldLayout layout = layoutOf(widths);
    const char sep = ws.regional.decimalSeparator;
    // Every field is a part of a line read with at most 4096 bytes, and conversion never
    // lengthens a field, so 20 such parts always fit.
    static thread_local std::array<char, kFields * ReportText::kMaxLineRead> buffer;
    Grid::RowCells cells{};
    char rowDigits[24];

    auto importLine = [&](std::int64_t lineIndex, std::int64_t row, Conversion conversion) {
        if (row < 0 || row >= grid.rowCount()) return;
        cutInto(text.line(lineIndex), layout, conversion, sep, buffer.data(), cells);
        if (numberLater && row >= 1) {
            const char* end = std::to_chars(rowDigits, rowDigits + sizeof rowDigits, row).ptr;
            cells[0] = std::string_view(rowDigits, static_cast<std::size_t>(end - rowDigits));
        } else {
            cells[0] = grid.cell(0, static_cast<int>(row));
        }
        grid.setRow(static_cast<int>(row), cells);
    };

    importLine(firstLine, r0, Conversion::Text);
    for (std::int64_t i = 1; i <= n; ++i) importLine(firstLine + i, r0 + i, Conversion::Numbers);
    return ImportStatus::Imported;
}

}  // namespace tablamo
