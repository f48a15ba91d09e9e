#include "core/clean_grid.h"

#include <algorithm>
#include <charconv>

#include "core/workspace.h"

namespace tablamo {
namespace {

constexpr int kPixelsPerCharacter = 7;

int pixelsOf(int characters) { return kPixelsPerCharacter * std::clamp(characters, 1, 4096); }

}  // namespace

CleanGrid::CleanGrid(Grid& grid, const std::vector<std::string>& headings,
                     const std::vector<CleanColumn>& columns, int records)
    : m_grid(grid), m_cells(columns.size() + 1) {
    grid.clearCells();
    grid.setRowCount(records + 1);
    grid.setColCount(static_cast<int>(columns.size()) + 1);
    grid.setColWidth(0, Grid::kHeaderColWidth);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        grid.setColWidth(static_cast<int>(c) + 1, pixelsOf(columns[c].width));
        m_cells[c + 1] = headings[c];
    }
    grid.setRow(0, m_cells);
}

void CleanGrid::writeRecord(int number, std::span<const std::string_view> cells) {
    if (number >= m_grid.rowCount())
        m_grid.setRowCount(std::max(number + 1, 2 * m_grid.rowCount()));
    const char* end = std::to_chars(m_digits, m_digits + sizeof m_digits, number).ptr;
    m_cells[0] = std::string_view(m_digits, static_cast<std::size_t>(end - m_digits));
    for (std::size_t c = 0; c < cells.size() && c + 1 < m_cells.size(); ++c)
        m_cells[c + 1] = cells[c];
    m_grid.setRow(number, m_cells);
}

void addLineNumberColumn(Workspace& ws) {
    if (!ws.clean) return;
    CleanShape& shape = *ws.clean;
    Grid& grid = ws.grid;
    const int column = grid.colCount();
    grid.setColCount(column + 1);
    grid.setColWidth(column, pixelsOf(8));
    shape.columns.push_back({ColumnKind::Code, 8});
    Grid::RowCells cells(static_cast<std::size_t>(column) + 1);
    char digits[16];
    for (int r = 0; r < grid.rowCount(); ++r) {
        cells = grid.row(r);
        if (r == 0) {
            cells[static_cast<std::size_t>(column)] = kLineNumberHeading;
        } else if (const auto line = shape.lineOfRow(r)) {
            const char* end = std::to_chars(digits, digits + sizeof digits, *line).ptr;
            cells[static_cast<std::size_t>(column)] =
                std::string_view(digits, static_cast<std::size_t>(end - digits));
        }
        grid.setRow(r, cells);
    }
}

}  // namespace tablamo
