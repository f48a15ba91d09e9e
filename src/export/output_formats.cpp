#include "export/output_formats.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unordered_set>

#include "core/encoding.h"
#include "core/error.h"
#include "core/grid.h"
#include "core/platform/files.h"
#include "core/text_rules.h"
#include "export/clean_writers.h"
#include "export/column_fit.h"
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

// The clean page's title: what its printed pages' header says, parted by dashes.
std::string pageTitle(const PrintSetup& print) {
    std::string title;
    for (const std::string* part : {&print.title, &print.period, &print.firm}) {
        if (part->empty()) continue;
        if (!title.empty()) title += " \x97 ";  // Windows-1254's em dash
        title += *part;
    }
    return title;
}

void writeHtmlFile(const Grid& grid, const WriteOptions& options, const std::string& path) {
    HtmlLayout layout = options.html;
    layout.encoding = options.encoding;
    SafeFile file(path);
    if (options.clean) {
        writeCleanHtml(grid, *options.clean, file, options.encoding, pageTitle(options.print));
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

// The words of the totals row.
constexpr const char* kTotalsLabel = "Toplam";

// The file name of a sheet's name: UTF-8, the characters no system's file name holds as "_".
std::string fileNamePart(std::string_view sheetName) {
    std::string part = win1254ToUtf8(sheetName);
    for (char& c : part) {
        if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    return part;
}

// A file per table, every one written before any takes its place: a failure leaves the old
// set whole.
template <void (*write)(const Grid&, const WriteOptions&, const std::string&)>
void writeFilePerTable(std::span<const BookTable> tables, const WriteOptions& options,
                       const std::vector<std::string>& files) {
    FileSet set;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        WriteOptions one = options;
        one.clean = tables[i].shape;
        one.print = tables[i].print;
        write(*tables[i].grid, one, files[i]);
    }
    set.commit();
}

// A sheet per table in one workbook.
void writeWorkbookBook(std::span<const BookTable> tables, const WriteOptions& options,
                       const std::vector<std::string>& files) {
    std::vector<WorkbookSheet> sheets;
    for (const BookTable& table : tables) {
        WorkbookSheet sheet{table.grid, table.name,
                            cleanWorkbookOptions(*table.grid, *table.shape, table.print)};
        if (table.totals) {
            sheet.options.totals = {kTotalsLabel, summedColumns(*table.grid, *table.shape)};
        }
        sheets.push_back(std::move(sheet));
    }
    saveWorkbook(sheets, files.front(), options.regional, options.today);
}

constexpr std::string_view kCsvEndings[] = {".csv"};
constexpr std::string_view kHtmlEndings[] = {".html", ".htm"};
// ".xls" names the workbook too: it is written as ".xlsx", as the window's "Excel" saves it.
constexpr std::string_view kXlsxEndings[] = {".xlsx", ".xls"};

const OutputFormatInfo kFormats[] = {
    {OutputFormat::Csv, "csv", ".csv", kCsvEndings, &csvFileName, &writeCsvFile, true, false,
     &writeFilePerTable<&writeCsvFile>},
    {OutputFormat::Html, "html", ".html", kHtmlEndings, &htmlFileName, &writeHtmlFile, true, false,
     &writeFilePerTable<&writeHtmlFile>},
    {OutputFormat::Xlsx, "xlsx", ".xlsx", kXlsxEndings, &xlsxFileName, &writeXlsxFile, false, true,
     &writeWorkbookBook},
};

}  // namespace

namespace {

std::size_t longestWord(std::string_view text) {
    std::size_t longest = 0, start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ' ') continue;
        longest = std::max(longest, i - start);
        start = i + 1;
    }
    return longest;
}

}  // namespace

WorkbookOptions cleanWorkbookOptions(const Grid& grid, const CleanShape& shape,
                                     const PrintSetup& print) {
    // A heading wider than its column would be cut on the printed page: its bold letters
    // take about a tenth more room than the column's digits.
    constexpr double kBoldRoom = 1.1;
    constexpr int kWidest = 40;  // a heading's or a word's room at most; a longer text wraps
    constexpr double kHeadingWidens = 14;  // a heading widens its column up to so much
    constexpr int kDateWidth = 11;
    WorkbookOptions book;
    book.headingRow = true;
    for (const CleanColumn& column : shape.columns) book.kinds.push_back(column.kind);
    const std::vector<ColumnFit> fits = columnFits(grid);
    for (int c = 1; c < grid.colCount(); ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        const ColumnKind kind = i < shape.columns.size() ? shape.columns[i].kind : ColumnKind::Text;
        int width = i < shape.columns.size() ? shape.columns[i].width : 0;
        // A date is shown with its year in four digits, whatever width the report gave it.
        if (kind == ColumnKind::Date) width = std::max(width, kDateWidth);
        // An amount is shown with its thousands grouped; a shorter column would show "###".
        if (kind == ColumnKind::Amount) width = std::max(width, groupedLength(fits[i].text) + 1);
        // No word is cut on the page ("MAHSU" of "MAHSUP"), up to a long word's room.
        const bool texts =
            i < shape.columns.size() && kind != ColumnKind::Amount && kind != ColumnKind::Date;
        if (texts) {
            const int word = static_cast<int>(std::ceil(fits[i].wordRoom)) + 1;  // and a margin
            width = std::max(width, std::min(kWidest, word));
        }
        // A short heading widens its column; a longer one wraps at its blanks, its longest
        // word setting the least room (a count under "Yerleştirilemeyen satır" stays narrow).
        const auto boldRoom = [&](std::size_t characters) {
            return std::min<double>(kWidest,
                                    std::ceil(static_cast<double>(characters) * kBoldRoom) + 1);
        };
        const std::string_view heading = grid.cell(c, 0);
        double room = std::max<double>(width, boldRoom(longestWord(heading)));
        if (boldRoom(heading.size()) <= std::max<double>(room, kHeadingWidens))
            room = std::max(room, boldRoom(heading.size()));
        book.widths.push_back(room);
        // A text longer than its column wraps within it, on as many lines as it takes.
        book.wrapped.push_back((texts && fits[i].textRoom + 1 > room) ||
                               boldRoom(heading.size()) > room);
    }
    book.print = print;
    book.print.enabled = true;
    return book;
}

std::span<const OutputFormatInfo> outputFormats() { return kFormats; }

std::string headingKey(std::string_view heading) {
    std::string key;
    for (const char c : foldedUpper(heading)) {
        if (c == ' ' || c == '\t') {
            if (!key.empty() && key.back() != ' ') key += ' ';
        } else {
            key += c;
        }
    }
    if (!key.empty() && key.back() == ' ') key.pop_back();
    return key;
}

std::vector<bool> summedColumns(const Grid& grid, const CleanShape& shape) {
    std::vector<bool> summed(shape.columns.size(), false);
    for (std::size_t c = 0; c < shape.columns.size(); ++c) {
        summed[c] = shape.columns[c].kind == ColumnKind::Amount &&
                    headingKey(grid.cell(static_cast<int>(c) + 1, 0)) != "BAKIYE";
    }
    return summed;
}

std::string numberedFileName(const std::string& path, std::size_t index) {
    if (index == 0) return path;
    std::filesystem::path file = platform::toFsPath(path);
    const std::string stem = platform::fromFsPath(file.stem());
    const std::string ending = platform::fromFsPath(file.extension());
    file.replace_filename(platform::toFsPath(stem + "-" + std::to_string(index + 1) + ending));
    return platform::fromFsPath(file);
}

std::string tableFileName(const std::string& path, std::string_view sheetName,
                          OutputFormat format) {
    std::filesystem::path file = platform::toFsPath(path);
    const std::string stem = platform::fromFsPath(file.stem());
    file.replace_filename(platform::toFsPath(stem + "-" + fileNamePart(sheetName) +
                                             std::string(formatInfo(format).extension)));
    return platform::fromFsPath(file);
}

std::vector<std::string> bookFiles(OutputFormat format, const std::string& path,
                                   std::span<const BookTable> tables, BookFileNames names) {
    if (formatInfo(format).bookInOneFile) return {path};
    std::vector<std::string> files;
    if (names == BookFileNames::Numbered) {
        for (std::size_t i = 0; i < tables.size(); ++i) files.push_back(numberedFileName(path, i));
        return files;
    }
    std::unordered_set<std::string> keys;
    for (const BookTable& table : tables) {
        std::string file = tableFileName(path, table.name, format);
        // Names that differ only where a file name cannot follow them.
        for (int n = 2; !keys.insert(platform::fileNameKey(file)).second; ++n) {
            file = tableFileName(path, table.name + " (" + std::to_string(n) + ")", format);
        }
        files.push_back(file);
    }
    return files;
}

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
