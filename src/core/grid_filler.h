#pragma once
/// Filling the grid the way every importer does: the row count from the text's line count,
/// the row numbers and column letters, the display widths, and the rows themselves.

#include <array>
#include <cstdint>

#include "core/grid.h"
#include "core/import_settings.h"

namespace tablamo {

/// The rows the table may grow to, so that an absurd StartColumn cannot claim gigabytes.
inline constexpr int kMaxGrownRows = 1 << 24;

/// One import's writes into the grid. Rows outside the table are dropped.
class GridFiller {
public:
    explicit GridFiller(Grid& grid) : m_grid(grid) {}

    /// The row count for a text of `lineCount` lines: as many rows, 2 for a one-line text.
    void sizeForLines(int lineCount);
    /// Row numbers and column letters (NumberGridHeaders), but for the rows whose numbers
    /// are deferred.
    void numberHeaders();
    /// Rows `first` to `last` get their number as they are written, not beforehand: when
    /// nothing can stop the import any more, numbering them first as well would store each
    /// of a long report's rows twice. The rows are written whole, so their old texts are
    /// dropped now.
    void deferNumbers(std::int64_t first, std::int64_t last);
    /// Display widths of columns 1 to 20: 7 pixels per character.
    void setDisplayWidths(const std::array<std::int32_t, ReportLayout::kWidthCount>& widths);
    /// Grows the table to `rows` rows when it has fewer (new rows numbered unless their
    /// numbers are deferred), so that no imported line falls off its end. Past
    /// kMaxGrownRows: "Grid index out of range".
    void growTo(std::int64_t rows);

    /// The row's cells as they stand; all empty outside the table.
    Grid::RowCells cellsOf(std::int64_t row) const;
    /// Writes the row whole from `cells` 1 to 20; column 0 gets its deferred number or
    /// keeps what it holds.
    void writeRow(std::int64_t row, Grid::RowCells& cells);

    Grid& grid() { return m_grid; }

private:
    bool inTable(std::int64_t row) const { return row >= 0 && row < m_grid.rowCount(); }

    Grid& m_grid;
    std::int64_t m_deferFirst = 1;
    std::int64_t m_deferLast = 0;  // none deferred
    char m_digits[24];
};

}  // namespace tablamo
