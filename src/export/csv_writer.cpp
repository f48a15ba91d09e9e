#include "export/csv_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <future>
#include <system_error>
#include <vector>

#include "core/text_rules.h"

namespace tablamo {
namespace {

// The characters that make a cell go between double quotes: codes 1 to 32, the double
// quote and the comma. Byte 0 and the letters above 127 do not.
constexpr std::array<bool, 256> kQuoteTrigger = [] {
    std::array<bool, 256> t{};
    for (int c = 1; c <= 32; ++c) t[static_cast<std::size_t>(c)] = true;
    t['"'] = true;
    t[','] = true;
    return t;
}();

// Eight bytes at a time: a word none of whose bytes is below 33, a double quote or a comma
// needs no look at its single bytes (a byte 0 is caught too, and decided exactly).
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

bool mayTrigger(std::uint64_t w) {
    const std::uint64_t quote = w ^ (kOnes * '"');
    const std::uint64_t comma = w ^ (kOnes * ',');
    return (((w - kOnes * 33) & ~w) | ((quote - kOnes) & ~quote) | ((comma - kOnes) & ~comma)) &
           kHighs;
}

bool needsQuotes(std::string_view cell) {
    for (const char ch : cell) {
        if (kQuoteTrigger[static_cast<unsigned char>(ch)]) return true;
    }
    return false;
}

// Writes one cell; `out` has room for 2 + 2 * 3 * size + 4 bytes.
char* putCell(char* out, std::string_view cell, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1254) {
        // Copy and test in one pass, eight bytes at a time: most cells need no quotes.
        const std::size_t n = cell.size();
        const char* in = cell.data();
        std::size_t i = 0;
        bool maybe = false;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, in + i, 8);
            std::memcpy(out + i, &w, 8);
            maybe |= mayTrigger(w);
        }
        for (; i < n; ++i) {
            out[i] = in[i];
            maybe |= kQuoteTrigger[static_cast<unsigned char>(in[i])];
        }
        if (!maybe || !needsQuotes(cell)) return out + n;
    } else if (!needsQuotes(cell)) {
        return putText(out, cell, encoding);
    }
    *out++ = '"';
    std::size_t start = 0;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == '"') {
            // Up to and with this quote, then the quote once more.
            out = putText(out, cell.substr(start, i + 1 - start), encoding);
            *out++ = '"';
            start = i + 1;
        }
    }
    out = putText(out, cell.substr(start), encoding);
    *out++ = '"';
    return out;
}

// Room one row needs at most: every cell quoted with every byte a doubled quote or a
// three-byte letter, the commas, CR LF and the slack of putText's four-byte copies.
std::size_t rowBound(const Grid::RowCells& cells, TextEncoding encoding) {
    std::size_t bytes = 0;
    for (const std::string_view cell : cells) bytes += cell.size();
    return 2 * expansion(encoding) * bytes + 3 * cells.size() + 8;
}


// Collects the bytes of a run of rows in memory.
class ChunkSink : public ByteSink {
public:
    void write(const char* data, std::size_t size) override { bytes.insert(bytes.end(), data, data + size); }
    std::vector<char> bytes;
};

// Rows `from` to `to` - 1, each as its comma text and CR LF.
void writeRows(const Grid& grid, int from, int to, OutBuffer& out, TextEncoding encoding) {
    for (int r = from; r < to; ++r) {
        const Grid::RowCells cells = grid.row(r);
        char* p = out.reserve(rowBound(cells, encoding));
        bool first = true;
        for (const std::string_view cell : cells) {
            if (!first) *p++ = ',';
            first = false;
            p = putCell(p, cell, encoding);
        }
        *p++ = '\r';
        *p++ = '\n';
        out.advance(p);
    }
}

// A grid this long is written in pairs of runs: a second thread lays out the second run
// of a pair while this one lays out and writes the first.
constexpr int kParallelRows = 1 << 17;
constexpr int kRunRows = 1 << 14;

}  // namespace

void writeCsv(const Grid& grid, ByteSink& sink, TextEncoding encoding) {
    OutBuffer out(sink);
    if (encoding == TextEncoding::Utf8) out.append("\xEF\xBB\xBF");
    const int rows = grid.rowCount();
    if (rows < kParallelRows) {
        writeRows(grid, 0, rows, out, encoding);
        out.flush();
        return;
    }
    ChunkSink second;
    for (int from = 0; from < rows; from += 2 * kRunRows) {
        const int middle = std::min(rows, from + kRunRows);
        const int to = std::min(rows, from + 2 * kRunRows);
        second.bytes.clear();
        auto layOutSecond = [&] {
            OutBuffer chunk(second, std::size_t{64} << 10);
            writeRows(grid, middle, to, chunk, encoding);
            chunk.flush();
        };
        std::future<void> ahead;
        try {
            ahead = std::async(std::launch::async, layOutSecond);
        } catch (const std::system_error&) {
            // No thread to be had: this one lays out the rest alone.
            writeRows(grid, from, rows, out, encoding);
            out.flush();
            return;
        }
        writeRows(grid, from, middle, out, encoding);
        out.flush();
        ahead.get();
        sink.write(second.bytes.data(), second.bytes.size());
    }
}

std::string commaText(const Grid::RowCells& cells) {
    std::string text(rowBound(cells, TextEncoding::Windows1254), '\0');
    char* p = text.data();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c) *p++ = ',';
        p = putCell(p, cells[c], TextEncoding::Windows1254);
    }
    text.resize(static_cast<std::size_t>(p - text.data()));
    return text;
}

std::string csvFileName(std::string_view path) {
    // The last suffix of the file name itself: a dot in a folder name or an earlier
    // suffix does not count, and neither does the case of the letters.
    std::string name(path);
    if (!endsWithNoCase(name, ".csv")) name += ".csv";
    return name;
}

}  // namespace tablamo
