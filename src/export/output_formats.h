#pragma once
/// The table of output formats: what the converter's --to and the window's save commands
/// know of each format. A new format is one entry here plus its writer.

#include <optional>
#include <span>
#include <string>
#include <string_view>

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
};

/// The workbook layout of the clean table in `grid`: the headings in bold over a frozen pane
/// and an autofilter, each column typed by its kind (a column past the shape's by its
/// cells' values) and as wide as the report has it (or as its heading needs, up to 40
/// characters; a date column as its four-digit years need), printed with `print`'s header.
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
