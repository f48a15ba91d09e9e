#include "cli/locale_defaults.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "core/platform/system.h"

namespace tablamo::cli {
namespace {

constexpr DateOrder DMY = DateOrder::DayMonthYear;
constexpr DateOrder MDY = DateOrder::MonthDayYear;
constexpr DateOrder YMD = DateOrder::YearMonthDay;

#include "cli/locale_table.inc"

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
char upperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }
bool allOf(std::string_view s, bool (*test)(char)) { return std::all_of(s.begin(), s.end(), test); }

const LocaleEntry* find(std::string_view name) {
    const auto entries = localeEntries();
    const auto at =
        std::lower_bound(entries.begin(), entries.end(), name,
                         [](const LocaleEntry& e, std::string_view n) { return e.name < n; });
    return at != entries.end() && at->name == name ? &*at : nullptr;
}

const char* environment(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? value : "";
}

}  // namespace

std::span<const LocaleEntry> localeEntries() { return kLocaleEntries; }

RegionalSettings regionalOfLocale(std::string_view name) {
    // language[_Script][_TERRITORY][.codeset][@modifier], "-" for "_" as well.
    name = name.substr(0, name.find_first_of(".@"));
    std::vector<std::string_view> parts;
    for (std::size_t from = 0; from <= name.size();) {
        const std::size_t end = std::min(name.find_first_of("_-", from), name.size());
        if (end > from) parts.push_back(name.substr(from, end - from));
        from = end + 1;
    }
    const LocaleEntry* found = nullptr;
    if (!parts.empty() && parts[0].size() >= 2 && parts[0].size() <= 3 &&
        allOf(parts[0], isLetter)) {
        std::string language, script, territory;
        for (const char c : parts[0]) language += lowerCase(c);
        for (std::size_t i = 1; i < parts.size(); ++i) {
            const std::string_view p = parts[i];
            if (p.size() == 4 && allOf(p, isLetter) && script.empty() && territory.empty()) {
                script += upperCase(p[0]);
                for (const char c : p.substr(1)) script += lowerCase(c);
            } else if (((p.size() == 2 && allOf(p, isLetter)) ||
                        (p.size() == 3 && allOf(p, isDigit))) &&
                       territory.empty()) {
                for (const char c : p) territory += upperCase(c);
            }
        }
        // The full name first, then one part fewer at a time: the territory goes first.
        std::string key = language;
        if (!script.empty()) key += "_" + script;
        if (!territory.empty()) key += "_" + territory;
        for (;;) {
            found = find(key);
            if (found || key == language) break;
            key.resize(key.rfind('_'));
        }
    }
    const LocaleEntry& e = found ? *found : kCLocale;
    return {e.decimalSeparator, e.dateSeparator, e.dateOrder};
}

std::string localeNameOf(std::string_view all, std::string_view category, std::string_view lang) {
    if (!all.empty()) return std::string(all);
    if (!category.empty()) return std::string(category);
    if (!lang.empty()) return std::string(lang);
    return "C";
}

char localeDecimalSeparator() {
    if (const auto system = platform::systemRegionalSettings()) return system->decimalSeparator;
    return regionalOfLocale(
               localeNameOf(environment("LC_ALL"), environment("LC_NUMERIC"), environment("LANG")))
        .decimalSeparator;
}

ShortDateFormat localeShortDateFormat() {
    if (const auto system = platform::systemRegionalSettings()) {
        return {system->dateSeparator, system->dateOrder};
    }
    const RegionalSettings r = regionalOfLocale(
        localeNameOf(environment("LC_ALL"), environment("LC_TIME"), environment("LANG")));
    return {r.dateSeparator, r.dateOrder};
}

bool turkishHelp() {
    std::string name =
        localeNameOf(environment("LC_ALL"), environment("LC_MESSAGES"), environment("LANG"));
    if (name == "C") {
        if (std::string shown = platform::userLanguage(); !shown.empty()) name = std::move(shown);
    }
    return name.size() >= 2 && lowerCase(name[0]) == 't' && lowerCase(name[1]) == 'r' &&
           (name.size() == 2 || !isLetter(name[2]));
}

}  // namespace tablamo::cli
