#include "core/grid_filler.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string_view>

#include "core/error.h"

namespace tablamo {
namespace {

std::string_view decimal(std::int64_t value, char (&digits)[24]) {
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return {digits, static_cast<std::size_t>(end - digits)};
}

void numberRows(Grid& grid, int from, int to) {
    char digits[24];
    for (int r = std::max(from, 1); r < to; ++r) grid.setCell(0, r, decimal(r, digits));
}

void letterColumns(Grid& grid) {
    if (grid.rowCount() == 0) return;
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    Grid::RowCells header = grid.row(0);
    for (int c = 1; c < grid.colCount(); ++c) {
        header[static_cast<std::size_t>(c)] =
            c <= 26 ? kLetters.substr(static_cast<std::size_t>(c - 1), 1) : std::string_view{};
    }
    grid.setRow(0, header);
}

}  // namespace

void GridFiller::sizeForLines(int lineCount) { m_grid.setRowCount(lineCount == 1 ? 2 : lineCount); }

void GridFiller::numberHeaders() {
    if (m_deferLast < m_deferFirst) {
        NumberGridHeaders(m_grid);
        return;
    }
    const std::int64_t rows = m_grid.rowCount();
    numberRows(m_grid, 1, static_cast<int>(std::clamp<std::int64_t>(m_deferFirst, 0, rows)));
    numberRows(m_grid, static_cast<int>(std::clamp<std::int64_t>(m_deferLast + 1, 0, rows)),
               static_cast<int>(rows));
    letterColumns(m_grid);
}

void GridFiller::deferNumbers(std::int64_t first, std::int64_t last) {
    m_deferFirst = first;
    m_deferLast = last;
    // These rows are written whole, so their old texts can go now rather than pile up
    // beside the new ones. Row 0 keeps its cell (0, 0).
    const auto clamp = [&](std::int64_t r) {
        return static_cast<int>(std::clamp<std::int64_t>(r, 0, m_grid.rowCount()));
    };
    if (last >= 1) m_grid.clearRows(clamp(std::max<std::int64_t>(first, 1)), clamp(last));
}

void GridFiller::setDisplayWidths(
    const std::array<std::int32_t, ReportLayout::kWidthCount>& widths) {
    for (int k = 1; k <= ReportLayout::kWidthCount; ++k) {
        const std::int64_t px = std::int64_t{7} * widths[static_cast<std::size_t>(k - 1)];
        m_grid.setColWidth(k, static_cast<int>(std::clamp<std::int64_t>(px, INT32_MIN, INT32_MAX)));
    }
}

void GridFiller::growTo(std::int64_t rows) {
    if (rows <= m_grid.rowCount()) return;
    if (rows > kMaxGrownRows) throw gridIndexOutOfRange();
    const int before = m_grid.rowCount();
    m_grid.setRowCount(static_cast<int>(rows));
    for (int r = std::max(before, 1); r < m_grid.rowCount(); ++r) {
        if (r >= m_deferFirst && r <= m_deferLast) continue;
        m_grid.setCell(0, r, decimal(r, m_digits));
    }
}

Grid::RowCells GridFiller::cellsOf(std::int64_t row) const {
    return inTable(row) ? m_grid.row(static_cast<int>(row)) : Grid::RowCells{};
}

void GridFiller::writeRow(std::int64_t row, Grid::RowCells& cells) {
    if (!inTable(row)) return;
    if (row >= 1 && row >= m_deferFirst && row <= m_deferLast) {
        cells[0] = decimal(row, m_digits);
    } else {
        cells[0] = m_grid.cell(0, static_cast<int>(row));
    }
    m_grid.setRow(static_cast<int>(row), cells);
}

}  // namespace tablamo
