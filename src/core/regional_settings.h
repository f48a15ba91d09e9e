#pragma once
/// The user's regional settings that the conversions and the workbook typing follow.

namespace tablamo {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

/// Decimal separator, date separator and the order of a short date. Passed explicitly to
/// every algorithm that needs them; never read from globals inside one.
struct RegionalSettings {
    char decimalSeparator = '.';
    char dateSeparator = '/';
    DateOrder dateOrder = DateOrder::DayMonthYear;

    /// A Turkish system: "," for decimals, "." between day, month and year.
    static RegionalSettings turkish() { return {',', '.', DateOrder::DayMonthYear}; }
};

}  // namespace tablamo
