#pragma once
/// Calendar dates as the importers read them and the workbook writes them.

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

}  // namespace tablamo
