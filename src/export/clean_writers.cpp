#include "export/clean_writers.h"

#include <charconv>
#include <string_view>

#include "export/csv_cells.h"

namespace tablamo {
namespace {

std::size_t rowBytes(const Grid::RowCells& cells) {
    std::size_t bytes = 0;
    for (const std::string_view cell : cells) bytes += cell.size();
    return bytes;
}

// Writes the cell in the page's or file's encoding, with & < > " as entities and a control
// character (a printer code the report left, a NUL), which no page may hold, as the
// replacement character.
void escaped(OutBuffer& out, std::string_view text, TextEncoding encoding) {
    char* p = out.reserve(8 * expansion(encoding) * text.size() + 8);
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
                if (static_cast<unsigned char>(text[i]) >= 0x20 || text[i] == '\t') continue;
                entity = "&#xFFFD;";
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

// Whether a spreadsheet would take the cell for a formula: it starts with = + - or @ and is
// not a number such as -1.234,56, +12 or -0,5%.
bool readsAsFormula(std::string_view cell) {
    if (cell.empty()) return false;
    const char first = cell[0];
    if (first == '=' || first == '@') return true;
    if (first != '-' && first != '+') return false;
    const std::string_view rest = cell.substr(1);
    bool digit = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (!(c == '.' || c == ',' || (c == '%' && i + 1 == rest.size()))) {
            return true;
        }
    }
    return !digit;
}

// Rows `from` to `to` - 1 of the clean table, each as its CSV line. A cell a spreadsheet
// would run as a formula is written as a text: an apostrophe before it, between quotes.
void writeCsvRows(const Grid& grid, int from, int to, const QuoteRule& quotes, char separator,
                  TextEncoding encoding, OutBuffer& out) {
    const std::size_t grow = expansion(encoding);
    Grid::RowCells cells;
    for (int r = from; r < to; ++r) {
        grid.readRow(r, cells);
        char* p = out.reserve(2 * grow * rowBytes(cells) + 4 * cells.size() + 16);
        for (std::size_t c = 1; c < cells.size(); ++c) {
            if (c > 1) *p++ = separator;
            p = readsAsFormula(cells[c]) ? QuoteRule::putQuoted(p, cells[c], encoding, '\'')
                                         : quotes.put(p, cells[c], encoding);
        }
        *p++ = '\r';
        *p++ = '\n';
        out.advance(p);
    }
}

}  // namespace

void writeCleanCsv(const Grid& grid, ByteSink& sink, char separator, TextEncoding encoding) {
    // Control characters, the double quote and the separator; a space does not.
    const QuoteRule quotes(0x20, separator);
    OutBuffer out(sink);
    if (encoding == TextEncoding::Utf8) out.append("\xEF\xBB\xBF");
    writeRowsAhead(grid.rowCount(), out, sink, [&](int from, int to, OutBuffer& buffer) {
        writeCsvRows(grid, from, to, quotes, separator, encoding, buffer);
    });
}

void writeCleanHtml(const Grid& grid, const CleanShape& shape, ByteSink& sink,
                    TextEncoding encoding, std::string_view title) {
    OutBuffer out(sink);
    out.append("<html>\r\n");
    out.append(encoding == TextEncoding::Utf8 ? "<head><meta charset=\"utf-8\">"
                                              : "<head><meta charset=\"windows-1254\">");
    if (!title.empty()) {
        out.append("<title>");
        escaped(out, title, encoding);
        out.append("</title>");
    }
    out.append("</head>\r\n");
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
    Grid::RowCells cells;
    for (int r = 0; r < grid.rowCount(); ++r) {
        grid.readRow(r, cells);
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
