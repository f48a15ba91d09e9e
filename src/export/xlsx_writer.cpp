#include "export/xlsx_writer.h"

#include <algorithm>
#include <ctime>

#include "core/encoding.h"
#include "core/grid.h"
#include "core/text_rules.h"
#include "export/safe_file.h"
#include "export/sheet_pipeline.h"
#include "export/sheet_xml.h"
#include "export/xlsx_parts.h"
#include "export/zip_writer.h"

namespace tablamo {

std::string worksheetName(std::string_view name, int index) {
    std::string result(name);
    if (index > 0) result += " (" + std::to_string(index + 1) + ")";
    return result;
}

std::string dateNumberFormat(const RegionalSettings& regional) {
    const std::string sep = std::string("\\") + regional.dateSeparator;
    switch (regional.dateOrder) {
        case DateOrder::MonthDayYear:
            return "mm" + sep + "dd" + sep + "yyyy";
        case DateOrder::YearMonthDay:
            return "yyyy" + sep + "mm" + sep + "dd";
        case DateOrder::DayMonthYear:
            break;
    }
    return "dd" + sep + "mm" + sep + "yyyy";
}

std::string xlsxFileName(std::string_view path) {
    std::string name(path);
    if (endsWithNoCase(name, ".xlsx")) return name;
    if (endsWithNoCase(name, ".xls")) return name.substr(0, name.size() - 4) + ".xlsx";
    return name + ".xlsx";
}

namespace {

// Excel's rules for a worksheet name, with its own words for each.
void checkSheetName(std::string_view name) {
    if (name.empty()) throw WorkbookError("Worksheet name cannot be blank.");
    if (name.size() > 31)
        throw WorkbookError("Worksheet name exceeds Excel's limit of 31 characters.");
    for (const char c : name) {
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20) {
            throw WorkbookError(
                "Worksheet name cannot contain invalid characters: '[ ] : * ? / \\'");
        }
    }
    if (name.front() == '\'' || name.back() == '\'') {
        throw WorkbookError("Worksheet name cannot start or end with an apostrophe.");
    }
}

}  // namespace

void writeWorkbook(const Grid& grid, std::string_view sheetName, ByteSink& sink,
                   const RegionalSettings& regional, const Date& today,
                   const WorkbookOptions& options) {
    // The grid rows each worksheet takes: grid row 0 is the letters, or with a heading row
    // the headings that every worksheet repeats on top.
    const int heading = options.headingRow ? 1 : 0;
    const int perSheet = kWorksheetRows - heading;
    const int dataRows = grid.rowCount() > 1 ? grid.rowCount() - 1 : 0;
    const int writtenColumns = grid.colCount() - 1;
    char letters[4];
    const std::string lastColumn(SheetRows::letters(writtenColumns, letters));

    std::vector<SheetSpan> spans;
    std::vector<SheetEntry> entries;
    for (int first = 1, index = 0; index == 0 || first <= dataRows; first += perSheet, ++index) {
        SheetSpan span{first, std::min(first + perSheet, dataRows + 1), first - 1 - heading};
        // Names are checked in the grid's code page, where a byte is a character.
        const std::string name = worksheetName(sheetName, index);
        checkSheetName(name);
        SheetEntry entry{win1254ToUtf8(name), lastColumn, 0};
        if (options.headingRow && writtenColumns > 0)
            entry.filterRows = heading + span.end - span.first;
        spans.push_back(span);
        entries.push_back(std::move(entry));
    }

    ZipWriter zip(sink, options.zip64Limit);
    const int sheets = static_cast<int>(entries.size());
    zip.addMember("[Content_Types].xml", contentTypesPart(sheets));
    zip.addMember("_rels/.rels", rootRelsPart());
    zip.addMember("docProps/app.xml", appPart(entries));
    zip.addMember("docProps/core.xml", corePart(std::time(nullptr)));
    zip.addMember("xl/workbook.xml", workbookPart(entries));
    zip.addMember("xl/_rels/workbook.xml.rels", workbookRelsPart(sheets));
    zip.addMember("xl/styles.xml", stylesPart(dateNumberFormat(regional)));

    const SheetRows rows(grid.colCount(), regional, today, options.kinds);
    SheetPipeline pipeline(grid, rows, zip);
    for (int i = 0; i < sheets; ++i) {
        SheetPart part;
        part.member = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
        part.head = sheetHead(i == 0, options.headingRow, options.widths);
        part.tail = sheetTail(entries[static_cast<std::size_t>(i)]);
        part.span = spans[static_cast<std::size_t>(i)];
        part.heading = options.headingRow;
        pipeline.add(std::move(part));
    }
    pipeline.run();
    zip.finish();
}

void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today,
                 const WorkbookOptions& options) {
    SafeFile file(path);
    try {
        writeWorkbook(grid, sheetName, file, regional, today, options);
    } catch (const WorkbookError& e) {
        throw cannotCreateFile(path, e.what());
    }
    file.commit();
}

void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today) {
    SaveToExcel(grid, sheetName, path, regional, today, WorkbookOptions{});
}

}  // namespace tablamo
