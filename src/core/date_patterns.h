#pragma once
/// The user's short date format as the system writes it, read into a separator and an order.

#include <string_view>

#include "core/text_rules.h"

namespace tablamo {

/// The separator and order of a C library date format such as "%d.%m.%Y" (the first
/// character between the fields is the separator; "%F" and "%D" count as written out).
/// The C locale's "%m/%d/%y" for a format that names no day, month and year.
ShortDateFormat shortDateFormatOfCFormat(std::string_view format);

/// The separator and order of a Windows short date pattern such as "dd.MM.yyyy" ("d" and
/// "dd" the day, "M" to "MMMM" the month, "y" to "yyyy" the year; a weekday "ddd", an era
/// "g" and text in quotes name no field). Likewise "M/d/yyyy" for one that names no day,
/// month and year.
ShortDateFormat shortDateFormatOfWindowsPattern(std::string_view pattern);

}  // namespace tablamo
