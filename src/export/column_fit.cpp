#include "export/column_fit.h"

#include "core/grid.h"

namespace tablamo {

std::vector<ColumnFit> columnFits(const Grid& grid, int rows) {
    const int columns = grid.colCount();
    std::vector<ColumnFit> fits(static_cast<std::size_t>(columns > 1 ? columns - 1 : 0));
    const int last = rows < 0 || rows >= grid.rowCount() ? grid.rowCount() - 1 : rows;
    for (int r = 1; r <= last; ++r) {
        const Grid::RowCells cells = grid.row(r);
        for (std::size_t c = 1; c < cells.size() && c <= fits.size(); ++c) {
            const std::string_view cell = cells[c];
            ColumnFit& fit = fits[c - 1];
            if (cell.size() <= fit.word.size()) continue;  // neither it nor a word of it wins
            if (cell.size() > fit.text.size()) fit.text = cell;
            std::size_t start = 0;
            for (std::size_t i = 0; i <= cell.size(); ++i) {
                if (i < cell.size() && cell[i] != ' ') continue;
                if (i - start > fit.word.size()) fit.word = cell.substr(start, i - start);
                start = i + 1;
            }
        }
    }
    return fits;
}

int groupedLength(std::string_view amount) {
    int digits = 0;
    for (const char c : amount) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == ',' || c == '.') {
            break;
        }
    }
    return static_cast<int>(amount.size()) + (digits > 0 ? (digits - 1) / 3 : 0);
}

}  // namespace tablamo
