#pragma once
/// A short date format written in the letters Windows and Qt write it with, read into a
/// separator and an order.

#include <string_view>

#include "core/text_rules.h"

namespace tablamo {

/// The separator and order of a short date pattern such as "dd.MM.yyyy" (Windows' and Qt's
/// letters): "d" and "dd" the day, "M" to "MMMM" the month, "y" to "yyyy" the year; a weekday
/// ("ddd"), an era ("g") and text in quotes name no field and give no separator; the separator is
/// the first character other than a letter after the first field. Likewise "M/d/yyyy" for one that
/// names no day, month and year.
ShortDateFormat shortDateFormatOfPattern(std::string_view pattern);

}  // namespace tablamo
