#pragma once
/// The workbook export: the grid's data cells as a typed .xlsx workbook.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/byte_sink.h"
#include "core/column_kind.h"
#include "core/error.h"
#include "core/regional_settings.h"
#include "export/cell_value.h"

namespace tablamo {

class Grid;

/// How a worksheet prints. Off: the workbook says nothing of printing (the "Excel" button's).
/// On: A4, landscape when the table is wider than a portrait page (printsLandscape), scaled
/// to the page's width, the heading row on top of every page, the firm and the title in the
/// page header and "Sayfa N / M" in the footer.
struct PrintSetup {
    bool enabled = false;
    std::string firm;   ///< Windows-1254: the header's left part
    std::string title;  ///< Windows-1254: the header's middle, in bold
    /// Windows-1254: the period the table covers ("01.01.2024 - 31.03.2024"), under the
    /// title.
    std::string period;
};

/// A last row under a worksheet's table: `label` in bold in the first column and, in every
/// column marked in `summed`, the sum of the rows above (a formula, its value written too),
/// shown as an amount.
struct TotalsRow {
    std::string label;         ///< Windows-1254
    std::vector<bool> summed;  ///< per written column; none marked: no row
};

/// How the workbook lays out the grid. The default is the "Excel" button's workbook: grid
/// rows 1 on (row 0 holds the column letters), every cell typed by cellValue(). Columns
/// are grid columns 1 to colCount() - 1 either way (column 0 holds the row numbers).
struct WorkbookOptions {
    /// Grid row 0 holds the table's headings: it is written as the first row of every
    /// worksheet, in bold, as text, with the pane frozen under it and an autofilter over
    /// the worksheet's table. A worksheet then holds 1,048,575 grid rows under it.
    bool headingRow = false;
    /// One kind per written column (the first for grid column 1). Amount: a number by the
    /// regional decimal separator (readNumber), shown as #,##0.00; Date: a short date
    /// (readShortDate), shown in the regional date format; Code and Text: always text. An
    /// amount or date that does not read stays text. Empty, or a column past its end: the
    /// cell is typed by cellValue().
    std::vector<ColumnKind> kinds;
    /// Column widths in characters, one per written column; a missing or non-positive one
    /// leaves the column at the default width.
    std::vector<double> widths;
    /// Per written column of texts or codes: its texts wrap within its width, each row as
    /// tall as its longest text needs, every cell of the workbook set at the top of its row.
    std::vector<bool> wrapped;
    PrintSetup print;
    /// Under the table's last row; left out when the table goes on over several worksheets.
    TotalsRow totals;
    /// Sizes and offsets from this many bytes on are written in ZIP64 form; tests lower it.
    std::uint64_t zip64Limit = 0xFFFFFFFFu;
};

/// One table of a workbook of several.
struct WorkbookSheet {
    const Grid* grid = nullptr;
    /// Windows-1254. A grid longer than a worksheet goes on in "name (2)", "name (3)", …
    std::string name;
    WorkbookOptions options;
};

/// A workbook that cannot be made: a bad worksheet name, a text too long for a cell. what()
/// is the reason alone; SaveToExcel() puts it behind "Cannot create file".
class WorkbookError : public Error {
public:
    using Error::Error;
};

/// Rows one worksheet holds; a longer grid goes on in further worksheets.
inline constexpr int kWorksheetRows = 1048576;

/// The worksheet name the "Excel" command gives.
inline constexpr const char* kExcelSheetName = "Tablamo";

/// The name of worksheet `index` (from 0): the name itself, then "name (2)", "name (3)"...
std::string worksheetName(std::string_view name, int index);

/// The short-date number format in the regional order and separator ("dd\.mm\.yyyy" on
/// a Turkish system; the separator is escaped so every program shows it as it stands).
std::string dateNumberFormat(const RegionalSettings& regional);

/// The names a workbook's sheets have taken, told apart as spreadsheets tell them (case not
/// counting); "History", which spreadsheets keep for themselves, is always taken.
class SheetNames {
public:
    SheetNames() = default;
    /// Takes the names given as they stand.
    SheetNames(std::initializer_list<std::string_view> taken);

    /// A worksheet name made of `text` (Windows-1254) by the rules checked on writing: a
    /// character a name cannot hold ([ ] : * ? / \ or a control character) becomes "_",
    /// blanks and apostrophes at either end go, at most 31 characters are kept, `fallback`
    /// stands for nothing left; then, unlike every name taken, by " (2)", " (3)", …. The
    /// name is taken.
    std::string unique(std::string_view text, std::string_view fallback);
    /// Takes `name` as it stands.
    void take(std::string_view name);

private:
    std::unordered_set<std::string> m_keys;
};

/// Whether a table of these column widths (characters; a missing or non-positive one the
/// default width) is wider than an A4 page printed upright within the default margins.
bool printsLandscape(const std::vector<double>& widths, int columns);

/// The name a workbook is saved under: kept when it ends in ".xlsx" (any case), ".xls"
/// becomes ".xlsx", any other name gets ".xlsx" appended.
std::string xlsxFileName(std::string_view path);

/// Writes the grid's data cells (cell (1, 1) to A1; no letter row, no number column) into
/// a new workbook under `path` (UTF-8), typed by cellValue(); the worksheet is called
/// `sheetName` (Windows-1254). Rows beyond one worksheet continue on the next. Written to a
/// temporary file beside `path` and renamed into place, so an existing file is replaced
/// only by a complete workbook. Raises "Cannot create file "%s". %s" on any failure.
void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today);

/// SaveToExcel() with the layout of `options` (the clean table's workbook).
void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today,
                 const WorkbookOptions& options);

/// Writes the workbook's package into `sink`: the part of SaveToExcel() that does not care
/// where the bytes go. Raises WorkbookError for a workbook that cannot be made, and whatever
/// the sink raises.
void writeWorkbook(const Grid& grid, std::string_view sheetName, ByteSink& sink,
                   const RegionalSettings& regional, const Date& today,
                   const WorkbookOptions& options = {});

/// Writes the tables into one workbook, one worksheet each (or several for a long one), in
/// order, the first shown on opening; the ZIP64 limit is the first table's. Raises
/// WorkbookError for names that break a worksheet name's rules or that two worksheets
/// share (in any case), and whatever the sink raises.
void writeWorkbook(std::span<const WorkbookSheet> sheets, ByteSink& sink,
                   const RegionalSettings& regional, const Date& today);

/// writeWorkbook() into the file `path`, as SaveToExcel() writes it.
void saveWorkbook(std::span<const WorkbookSheet> sheets, const std::string& path,
                  const RegionalSettings& regional, const Date& today);

}  // namespace tablamo
