#include "commands/table_book.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "core/encoding.h"
#include "core/platform/files.h"
#include "core/text_rules.h"
#include "export/safe_file.h"
#include "export/xlsx_writer.h"

namespace tablamo {
namespace {

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

}  // namespace

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

std::string tableFileName(const std::string& path, std::string_view sheetName,
                          OutputFormat format) {
    std::filesystem::path file = platform::toFsPath(path);
    const std::string stem = platform::fromFsPath(file.stem());
    file.replace_filename(platform::toFsPath(stem + "-" + fileNamePart(sheetName) +
                                             std::string(formatInfo(format).extension)));
    return platform::fromFsPath(file);
}

std::vector<bool> summedColumns(const Grid& grid, const CleanShape& shape) {
    std::vector<bool> summed(shape.columns.size(), false);
    for (std::size_t c = 0; c < shape.columns.size(); ++c) {
        summed[c] = shape.columns[c].kind == ColumnKind::Amount &&
                    headingKey(grid.cell(static_cast<int>(c) + 1, 0)) != "BAKIYE";
    }
    return summed;
}

std::optional<int> columnHeaded(const Grid& grid, std::string_view heading) {
    const std::string key = headingKey(heading);
    for (int c = 1; c < grid.colCount(); ++c) {
        if (headingKey(grid.cell(c, 0)) == key) return c;
    }
    return std::nullopt;
}

std::vector<TableGroup> groupsOf(const Grid& grid, const CleanShape& shape, int column,
                                 std::vector<std::uint32_t>* groupOfRow) {
    std::vector<TableGroup> groups;
    if (groupOfRow) groupOfRow->assign(static_cast<std::size_t>(grid.rowCount()), 0);
    std::vector<int> records;
    std::unordered_map<std::string, std::size_t> byValue;
    char digits[16];
    for (int r = 1; r < grid.rowCount(); ++r) {
        Grid::RowCells cells = grid.row(r);
        const std::string value(cells[static_cast<std::size_t>(column)]);
        auto [it, added] = byValue.emplace(value, groups.size());
        if (added) {
            if (groups.size() == kMaxGroups) return {};
            TableGroup& group = groups.emplace_back();
            group.value = value;
            group.grid.setColCount(grid.colCount());
            for (int c = 0; c < grid.colCount(); ++c) group.grid.setColWidth(c, grid.colWidth(c));
            group.grid.setRowCount(1);
            group.grid.setRow(0, grid.row(0));
            group.shape.columns = shape.columns;
            records.push_back(0);
        }
        TableGroup& group = groups[it->second];
        if (groupOfRow)
            (*groupOfRow)[static_cast<std::size_t>(r)] = static_cast<std::uint32_t>(it->second);
        const int number = ++records[it->second];
        if (number >= group.grid.rowCount()) {
            group.grid.setRowCount(std::max(number + 1, 2 * group.grid.rowCount()));
        }
        const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        cells[0] = std::string_view(digits, static_cast<std::size_t>(end - digits));
        group.grid.setRow(number, cells);
        if (const auto line = shape.lineOfRow(r)) group.shape.recordLines.push_back(*line);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) groups[g].grid.setRowCount(records[g] + 1);
    return groups;
}

namespace {

// The files saveBook writes the tables to, in order.
std::vector<std::string> bookFileNames(std::span<const BookTable> tables, OutputFormat format,
                                       const std::string& path) {
    if (format == OutputFormat::Xlsx) return {path};
    std::vector<std::string> files;
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

}  // namespace

std::vector<std::string> saveBook(std::span<const BookTable> tables, OutputFormat format,
                                  const std::string& path, const WriteOptions& options,
                                  const TargetCheck& check) {
    const std::vector<std::string> files = bookFileNames(tables, format, path);
    if (format != OutputFormat::Xlsx) {
        saveEachTable(tables, format, files, options, check);
        return files;
    }
    if (check) {
        for (const std::string& file : files) check(file);
    }
    std::vector<WorkbookSheet> sheets;
    for (const BookTable& table : tables) {
        WorkbookSheet sheet{table.grid, table.name,
                            cleanWorkbookOptions(*table.grid, *table.shape, table.print)};
        if (table.totals) {
            sheet.options.totals = {kTotalsLabel, summedColumns(*table.grid, *table.shape)};
        }
        sheets.push_back(std::move(sheet));
    }
    saveWorkbook(sheets, path, options.regional, options.today);
    return files;
}

void saveEachTable(std::span<const BookTable> tables, OutputFormat format,
                   const std::vector<std::string>& files, const WriteOptions& options,
                   const TargetCheck& check) {
    if (check) {
        for (const std::string& file : files) check(file);
    }
    // Every file written before any takes its place: a failure leaves the old set whole.
    FileSet set;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        WriteOptions one = options;
        one.clean = tables[i].shape;
        formatInfo(format).write(*tables[i].grid, one, files[i]);
    }
    set.commit();
}

}  // namespace tablamo
