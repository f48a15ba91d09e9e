#pragma once
/// The text rules every part of the program reads the same way: file suffixes, the decimal
/// number grammar and the order of a short date.

#include <optional>
#include <string>
#include <string_view>

#include "core/regional_settings.h"

namespace tablamo {

/// Whether `text` ends in `suffix`, ASCII letters compared without regard to case
/// ("rapor.CSV" ends in ".csv").
bool endsWithNoCase(std::string_view text, std::string_view suffix);

/// The Windows-1254 text in capitals without Turkish marks, for comparing words the way a
/// reader does: "Sayfa Toplamı", "SAYFA TOPLAMI" and "SAYFA TOPLAMİ" all give "SAYFA
/// TOPLAMI". Other bytes stay as they are.
std::string foldedUpper(std::string_view text);
/// foldedUpper into `out`, which keeps its storage from call to call.
void foldUpperInto(std::string_view text, std::string& out);

/// How a text is read as a decimal number besides its separator.
struct DecimalRules {
    char separator = '.';         ///< the one decimal separator allowed
    bool bareSeparator = false;   ///< a separator without any digit (",") reads as 0
    bool blanksAnywhere = false;  ///< blanks inside are passed over, not only around it
};

/// What a scan of the decimal grammar found: optional blanks, an optional sign, digits with
/// at most one separator, an optional exponent (E or e, an optional sign, digits), optional
/// blanks, and nothing else. Thousands separators are not part of it.
struct DecimalForm {
    bool valid = false;
    bool negative = false;  ///< a "-" sign
    bool nonZero = false;   ///< a digit of the mantissa other than 0
    bool exponent = false;
};

/// Scans the text by the grammar; allocates nothing.
DecimalForm scanDecimal(std::string_view text, const DecimalRules& rules);

/// The value of a text that scans valid, read without the C library's locale. Nothing when
/// it does not scan or lies beyond the range of a double (a value too small for one reads as
/// nothing too). Allocates only for texts of unusual length.
std::optional<double> decimalValue(std::string_view text, const DecimalRules& rules);

/// Where the value of a text that scans valid lies against the range of the 80-bit extended
/// type a report's numbers are read in: zero or too small for it (it reads as 0), within it,
/// or beyond it (then the text is no number). Worked out from the digits and the exponent
/// alone, so that every platform agrees whatever its own long double holds.
enum class ExtendedRange { Zero, Within, Beyond };
ExtendedRange extendedRangeOf(std::string_view text, const DecimalRules& rules);

/// The separator and the day-month-year order of a short date format.
struct ShortDateFormat {
    char separator = '/';
    DateOrder order = DateOrder::MonthDayYear;
};

/// A short date format from its fields in the order they stand ('d', 'm', 'y', as many as
/// the format names) and the first character between two of them (0 for none). A format
/// that does not name all three gives the C locale's month/day/year with "/"; a blank or a
/// character outside ASCII is no separator and leaves "/".
ShortDateFormat shortDateFormatOf(std::string_view fieldOrder, char separator);

}  // namespace tablamo
