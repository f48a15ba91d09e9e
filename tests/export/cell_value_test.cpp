#include "export/cell_value.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

constexpr Date kToday{2026, 12, 8};
const RegionalSettings kTurkish = RegionalSettings::turkish();
const RegionalSettings kUs{'.', '/', DateOrder::MonthDayYear};
const RegionalSettings kIso{'.', '-', DateOrder::YearMonthDay};

using Kind = CellValue::Kind;

struct Case {
    const char* text;
    const RegionalSettings* regional;
    Kind kind;
    double number;  // for numbers
    Date date;      // for dates
};

TEST(CellValue, TypesEachCellByTheRegionalSettings) {
    const Case cases[] = {
        // Dates on a Turkish system: "/" stands for the separator.
        {"31/12/2005", &kTurkish, Kind::Date, 0, {2005, 12, 31}},
        {"31.12.2005", &kTurkish, Kind::Date, 0, {2005, 12, 31}},
        {" 31 . 12 . 2005 . ", &kTurkish, Kind::Date, 0, {2005, 12, 31}},
        {"31.12/2005", &kTurkish, Kind::Date, 0, {2005, 12, 31}},
        {"12.05", &kTurkish, Kind::Date, 0, {2026, 5, 12}},
        {"12.05.", &kTurkish, Kind::Date, 0, {2026, 5, 12}},
        {"1.1.2000", &kTurkish, Kind::Date, 0, {2000, 1, 1}},
        {"29.02.2024", &kTurkish, Kind::Date, 0, {2024, 2, 29}},
        {"0005.0001.1999", &kTurkish, Kind::Date, 0, {1999, 1, 5}},
        // Years written with one or two digits: 1976 to 2075 in 2026.
        {"05.01.99", &kTurkish, Kind::Date, 0, {1999, 1, 5}},
        {"05.01.30", &kTurkish, Kind::Date, 0, {2030, 1, 5}},
        {"05.01.76", &kTurkish, Kind::Date, 0, {1976, 1, 5}},
        {"05.01.75", &kTurkish, Kind::Date, 0, {2075, 1, 5}},
        {"5.1.0", &kTurkish, Kind::Date, 0, {2000, 1, 5}},
        {"05.01.099", &kTurkish, Kind::Date, 0, {99, 1, 5}},
        // Not dates: no such day, too many parts, doubled or stray separators.
        {"29.02.2026", &kTurkish, Kind::Text, 0, {}},
        {"31.04.2026", &kTurkish, Kind::Text, 0, {}},
        {"29.02", &kTurkish, Kind::Text, 0, {}},
        {"00.05", &kTurkish, Kind::Text, 0, {}},
        {"31.12.2005..", &kTurkish, Kind::Text, 0, {}},
        {"31..12", &kTurkish, Kind::Text, 0, {}},
        {".31.12", &kTurkish, Kind::Text, 0, {}},
        {"31.12.2005.1", &kTurkish, Kind::Text, 0, {}},
        {"31.12.2005 x", &kTurkish, Kind::Text, 0, {}},
        {"31.12.10000", &kTurkish, Kind::Text, 0, {}},
        {"1.234,56", &kTurkish, Kind::Text, 0, {}},
        {"12.345", &kTurkish, Kind::Text, 0, {}},
        // Numbers, negative ones included.
        {"150,75", &kTurkish, Kind::Number, 150.75, {}},
        {"-0,5", &kTurkish, Kind::Number, -0.5, {}},
        {"-1", &kTurkish, Kind::Number, -1, {}},
        {"-250", &kTurkish, Kind::Number, -250, {}},
        {"-1234,56", &kTurkish, Kind::Number, -1234.56, {}},
        {" +42 ", &kTurkish, Kind::Number, 42, {}},
        {"7,", &kTurkish, Kind::Number, 7, {}},
        {",5", &kTurkish, Kind::Number, 0.5, {}},
        {"1e3", &kTurkish, Kind::Number, 1000, {}},
        {"1,5E-2", &kTurkish, Kind::Number, 0.015, {}},
        {"0", &kTurkish, Kind::Number, 0, {}},
        // Not numbers.
        {"", &kTurkish, Kind::Text, 0, {}},
        {"abc", &kTurkish, Kind::Text, 0, {}},
        {",", &kTurkish, Kind::Text, 0, {}},
        {"-", &kTurkish, Kind::Text, 0, {}},
        {"1,2,3", &kTurkish, Kind::Text, 0, {}},
        {"1e", &kTurkish, Kind::Text, 0, {}},
        {"1 000", &kTurkish, Kind::Text, 0, {}},
        {"150.75", &kTurkish, Kind::Text, 0, {}},
        {"1e400", &kTurkish, Kind::Text, 0, {}},
        {"inf", &kTurkish, Kind::Text, 0, {}},
        {"0x10", &kTurkish, Kind::Text, 0, {}},
        // Month first, "." for decimals.
        {"12/31/2005", &kUs, Kind::Date, 0, {2005, 12, 31}},
        {"5/12", &kUs, Kind::Date, 0, {2026, 5, 12}},
        {"31/12/2005", &kUs, Kind::Text, 0, {}},
        {"12.05", &kUs, Kind::Number, 12.05, {}},
        {"1,234.5", &kUs, Kind::Text, 0, {}},
        // Year first, "-" between the parts.
        {"2005-12-31", &kIso, Kind::Date, 0, {2005, 12, 31}},
        {"2005/12/31", &kIso, Kind::Date, 0, {2005, 12, 31}},
        {"99-01-05", &kIso, Kind::Date, 0, {1999, 1, 5}},
        {"12-31", &kIso, Kind::Date, 0, {2026, 12, 31}},
        {"-12", &kIso, Kind::Number, -12, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CellValue v = cellValue(c.text, *c.regional, kToday);
        EXPECT_EQ(v.text, c.text);
        ASSERT_EQ(v.kind, c.kind);
        if (c.kind == Kind::Number) {
            EXPECT_DOUBLE_EQ(v.number, c.number);
        }
        if (c.kind == Kind::Date) {
            EXPECT_EQ(v.date, c.date);
        }
    }
}

TEST(CellValue, LongNumbersReadInFullAndOutOfRangeOnesStayText) {
    // Longer than the reader's stack buffer.
    const std::string digits = "1" + std::string(300, '0') + "," + std::string(50, '0');
    const auto value = readNumber(digits, ',');
    ASSERT_TRUE(value);
    EXPECT_DOUBLE_EQ(*value, 1e300);
    EXPECT_FALSE(readNumber("1" + std::string(400, '0'), ','));
}

TEST(CellValue, TheCurrentYearComesFromTheClock) {
    const CellValue early = cellValue("12.05", kTurkish, {1990, 1, 1});
    EXPECT_EQ(early.date, (Date{1990, 5, 12}));
    // The two-digit window moves with the clock: 1940 to 2039 in 1990.
    EXPECT_EQ(cellValue("05.01.39", kTurkish, {1990, 1, 1}).date, (Date{2039, 1, 5}));
    EXPECT_EQ(cellValue("05.01.40", kTurkish, {1990, 1, 1}).date, (Date{1940, 1, 5}));
    const Date now = Clock().today();
    EXPECT_TRUE(isValidDate(now));
    EXPECT_GE(now.year, 2024);
}

}  // namespace
}  // namespace tablamo
