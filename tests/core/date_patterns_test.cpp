#include "core/date_patterns.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

struct Case {
    const char* format;
    char separator;
    DateOrder order;
};

TEST(DatePatterns, ShortDateFormatOfACLibraryFormat) {
    const Case cases[] = {
        {"%d.%m.%Y", '.', DateOrder::DayMonthYear},  // Turkish
        {"%m/%d/%y", '/', DateOrder::MonthDayYear},  // the C locale, American English
        {"%d/%m/%Y", '/', DateOrder::DayMonthYear},  // British English
        {"%Y-%m-%d", '-', DateOrder::YearMonthDay},  // Swedish
        {"%F", '-', DateOrder::YearMonthDay},
        {"%D", '/', DateOrder::MonthDayYear},
        {"%e.%m.%Y", '.', DateOrder::DayMonthYear},
        {"%Od/%Om/%Ey", '/', DateOrder::DayMonthYear},
        {"%Y. %m. %d.", '.', DateOrder::YearMonthDay},  // Hungarian: the blank is no separator
        {"", '/', DateOrder::MonthDayYear},
        {"%H:%M", '/', DateOrder::MonthDayYear},
    };
    for (const auto& c : cases) {
        const ShortDateFormat f = shortDateFormatOfCFormat(c.format);
        EXPECT_EQ(f.separator, c.separator) << c.format;
        EXPECT_EQ(f.order, c.order) << c.format;
    }
}

TEST(DatePatterns, ShortDateFormatOfAWindowsPattern) {
    const Case cases[] = {
        {"dd.MM.yyyy", '.', DateOrder::DayMonthYear},  // Turkish
        {"M/d/yyyy", '/', DateOrder::MonthDayYear},    // American English
        {"dd/MM/yyyy", '/', DateOrder::DayMonthYear},  // British English
        {"yyyy-MM-dd", '-', DateOrder::YearMonthDay},  // Swedish
        {"d.M.yyyy", '.', DateOrder::DayMonthYear},    // German
        {"yyyy. MM. dd.", '.', DateOrder::YearMonthDay},
        {"ddd dd.MM.yy", '.', DateOrder::DayMonthYear},  // a weekday name is no field
        {"dd'/'MM'/'yyyy", '/', DateOrder::DayMonthYear},
        {"'Tarih: 'dd-MM-yyyy", '-', DateOrder::DayMonthYear},  // quoted letters name nothing
        {"gg yyyy/MM/dd", '/', DateOrder::YearMonthDay},
        {"", '/', DateOrder::MonthDayYear},
        {"HH:mm", '/', DateOrder::MonthDayYear},
    };
    for (const auto& c : cases) {
        const ShortDateFormat f = shortDateFormatOfWindowsPattern(c.format);
        EXPECT_EQ(f.separator, c.separator) << c.format;
        EXPECT_EQ(f.order, c.order) << c.format;
    }
}

}  // namespace
}  // namespace tablamo
