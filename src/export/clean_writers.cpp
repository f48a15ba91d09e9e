#include "export/clean_writers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <future>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tablamo {
namespace {

std::size_t rowBytes(const Grid::RowCells& cells) {
    std::size_t bytes = 0;
    for (const std::string_view cell : cells) bytes += cell.size();
    return bytes;
}

// Writes the cell in the page's or file's encoding, with & < > " as entities.
void escaped(OutBuffer& out, std::string_view text, TextEncoding encoding) {
    char* p = out.reserve(6 * expansion(encoding) * text.size() + 8);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view entity;
        switch (text[i]) {
            case '&':
                entity = "&amp;";
                break;
            case '<':
                entity = "&lt;";
                break;
            case '>':
                entity = "&gt;";
                break;
            case '"':
                entity = "&quot;";
                break;
            default:
                continue;
        }
        p = putText(p, text.substr(start, i - start), encoding);
        for (const char c : entity) *p++ = c;
        start = i + 1;
    }
    p = putText(p, text.substr(start), encoding);
    out.advance(p);
}

const char* kindName(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Code:
            return "code";
        case ColumnKind::Amount:
            return "amount";
        case ColumnKind::Date:
            return "date";
        case ColumnKind::Text:
            break;
    }
    return "text";
}

}  // namespace

namespace {

// Collects the bytes of a run of rows in memory.
class ChunkSink : public ByteSink {
public:
    void write(const char* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
    }
    std::vector<char> bytes;
};

// Eight bytes at a time: a word none of whose bytes is a control character, a double quote
// or the separator needs no look at its single bytes.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

bool mayQuote(std::uint64_t w, std::uint64_t separators) {
    const std::uint64_t quote = w ^ (kOnes * '"');
    const std::uint64_t sep = w ^ separators;
    return (((w - kOnes * 0x20) & ~w) | ((quote - kOnes) & ~quote) | ((sep - kOnes) & ~sep)) &
           kHighs;
}

// Copies the cell in Windows-1254 and tells whether it needs quotes.
char* copyCell(char* out, std::string_view cell, const std::array<bool, 256>& quote,
               std::uint64_t separators, bool& quoted) {
    const std::size_t n = cell.size();
    const char* in = cell.data();
    std::size_t i = 0;
    bool maybe = false;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, in + i, 8);
        std::memcpy(out + i, &w, 8);
        maybe |= mayQuote(w, separators);
    }
    for (; i < n; ++i) {
        out[i] = in[i];
        maybe |= quote[static_cast<unsigned char>(in[i])];
    }
    quoted = false;
    if (maybe) {
        for (const char ch : cell) quoted |= quote[static_cast<unsigned char>(ch)];
    }
    return out + n;
}

// Rows `from` to `to` - 1 of the clean table, each as its CSV line.
void writeCsvRows(const Grid& grid, int from, int to, const std::array<bool, 256>& quote,
                  char separator, TextEncoding encoding, OutBuffer& out) {
    const std::size_t grow = expansion(encoding);
    const std::uint64_t separators = kOnes * static_cast<unsigned char>(separator);
    for (int r = from; r < to; ++r) {
        const Grid::RowCells cells = grid.row(r);
        char* p = out.reserve(2 * grow * rowBytes(cells) + 3 * cells.size() + 16);
        for (std::size_t c = 1; c < cells.size(); ++c) {
            if (c > 1) *p++ = separator;
            const std::string_view cell = cells[c];
            bool quoted = false;
            if (encoding == TextEncoding::Windows1254) {
                // Most cells need no quotes: copied as they are checked, and written over
                // when they do.
                char* end = copyCell(p, cell, quote, separators, quoted);
                if (!quoted) {
                    p = end;
                    continue;
                }
            } else {
                for (const char ch : cell) quoted |= quote[static_cast<unsigned char>(ch)];
                if (!quoted) {
                    p = putText(p, cell, encoding);
                    continue;
                }
            }
            *p++ = '"';
            std::size_t start = 0;
            for (std::size_t i = 0; i < cell.size(); ++i) {
                if (cell[i] != '"') continue;
                p = putText(p, cell.substr(start, i + 1 - start), encoding);
                *p++ = '"';
                start = i + 1;
            }
            p = putText(p, cell.substr(start), encoding);
            *p++ = '"';
        }
        *p++ = '\r';
        *p++ = '\n';
        out.advance(p);
    }
}

// A table this long is written in pairs of runs: a second thread lays out the second run
// of a pair while this one lays out and writes the first.
constexpr int kParallelRows = 1 << 17;
constexpr int kRunRows = 1 << 14;

}  // namespace

void writeCleanCsv(const Grid& grid, ByteSink& sink, char separator, TextEncoding encoding) {
    std::array<bool, 256> quote{};
    for (int c = 1; c < 32; ++c) quote[static_cast<std::size_t>(c)] = true;
    quote['"'] = true;
    quote[static_cast<unsigned char>(separator)] = true;
    OutBuffer out(sink);
    if (encoding == TextEncoding::Utf8) out.append("\xEF\xBB\xBF");
    const int rows = grid.rowCount();
    if (rows < kParallelRows) {
        writeCsvRows(grid, 0, rows, quote, separator, encoding, out);
        out.flush();
        return;
    }
    ChunkSink second;
    for (int from = 0; from < rows; from += 2 * kRunRows) {
        const int middle = std::min(rows, from + kRunRows);
        const int to = std::min(rows, from + 2 * kRunRows);
        second.bytes.clear();
        std::future<void> ahead;
        try {
            ahead = std::async(std::launch::async, [&] {
                OutBuffer chunk(second, std::size_t{64} << 10);
                writeCsvRows(grid, middle, to, quote, separator, encoding, chunk);
                chunk.flush();
            });
        } catch (const std::system_error&) {
            // No thread to be had: this one lays out the rest alone.
            writeCsvRows(grid, from, rows, quote, separator, encoding, out);
            out.flush();
            return;
        }
        writeCsvRows(grid, from, middle, quote, separator, encoding, out);
        out.flush();
        ahead.get();
        sink.write(second.bytes.data(), second.bytes.size());
    }
}

void writeCleanHtml(const Grid& grid, const CleanShape& shape, ByteSink& sink,
                    TextEncoding encoding) {
    OutBuffer out(sink);
    out.append("<html>\r\n");
    out.append(encoding == TextEncoding::Utf8 ? "<head><meta charset=\"utf-8\"></head>\r\n"
                                              : "<head><meta charset=\"windows-1254\"></head>\r\n");
    out.append("<body>\r\n  <table border=\"1\">\r\n");
    const int columns = grid.colCount();
    auto kindOf = [&](int c) {
        const auto i = static_cast<std::size_t>(c - 1);
        return i < shape.columns.size() ? shape.columns[i].kind : ColumnKind::Text;
    };
    for (int c = 1; c < columns; ++c) {
        char digits[16];
        const char* end = std::to_chars(digits, digits + sizeof digits, grid.colWidth(c)).ptr;
        out.append("    <col class=\"");
        out.append(kindName(kindOf(c)));
        out.append("\" width=\"");
        out.append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
        out.append("\">\r\n");
    }
    for (int r = 0; r < grid.rowCount(); ++r) {
        const Grid::RowCells cells = grid.row(r);
        out.append("    <tr>");
        for (int c = 1; c < columns; ++c) {
            const bool right = r > 0 && kindOf(c) == ColumnKind::Amount;
            out.append(r == 0 ? "<th>" : right ? "<td align=\"right\">" : "<td>");
            escaped(out, cells[static_cast<std::size_t>(c)], encoding);
            out.append(r == 0 ? "</th>" : "</td>");
        }
        out.append("</tr>\r\n");
    }
    out.append("  </table>\r\n</body>\r\n</html>\r\n");
    out.flush();
}

}  // namespace tablamo
