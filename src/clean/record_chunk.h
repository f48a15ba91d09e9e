#pragma once
/// A chunk of lines as the record writer's typing leaves it: its records, total lines, page
/// starts and header fields, typed, for writing in report order.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace tablamo {

/// A buffer that only grows and is never cleared byte by byte.
class Bytes {
public:
    char* room(std::size_t n) {
        if (m_capacity - m_size < n) {
            const std::size_t capacity = std::max<std::size_t>(2 * (m_size + n), 1 << 16);
            auto grown = std::make_unique_for_overwrite<char[]>(capacity);
            if (m_size) std::memcpy(grown.get(), m_data.get(), m_size);
            m_data = std::move(grown);
            m_capacity = capacity;
        }
        return m_data.get() + m_size;
    }
    void keep(std::size_t n) { m_size += n; }
    void append(std::string_view s) {
        if (!s.empty()) std::memcpy(room(s.size()), s.data(), s.size());
        keep(s.size());
    }
    std::uint32_t size() const { return static_cast<std::uint32_t>(m_size); }
    std::string_view view(std::uint32_t from, std::uint32_t to) const {
        return {m_data.get() + from, to - from};
    }
    void clear() { m_size = 0; }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0, m_capacity = 0;
};

/// A chunk of lines read: its records' cells and amounts, its total lines, page starts and
/// header fields, in line order.
struct Chunk {
    /// Other: a line of the table's body that is none of the rest, placed once the writer
    /// knows what follows it on its page.
    /// Note: a line of words under a group's records that goes on none of their texts (a
    /// voucher's explanation); its text from `from` to `to`.
    enum class Kind : unsigned char { Record, Total, Page, Field, Other, Note };
    struct Item {
        Kind kind;
        int line;
        std::uint32_t from, to;  // Total: its label; Field: its label; Record: its text
        std::uint32_t first;     // Record: its first cell end; Field: where its value starts
        std::uint32_t amounts;   // Record, Total: its first amount slot; Field: its value's end
        char mark;
        // Record: a top-level account; Field: a group's block field; Total: its figures are
        // printed where none can be read; Page: the headings' rule right under the table's
        // lines, no heading over it (it closes the records before their totals)
        bool top;
        bool part = false;  // Total: a part of the total above it, not checked
    };
    int first = 0, end = 0;  // the lines it covers
    std::vector<Item> items;
    Bytes text;
    std::vector<std::uint32_t> ends;
    struct Amount {
        std::int64_t value;
        std::uint32_t printedFrom, printedTo;  // Total: the amount as printed
        bool present;
        char mark;  // the B/A mark printed after it ('B', 'A'), or 0
    };
    std::vector<Amount> amounts;

    void clear() {
        items.clear();
        text.clear();
        ends.clear();
        amounts.clear();
    }
};

}  // namespace tablamo
