#include "export/html_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/text_rules.h"

namespace tablamo {
namespace {

// One line of the page at a time into a reused buffer, handed to `emit`.
class PageBuilder {
public:
    PageBuilder(const Grid& grid, int border, const HtmlLayout& layout)
        : m_grid(grid), m_border(border), m_layout(layout) {}

    /// The lines of a page of this grid.
    std::uint64_t lineCount() const {
        return 7 + static_cast<std::uint64_t>(m_grid.rowCount()) *
                       (static_cast<std::uint64_t>(m_grid.colCount()) + 2);
    }

    // Hands the page to `emit` line by line; the page stops where emit returns false.
    template <class Emit>
    void build(Emit&& emit) {
        if (!emit("<html>")) return;
        if (!emit(m_layout.encoding == TextEncoding::Utf8
                      ? "<head><meta charset=\"utf-8\"></head>"
                      : "<head><meta charset=\"windows-1254\"></head>")) {
            return;
        }
        if (!emit("<body>")) return;
        m_line.clear();
        m_line += "  <table border=\"";
        number(m_border);
        m_line += "\" width=\"";
        number(m_layout.tableWidth ? *m_layout.tableWidth : sumOfWidths());
        m_line += "\" height=\"";
        number(m_layout.tableHeight ? *m_layout.tableHeight : sumOfHeights());
        m_line += "\">";
        if (!emit(m_line)) return;

        // The part of every cell line after the text depends on the font only.
        const GridFont& font = m_grid.font();
        std::string open, close;
        if (font.bold) open += "<b>";
        if (font.italic) open += "<i>";
        if (font.underline) open += "<u>";
        if (font.underline) close += "</u>";
        if (font.italic) close += "</i>";
        if (font.bold) close += "</b>";
        std::string fontTag = "\"><font color=\"#";
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (int shift = 20; shift >= 0; shift -= 4) fontTag += kHex[(font.color >> shift) & 0xF];
        fontTag += "\" face=\"";
        escaped(fontTag, font.face);
        fontTag += "\">";
        fontTag += open;
        close += "</font></td>";

        for (int r = 0; r < m_grid.rowCount(); ++r) {
            if (!emit("  <tr>")) return;
            const Grid::RowCells cells = m_grid.row(r);
            const int height = m_grid.rowHeight(r);
            for (int c = 0; c < m_grid.colCount(); ++c) {
                m_line.clear();
                m_line += "    <td width=\"";
                number(m_grid.colWidth(c));
                m_line += "\" height=\"";
                number(height);
                m_line += fontTag;
                const std::string_view text = cells[static_cast<std::size_t>(c)];
                if (text.empty()) {
                    m_line += ' ';
                } else {
                    escaped(m_line, text);
                }
                m_line += close;
                if (!emit(m_line)) return;
            }
            if (!emit("  </tr>")) return;
        }
        for (const char* last : {"  </table>", "</body>", "</html>"}) {
            if (!emit(last)) return;
        }
    }

private:
    void number(std::int64_t value) {
        char digits[24];
        const auto res = std::to_chars(digits, digits + sizeof digits, value);
        m_line.append(digits, res.ptr);
    }

    // Appends the Windows-1254 text in the page's encoding, with & < > " as entities so
    // that no report text turns into markup.
    void escaped(std::string& out, std::string_view text) const {
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char* entity = nullptr;
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
            encoded(out, text.substr(start, i - start));
            out += entity;
            start = i + 1;
        }
        encoded(out, text.substr(start));
    }

    void encoded(std::string& out, std::string_view text) const {
        if (m_layout.encoding == TextEncoding::Windows1254) {
            out += text;
            return;
        }
        const std::size_t at = out.size();
        out.resize(at + 3 * text.size() + 4);
        char* end = putText(out.data() + at, text, m_layout.encoding);
        out.resize(static_cast<std::size_t>(end - out.data()));
    }

    std::int64_t sumOfWidths() const {
        std::int64_t sum = 0;
        for (int c = 0; c < m_grid.colCount(); ++c) sum += m_grid.colWidth(c);
        return sum;
    }
    std::int64_t sumOfHeights() const {
        std::int64_t sum = 0;
        for (int r = 0; r < m_grid.rowCount(); ++r) sum += m_grid.rowHeight(r);
        return sum;
    }

    const Grid& m_grid;
    int m_border;
    const HtmlLayout& m_layout;
    std::string m_line;
};

}  // namespace

void GridToHTML(const Grid& grid, std::vector<std::string>& lines, int border,
                const HtmlLayout& layout) {
    lines.clear();
    PageBuilder page(grid, border, layout);
    lines.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(page.lineCount(), 1 << 20)));
    page.build([&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
}

void GridToHtmlView(const Grid& grid, HtmlView& view, int border, const HtmlLayout& layout,
                    std::size_t limit) {
    view.lines.clear();
    view.lines.shrink_to_fit();
    PageBuilder page(grid, border, layout);
    view.pageLines = page.lineCount();
    std::size_t held = 0;
    page.build([&](std::string_view line) {
        held += heldLineBytes(line);
        if (held > limit) return false;
        view.lines.emplace_back(line);
        return true;
    });
    view.whole = view.lines.size() == view.pageLines;
}

void writeHtml(const Grid& grid, ByteSink& sink, int border, const HtmlLayout& layout) {
    OutBuffer out(sink);
    PageBuilder(grid, border, layout).build([&](std::string_view line) {
        char* p = out.reserve(line.size() + 2);
        std::memcpy(p, line.data(), line.size());
        p += line.size();
        *p++ = '\r';
        *p++ = '\n';
        out.advance(p);
        return true;
    });
    out.flush();
}

void writeLines(const std::vector<std::string>& lines, ByteSink& sink) {
    OutBuffer out(sink);
    for (const std::string& line : lines) {
        out.append(line);
        out.append("\r\n");
    }
    out.flush();
}

std::string htmlFileName(std::string_view path) {
    std::string name(path);
    if (!endsWithNoCase(name, ".html") && !endsWithNoCase(name, ".htm")) name += ".html";
    return name;
}

}  // namespace tablamo
