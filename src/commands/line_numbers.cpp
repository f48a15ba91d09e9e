#include "commands/line_numbers.h"

#include <charconv>

#include "clean/clean_grid.h"
#include "core/workspace.h"

namespace tablamo {

namespace {

void addColumn(Grid& grid, CleanShape& shape) {
    const int column = grid.colCount();
    grid.setColCount(column + 1);
    grid.setColWidth(column, cleanColumnPixels(8));
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

}  // namespace

void addLineNumberColumn(Workspace& ws) {
    // Every table of a report that prints several.
    for (Book::Table& table : ws.book.tables) {
        if (table.clean) addColumn(table.grid, *table.clean);
    }
}

}  // namespace tablamo
