#pragma once
/// The amounts of every record the totals check took, kept for what only the whole report
/// tells: which columns run as balances and by which others, which formulas every record
/// obeys. In report order, in blocks of records that are never moved once filled, with the
/// group starts and opening balances between them.

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "core/platform/system.h"

namespace tablamo {

class RecordTable {
public:
    /// A group start (`column` < 0) or an opening balance of `column`, before record `at`.
    struct Event {
        std::uint32_t at;
        int column;
        std::int64_t value;
    };

    explicit RecordTable(std::size_t columns) : m_columns(columns) {}

    /// The next record: its 1-based line, its signed amounts and which of them are printed.
    void add(int line, const std::vector<std::int64_t>& value, const std::vector<char>& present) {
        const std::size_t at = (m_size % kBlock) * m_columns;
        if (at == 0) {
            m_blocks.push_back(std::make_unique<Block>(m_columns));
            // Filled whole: its pages are taken at once, not one fault at a time.
            platform::prefaultForWriting(m_blocks.back()->narrow.get(),
                                         kBlock * m_columns * sizeof(std::int32_t));
        }
        Block& b = *m_blocks.back();
        for (std::size_t c = 0; c < m_columns; ++c) {
            const std::int64_t v = present[c] ? value[c] : 0;
            if (!b.wide && (v < std::numeric_limits<std::int32_t>::min() ||
                            v > std::numeric_limits<std::int32_t>::max()))
                b.widen(m_columns, at + c);
            if (b.wide) {
                b.wide[at + c] = v;
            } else {
                b.narrow[at + c] = static_cast<std::int32_t>(v);
            }
            b.present[at + c] = present[c] ? 1 : 0;
        }
        b.lines[m_size % kBlock] = line;
        ++m_size;
    }
    /// A group begins before the next record.
    void groupStart() { m_events.push_back({at(), -1, 0}); }
    /// The next group's opening balance of column `c` (signed).
    void opening(std::size_t c, std::int64_t value) {
        m_events.push_back({at(), static_cast<int>(c), value});
    }

    std::size_t columns() const { return m_columns; }
    std::size_t size() const { return m_size; }
    int line(std::size_t r) const { return m_blocks[r / kBlock]->lines[r % kBlock]; }
    const std::uint8_t* present(std::size_t r) const {
        return m_blocks[r / kBlock]->present.get() + (r % kBlock) * m_columns;
    }
    /// Column `c` of record `r`: its amount, 0 where none is printed.
    std::int64_t value(std::size_t r, std::size_t c) const {
        const Block& b = *m_blocks[r / kBlock];
        const std::size_t at = (r % kBlock) * m_columns + c;
        return b.wide ? b.wide[at] : b.narrow[at];
    }
    const std::vector<Event>& events() const { return m_events; }

private:
    static constexpr std::size_t kBlock = 16384;  // records a block holds
    // A block's amounts take 32 bits each while they fit, 64 from the first that does not.
    struct Block {
        explicit Block(std::size_t columns)
            : narrow(std::make_unique_for_overwrite<std::int32_t[]>(kBlock * columns)),
              present(std::make_unique_for_overwrite<std::uint8_t[]>(kBlock * columns)),
              lines(std::make_unique_for_overwrite<std::int32_t[]>(kBlock)) {}
        /// Moves the `filled` amounts written so far into 64 bits.
        void widen(std::size_t columns, std::size_t filled) {
            wide = std::make_unique_for_overwrite<std::int64_t[]>(kBlock * columns);
            for (std::size_t k = 0; k < filled; ++k) wide[k] = narrow[k];
            narrow.reset();
        }
        std::unique_ptr<std::int32_t[]> narrow;
        std::unique_ptr<std::int64_t[]> wide;
        std::unique_ptr<std::uint8_t[]> present;
        std::unique_ptr<std::int32_t[]> lines;
    };
    std::uint32_t at() const { return static_cast<std::uint32_t>(m_size); }

    std::size_t m_columns;
    std::size_t m_size = 0;
    std::vector<std::unique_ptr<Block>> m_blocks;
    std::vector<Event> m_events;
};

}  // namespace tablamo
