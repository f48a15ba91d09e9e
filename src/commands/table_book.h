#pragma once
/// Clean tables saved together: the sheets of one workbook, or one CSV or HTML file each;
/// and a table's records split into groups by the values of one column (--sheet-per).

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/clean_shape.h"
#include "core/grid.h"
#include "export/output_formats.h"

namespace tablamo {

/// Called with each file a save is about to write, all of them before the first is written:
/// it raises an Error for one that must not be written, and then none is.
using TargetCheck = std::function<void(const std::string&)>;

/// Saves the tables as the format keeps a book (bookFiles): one workbook under `path` holding
/// a sheet per table, or a file per table named by it (tableFileName). `options` carries the
/// notation and the encoding; `check`, when given, passes every file before the first is
/// written. Returns the files written.
std::vector<std::string> saveBook(std::span<const BookTable> tables, OutputFormat format,
                                  const std::string& path, const WriteOptions& options,
                                  const TargetCheck& check = {});

/// The grid column headed `heading` (Windows-1254; case, Turkish marks and blanks not
/// counting); nothing when none is.
std::optional<int> columnHeaded(const Grid& grid, std::string_view heading);

/// One group of a table's records: those that hold `value` in the grouping column.
struct TableGroup {
    std::string value;  ///< Windows-1254
    Grid grid;
    CleanShape shape;
};

/// The most groups a table is split into: more would be no sheets to page through.
inline constexpr std::size_t kMaxGroups = 1000;

/// The table's records split by the values of grid column `column`, each group in the order
/// its value first comes, the records in theirs; every group has the table's headings,
/// columns and the report lines its records start on. Empty when the column holds more
/// than kMaxGroups values. `groupOfRow`, when given, gets each grid row's group (row 0's 0).
std::vector<TableGroup> groupsOf(const Grid& grid, const CleanShape& shape, int column,
                                 std::vector<std::uint32_t>* groupOfRow = nullptr);

}  // namespace tablamo
