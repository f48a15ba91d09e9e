#include "commands/table_book.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "core/encoding.h"
#include "core/platform/files.h"
#include "core/text_rules.h"
#include "export/xlsx_writer.h"

namespace tablamo {
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

std::vector<std::string> saveBook(std::span<const BookTable> tables, OutputFormat format,
                                  const std::string& path, const WriteOptions& options,
                                  const TargetCheck& check) {
    const std::vector<std::string> files = bookFiles(format, path, tables, BookFileNames::ByName);
    if (check) {
        for (const std::string& file : files) check(file);
    }
    formatInfo(format).writeBook(tables, options, files);
    return files;
}

}  // namespace tablamo
