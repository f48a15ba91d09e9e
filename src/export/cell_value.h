#pragma once
/// How the workbook export types a grid cell: a date, a number or a text, by the user's
/// regional settings.

#include <optional>
#include <string_view>

#include "core/calendar.h"
#include "core/regional_settings.h"

namespace tablamo {

/// Reads the whole text as a short date: two or three unsigned numbers separated by the
/// date separator ("/" counts as one too), blanks around each part, an optional trailing
/// separator. The numbers follow the regional day-month-year order; a missing year is
/// today's, a one- or two-digit year falls within the 100 years that begin 50 years before
/// today's. Nothing when the text is no short date or the date does not exist.
std::optional<Date> readShortDate(std::string_view text, const RegionalSettings& regional,
                                  const Date& today);

/// Reads the whole text as a number: blanks, an optional sign, digits with at most one
/// `decimalSeparator`, an optional exponent, blanks. No thousands separators. Nothing when
/// it does not read or lies outside the range of a double. Allocates nothing for texts of
/// ordinary length.
std::optional<double> readNumber(std::string_view text, char decimalSeparator);

/// One cell as the workbook receives it.
struct CellValue {
    enum class Kind { Text, Number, Date };
    Kind kind = Kind::Text;
    double number = 0;
    Date date{};
    std::string_view text;  ///< the cell's Windows-1254 text, always set
};

/// Types a cell: a short date first, then a number (negative numbers included), otherwise
/// the text unchanged. The empty text stays an (empty) text.
CellValue cellValue(std::string_view text, const RegionalSettings& regional, const Date& today);

}  // namespace tablamo
