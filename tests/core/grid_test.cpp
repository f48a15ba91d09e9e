#include "core/grid.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

TEST(Grid, StartsWith25EmptyRowsAndDefaultMetrics) {
    Grid g;
    EXPECT_EQ(g.rowCount(), 25);
    EXPECT_EQ(g.colCount(), 21);
    EXPECT_EQ(g.colWidth(0), 30);
    for (int c = 1; c < 21; ++c) EXPECT_EQ(g.colWidth(c), 100);
    EXPECT_EQ(g.rowHeight(7), 24);
    EXPECT_EQ(g.font().face, "Times New Roman");
    EXPECT_EQ(g.font().color, 0x0066CCu);
    EXPECT_EQ(g.cell(3, 3), "");
}

TEST(Grid, WritesOutsideTheTableChangeNothing) {
    Grid g;
    g.setRowCount(3);
    const std::pair<int, int> outside[] = {{1, 3}, {1, 100}, {1, -1}, {-1, 1}, {21, 1}};
    for (const auto& [c, r] : outside) {
        SCOPED_TRACE(::testing::Message() << c << "," << r);
        g.setCell(c, r, "x");
        EXPECT_EQ(g.cell(c, r), "");
    }
    EXPECT_EQ(g.rowCount(), 3);
    g.setRowCount(10);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 21; ++c) EXPECT_EQ(g.cell(c, r), "") << c << "," << r;
}

TEST(Grid, CellsKeepTheirBytesThroughRewrites) {
    Grid g;
    g.setCell(5, 2, "\xDDzmir");
    g.setCell(20, 2, std::string(70000, 'x'));  // longer than a short length field
    g.setCell(1, 2, std::string("a\0b", 3));
    g.setCell(7, 3, std::string(300, 'y'));  // longer than a byte counts
    g.setCell(8, 3, "z");
    EXPECT_EQ(g.cell(7, 3), std::string(300, 'y'));
    EXPECT_EQ(g.cell(8, 3), "z");
    EXPECT_EQ(g.cell(5, 2), "\xDDzmir");
    EXPECT_EQ(g.cell(20, 2).size(), 70000u);
    EXPECT_EQ(g.cell(1, 2), std::string_view("a\0b", 3));
    g.setCell(5, 2, "");
    EXPECT_EQ(g.cell(5, 2), "");
    EXPECT_EQ(g.cell(1, 2), std::string_view("a\0b", 3));
    // A row written from views into itself.
    Grid::RowCells cells = g.row(2);
    std::swap(cells[1], cells[20]);
    g.setRow(2, cells);
    EXPECT_EQ(g.cell(1, 2).size(), 70000u);
    EXPECT_EQ(g.cell(20, 2), std::string_view("a\0b", 3));
}

TEST(Grid, ShortRowNumbersAloneCostNoStorageAndReadBackExactly) {
    Grid g;
    g.setRowCount(200'000);
    const std::size_t before = g.storageBytes();
    for (int r = 1; r < g.rowCount(); ++r) g.setCell(0, r, std::to_string(r));
    EXPECT_EQ(g.storageBytes(), before);  // all held in the row references
    EXPECT_EQ(g.cell(0, 199'999), "199999");
    const std::string_view cases[] = {"1", "1234567", std::string_view("a\0b", 3), "12345678",
                                      "\xFF\xFF"};
    for (const std::string_view text : cases) {
        g.setCell(0, 7, text);
        EXPECT_EQ(g.cell(0, 7), text);
        EXPECT_EQ(g.row(7)[0], text);
        for (int c = 1; c < 21; ++c) EXPECT_EQ(g.cell(c, 7), "");
    }
    // A data cell moves the row to the blocks; emptying it brings the short form back.
    g.setCell(0, 8, "8");
    g.setCell(3, 8, "data");
    EXPECT_EQ(g.cell(0, 8), "8");
    EXPECT_EQ(g.cell(3, 8), "data");
    g.setCell(3, 8, "");
    EXPECT_EQ(g.cell(0, 8), "8");
    EXPECT_EQ(g.cell(3, 8), "");
    g.setCell(0, 9, "");
    g.setCell(2, 9, "x");  // a row whose column 0 is empty
    EXPECT_EQ(g.cell(0, 9), "");
    EXPECT_EQ(g.cell(2, 9), "x");
}

TEST(Grid, ShrinkingDropsRowsForGood) {
    Grid g;
    g.setCell(1, 20, "old");
    g.setRowHeight(20, 50);
    g.setRowCount(10);
    g.setRowCount(25);
    EXPECT_EQ(g.cell(1, 20), "");
    EXPECT_EQ(g.rowHeight(20), 24);
}

TEST(Grid, AMillionRowsCostLittleMoreThanTheirText) {
    Grid g;
    g.setRowCount(1'000'000);
    std::size_t text = 0;
    Grid::RowCells cells{};
    cells[1] = "01.01.2005";
    cells[2] = "Kasa hesab\xFD";
    cells[3] = "1.500,00";
    for (int r = 0; r < g.rowCount(); ++r) g.setRow(r, cells);
    for (const auto& c : cells) text += c.size();
    text *= 1'000'000;
    EXPECT_LT(g.storageBytes(), text * 2);
    EXPECT_EQ(g.cell(2, 999'999), "Kasa hesab\xFD");
}

TEST(Grid, RowsWrittenAgainGiveTheirRoomBack) {
    // Every row of a large grid edited many times over: the storage stays a small multiple
    // of what the rows hold, and every edit reads back.
    Grid g;
    g.setRowCount(200'000);
    Grid::RowCells cells{};
    cells[1] = "01.01.2005";
    cells[2] = "Kasa hesab\xFD ve ba\xFEka bir a\xE7\xFDklama";
    for (int r = 0; r < g.rowCount(); ++r) g.setRow(r, cells);
    const std::size_t full = g.storageBytes();
    for (int pass = 0; pass < 12; ++pass) {
        const std::string text = "d\xFCzeltme " + std::to_string(pass);
        for (int r = 0; r < g.rowCount(); ++r) g.setCell(3, r, text);
    }
    EXPECT_LT(g.storageBytes(), 3 * full);
    EXPECT_EQ(g.cell(3, 123'456), "d\xFCzeltme 11");
    EXPECT_EQ(g.cell(2, 199'999), cells[2]);
    // Rows cleared wholesale give theirs back at once.
    g.clearRows(1, g.rowCount() - 1);
    EXPECT_LT(g.storageBytes(), full / 8);
    EXPECT_EQ(g.cell(3, 0), "d\xFCzeltme 11");
    EXPECT_EQ(g.cell(3, 1), "");
}

TEST(Grid, AWiderTableKeepsEveryColumn) {
    Grid g;
    g.setColCount(40);
    Grid::RowCells cells(40);
    for (std::size_t c = 0; c < 40; ++c) cells[c] = c % 2 ? "tek" : "\xE7ift";
    g.setRow(3, cells);
    EXPECT_EQ(g.colCount(), 40);
    EXPECT_EQ(g.row(3).size(), 40u);
    EXPECT_EQ(g.cell(39, 3), "tek");
    EXPECT_EQ(g.colWidth(39), 100);
    // Narrowed, the far columns are out of sight; widened again, they are empty.
    g.setColCount(21);
    EXPECT_EQ(g.cell(30, 3), "");
    EXPECT_EQ(g.row(3).size(), 21u);
    g.setCell(2, 3, "x");
    g.setColCount(40);
    EXPECT_EQ(g.cell(2, 3), "x");
    EXPECT_EQ(g.cell(30, 3), "");
    // Rows read one after the other into the same cells: none keeps a text of the row before.
    Grid::RowCells read;
    for (const int r : {3, 4, 0, 3}) {
        g.readRow(r, read);
        ASSERT_EQ(read.size(), 40u) << r;
        EXPECT_EQ(read[2], r == 3 ? "x" : "") << r;
        EXPECT_EQ(read[39], "") << r;
    }
}

TEST(Grid, EnterMovesRightThenToTheNextRow) {
    Grid g;
    g.setCurrentCell(19, 4);
    moveOnEnter(g);
    EXPECT_EQ(g.currentCol(), 20);
    EXPECT_EQ(g.currentRow(), 4);
    moveOnEnter(g);
    EXPECT_EQ(g.currentCol(), 1);
    EXPECT_EQ(g.currentRow(), 5);
    g.setCurrentCell(20, 24);
    EXPECT_THROW_MSG(moveOnEnter(g), "Grid index out of range");
    EXPECT_EQ(g.currentCol(), 20);
    EXPECT_EQ(g.currentRow(), 24);
}

}  // namespace
}  // namespace tablamo
