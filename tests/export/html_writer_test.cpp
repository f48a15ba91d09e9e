#include "export/html_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/import_settings.h"

namespace tablamo {
namespace {

const std::string kCellStart = "><font color=\"#0066CC\" face=\"Times New Roman\">";

std::string cellLine(int width, int height, const std::string& text) {
    return "    <td width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\"" + kCellStart + text + "</font></td>";
}

std::vector<std::string> pageOf(const Grid& grid, const HtmlLayout& layout = {}) {
    std::vector<std::string> lines{"left over"};
    GridToHTML(grid, lines, 1, layout);
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes;
}

TEST(GridToHTML, FreshGridGivesTheWholePage) {
    Grid grid;
    NumberGridHeaders(grid);
    const auto lines = pageOf(grid);
    // 3 lines and the head before the table rows, 25 rows of 23 lines, 3 closing lines.
    ASSERT_EQ(lines.size(), 4u + 25 * 23 + 3);
    EXPECT_EQ(lines[0], "<html>");
    EXPECT_EQ(lines[1], "<head><meta charset=\"windows-1254\"></head>");
    EXPECT_EQ(lines[2], "<body>");
    EXPECT_EQ(lines[3], "  <table border=\"1\" width=\"2030\" height=\"600\">");
    EXPECT_EQ(lines[4], "  <tr>");
    EXPECT_EQ(lines[5], cellLine(30, 24, " "));  // cell (0, 0): one blank
    EXPECT_EQ(lines[6], cellLine(100, 24, "A"));
    EXPECT_EQ(lines[25], cellLine(100, 24, "T"));
    EXPECT_EQ(lines[26], "  </tr>");
    EXPECT_EQ(lines[27], "  <tr>");
    EXPECT_EQ(lines[28], cellLine(30, 24, "1"));
    EXPECT_EQ(lines[29], cellLine(100, 24, " "));
    EXPECT_EQ(lines[lines.size() - 3], "  </table>");
    EXPECT_EQ(lines[lines.size() - 2], "</body>");
    EXPECT_EQ(lines[lines.size() - 1], "</html>");
}

TEST(GridToHTML, EscapesCellTextsSoNothingTurnsIntoMarkup) {
    const std::pair<std::string, std::string> cases[] = {
        {"", " "},
        {"  ", "  "},
        {"<b>", "&lt;b&gt;"},
        {"A&B", "A&amp;B"},
        {"&amp;", "&amp;amp;"},
        {"\"q\"", "&quot;q&quot;"},
        {"x > y < z", "x &gt; y &lt; z"},
        {"'", "'"},
        {"\xDDstanbul", "\xDDstanbul"},  // Windows-1254 bytes as they are
    };
    for (const auto& [cell, text] : cases) {
        Grid grid;
        grid.setCell(1, 0, cell);
        EXPECT_EQ(pageOf(grid)[6], cellLine(100, 24, text)) << cell;
    }
}

TEST(GridToHTML, FontStyleTagsNestAndColourIsSixUpperCaseHexDigits) {
    const struct {
        bool bold, italic, underline;
        std::uint32_t color;
        std::string open, close, digits;
    } cases[] = {
        {false, false, false, 0x0066CC, "", "", "0066CC"},
        {true, false, false, 0x000000, "<b>", "</b>", "000000"},
        {false, true, false, 0xABCDEF, "<i>", "</i>", "ABCDEF"},
        {false, false, true, 0x0A0B0C, "<u>", "</u>", "0A0B0C"},
        {true, true, true, 0xFF0000, "<b><i><u>", "</u></i></b>", "FF0000"},
        {true, false, true, 0x00FF00, "<b><u>", "</u></b>", "00FF00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        Grid grid;
        grid.font().bold = c.bold;
        grid.font().italic = c.italic;
        grid.font().underline = c.underline;
        grid.font().color = c.color;
        grid.font().face = "Arial";
        grid.setCell(1, 0, "x");
        EXPECT_EQ(pageOf(grid)[6], "    <td width=\"100\" height=\"24\"><font color=\"#" +
                                       c.digits + "\" face=\"Arial\">" + c.open + "x" + c.close +
                                       "</font></td>");
    }
}

TEST(GridToHTML, CellsCarryTheirRowsHeightAndTheirColumnsWidth) {
    Grid grid;
    grid.setRowHeight(3, 40);
    grid.setColWidth(2, 250);
    grid.setColWidth(5, -7);
    const auto lines = pageOf(grid);
    EXPECT_EQ(lines[3], "  <table border=\"1\" width=\"2073\" height=\"616\">");
    for (int r = 0; r < 25; ++r) {
        const std::size_t first = 5 + 23 * static_cast<std::size_t>(r);
        const int height = r == 3 ? 40 : 24;
        EXPECT_EQ(lines[first], cellLine(30, height, " ")) << r;
        EXPECT_EQ(lines[first + 2], cellLine(250, height, " ")) << r;
        EXPECT_EQ(lines[first + 5], cellLine(-7, height, " ")) << r;
    }
}

TEST(GridToHTML, TakesTheTableSizeAndBorderGiven) {
    Grid grid;
    std::vector<std::string> lines;
    HtmlLayout layout;
    layout.tableWidth = 1200;
    layout.tableHeight = 640;
    GridToHTML(grid, lines, 3, layout);
    EXPECT_EQ(lines[3], "  <table border=\"3\" width=\"1200\" height=\"640\">");
}

TEST(GridToHTML, Utf8PageDeclaresItsCharsetAndRecodesTexts) {
    Grid grid;
    grid.setCell(1, 0, "\xDE<\xFE");
    HtmlLayout layout;
    layout.encoding = TextEncoding::Utf8;
    const auto lines = pageOf(grid, layout);
    EXPECT_EQ(lines[1], "<head><meta charset=\"utf-8\"></head>");
    EXPECT_EQ(lines[6], cellLine(100, 24, "\xC5\x9E&lt;\xC5\x9F"));
}

TEST(WriteHtml, GivesTheBytesOfTheViewsLinesSaved) {
    std::vector<Grid> grids(3);
    grids[1].setRowCount(300);
    NumberGridHeaders(grids[1]);
    grids[1].setCell(4, 120, "\"a\" & <b> \xDD");
    grids[1].font().bold = true;
    grids[1].setRowHeight(7, 13);
    grids[2].setRowCount(0);
    for (const TextEncoding encoding : {TextEncoding::Windows1254, TextEncoding::Utf8}) {
        for (const Grid& grid : grids) {
            HtmlLayout layout;
            layout.encoding = encoding;
            std::vector<std::string> lines;
            GridToHTML(grid, lines, 1, layout);
            StringSink viewSaved, streamed;
            writeLines(lines, viewSaved);
            writeHtml(grid, streamed, 1, layout);
            EXPECT_EQ(streamed.bytes(), joined(lines));
            EXPECT_EQ(streamed.bytes(), viewSaved.bytes());
        }
    }
}

TEST(HtmlFileName, AppendsTheSuffixUnlessTheNameEndsInHtmlOrHtm) {
    const std::pair<const char*, const char*> cases[] = {
        {"rapor", "rapor.html"},
        {"rapor.html", "rapor.html"},
        {"rapor.HTML", "rapor.HTML"},
        {"rapor.htm", "rapor.htm"},
        {"rapor.Htm", "rapor.Htm"},
        {"rapor.txt", "rapor.txt.html"},
        {"rapor.xhtml", "rapor.xhtml.html"},
        {"rapor.html.bak", "rapor.html.bak.html"},
        {"Yedek.2005/rapor", "Yedek.2005/rapor.html"},
        {"/tmp/rapor.yedek.htm", "/tmp/rapor.yedek.htm"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(htmlFileName(in), out) << in;
}

}  // namespace
}  // namespace tablamo

namespace tablamo {
namespace {

// The hidden HTML view holds the page while it fits, else its first lines: never more than
// its limit, never other lines than the page's.
TEST(GridToHtmlView, HoldsThePageWhileItFitsElseItsFirstLines) {
    Grid grid;
    grid.setRowCount(40);
    for (int r = 1; r < 40; ++r) grid.setCell(3, r, "satır " + std::to_string(r));
    const std::vector<std::string> page = pageOf(grid);
    std::size_t pageBytes = 0;
    for (const auto& l : page) pageBytes += heldLineBytes(l);

    for (const std::size_t limit :
         {pageBytes, pageBytes + 1, pageBytes - 1, pageBytes / 2, std::size_t{10}}) {
        HtmlView view{{"eski"}, true, 1};
        GridToHtmlView(grid, view, 1, {}, limit);
        EXPECT_EQ(view.pageLines, page.size()) << limit;
        EXPECT_EQ(view.whole, limit >= pageBytes) << limit;
        ASSERT_LE(view.lines.size(), page.size());
        EXPECT_TRUE(std::equal(view.lines.begin(), view.lines.end(), page.begin())) << limit;
        std::size_t held = 0;
        for (const auto& l : view.lines) held += heldLineBytes(l);
        EXPECT_LE(held, limit);
        if (view.lines.size() < page.size()) {
            EXPECT_GT(held + heldLineBytes(page[view.lines.size()]), limit);
        }
    }
}

}  // namespace
}  // namespace tablamo
