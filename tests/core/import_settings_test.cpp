#include "core/import_settings.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/grid.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

TEST(StrToInt, ReadsAsThePlatformDoes) {
    const std::pair<const char*, std::int32_t> good[] = {
        {"12", 12},
        {" 12", 12},
        {"   -7", -7},
        {"+5", 5},
        {"$1F", 31},
        {"x1f", 31},
        {"X10", 16},
        {"0x10", 16},
        {"0X1a", 26},
        {"-$10", -16},
        {"0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : good) EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(StrToInt, RefusesWithTheFieldTextQuoted) {
    for (const char* text : {"12 ", "", " ", "1 2", "12x", "+", "-", "$", "0x", "1.5", "2147483648",
                             "-2147483649", "$100000000", "\t12"}) {
        EXPECT_THROW_MSG(StrToInt(text),
                         std::string("'") + text + "' is not a valid integer value");
    }
}

TEST(ImportSettings, DefaultsAreTheFormsDefaults) {
    const ReportLayout s;
    EXPECT_EQ(s.StartRow, "1");
    EXPECT_EQ(s.StartColumn, "1");
    EXPECT_EQ(s.SearchCriterion, "----------");
    EXPECT_EQ(s.FieldSeparator, " ");
    EXPECT_EQ(s.FrameCriterion, std::string(12, '\xCD'));
    EXPECT_EQ(s.FrameSeparator, "\xD1");
    const int expected[] = {10, 12, 39, 19, 19, 19, 19, 19, 19, 19,
                            10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    for (int k = 1; k <= 20; ++k) EXPECT_EQ(s.columnWidth(k), expected[k - 1]) << k;
    EXPECT_TRUE(s.AutoColumnSearch);
    EXPECT_TRUE(s.LedgerMarks);
    EXPECT_TRUE(ImportSettings().OpenExcelAfterSave);
}

TEST(ImportSettings, WidthsAreWrittenAsDecimalTexts) {
    ReportLayout s;
    s.setColumnWidth(3, -1);
    s.setColumnWidth(20, 0);
    EXPECT_EQ(s.ColumnWidths[2], "-1");
    EXPECT_EQ(s.ColumnWidths[19], "0");
}

TEST(NumberGridHeaders, LabelsOnlyTheHeaders) {
    Grid g;
    g.setCell(0, 0, "keep");
    g.setCell(4, 4, "data");
    NumberGridHeaders(g);
    EXPECT_EQ(g.cell(0, 0), "keep");
    EXPECT_EQ(g.cell(0, 1), "1");
    EXPECT_EQ(g.cell(0, 24), "24");
    EXPECT_EQ(g.cell(1, 0), "A");
    EXPECT_EQ(g.cell(20, 0), "T");
    EXPECT_EQ(g.cell(4, 4), "data");
}

}  // namespace
}  // namespace tablamo
