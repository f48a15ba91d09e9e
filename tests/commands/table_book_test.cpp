// A book's file names, the columns a totals row sums, and a table split by a column's values.

#include "commands/table_book.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

// Headings, then one record per row of `codes` (the first column), amounts beside them.
Grid tableOf(const std::vector<std::string>& codes, CleanShape& shape) {
    Grid grid;
    grid.setColCount(5);
    grid.setRowCount(static_cast<int>(codes.size()) + 1);
    const char* headings[] = {"Hesap  Kodu", "Tutar", "BAK\xDDYE", "Bor\xE7 Bakiye"};
    for (int c = 0; c < 4; ++c) grid.setCell(c + 1, 0, headings[c]);
    for (std::size_t r = 0; r < codes.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        grid.setCell(0, row, std::to_string(row));
        grid.setCell(1, row, codes[r]);
        grid.setCell(2, row, std::to_string(row) + ",00");
        shape.recordLines.push_back(10 * row);
    }
    shape.columns = {{ColumnKind::Code, 10},
                     {ColumnKind::Amount, 12},
                     {ColumnKind::Amount, 12},
                     {ColumnKind::Amount, 12}};
    return grid;
}

TEST(TableBook, FileNamesHeadingsAndSummedColumns) {
    EXPECT_EQ(tableFileName("/a/ay.csv", "Muavin", OutputFormat::Csv), "/a/ay-Muavin.csv");
    EXPECT_EQ(tableFileName("ay.xlsx", "a<b|c\"d", OutputFormat::Html), "ay-a_b_c_d.html");
    EXPECT_EQ(tableFileName("x/ay", "\xD6zet", OutputFormat::Csv), "x/ay-Özet.csv");

    CleanShape shape;
    const Grid grid = tableOf({"120"}, shape);
    EXPECT_EQ(summedColumns(grid, shape), (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(columnHeaded(grid, "hesap kodu"), 1);
    EXPECT_EQ(columnHeaded(grid, " HESAP   KODU "), 1);
    EXPECT_EQ(columnHeaded(grid, "bakiye"), 3);
    EXPECT_EQ(columnHeaded(grid, "Hesap"), std::nullopt);
}

TEST(TableBook, GroupsInTheOrderTheirValuesComeFirst) {
    CleanShape shape;
    const Grid grid = tableOf({"320", "120", "320", ""}, shape);
    std::vector<std::uint32_t> groupOfRow;
    const std::vector<TableGroup> groups = groupsOf(grid, shape, 1, &groupOfRow);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groupOfRow, (std::vector<std::uint32_t>{0, 0, 1, 0, 2}));
    const TableGroup& first = groups[0];
    EXPECT_EQ(first.value, "320");
    ASSERT_EQ(first.grid.rowCount(), 3);
    EXPECT_EQ(first.grid.cell(1, 0), "Hesap  Kodu");
    EXPECT_EQ(first.grid.cell(0, 2), "2");  // numbered anew
    EXPECT_EQ(first.grid.cell(2, 2), "3,00");
    EXPECT_EQ(first.shape.recordLines, (std::vector<std::int32_t>{10, 30}));
    EXPECT_EQ(first.shape.columns.size(), 4u);
    EXPECT_EQ(groups[2].value, "");

    std::vector<std::string> many;
    for (std::size_t i = 0; i <= kMaxGroups; ++i) many.push_back(std::to_string(i));
    CleanShape manyShape;
    EXPECT_TRUE(groupsOf(tableOf(many, manyShape), manyShape, 1).empty());
}

}  // namespace
}  // namespace tablamo
