#pragma once
/// The workbook package's parts other than the rows: content types, relationships,
/// document properties, the workbook, the styles, and each worksheet's head and tail.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// How a worksheet prints: its page setup. Not `enabled`: the package says nothing of it.
struct SheetPrint {
    bool enabled = false;
    bool landscape = false;
    bool headingRepeated = false;  ///< row 1 printed on top of every page
    std::string header;            ///< the page header's text and codes (&L, &C, &P, …), UTF-8
    std::string footer;            ///< the page footer's likewise
};

/// One worksheet as the package names it.
struct SheetEntry {
    std::string name;  ///< UTF-8
    /// The autofilter's last column (letters) and row; no autofilter when `filterRows` is 0.
    std::string filterColumn;
    int filterRows = 0;
    SheetPrint print;
};

/// Text with & < > " written as XML entities.
std::string xmlEscaped(std::string_view text);

/// [Content_Types].xml for `sheets` worksheets.
std::string contentTypesPart(int sheets);
/// _rels/.rels
std::string rootRelsPart();
/// docProps/app.xml, naming the worksheets.
std::string appPart(const std::vector<SheetEntry>& sheets);
/// docProps/core.xml, created and modified at `now`.
std::string corePart(std::time_t now);
/// xl/workbook.xml: the worksheets, and the hidden names that autofilters and the heading
/// row printed on every page need.
std::string workbookPart(const std::vector<SheetEntry>& sheets);
/// xl/_rels/workbook.xml.rels
std::string workbookRelsPart(int sheets);
/// xl/styles.xml: the styles of CellStyle (plain, date in `dateFormat`, amount
/// #,##0.00, bold heading; with `wrapped`, a text and a heading that wrap too, and every
/// cell at the top of its row).
std::string stylesPart(std::string_view dateFormat, bool wrapped = false);

/// A worksheet's XML up to its first row: the view (`selected`: the tab shown on opening;
/// `frozenHeading`: the pane frozen under row 1), the column widths, "<sheetData>";
/// `fitToPage`: printed scaled to the page setup's fit (sheetTail's).
std::string sheetHead(bool selected, bool frozenHeading, const std::vector<double>& widths,
                      bool fitToPage = false);
/// A worksheet's XML after its last row, with the sheet's autofilter if it has one, and
/// its page setup when it has one: A4, fitted to the page's width, header and footer.
std::string sheetTail(const SheetEntry& sheet);

}  // namespace tablamo
