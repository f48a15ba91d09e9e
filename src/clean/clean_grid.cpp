#include "clean/clean_grid.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace tablamo {
namespace {

constexpr int kPixelsPerCharacter = 7;

}  // namespace

int cleanColumnPixels(int characters) {
    return kPixelsPerCharacter * std::clamp(characters, 1, 4096);
}

CleanGrid::CleanGrid(Grid& grid, const std::vector<std::string>& headings,
                     const std::vector<CleanColumn>& columns, int records)
    : m_grid(grid), m_cells(columns.size() + 1) {
    grid.clearCells();
    grid.setRowCount(records + 1);
    grid.setColCount(static_cast<int>(columns.size()) + 1);
    grid.setColWidth(0, Grid::kHeaderColWidth);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        grid.setColWidth(static_cast<int>(c) + 1, cleanColumnPixels(columns[c].width));
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

void CleanGrid::addToCell(int number, int column, std::string_view text) {
    const std::string_view now = m_grid.cell(column, number);
    if (now.empty()) {
        m_grid.setCell(column, number, text);
        return;
    }
    std::string joined(now);
    joined.push_back(' ');
    joined.append(text);
    m_grid.setCell(column, number, joined);
}

}  // namespace tablamo
