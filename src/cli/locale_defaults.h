#pragma once
/// The converter's regional defaults: on one machine the same as the window's. The window
/// takes them from Qt's locale data for the locale the environment names; the converter
/// looks the same name up in a table made from those data (locale_table.inc), without Qt.
/// On Windows both read the user's regional settings instead (the platform layer's
/// systemRegionalSettings()).

#include <span>
#include <string>
#include <string_view>

#include "core/regional_settings.h"
#include "core/text_rules.h"

namespace tablamo::cli {

/// The window's regional settings for one locale name.
struct LocaleEntry {
    std::string_view name;  ///< "tr", "tr_TR", "sr_Latn", "sr_Latn_RS"
    char decimalSeparator;
    char dateSeparator;
    DateOrder dateOrder;
};

/// The table's entries, sorted by name; a name left out falls back to the name without its
/// last part, and a language left out to the C locale.
std::span<const LocaleEntry> localeEntries();

/// The regional settings the window takes for the locale `name` as the environment gives it
/// ("tr_TR.UTF-8", "de_DE@euro", "C"): the codeset and modifier do not count, nor the case
/// of the letters; a territory or script the data lack falls back to the language's
/// settings, an unknown language to the C locale's.
RegionalSettings regionalOfLocale(std::string_view name);

/// The locale name a category takes from the environment, as Qt and the C library read it:
/// LC_ALL when set, else the category's own variable, else LANG, else "C".
std::string localeNameOf(std::string_view all, std::string_view category, std::string_view lang);

/// The decimal separator the window takes: on Windows the user's regional settings', else
/// the environment's locale's (LC_ALL, LC_NUMERIC, LANG).
char localeDecimalSeparator();

/// The date separator and order the window takes: on Windows the user's regional
/// settings', else the environment's locale's (LC_ALL, LC_TIME, LANG).
ShortDateFormat localeShortDateFormat();

/// Whether help is given in Turkish: the locale LC_ALL, LC_MESSAGES or LANG names is a
/// Turkish one ("tr_TR.UTF-8"); without one named (as on Windows), the language the system
/// shows its texts in is.
bool turkishHelp();

}  // namespace tablamo::cli
