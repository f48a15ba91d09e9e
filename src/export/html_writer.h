#pragma once
/// The HTML page of the "HTML" button: one table, one table cell per grid cell.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_sink.h"
#include "core/grid.h"
#include "export/out_buffer.h"

namespace tablamo {

/// What the page takes from outside the grid.
struct HtmlLayout {
    /// The grid view's size on screen in pixels; without a window, the sum of the column
    /// widths and the sum of the row heights.
    std::optional<std::int64_t> tableWidth;
    std::optional<std::int64_t> tableHeight;
    /// The page's bytes and the charset its head declares.
    TextEncoding encoding = TextEncoding::Windows1254;
};

/// Replaces `lines` by the page of the whole grid: "<html>", the head with the charset,
/// "<body>", the table line, per row a row start, 21 cell lines and a row end, then the
/// closing lines. Cell texts are escaped (& < > "); an empty cell is one blank. The cells
/// carry their column's width, their row's height and the grid font (colour, face, bold,
/// italic, underline).
void GridToHTML(const Grid& grid, std::vector<std::string>& lines, int border,
                const HtmlLayout& layout = {});

/// The most the window's hidden HTML view holds of a page: each line's text and the room a
/// held line takes. A million-row grid's page is gigabytes; the file saved has it all.
inline constexpr std::size_t kHtmlViewLimit = std::size_t{16} << 20;

/// The page as the window's hidden HTML text view holds it.
struct HtmlView {
    std::vector<std::string> lines;  ///< GridToHTML's lines, or the first of them
    bool whole = true;               ///< false: the page goes on past `lines`
    std::uint64_t pageLines = 0;     ///< how many lines the whole page has
};

/// Replaces the view by GridToHTML's page while it fits in `limit` bytes, else by as many
/// of its first lines as fit.
void GridToHtmlView(const Grid& grid, HtmlView& view, int border, const HtmlLayout& layout = {},
                    std::size_t limit = kHtmlViewLimit);

/// The bytes one line takes in an HtmlView: its text and the string that holds it.
inline std::size_t heldLineBytes(std::string_view line) {
    return line.size() + 2 * sizeof(std::string);
}

/// The same page written as a file's bytes: every line followed by CR LF. Byte for byte
/// what saving GridToHTML's lines with `writeLines` gives.
void writeHtml(const Grid& grid, ByteSink& sink, int border, const HtmlLayout& layout = {});

/// Writes each line followed by CR LF (the HTML text view saved to a file).
void writeLines(const std::vector<std::string>& lines, ByteSink& sink);

/// The HTML file's name: ".html" is appended unless the name already ends in ".html" or
/// ".htm" in any case.
std::string htmlFileName(std::string_view path);

}  // namespace tablamo
