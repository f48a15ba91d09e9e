#include "export/xlsx_writer.h"

#include <algorithm>
#include <ctime>
#include <unordered_set>

#include "core/encoding.h"
#include "core/grid.h"
#include "core/text_rules.h"
#include "export/safe_file.h"
#include "export/sheet_pipeline.h"
#include "export/sheet_print.h"
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

// One table's worksheets: the grid rows each takes, and what the package names them.
struct TableSheets {
    std::vector<SheetSpan> spans;
    std::vector<SheetEntry> entries;
    std::string totals;              // the totals row under the last worksheet's rows
    std::vector<std::string> names;  // Windows-1254
};

TableSheets sheetsOf(const WorkbookSheet& table, const RegionalSettings& regional) {
    const Grid& grid = *table.grid;
    const WorkbookOptions& options = table.options;
    // The grid rows each worksheet takes: grid row 0 is the letters, or with a heading row
    // the headings that every worksheet repeats on top.
    const int heading = options.headingRow ? 1 : 0;
    const int perSheet = kWorksheetRows - heading;
    const int dataRows = grid.rowCount() > 1 ? grid.rowCount() - 1 : 0;
    const int writtenColumns = grid.colCount() - 1;
    char letters[4];
    const std::string lastColumn(SheetRows::letters(writtenColumns, letters));
    const SheetPrint print =
        sheetPrintOf(options.print, options.widths, writtenColumns, options.headingRow);

    TableSheets sheets;
    for (int first = 1, index = 0; index == 0 || first <= dataRows; first += perSheet, ++index) {
        SheetSpan span{first, std::min(first + perSheet, dataRows + 1), first - 1 - heading};
        // Names are checked in the grid's code page, where a byte is a character.
        const std::string name = worksheetName(table.name, index);
        checkSheetName(name);
        SheetEntry entry{win1254ToUtf8(name), lastColumn, 0, print};
        if (options.headingRow && writtenColumns > 0)
            entry.filterRows = heading + span.end - span.first;
        sheets.spans.push_back(span);
        sheets.entries.push_back(std::move(entry));
        sheets.names.push_back(name);
    }
    // A table over several worksheets has no one place for its totals.
    if (sheets.spans.size() == 1) {
        const SheetSpan& span = sheets.spans.front();
        sheets.totals =
            totalsRowXml(grid, span.first, span.end, options.totals, heading + 1,
                         heading + span.end - span.first + 1, regional.decimalSeparator);
    }
    return sheets;
}

// A worksheet name in capitals (Windows-1254), every I alike: spreadsheets tell names apart
// without regard to case.
std::string nameKey(std::string_view name) {
    std::string key(name);
    for (char& ch : key) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 'a' && c <= 'z') {
            ch = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
            ch = static_cast<char>(c - 0x20);  // ç ğ ı ö ş ü and the others
        }
        if (ch == '\xDD') ch = 'I';  // İ, also from ı
    }
    return key;
}

// The names of a workbook's worksheets differ in more than the case of their letters.
void checkNamesDiffer(const std::vector<TableSheets>& tables) {
    std::unordered_set<std::string> seen;
    for (const TableSheets& table : tables) {
        for (const std::string& name : table.names) {
            if (!seen.insert(nameKey(name)).second) {
                throw WorkbookError("Worksheet name '" + win1254ToUtf8(name) +
                                    "' is already in use.");
            }
        }
    }
}

}  // namespace

SheetNames::SheetNames(std::initializer_list<std::string_view> taken) {
    for (const std::string_view name : taken) take(name);
}

void SheetNames::take(std::string_view name) { m_keys.insert(nameKey(name)); }

std::string SheetNames::unique(std::string_view text, std::string_view fallback) {
    constexpr std::size_t kMaxName = 31;
    std::string name;
    for (const char c : text) {
        const bool bad = std::string_view("[]:*?/\\").find(c) != std::string_view::npos ||
                         static_cast<unsigned char>(c) < 0x20;
        name += bad ? '_' : c;
    }
    const auto trim = [](std::string& n) {
        const std::size_t b = n.find_first_not_of(" '");
        const std::size_t e = n.find_last_not_of(" '");
        n = b == std::string::npos ? std::string() : n.substr(b, e - b + 1);
    };
    trim(name);
    if (name.size() > kMaxName) name.resize(kMaxName);
    trim(name);
    if (name.empty()) name = fallback;
    const auto used = [&](const std::string& candidate) {
        const std::string key = nameKey(candidate);
        return key == "HISTORY" || m_keys.count(key) > 0;
    };
    std::string unique = name;
    for (int n = 2; used(unique); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        unique = name.substr(0, kMaxName - suffix.size()) + suffix;
    }
    take(unique);
    return unique;
}

void writeWorkbook(std::span<const WorkbookSheet> tables, ByteSink& sink,
                   const RegionalSettings& regional, const Date& today) {
    std::vector<TableSheets> sheetsOfTable;
    std::vector<SheetEntry> entries;
    for (const WorkbookSheet& table : tables) {
        sheetsOfTable.push_back(sheetsOf(table, regional));
        for (const SheetEntry& e : sheetsOfTable.back().entries) entries.push_back(e);
    }
    checkNamesDiffer(sheetsOfTable);

    ZipWriter zip(
        sink, tables.empty() ? WorkbookOptions{}.zip64Limit : tables.front().options.zip64Limit);
    const int sheets = static_cast<int>(entries.size());
    zip.addMember("[Content_Types].xml", contentTypesPart(sheets));
    zip.addMember("_rels/.rels", rootRelsPart());
    zip.addMember("docProps/app.xml", appPart(entries));
    zip.addMember("docProps/core.xml", corePart(std::time(nullptr)));
    zip.addMember("xl/workbook.xml", workbookPart(entries));
    zip.addMember("xl/_rels/workbook.xml.rels", workbookRelsPart(sheets));
    bool wrapped = false;
    for (const WorkbookSheet& table : tables) {
        for (const bool w : table.options.wrapped) wrapped = wrapped || w;
    }
    zip.addMember("xl/styles.xml", stylesPart(dateNumberFormat(regional), wrapped));

    int number = 0;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const WorkbookOptions& options = tables[t].options;
        const TableSheets& table = sheetsOfTable[t];
        const SheetRows rows(tables[t].grid->colCount(), regional, today, options.kinds,
                             options.wrapped, options.widths);
        SheetPipeline pipeline(*tables[t].grid, rows, zip);
        for (std::size_t i = 0; i < table.entries.size(); ++i, ++number) {
            SheetPart part;
            part.member = "xl/worksheets/sheet" + std::to_string(number + 1) + ".xml";
            part.head = sheetHead(number == 0, options.headingRow, options.widths,
                                  table.entries[i].print.enabled);
            part.tail = sheetTail(table.entries[i]);
            if (i + 1 == table.entries.size()) part.tail.insert(0, table.totals);
            part.span = table.spans[i];
            part.heading = options.headingRow;
            pipeline.add(std::move(part));
        }
        pipeline.run();
    }
    zip.finish();
}

void writeWorkbook(const Grid& grid, std::string_view sheetName, ByteSink& sink,
                   const RegionalSettings& regional, const Date& today,
                   const WorkbookOptions& options) {
    const WorkbookSheet table{&grid, std::string(sheetName), options};
    writeWorkbook(std::span(&table, 1), sink, regional, today);
}

void saveWorkbook(std::span<const WorkbookSheet> sheets, const std::string& path,
                  const RegionalSettings& regional, const Date& today) {
    SafeFile file(path);
    try {
        writeWorkbook(sheets, file, regional, today);
    } catch (const WorkbookError& e) {
        throw cannotCreateFile(path, e.what());
    }
    file.commit();
}

void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today,
                 const WorkbookOptions& options) {
    const WorkbookSheet table{&grid, std::string(sheetName), options};
    saveWorkbook(std::span(&table, 1), path, regional, today);
}

void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today) {
    SaveToExcel(grid, sheetName, path, regional, today, WorkbookOptions{});
}

}  // namespace tablamo
