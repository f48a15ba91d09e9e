#pragma once
/// How the window shows a clean table's typed cells without changing them: amounts with
/// the thousands grouped, dates read back for the region's own short form.

#include <optional>
#include <string>
#include <string_view>

#include "core/calendar.h"
#include "core/regional_settings.h"

namespace tablamo {

/// Writes an amount cell as the clean table writes it (an optional minus, digits, then
/// `decimal` and more digits) into `out` with `group` between every three digits of the
/// whole part: "-1234567,89" gives "-1.234.567,89" for the group ".". False, `out`
/// untouched, for a cell of any other form (an edited text, a blank) or a `group` that is
/// empty or the decimal separator itself.
bool groupAmount(std::string_view cell, char decimal, std::string_view group, std::string& out);

/// Reads a date cell as the clean table writes it (the user's short date: formatShortDate
/// in `regional`); nothing for a cell of any other form.
std::optional<Date> readDateCell(std::string_view cell, const RegionalSettings& regional);

}  // namespace tablamo
