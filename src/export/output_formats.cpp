#include "export/output_formats.h"

#include "core/text_rules.h"
#include "export/csv_writer.h"
#include "export/safe_file.h"
#include "export/xlsx_writer.h"

namespace tablamo {
namespace {

void writeCsvFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    SafeFile file(path);
    writeCsv(grid, file, options.encoding);
    file.commit();
}

void writeHtmlFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    HtmlLayout layout = options.html;
    layout.encoding = options.encoding;
    SafeFile file(path);
    writeHtml(grid, file, 1, layout);
    file.commit();
}

// The workbook replaces the file safely itself.
void writeXlsxFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    SaveToExcel(grid, kExcelSheetName, path, options.regional, options.today);
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
