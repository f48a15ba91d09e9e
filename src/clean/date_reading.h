#pragma once
/// Reading a report's dates in the order they are written (the user's where it fits), and
/// writing them as the user's short date. Every importer types its clean table with these.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/calendar.h"
#include "core/regional_settings.h"

namespace tablamo {

/// The orders a date can be written in, as bits.
enum DateOrderBits : std::uint8_t {
    kDayMonthYearBit = 1,
    kMonthDayYearBit = 2,
    kYearMonthDayBit = 4,
};

/// The bit of one order.
std::uint8_t bitOf(DateOrder order);

/// The orders in which the text is a valid date: three numbers parted by one kind of
/// separator ("." "/" "-"), a year of two or four digits last (or of four digits first); or
/// a day, a Turkish month's name or its first three letters and a year ("02 Oca 2024", "2
/// Ocak 2024", "02.OCA.2024"; code page 857 or Windows-1254), day-month-year only. A
/// two-digit year falls in `years`.
std::uint8_t dateOrdersOf(std::string_view text, YearWindow years);

/// The same, and the date read in `order` (nothing when it is none in that order), in one
/// look at the text.
std::uint8_t dateOrdersOf(std::string_view text, DateOrder order, YearWindow years,
                          std::optional<Date>& date);

/// The order a column of dates is read in: the user's when every date reads in it, else
/// the first of day-month-year, year-month-day and month-day-year that all read in.
/// Nothing when `orders` (the bits every date allows) is empty.
std::optional<DateOrder> chooseDateOrder(std::uint8_t orders, DateOrder regional);

/// Reads the text as a date in `order` (a month's name in day-month-year); a two-digit year
/// falls in `years`.
std::optional<Date> readReportDate(std::string_view text, DateOrder order, YearWindow years);

/// Reads eight digits written together as day, month and year (01022010).
std::optional<Date> readPackedDate(std::string_view text);

/// Writes the date as the user's short date: day, month (two digits each) and the
/// four-digit year in the regional order, parted by the date separator. `out` needs 16
/// bytes. Returns the length.
std::size_t formatShortDate(const Date& date, const RegionalSettings& regional, char* out);

}  // namespace tablamo
