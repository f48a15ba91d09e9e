// What the window keeps and shows besides the cells: the reports opened last, and a clean
// table's amounts and dates as the region writes them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/recent_reports.h"
#include "commands/table_display.h"

namespace tablamo {
namespace {

std::vector<std::string> pathsOf(const RecentReports& list) {
    std::vector<std::string> paths;
    for (const RecentReport& r : list.entries()) paths.push_back(r.path);
    return paths;
}

TEST(RecentReports, NewestFirstOncePerPathAtMostTen) {
    RecentReports list;
    for (const char* p : {"/a.txt", "/b.txt", "/c.txt"}) list.add({p, false});
    EXPECT_EQ(pathsOf(list), (std::vector<std::string>{"/c.txt", "/b.txt", "/a.txt"}));
    // Opened again, as a statement this time: first, once, with the new kind.
    list.add({"/a.txt", true});
    EXPECT_EQ(pathsOf(list), (std::vector<std::string>{"/a.txt", "/c.txt", "/b.txt"}));
    EXPECT_TRUE(list.entries().front().statement);
    EXPECT_TRUE(list.remove("/c.txt"));
    EXPECT_FALSE(list.remove("/c.txt"));
    EXPECT_EQ(pathsOf(list), (std::vector<std::string>{"/a.txt", "/b.txt"}));
    for (int i = 0; i < 12; ++i) list.add({"/r" + std::to_string(i) + ".txt", false});
    ASSERT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries().front().path, "/r11.txt");
    EXPECT_EQ(list.entries().back().path, "/r2.txt");
}

TEST(RecentReports, AStoredListKeepsItsOrderWithoutBlanksOrRepeats) {
    std::vector<RecentReport> stored = {
        {"/x.txt", true}, {"", false}, {"/y.txt", false}, {"/x.txt", false}};
    for (int i = 0; i < 12; ++i) stored.push_back({"/z" + std::to_string(i), false});
    const RecentReports list(stored);
    ASSERT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries()[0], (RecentReport{"/x.txt", true}));  // the newer of the two
    EXPECT_EQ(list.entries()[1].path, "/y.txt");
    EXPECT_EQ(list.entries()[9].path, "/z7");
}

TEST(GroupAmount, ThousandsOfTheWholePartOnlyAndOnlyForAnAmount) {
    struct Case {
        const char* cell;
        char decimal;
        const char* group;
        const char* shown;  // nullptr: not an amount, shown as it is
    };
    const Case cases[] = {
        {"1234567,89", ',', ".", "1.234.567,89"},
        {"-1234,5", ',', ".", "-1.234,5"},
        {"999,00", ',', ".", "999,00"},
        {"1000", ',', ".", "1.000"},
        {"100000", ',', ".", "100.000"},
        {"0,00", ',', ".", "0,00"},
        {"1234567.5", '.', ",", "1,234,567.5"},
        {"1234,56", ',', "\u202F", "1\u202F234,56"},  // a narrow blank, as French writes
        {"1234,56", ',', ",", nullptr},               // a group like the decimal reads two ways
        {"1234,56", ',', "", nullptr},
        {"", ',', ".", nullptr},
        {"-", ',', ".", nullptr},
        {",50", ',', ".", nullptr},
        {"12,", ',', ".", nullptr},
        {"1.234,00", ',', ".", nullptr},  // an edited cell keeps what the user wrote
        {"12a4,00", ',', ".", nullptr},
        {"1234,5x", ',', ".", nullptr},
        {"--12", ',', ".", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        std::string out = "before";
        const bool grouped = groupAmount(c.cell, c.decimal, c.group, out);
        EXPECT_EQ(grouped, c.shown != nullptr);
        EXPECT_EQ(out, c.shown ? c.shown : "before");
    }
}

TEST(ReadDateCell, TheRegionalShortDateTheCleanTableWrites) {
    const RegionalSettings turkish = RegionalSettings::turkish();
    const RegionalSettings american{'.', '/', DateOrder::MonthDayYear};
    struct Case {
        const char* cell;
        RegionalSettings regional;
        std::optional<Date> date;
    };
    const Case cases[] = {
        {"05.01.2005", turkish, Date{2005, 1, 5}},
        {"01/05/2005", american, Date{2005, 1, 5}},
        {"05.01.2005", american, std::nullopt},  // not this region's separator
        {"31.02.2005", turkish, std::nullopt},
        {"Ocak", turkish, std::nullopt},
        {"", turkish, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(readDateCell(c.cell, c.regional), c.date);
    }
}

}  // namespace
}  // namespace tablamo
