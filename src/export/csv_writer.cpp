#include "export/csv_writer.h"

#include "core/text_rules.h"
#include "export/csv_cells.h"

namespace tablamo {
namespace {

// A cell goes between double quotes for codes 1 to 32, the double quote and the comma.
constexpr QuoteRule kQuotes(33, ',');

// Room one row needs at most: every cell quoted with every byte a doubled quote or a
// three-byte letter, the commas, CR LF and the slack of putText's four-byte copies.
std::size_t rowBound(const Grid::RowCells& cells, TextEncoding encoding) {
    std::size_t bytes = 0;
    for (const std::string_view cell : cells) bytes += cell.size();
    return 2 * expansion(encoding) * bytes + 3 * cells.size() + 8;
}

// Rows `from` to `to` - 1, each as its comma text and CR LF.
void writeRows(const Grid& grid, int from, int to, OutBuffer& out, TextEncoding encoding) {
    for (int r = from; r < to; ++r) {
        const Grid::RowCells cells = grid.row(r);
        char* p = out.reserve(rowBound(cells, encoding));
        bool first = true;
        for (const std::string_view cell : cells) {
            if (!first) *p++ = ',';
            first = false;
            p = kQuotes.put(p, cell, encoding);
        }
        *p++ = '\r';
        *p++ = '\n';
        out.advance(p);
    }
}

}  // namespace

void writeCsv(const Grid& grid, ByteSink& sink, TextEncoding encoding) {
    OutBuffer out(sink);
    if (encoding == TextEncoding::Utf8) out.append("\xEF\xBB\xBF");
    writeRowsAhead(grid.rowCount(), out, sink, [&](int from, int to, OutBuffer& buffer) {
        writeRows(grid, from, to, buffer, encoding);
    });
}

std::string commaText(const Grid::RowCells& cells) {
    std::string text(rowBound(cells, TextEncoding::Windows1254), '\0');
    char* p = text.data();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c) *p++ = ',';
        p = kQuotes.put(p, cells[c], TextEncoding::Windows1254);
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
