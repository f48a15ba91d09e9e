#include "core/grid.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/error.h"
#include "core/platform/system.h"

namespace tablamo {
namespace {

// Blocks grow with the grid: small tables stay small, large ones get 4 MiB blocks.
constexpr std::size_t kFirstBlockSize = std::size_t{16} << 10;
constexpr std::size_t kMaxBlockSize = std::size_t{4} << 20;
// Record layout: one byte with the count of stored columns, then one length per stored
// column, then the texts one after another. The lengths take one byte each while every text
// is shorter than 256 bytes; bit 7 of the count says a byte follows it with their width
// otherwise (2 or 4).
constexpr unsigned char kLongerLengths = 0x80;
// Dead records below this size are not worth a compaction.
constexpr std::size_t kReclaimFrom = std::size_t{1} << 20;

struct Record {
    explicit Record(const char* at)
        : base(at),
          columns(static_cast<unsigned char>(at[0]) & 0x7F),
          width((static_cast<unsigned char>(at[0]) & kLongerLengths) ? at[1] : 1),
          lengths(at + ((static_cast<unsigned char>(at[0]) & kLongerLengths) ? 2 : 1)) {}

    const char* base;
    int columns;
    int width;  // bytes a length takes
    const char* lengths;

    std::size_t length(int col) const {
        if (width == 1) return static_cast<unsigned char>(lengths[col]);
        if (width == 4) {
            std::uint32_t n;
            std::memcpy(&n, lengths + 4 * col, 4);
            return n;
        }
        std::uint16_t n;
        std::memcpy(&n, lengths + 2 * col, 2);
        return n;
    }
    const char* text() const { return lengths + width * columns; }
};

// A large block is filled from start to end right away: mapping its pages in one call
// costs less than a page fault for every 4 KiB. Only advice; older kernels ignore it.
void prefault(char* data, std::size_t size) { platform::prefaultForWriting(data, size); }

// A row whose only text is a short one in column 0 (an empty report line keeps just its
// row number) is held in its reference itself: the text in the first seven bytes, its
// length in the top byte, marked by the top nibble. No block reference comes near it.
static_assert(std::endian::native == std::endian::little);
constexpr std::uint64_t kInlineTag = 0xF;
constexpr std::size_t kInlineMax = 7;

bool isInline(std::uint64_t ref) { return (ref >> 60) == kInlineTag; }

std::string_view inlineText(const std::uint64_t& ref) {
    return {reinterpret_cast<const char*>(&ref), static_cast<std::size_t>((ref >> 56) & 0x7)};
}

}  // namespace

Grid::Grid() {
    m_rows.assign(kDefaultRowCount, 0);
    m_colWidths.assign(kColumnCount, kDefaultColWidth);
    m_colWidths[0] = kHeaderColWidth;
}

void Grid::setColCount(int columns) {
    columns = std::clamp(columns, 1, kMaxColumns);
    m_colWidths.resize(static_cast<std::size_t>(columns), kDefaultColWidth);
    m_colCount = columns;
    if (m_currentCol >= columns) m_currentCol = columns - 1;
}

Grid::Grid(Grid&&) noexcept = default;
Grid& Grid::operator=(Grid&&) noexcept = default;
Grid::~Grid() = default;

void Grid::setRowCount(int rows) {
    rows = std::max(rows, 0);
    for (std::size_t r = static_cast<std::size_t>(rows); r < m_rows.size(); ++r) {
        const std::size_t bytes = recordBytes(m_rows[r]);
        m_liveBytes -= bytes;
        m_deadBytes += bytes;
    }
    m_rows.resize(static_cast<std::size_t>(rows), 0);
    m_rowHeights.erase(m_rowHeights.lower_bound(rows), m_rowHeights.end());
    if (m_currentRow >= rows) m_currentRow = std::max(rows - 1, 0);
}

std::string_view Grid::cell(int col, int row) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= m_colCount) return {};
    const std::uint64_t& ref = m_rows[static_cast<std::size_t>(row)];
    if (ref == 0) return {};
    if (isInline(ref)) return col == 0 ? inlineText(ref) : std::string_view{};
    const Block& block = m_blocks[(ref >> 32) - 1];
    const char* base = block.data.get() + (ref & 0xFFFFFFFFu);
    const Record rec(base);
    if (col >= rec.columns) return {};
    const char* p = rec.text();
    for (int c = 0; c < col; ++c) p += rec.length(c);
    return {p, rec.length(col)};
}

Grid::RowCells Grid::row(int r) const {
    RowCells cells(static_cast<std::size_t>(m_colCount));
    readRow(r, cells);
    return cells;
}

void Grid::readRow(int r, RowCells& cells) const {
    if (cells.size() != static_cast<std::size_t>(m_colCount)) {
        cells = RowCells(static_cast<std::size_t>(m_colCount));
    } else {
        std::fill(cells.begin(), cells.end(), std::string_view());
    }
    if (r < 0 || r >= rowCount() || m_rows[static_cast<std::size_t>(r)] == 0) return;
    const std::uint64_t& ref = m_rows[static_cast<std::size_t>(r)];
    if (isInline(ref)) {
        cells[0] = inlineText(ref);
        return;
    }
    const char* base = m_blocks[(ref >> 32) - 1].data.get() + (ref & 0xFFFFFFFFu);
    const Record rec(base);
    const char* p = rec.text();
    const int shown = std::min(rec.columns, m_colCount);
    for (int c = 0; c < shown; ++c) {
        const std::size_t n = rec.length(c);
        cells[static_cast<std::size_t>(c)] = {p, n};
        p += n;
    }
}

void Grid::setCell(int col, int r, std::string_view text) {
    if (r < 0 || r >= rowCount() || col < 0 || col >= m_colCount) return;
    RowCells cells = row(r);
    cells[static_cast<std::size_t>(col)] = text;
    setRow(r, cells);
}

void Grid::setRow(int r, const RowCells& cells) {
    if (r < 0 || r >= rowCount()) return;
    std::uint64_t& ref = m_rows[static_cast<std::size_t>(r)];
    // The new record is stored first: its texts may be views into the old one.
    const std::size_t old = recordBytes(ref);
    ref = store(cells, m_colCount);
    m_liveBytes += recordBytes(ref);
    m_liveBytes -= old;
    m_deadBytes += old;
    // Rows written again leave their old records behind; once those weigh as much as the
    // live ones, the live ones move into fresh blocks.
    if (m_deadBytes >= kReclaimFrom && m_deadBytes >= m_liveBytes) compact();
}

std::size_t Grid::recordBytes(std::uint64_t ref) const {
    if (ref == 0 || isInline(ref)) return 0;
    const char* base = m_blocks[(ref >> 32) - 1].data.get() + (ref & 0xFFFFFFFFu);
    const Record rec(base);
    std::size_t bytes = static_cast<std::size_t>(rec.text() - base);
    for (int c = 0; c < rec.columns; ++c) bytes += rec.length(c);
    return bytes;
}

void Grid::compact() {
    if (m_liveBytes == 0) {
        dropStorage();
        return;
    }
    std::vector<Block> old = std::move(m_blocks);
    m_blocks.clear();
    m_liveBytes = 0;
    // Every stored column moves, also those a narrower column count hides.
    RowCells cells(static_cast<std::size_t>(kMaxColumns));
    for (std::uint64_t& ref : m_rows) {
        if (ref == 0 || isInline(ref)) continue;
        const char* base = old[(ref >> 32) - 1].data.get() + (ref & 0xFFFFFFFFu);
        const Record rec(base);
        const char* p = rec.text();
        for (int c = 0; c < kMaxColumns; ++c) {
            const std::size_t n = c < rec.columns ? rec.length(c) : 0;
            cells[static_cast<std::size_t>(c)] = {p, n};
            p += n;
        }
        ref = store(cells, kMaxColumns);
        m_liveBytes += recordBytes(ref);
    }
    m_deadBytes = 0;
}

std::uint64_t Grid::store(const RowCells& cells, int limit) {
    int columns = 0;
    std::size_t textBytes = 0, longest = 0;
    const int given = std::min(static_cast<int>(cells.size()), limit);
    for (int c = 0; c < given; ++c) {
        const std::size_t n = cells[static_cast<std::size_t>(c)].size();
        if (n != 0) columns = c + 1;
        textBytes += n;
        longest = std::max(longest, n);
    }
    if (columns == 0) return 0;
    if (columns == 1 && textBytes <= kInlineMax) {
        std::uint64_t ref = 0;
        std::memcpy(&ref, cells[0].data(), textBytes);
        return ref | (kInlineTag << 60) | (static_cast<std::uint64_t>(textBytes) << 56);
    }
    const int width = longest <= 0xFF ? 1 : longest <= 0xFFFF ? 2 : 4;
    const std::size_t head = width == 1 ? 1 : 2;
    const std::size_t need =
        head + static_cast<std::size_t>(width) * static_cast<std::size_t>(columns) + textBytes;

    if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < need) {
        Block block;
        const std::size_t grown =
            m_blocks.empty() ? kFirstBlockSize : std::min(kMaxBlockSize, 2 * m_blocks.back().size);
        block.size = std::max(grown, need);
        block.data = std::make_unique_for_overwrite<char[]>(block.size);
        prefault(block.data.get(), block.size);
        m_blocks.push_back(std::move(block));
    }
    Block& block = m_blocks.back();
    char* base = block.data.get() + block.used;
    base[0] = static_cast<char>(columns | (width == 1 ? 0 : kLongerLengths));
    if (width != 1) base[1] = static_cast<char>(width);
    char* len = base + head;
    char* text = len + width * columns;
    // The texts may lie in an earlier block or earlier in this one; the new record is
    // written past them, so no copy overlaps its source. Texts that lie one after the other
    // (a row's cells cut from one buffer) are copied in one go.
    const char* run = nullptr;
    std::size_t runSize = 0;
    for (int c = 0; c < columns; ++c) {
        const std::string_view s = cells[static_cast<std::size_t>(c)];
        if (width == 1) {
            *len++ = static_cast<char>(s.size());
        } else if (width == 2) {
            const auto n = static_cast<std::uint16_t>(s.size());
            std::memcpy(len, &n, 2);
            len += 2;
        } else {
            const auto n = static_cast<std::uint32_t>(s.size());
            std::memcpy(len, &n, 4);
            len += 4;
        }
        if (s.empty()) continue;
        if (run + runSize == s.data()) {
            runSize += s.size();
            continue;
        }
        if (runSize != 0) std::memcpy(text, run, runSize);
        text += runSize;
        run = s.data();
        runSize = s.size();
    }
    if (runSize != 0) std::memcpy(text, run, runSize);
    const std::uint64_t ref = (static_cast<std::uint64_t>(m_blocks.size()) << 32) | block.used;
    block.used += need;
    return ref;
}

void Grid::clearCells() {
    std::fill(m_rows.begin(), m_rows.end(), 0);
    dropStorage();
}

void Grid::clearRows(int from, int to) {
    from = std::max(from, 0);
    to = std::min(to, rowCount() - 1);
    for (int r = from; r <= to; ++r) {
        std::uint64_t& ref = m_rows[static_cast<std::size_t>(r)];
        const std::size_t bytes = recordBytes(ref);
        m_liveBytes -= bytes;
        m_deadBytes += bytes;
        ref = 0;
    }
    if (m_liveBytes == 0) {
        dropStorage();
    } else if (m_deadBytes >= m_liveBytes) {
        compact();
    }
}

void Grid::dropStorage() {
    m_blocks.clear();
    m_liveBytes = 0;
    m_deadBytes = 0;
}

int Grid::colWidth(int col) const {
    if (col < 0 || col >= m_colCount) return 0;
    return m_colWidths[static_cast<std::size_t>(col)];
}

void Grid::setColWidth(int col, int px) {
    if (col < 0 || col >= m_colCount) return;
    m_colWidths[static_cast<std::size_t>(col)] = px;
}

void Grid::setDefaultColWidth(int px) { std::fill(m_colWidths.begin(), m_colWidths.end(), px); }

int Grid::rowHeight(int r) const {
    const auto it = m_rowHeights.find(r);
    return it == m_rowHeights.end() ? kDefaultRowHeight : it->second;
}

void Grid::setRowHeight(int r, int px) {
    if (r < 0 || r >= rowCount()) return;
    if (px == kDefaultRowHeight) {
        m_rowHeights.erase(r);
    } else {
        m_rowHeights[r] = px;
    }
}

void Grid::setCurrentCell(int col, int r) {
    if (col < 0 || col >= m_colCount || r < 0 || r >= rowCount()) throw gridIndexOutOfRange();
    m_currentCol = col;
    m_currentRow = r;
}

std::size_t Grid::storageBytes() const {
    std::size_t total = m_rows.capacity() * sizeof(std::uint64_t);
    for (const Block& b : m_blocks) total += b.size;
    return total;
}

}  // namespace tablamo

namespace tablamo {

void moveOnEnter(Grid& grid) {
    const int c = grid.currentCol();
    const int r = grid.currentRow();
    if (c < grid.colCount() - 1) {
        grid.setCurrentCell(c + 1, r);
    } else {
        grid.setCurrentCell(c, r + 1);
        grid.setCurrentCell(1, r + 1);
    }
}

}  // namespace tablamo
