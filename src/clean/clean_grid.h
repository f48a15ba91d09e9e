#pragma once
/// Writing a clean table into the grid the way every importer does: row 0 the headings,
/// column 0 the record numbers 1..n, then the records, one row each.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/clean_shape.h"
#include "core/grid.h"

namespace tablamo {

/// One import's writes of a clean table.
class CleanGrid {
public:
    /// Empties the grid and sizes it for these columns (Windows-1254 headings): the column
    /// count 1 + columns, 7 pixels per character of a column's width; room for `records`.
    CleanGrid(Grid& grid, const std::vector<std::string>& headings,
              const std::vector<CleanColumn>& columns, int records = 0);

    /// Record `number` (from 1) with its cells, one per column; the table grows as needed.
    void writeRecord(int number, std::span<const std::string_view> cells);
    /// Adds `text` to the cell of record `number` in `column` (from 1), after a blank when
    /// the cell holds something already.
    void addToCell(int number, int column, std::string_view text);
    /// The table ends after `records` records.
    void finish(int records) { m_grid.setRowCount(records + 1); }

private:
    Grid& m_grid;
    Grid::RowCells m_cells;
    char m_digits[16];
};

/// The display width in pixels of a clean column `characters` wide: 7 pixels a character.
int cleanColumnPixels(int characters);

}  // namespace tablamo
