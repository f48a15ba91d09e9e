#include "core/date_patterns.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

TEST(DatePatterns, ShortDateFormatOfAWindowsPattern) {
    const struct {
        const char* pattern;
        char separator;
        DateOrder order;
    } cases[] = {
        {"dd.MM.yyyy", '.', DateOrder::DayMonthYear},  // Turkish
        {"M/d/yyyy", '/', DateOrder::MonthDayYear},    // American English
        {"dd/MM/yyyy", '/', DateOrder::DayMonthYear},  // British English
        {"yyyy-MM-dd", '-', DateOrder::YearMonthDay},  // Swedish
        {"d.M.yyyy", '.', DateOrder::DayMonthYear},    // German
        {"yyyy. MM. dd.", '.', DateOrder::YearMonthDay},
        {"ddd dd.MM.yy", '.', DateOrder::DayMonthYear},         // a weekday name is no field
        {"'Tarih: 'dd-MM-yyyy", '-', DateOrder::DayMonthYear},  // quoted letters name nothing
        {"dd'/'MM'/'yyyy", '/', DateOrder::DayMonthYear},       // quoted text is no separator
        {"dd'.'MM'.'yyyy", '/', DateOrder::DayMonthYear},       // ... so "/" stays
        {"gg yyyy/MM/dd", '/', DateOrder::YearMonthDay},
        {"dd\xE2\x80\xA4MM\xE2\x80\xA4yyyy", '/', DateOrder::DayMonthYear},  // not ASCII
        {"", '/', DateOrder::MonthDayYear},
        {"HH:mm", '/', DateOrder::MonthDayYear},
    };
    for (const auto& c : cases) {
        const ShortDateFormat f = shortDateFormatOfPattern(c.pattern);
        EXPECT_EQ(f.separator, c.separator) << c.pattern;
        EXPECT_EQ(f.order, c.order) << c.pattern;
    }
}

}  // namespace
}  // namespace tablamo
