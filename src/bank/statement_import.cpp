#include "bank/statement_import.h"

#include <algorithm>
#include <vector>

#include "bank/statement_layout.h"
#include "core/dos_text.h"
#include "core/field_layout.h"
#include "core/grid_filler.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

constexpr int kFields = FieldLayout::kFields;

// cut(p, k): k characters from position p, trimmed.
std::string_view cut(std::string_view line, std::uint32_t from, std::uint32_t count) {
    return TrimControl(MidChars(line, from & 0xFFFF, count & 0xFFFF));
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

// An information line: the whole line in column 2; columns 3 to 20 keep what they held.
void informationRow(std::string_view line, CellWriter& w, Grid::RowCells& cells) {
    cells[2] = w.collapsed(TrimControl(line));
}

// The table's heading or a transaction, cut into its columns.
void entryRow(std::string_view line, const FieldLayout& layout, char sep, CellWriter& w,
              Grid::RowCells& cells) {
    const std::string_view d = w.amount(fieldOf(line, layout, 1), sep);
    const bool plain = d.empty() || isStatementHeading(d);
    cells[2] = plain ? d : dateCell(line, layout.from[1], sep, w);
    char* s = w.mark();
    w.put('S');
    w.stripped(fieldOf(line, layout, 2), sep);
    cells[3] = w.since(s);
    // The value date starts one in from its column's start.
    cells[4] = plain ? w.amount(fieldOf(line, layout, 3), sep)
                     : dateCell(line, layout.from[3] + 1, sep, w);
    for (int k = 4; k < kFields; ++k)
        cells[static_cast<std::size_t>(k) + 1] = w.amount(fieldOf(line, layout, k), sep);
}

}  // namespace

ImportOutcome importStatement(Workspace& ws) {
    const ReportText& text = ws.text;
    ReportLayout& settings = ws.settings.layout;
    const char sep = ws.regional.decimalSeparator;
    if (text.empty()) return {ImportStatus::EmptyText, {}};
    ws.book.startTable();
    ws.grid().setColCount(Grid::kColumnCount);

    // The statement's own layout, then the table sized and labelled.
    for (int k = 1; k <= 9; ++k) settings.setColumnWidth(k, kStatementWidths[k - 1]);
    const int n = text.lineCount();
    GridFiller filler(ws.grid());
    filler.sizeForLines(n);
    filler.numberHeaders();
    const auto widths = settings.columnWidths();
    filler.setDisplayWidths(widths);
    std::int64_t row = settings.startColumn();
    const std::int64_t firstLine = settings.startRow();
    const FieldLayout layout = fieldLayoutOf(widths);

    // Every cell is a part of a line read with at most 4096 bytes and never longer than
    // that part (a date adds its two "/" to ten bytes at most, column 3 its "S"), so a row
    // always fits; the key gets room of its own behind it.
    std::vector<char> buffer((kFields + 2) * ReportText::kMaxLineRead);
    char* const keyBuffer = buffer.data() + (kFields + 1) * ReportText::kMaxLineRead;
    CellWriter w(buffer.data());
    auto classify = [&](std::string_view line) {
        const std::string_view field = fieldOf(line, layout, 1);
        return classifyStatementLine(
            std::string_view(keyBuffer, dosToWinNumberInto(field, sep, keyBuffer)));
    };

    // The table grows to hold the header line and every accepted line, so no line of the
    // statement falls off its end when StartColumn lies past StartRow.
    std::int64_t accepted = 0;
    for (std::int64_t i = 1; i <= n; ++i) {
        accepted += classify(text.line(firstLine + i)) != StatementLine::Dropped;
    }
    std::int64_t needed = (firstLine >= 0 && firstLine < n) ? row + 1 : 0;
    if (accepted > 0) needed = std::max(needed, row + accepted + 1);
    filler.growTo(needed);

    // The header row: every field as text, whatever the line holds.
    {
        const std::string_view line = text.line(firstLine);
        Grid::RowCells cells = filler.cellsOf(row);
        for (int k = 0; k < kFields; ++k)
            cells[static_cast<std::size_t>(k) + 1] = w.text(fieldOf(line, layout, k));
        filler.writeRow(row, cells);
    }
    // Every following line by its kind.
    for (std::int64_t i = firstLine + 1; i <= firstLine + n; ++i) {
        const std::string_view line = text.line(i);
        const StatementLine kind = classify(line);
        if (kind == StatementLine::Dropped) continue;
        ++row;
        w.restart();
        Grid::RowCells cells = filler.cellsOf(row);
        cells[1] = w.text(fieldOf(line, layout, 0));
        if (kind == StatementLine::Information) {
            informationRow(line, w, cells);
        } else {
            entryRow(line, layout, sep, w, cells);
        }
        filler.writeRow(row, cells);
    }
    return {};
}

}  // namespace tablamo
