#include "export/output_formats.h"

#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "core/grid.h"
#include "core/text_rules.h"
#include "export/clean_writers.h"
#include "export/csv_writer.h"
#include "export/safe_file.h"
#include "export/xlsx_writer.h"

namespace tablamo {
namespace {

void writeCsvFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    SafeFile file(path);
    if (options.clean) {
        const char separator = options.csvSeparator
                                   ? options.csvSeparator
                                   : cleanCsvSeparator(options.regional.decimalSeparator);
        writeCleanCsv(grid, file, separator, options.encoding);
    } else {
        writeCsv(grid, file, options.encoding);
    }
    file.commit();
}

void writeHtmlFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    HtmlLayout layout = options.html;
    layout.encoding = options.encoding;
    SafeFile file(path);
    if (options.clean) {
        writeCleanHtml(grid, *options.clean, file, options.encoding);
    } else {
        writeHtml(grid, file, 1, layout);
    }
    file.commit();
}

// The workbook replaces the file safely itself. A clean table's has its headings in bold
// under a frozen pane with an autofilter, every column typed by its kind, and prints.
void writeXlsxFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    if (!options.clean) {
        SaveToExcel(grid, kExcelSheetName, path, options.regional, options.today);
        return;
    }
    SaveToExcel(grid, kExcelSheetName, path, options.regional, options.today,
                cleanWorkbookOptions(grid, *options.clean, options.print));
}

constexpr std::string_view kCsvEndings[] = {".csv"};
constexpr std::string_view kHtmlEndings[] = {".html", ".htm"};
// ".xls" names the workbook too: it is written as ".xlsx", as the window's "Excel" saves it.
constexpr std::string_view kXlsxEndings[] = {".xlsx", ".xls"};

const OutputFormatInfo kFormats[] = {
    {OutputFormat::Csv, "csv", ".csv", kCsvEndings, &csvFileName, &writeCsvFile, true},
    {OutputFormat::Html, "html", ".html", kHtmlEndings, &htmlFileName, &writeHtmlFile, true},
    {OutputFormat::Xlsx, "xlsx", ".xlsx", kXlsxEndings, &xlsxFileName, &writeXlsxFile, false},
};

}  // namespace

WorkbookOptions cleanWorkbookOptions(const Grid& grid, const CleanShape& shape,
                                     const PrintSetup& print) {
    // A heading wider than its column would be cut on the printed page: its bold letters
    // take about a tenth more room than the column's digits.
    constexpr double kBoldRoom = 1.1;
    constexpr double kWidestForHeading = 40;
    constexpr int kDateWidth = 11;
    WorkbookOptions book;
    book.headingRow = true;
    for (const CleanColumn& column : shape.columns) book.kinds.push_back(column.kind);
    for (int c = 1; c < grid.colCount(); ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        int width = i < shape.columns.size() ? shape.columns[i].width : 0;
        // A date is shown with its year in four digits, whatever width the report gave it.
        if (i < shape.columns.size() && shape.columns[i].kind == ColumnKind::Date)
            width = std::max(width, kDateWidth);
        const auto heading = static_cast<double>(grid.cell(c, 0).size());
        book.widths.push_back(std::max<double>(
            width, std::min(kWidestForHeading, std::ceil(heading * kBoldRoom) + 1)));
    }
    book.print = print;
    book.print.enabled = true;
    return book;
}

std::span<const OutputFormatInfo> outputFormats() { return kFormats; }

const OutputFormatInfo& formatInfo(OutputFormat format) {
    for (const OutputFormatInfo& f : kFormats) {
        if (f.format == format) return f;
    }
    return kFormats[0];
}

const OutputFormatInfo* formatNamed(std::string_view name) {
    for (const OutputFormatInfo& f : kFormats) {
        if (name.size() == f.name.size() && endsWithNoCase(name, f.name)) return &f;
    }
    return nullptr;
}

const OutputFormatInfo* formatOfFileName(std::string_view path) {
    for (const OutputFormatInfo& f : kFormats) {
        for (const std::string_view ending : f.endings) {
            if (endsWithNoCase(path, ending)) return &f;
        }
    }
    return nullptr;
}

}  // namespace tablamo
