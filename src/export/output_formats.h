#pragma once
/// The table of output formats: what the converter's --to and the window's save commands
/// know of each format. A new format is one entry here plus its writer.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/clean_shape.h"
#include "core/regional_settings.h"
#include "export/cell_value.h"
#include "export/html_writer.h"
#include "export/out_buffer.h"
#include "export/xlsx_writer.h"

namespace tablamo {

class Grid;

enum class OutputFormat { Csv, Html, Xlsx };

/// What a writer needs besides the grid.
struct WriteOptions {
    TextEncoding encoding = TextEncoding::Windows1254;  ///< CSV and HTML text
    RegionalSettings regional;                          ///< the workbook's typing
    Date today{};                                       ///< the workbook's current year
    HtmlLayout html;                                    ///< the page's table size
    /// The grid holds a clean table of this shape: headings and records only, typed.
    const CleanShape* clean = nullptr;
    /// The clean CSV's field separator; 0: by the decimal separator (cleanCsvSeparator).
    char csvSeparator = 0;
    /// A clean table's workbook prints with this firm and title in its page header.
    PrintSetup print;
};

/// One table of a book as the writers take it (row 0 the headings, column 0 the record
/// numbers).
struct BookTable {
    std::string name;  ///< its sheet's name, Windows-1254, unlike the book's others
    const Grid* grid = nullptr;
    const CleanShape* shape = nullptr;
    PrintSetup print;
    bool totals = false;  ///< a totals row under it in the workbook (summedColumns)
};

/// How the files of a book that a format writes a file per table of are named: numbered
/// after the first ("rapor.csv", "rapor-2.csv", …: a report's tables), or by the tables'
/// names ("ay-Özet.csv": a merge's sheets, --sheet-per's groups).
enum class BookFileNames { Numbered, ByName };

/// One output format.
struct OutputFormatInfo {
    OutputFormat format;
    std::string_view name;       ///< "csv": the converter's --to
    std::string_view extension;  ///< ".csv": what a file of the format is named with
    /// Further endings that name the format (".htm"); the first is the extension itself.
    std::span<const std::string_view> endings;
    /// The name a file chosen as `path` is saved under (the save command's suffix rule).
    std::string (*fileName)(std::string_view path);
    /// Writes the grid to `path` safely: the old file intact on any failure.
    void (*write)(const Grid& grid, const WriteOptions& options, const std::string& path);
    /// Whether the file of a plain grid holds the letter row and the number column (a clean
    /// table's never does).
    bool headers;
    /// Whether a book of several tables is one file (a workbook's sheets) rather than a file
    /// per table.
    bool bookInOneFile;
    /// Writes the book's tables to `files` (bookFiles): each into its own, all written before
    /// any takes its place, or all into the one file.
    void (*writeBook)(std::span<const BookTable> tables, const WriteOptions& options,
                      const std::vector<std::string>& files);
};

/// Every file a book of `tables` saved as `path` in `format` is written to, in order: `path`
/// alone for a format that keeps a book in one file, else a file per table named as `names`
/// says (two that a file name cannot tell apart told apart by " (2)", …).
std::vector<std::string> bookFiles(OutputFormat format, const std::string& path,
                                   std::span<const BookTable> tables, BookFileNames names);

/// The file table `index` of several goes to when numbered: the first to `path`, the second to
/// "rapor-2.csv", the third to "rapor-3.csv" … beside it.
std::string numberedFileName(const std::string& path, std::size_t index);

/// The file a table goes to when named by its sheet: `path` without its ending, "-", the
/// sheet's name (in UTF-8, a character a file name cannot hold as "_"), the format's
/// extension: "ay.csv" and "Muavin" give "ay-Muavin.csv".
std::string tableFileName(const std::string& path, std::string_view sheetName, OutputFormat format);

/// A heading as a reader compares it (Windows-1254): capitals without Turkish marks, blanks
/// collapsed and trimmed.
std::string headingKey(std::string_view heading);

/// The columns a totals row sums: every amount column but a running balance (a column
/// headed "Bakiye" alone, which a sum of its lines would only mislead).
std::vector<bool> summedColumns(const Grid& grid, const CleanShape& shape);

/// The workbook layout of the clean table in `grid`: the headings in bold over a frozen pane
/// and an autofilter, each column typed by its kind (a column past the shape's by its
/// cells' values) and as wide as the report has it, or as its heading, its longest word (up
/// to 40 characters), its four-digit years or its grouped amounts need; a text longer than
/// its column wraps. Printed with `print`'s header.
WorkbookOptions cleanWorkbookOptions(const Grid& grid, const CleanShape& shape,
                                     const PrintSetup& print);

/// Every format, CSV first.
std::span<const OutputFormatInfo> outputFormats();
/// The entry of a format.
const OutputFormatInfo& formatInfo(OutputFormat format);
/// The format --to names (case does not matter); nothing for an unknown name.
const OutputFormatInfo* formatNamed(std::string_view name);
/// The format a file name's ending names (case does not matter); nothing for another.
const OutputFormatInfo* formatOfFileName(std::string_view path);

}  // namespace tablamo
