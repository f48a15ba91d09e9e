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

/// One clean table of a book (row 0 the headings, column 0 the record numbers).
struct BookTable {
    std::string name;  ///< its sheet's name, Windows-1254, unlike the book's others
    const Grid* grid = nullptr;
    const CleanShape* shape = nullptr;
    PrintSetup print;
    bool totals = false;  ///< a totals row under it in the workbook (summedColumns)
};

/// The file a table goes to when a book is saved as CSV or HTML: `path` without its ending,
/// "-", the sheet's name (in UTF-8, a character a file name cannot hold as "_"), the format's
/// extension: "ay.csv" and "Muavin" give "ay-Muavin.csv".
std::string tableFileName(const std::string& path, std::string_view sheetName, OutputFormat format);

/// Called with each file a save is about to write, all of them before the first is written:
/// it raises an Error for one that must not be written, and then none is.
using TargetCheck = std::function<void(const std::string&)>;

/// Each table into its own CSV or HTML file, the file of the same place in `files`; `check`,
/// when given, passes every file before the first is written. The files take their places
/// together (FileSet): on a failure every old file stays as it was.
void saveEachTable(std::span<const BookTable> tables, OutputFormat format,
                   const std::vector<std::string>& files, const WriteOptions& options,
                   const TargetCheck& check);

/// Saves the tables: as one workbook under `path` (its name as the format's save gives it)
/// holding a sheet per table, or as a CSV or HTML file per table (tableFileName; two that
/// would share a name are told apart by " (2)", …). `options` carries the notation and the
/// encoding; `check`, when given, passes every file first. Returns the files written.
std::vector<std::string> saveBook(std::span<const BookTable> tables, OutputFormat format,
                                  const std::string& path, const WriteOptions& options,
                                  const TargetCheck& check = {});

/// A heading as a reader compares it (Windows-1254): capitals without Turkish marks, blanks
/// collapsed and trimmed.
std::string headingKey(std::string_view heading);

/// The columns a totals row sums: every amount column but a running balance (a column
/// headed "Bakiye" alone, which a sum of its lines would only mislead).
std::vector<bool> summedColumns(const Grid& grid, const CleanShape& shape);

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
