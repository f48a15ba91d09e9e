#include "bank/statement_import.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/error.h"
#include "core/ui_port.h"
#include "core/workspace.h"
#include "import/dos_text.h"
#include "import/open_command.h"
#include "import/report_import.h"

namespace tablamo {

std::size_t cleanAmountInto(std::string_view text, char decimalSeparator, char* out) {
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch == ',' || ch == '=') continue;
        out[n++] = ch == '.' ? decimalSeparator : ch;
    }
    return dropBlanksOfPositiveNumber(out, n, decimalSeparator);
}

std::size_t stripEqualsInto(std::string_view text, char decimalSeparator, char* out) {
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch != '=') out[n++] = ch;
    }
    return dropBlanksOfPositiveNumber(out, n, decimalSeparator);
}

std::size_t collapseBlanksInto(std::string_view text, char* out) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[n++] = text[i];
        // The second blank of a pair goes; the pass goes on after the pair, so a third
        // blank starts a new pair rather than joining the blank just written.
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
    }
    return n;
}

std::string CleanAmount(std::string_view text, char decimalSeparator) {
    std::string out(text.size(), '\0');
    out.resize(cleanAmountInto(text, decimalSeparator, out.data()));
    return out;
}

std::string StripEquals(std::string_view text, char decimalSeparator) {
    std::string out(text.size(), '\0');
    out.resize(stripEqualsInto(text, decimalSeparator, out.data()));
    return out;
}

std::string CollapseBlanks(std::string_view text) {
    std::string out(text.size(), '\0');
    out.resize(collapseBlanksInto(text, out.data()));
    return out;
}

namespace {

constexpr int kFields = ImportSettings::kWidthCount;

// The date field's labels, in Windows Turkish: the information lines and the heading of
// the transaction table.
constexpr std::string_view kInfoKeys[] = {"D\xDCZENLEYE", "HESAP \xDEUB", "IBAN"};
constexpr std::string_view kHeadingKey = "TAR\xDDH";

// Column k (0-based) of a statement line: 1-based start and length, both 16-bit.
struct Layout {
    std::array<std::uint32_t, kFields> from{};
    std::array<std::uint32_t, kFields> count{};
};

Layout layoutOf(const std::array<std::int32_t, kFields>& widths) {
    Layout layout;
    std::uint32_t pos = 1;
    for (std::size_t k = 0; k < kFields; ++k) {
        const auto w = static_cast<std::uint32_t>(widths[k]);
        layout.from[k] = pos & 0xFFFF;
        layout.count[k] = w & 0xFFFF;
        pos += w;
    }
    return layout;
}

// cut(p, k): k characters from position p, trimmed.
std::string_view cut(std::string_view line, std::uint32_t from, std::uint32_t count) {
    return TrimControl(MidChars(line, from & 0xFFFF, count & 0xFFFF));
}

// Column k (0-based) of the line, trimmed: the first from the left, the others by position.
std::string_view column(std::string_view line, const Layout& layout, std::size_t k) {
    if (k == 0) return TrimControl(LeftChars(line, layout.count[0]));
    return cut(line, layout.from[k], layout.count[k]);
}

// Writes the cells of one row one after the other into a buffer that the import owns, so
// a row costs no allocation.
class CellWriter {
public:
    explicit CellWriter(char* begin) : m_begin(begin), m_out(begin) {}
    void restart() { m_out = m_begin; }
    char* mark() const { return m_out; }
    std::string_view since(const char* mark) const {
        return std::string_view(mark, static_cast<std::size_t>(m_out - mark));
    }
    void put(char ch) { *m_out++ = ch; }
    std::string_view text(std::string_view field) {
        return advance(dosToWinTextInto(field, m_out));
    }
    std::string_view number(std::string_view field, char sep) {
        return advance(dosToWinNumberInto(field, sep, m_out));
    }
    std::string_view amount(std::string_view field, char sep) {
        return advance(cleanAmountInto(field, sep, m_out));
    }
    std::string_view stripped(std::string_view field, char sep) {
        return advance(stripEqualsInto(field, sep, m_out));
    }
    std::string_view collapsed(std::string_view field) {
        return advance(collapseBlanksInto(field, m_out));
    }

private:
    std::string_view advance(std::size_t n) {
        std::string_view v(m_out, n);
        m_out += n;
        return v;
    }
    char* m_begin;
    char* m_out;
};

// A packed date of eight digits from position `from` on: day, month and year cut apart,
// each cleaned on its own, joined by "/".
std::string_view dateCell(std::string_view line, std::uint32_t from, char sep, CellWriter& w) {
    char* start = w.mark();
    w.amount(cut(line, from, 2), sep);
    w.put('/');
    w.amount(cut(line, from + 2, 2), sep);
    w.put('/');
    w.amount(cut(line, from + 4, 4), sep);
    return w.since(start);
}

bool isInfoKey(std::string_view key) {
    return std::find(std::begin(kInfoKeys), std::end(kInfoKeys), key) != std::end(kInfoKeys);
}

void numberRows(Grid& grid, int from) {
    char digits[16];
    for (int r = std::max(from, 1); r < grid.rowCount(); ++r) {
        const int len = std::snprintf(digits, sizeof digits, "%d", r);
        grid.setCell(0, r, std::string_view(digits, static_cast<std::size_t>(len)));
    }
}

}  // namespace

void Akbank(Workspace& ws) {
    const ReportText& text = ws.text;
    ImportSettings& settings = ws.settings;
    Grid& grid = ws.grid;
    const char sep = ws.regional.decimalSeparator;

    if (text.empty()) return;
    for (int k = 1; k <= 9; ++k) settings.setColumnWidth(k, kStatementWidths[k - 1]);

    const int n = text.lineCount();
    grid.setRowCount(n == 1 ? 2 : n);
    NumberGridHeaders(grid);

    std::array<std::int32_t, kFields> widths{};
    for (int k = 1; k <= kFields; ++k)
        widths[static_cast<std::size_t>(k - 1)] = settings.columnWidth(k);
    for (int k = 1; k <= kFields; ++k) {
        const std::int64_t px = std::int64_t{7} * widths[static_cast<std::size_t>(k - 1)];
        grid.setColWidth(k, static_cast<int>(std::clamp<std::int64_t>(px, INT32_MIN, INT32_MAX)));
    }
    std::int64_t row = settings.startColumn();
    const std::int64_t firstLine = settings.startRow();
    const Layout layout = layoutOf(widths);

    // Every cell is a part of a line read with at most 4096 bytes and never longer than
    // that part (a date adds its two "/" to ten bytes at most, column 3 its "S"), so a row
    // always fits; the key gets room of its own behind it.
    std::vector<char> buffer((kFields + 2) * ReportText::kMaxLineRead);
    char* const keyBuffer = buffer.data() + (kFields + 1) * ReportText::kMaxLineRead;
    CellWriter w(buffer.data());
    auto keyOf = [&](std::string_view line) {
        const std::string_view field = cut(line, layout.from[1], layout.count[1]);
        return std::string_view(keyBuffer, dosToWinNumberInto(field, sep, keyBuffer));
    };

    // The table grows to hold the header line and every accepted line, so no line of the
    // statement falls off its end when StartColumn lies past StartRow.
    std::int64_t accepted = 0;
    for (std::int64_t i = 1; i <= n; ++i) accepted += !keyOf(text.line(firstLine + i)).empty();
    std::int64_t needed = (firstLine >= 0 && firstLine < n) ? row + 1 : 0;
    if (accepted > 0) needed = std::max(needed, row + accepted + 1);
    if (needed > grid.rowCount()) {
        if (needed > kMaxGrownRows) throw gridIndexOutOfRange();
        const int before = grid.rowCount();
        grid.setRowCount(static_cast<int>(needed));
        numberRows(grid, before);
    }

    auto store = [&](std::int64_t r, const Grid::RowCells& cells) {
        if (r >= 0 && r < grid.rowCount()) grid.setRow(static_cast<int>(r), cells);
    };
    auto cellsOf = [&](std::int64_t r) {
        return (r >= 0 && r < grid.rowCount()) ? grid.row(static_cast<int>(r)) : Grid::RowCells{};
    };

    // The header row: every field as text, whatever the line holds.
    {
        const std::string_view line = text.line(firstLine);
        Grid::RowCells cells = cellsOf(row);
        for (std::size_t k = 0; k < kFields; ++k) cells[k + 1] = w.text(column(line, layout, k));
        store(row, cells);
    }

    const std::uint32_t datePos = layout.from[1];
    const std::uint32_t valueDatePos = layout.from[3] + 1;  // one in from the column's start
    for (std::int64_t i = firstLine + 1; i <= firstLine + n; ++i) {
        const std::string_view line = text.line(i);
        const std::string_view key = keyOf(line);
        if (key.empty()) continue;
        ++row;
        w.restart();
        Grid::RowCells cells = cellsOf(row);
        cells[1] = w.text(column(line, layout, 0));
        if (isInfoKey(key)) {
            // The whole line in column 2; columns 3 to 20 keep what they held.
            cells[2] = w.collapsed(TrimControl(line));
            store(row, cells);
            continue;
        }
        const std::string_view d = w.amount(column(line, layout, 1), sep);
        const bool plain = d.empty() || d == kHeadingKey;
        cells[2] = plain ? d : dateCell(line, datePos, sep, w);
        char* s = w.mark();
        w.put('S');
        w.stripped(column(line, layout, 2), sep);
        cells[3] = w.since(s);
        cells[4] =
            plain ? w.amount(column(line, layout, 3), sep) : dateCell(line, valueDatePos, sep, w);
        for (std::size_t k = 4; k < kFields; ++k)
            cells[k + 1] = w.amount(column(line, layout, k), sep);
        store(row, cells);
    }
}

void Button13Click(Workspace& ws, UiPort& ui) {
    const auto path = ui.askOpenFile(openDialogRequest());
    if (!path) return;
    {
        BusyCursor busy(ui);
        loadReport(ws, *path);
        Akbank(ws);
    }
    ws.titleStrip = loadedStripText(*path);
}

}  // namespace tablamo
