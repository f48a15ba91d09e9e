#pragma once
/// The document: a table of Windows-1254 text cells with the window's display metrics.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// The grid's font, as the HTML export and the window draw it.
struct GridFont {
    std::string face = "Times New Roman";
    std::uint32_t color = 0x0066CC;  ///< red, green, blue: the system hot-light colour
    int heightPx = 13;               ///< character height in pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

/// The texts of one grid row's cells, one per column: 21 by default, held in place; a wider
/// row holds its texts on the heap.
class GridRowCells {
public:
    static constexpr std::size_t kInPlace = 21;

    /// 21 empty texts.
    GridRowCells() noexcept : m_size(kInPlace) {}
    /// `columns` empty texts.
    explicit GridRowCells(std::size_t columns) : m_size(columns) {
        if (columns > kInPlace) m_large.resize(columns);
    }

    std::string_view& operator[](std::size_t c) { return data()[c]; }
    const std::string_view& operator[](std::size_t c) const { return data()[c]; }
    std::size_t size() const { return m_size; }
    std::string_view* begin() { return data(); }
    std::string_view* end() { return data() + m_size; }
    const std::string_view* begin() const { return data(); }
    const std::string_view* end() const { return data() + m_size; }

private:
    std::string_view* data() { return m_large.empty() ? m_small.data() : m_large.data(); }
    const std::string_view* data() const {
        return m_large.empty() ? m_small.data() : m_large.data();
    }

    std::size_t m_size;
    std::array<std::string_view, kInPlace> m_small{};
    std::vector<std::string_view> m_large;
};

/// The string grid: 21 columns (column 0 the row numbers, row 0 the column letters) and a
/// row count. Cells are addressed (column, row) from 0. A write outside the table is
/// dropped; shrinking the table drops the rows it loses, so nothing of them comes back.
/// A clean table may set more columns (up to kMaxColumns).
///
/// Cells are packed row by row into large blocks (a small length table and the bytes), so
/// a million-row grid costs little more than its text and never allocates per cell. The
/// room of a row written again is reclaimed once such rows hold as much as the live ones.
class Grid {
public:
    static constexpr int kColumnCount = 21;
    static constexpr int kMaxColumns = 127;
    static constexpr int kDefaultRowCount = 25;
    static constexpr int kDefaultColWidth = 100;
    static constexpr int kHeaderColWidth = 30;
    static constexpr int kDefaultRowHeight = 24;

    using RowCells = GridRowCells;

    /// 25 empty rows, column 0 30 px wide, the others 100 px, rows 24 px.
    Grid();
    Grid(const Grid&) = delete;
    Grid& operator=(const Grid&) = delete;
    Grid(Grid&&) noexcept;
    Grid& operator=(Grid&&) noexcept;
    ~Grid();

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int colCount() const { return m_colCount; }
    /// Sets the column count (1 to kMaxColumns). New columns are empty and get the default
    /// width; the texts of columns cut off are not shown.
    void setColCount(int columns);
    /// Sets the row count (negative counts as 0). New rows are empty; rows cut off are gone.
    void setRowCount(int rows);

    /// The cell's text; the empty text outside the table. Valid until the row is written or
    /// the row count changes.
    std::string_view cell(int col, int row) const;
    /// Writes one cell; ignored outside the table.
    void setCell(int col, int row, std::string_view text);
    /// All cells of a row in one write (cells past `cells.size()` become empty); ignored
    /// outside the table. The texts may be views into this grid.
    void setRow(int row, const RowCells& cells);
    /// All cells of a row, one per column.
    RowCells row(int row) const;
    /// The same into `cells` (made one per column): a row after row read without a new
    /// array for each wide one.
    void readRow(int row, RowCells& cells) const;
    /// Empties every cell; the row count stays.
    void clearCells();
    /// Empties the cells of rows `from` to `to` (within the table), giving their room back
    /// when most of what is stored goes with them.
    void clearRows(int from, int to);

    int colWidth(int col) const;
    void setColWidth(int col, int px);
    /// Gives every column this width (the grid's default column width).
    void setDefaultColWidth(int px);
    int rowHeight(int row) const;
    void setRowHeight(int row, int px);

    GridFont& font() { return m_font; }
    const GridFont& font() const { return m_font; }

    int currentCol() const { return m_currentCol; }
    int currentRow() const { return m_currentRow; }
    /// Moves the current cell; raises "Grid index out of range" outside the table.
    void setCurrentCell(int col, int row);

    /// Bytes held for cell texts, live and dead (for the benchmarks and memory tests).
    std::size_t storageBytes() const;

private:
    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    /// Stores the first `limit` cells as a record; the reference to it.
    std::uint64_t store(const RowCells& cells, int limit);
    void dropStorage();
    /// Bytes of the record a row reference points to (0 for an empty or short row).
    std::size_t recordBytes(std::uint64_t ref) const;
    /// Moves every live row into fresh blocks, dropping the dead ones.
    void compact();

    std::vector<std::uint64_t> m_rows;  // 0: empty row; else (block + 1) << 32 | offset
    std::vector<Block> m_blocks;
    std::size_t m_liveBytes = 0;
    std::size_t m_deadBytes = 0;
    int m_colCount = kColumnCount;
    std::vector<int> m_colWidths;
    std::map<int, int> m_rowHeights;  // rows whose height differs from the default
    GridFont m_font;
    int m_currentCol = 1;
    int m_currentRow = 1;
};

}  // namespace tablamo

namespace tablamo {

/// The Enter key in the grid: the next column of the same row; from the last column, the
/// row below and column 1. Past the last row: "Grid index out of range", and the current
/// cell stays.
void moveOnEnter(Grid& grid);

}  // namespace tablamo
