#pragma once
/// What the CSV writers share: a cell written as it is or between double quotes, and a long
/// table's rows laid out on two threads.

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>

#include "core/byte_sink.h"
#include "export/out_buffer.h"

namespace tablamo {

/// Which bytes put a cell between double quotes: codes 1 to `below` - 1, the double quote
/// and the separator. Byte 0 and the letters above 127 never do.
class QuoteRule {
public:
    constexpr QuoteRule(unsigned char below, char separator)
        : m_below(kOnes * below), m_separators(kOnes * static_cast<unsigned char>(separator)) {
        for (unsigned c = 1; c < below; ++c) m_byte[c] = true;
        m_byte['"'] = true;
        m_byte[static_cast<unsigned char>(separator)] = true;
    }

    bool needsQuotes(std::string_view cell) const {
        for (const char ch : cell) {
            if (m_byte[static_cast<unsigned char>(ch)]) return true;
        }
        return false;
    }

    /// Writes one cell (Windows-1254) in `encoding`; `out` has room for 2 * 3 * size + 6
    /// bytes.
    char* put(char* out, std::string_view cell, TextEncoding encoding) const {
        if (encoding == TextEncoding::Windows1254) {
            // Copy and test in one pass, eight bytes at a time: most cells need no quotes,
            // and those that do are written over.
            const std::size_t n = cell.size();
            const char* in = cell.data();
            std::size_t i = 0;
            bool maybe = false;
            for (; i + 8 <= n; i += 8) {
                std::uint64_t w;
                std::memcpy(&w, in + i, 8);
                std::memcpy(out + i, &w, 8);
                maybe |= mayQuote(w);
            }
            for (; i < n; ++i) {
                out[i] = in[i];
                maybe |= m_byte[static_cast<unsigned char>(in[i])];
            }
            if (!maybe || !needsQuotes(cell)) return out + n;
        } else if (!needsQuotes(cell)) {
            return putText(out, cell, encoding);
        }
        return putQuoted(out, cell, encoding);
    }

    /// Writes one cell between double quotes, its double quotes doubled, after `lead` when
    /// that is not 0; `out` has room for 2 * 3 * size + 7 bytes.
    static char* putQuoted(char* out, std::string_view cell, TextEncoding encoding, char lead = 0) {
        *out++ = '"';
        if (lead) *out++ = lead;
        std::size_t start = 0;
        for (std::size_t i = 0; i < cell.size(); ++i) {
            if (cell[i] != '"') continue;
            // Up to and with this quote, then the quote once more.
            out = putText(out, cell.substr(start, i + 1 - start), encoding);
            *out++ = '"';
            start = i + 1;
        }
        out = putText(out, cell.substr(start), encoding);
        *out++ = '"';
        return out;
    }

private:
    static constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    static constexpr std::uint64_t kHighs = 0x8080808080808080ull;

    // Whether a byte of the word may be one that calls for quotes: a word without any byte
    // below `below`, a double quote or the separator needs no look at its single bytes (a
    // byte 0 is caught too, and decided exactly).
    bool mayQuote(std::uint64_t w) const {
        const std::uint64_t quote = w ^ (kOnes * '"');
        const std::uint64_t sep = w ^ m_separators;
        return (((w - m_below) & ~w) | ((quote - kOnes) & ~quote) | ((sep - kOnes) & ~sep)) &
               kHighs;
    }

    std::array<bool, 256> m_byte{};
    std::uint64_t m_below;
    std::uint64_t m_separators;
};

/// Writes rows 0 to `rows` - 1 through `writeRows(from, to, buffer)` and flushes. A table of
/// 131,072 rows or more goes through the two-thread pipeline in runs of rows, each laid out
/// in memory and written to the sink in order.
void writeRowsAhead(int rows, OutBuffer& out, ByteSink& sink,
                    const std::function<void(int from, int to, OutBuffer& buffer)>& writeRows);

}  // namespace tablamo
