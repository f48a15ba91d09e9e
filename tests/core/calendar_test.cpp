#include "core/calendar.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

// A year of two digits falls in the 100 years that begin 50 years before today's.
TEST(YearWindow, TwoDigitYearsAroundToday) {
    struct Case {
        int today, shortYear, full;
    };
    const Case cases[] = {
        {2026, 75, 2075}, {2026, 76, 1976}, {2026, 0, 2000},  {2026, 99, 1999},
        {1990, 39, 2039}, {1990, 40, 1940}, {2050, 99, 2099}, {2051, 0, 2100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(YearWindow(Date{c.today, 1, 1}).fullYear(c.shortYear), c.full)
            << c.today << " " << c.shortYear;
    }
}

}  // namespace
}  // namespace tablamo
