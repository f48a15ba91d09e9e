#pragma once
/// Calendar dates as the importers read them and the workbook writes them, today's date, and
/// the one rule for years written with two digits.

namespace tablamo {

/// A calendar date without time of day.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

/// Whether the date exists in the Gregorian calendar (years 1 to 9999).
bool isValidDate(const Date& date);

/// Where "today" comes from: the local date of the system. Tests put a fixed date in.
class Clock {
public:
    virtual ~Clock() = default;
    /// The current local date.
    virtual Date today() const;
};

/// The years a year written with one or two digits stands for, as the regional settings
/// read short dates: the 100 years that begin 50 years before the current one (in 2026,
/// 1976 to 2075). The workbook's typing and the clean table both read years by it.
class YearWindow {
public:
    /// The 100 years that begin `back` years before the year of `today`.
    explicit YearWindow(const Date& today, int back = 50)
        : m_first(today.year - back), m_century(m_first - m_first % 100) {}
    /// The full year of `shortYear` (0 to 99).
    int fullYear(int shortYear) const {
        const int year = m_century + shortYear;
        return year < m_first ? year + 100 : year;
    }

private:
    int m_first;    // the window's first year
    int m_century;  // the first year of its century
};

}  // namespace tablamo
