#include "core/date_patterns.h"

#include <string>

namespace tablamo {

ShortDateFormat shortDateFormatOfCFormat(std::string_view format) {
    // The fields in the order they appear: d for the day, m for the month, y for the year.
    std::string fields;
    char separator = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            if (!fields.empty() && fields.size() < 3 && separator == 0) separator = format[i];
            continue;
        }
        char c = format[++i];
        if (c == 'E' || c == 'O') {  // alternative-digits modifiers
            if (i + 1 == format.size()) break;
            c = format[++i];
        }
        switch (c) {
            case 'd':
            case 'e':
                fields += 'd';
                break;
            case 'm':
                fields += 'm';
                break;
            case 'y':
            case 'Y':
            case 'C':
            case 'G':
            case 'g':
                fields += 'y';
                break;
            case 'F':
                fields += "ymd";
                separator = separator ? separator : '-';
                break;
            case 'D':
                fields += "mdy";
                separator = separator ? separator : '/';
                break;
            default:
                break;
        }
    }
    return shortDateFormatOf(fields, separator);
}

ShortDateFormat shortDateFormatOfWindowsPattern(std::string_view pattern) {
    std::string fields;
    char separator = 0;
    const auto literal = [&](char c) {
        if (!fields.empty() && fields.size() < 3 && separator == 0) separator = c;
    };
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'') {  // quoted text, '' standing for one apostrophe
            for (++i; i < pattern.size(); ++i) {
                if (pattern[i] != '\'') {
                    literal(pattern[i]);
                } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                    literal(pattern[++i]);
                } else {
                    break;
                }
            }
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == 'd') {
            if (run <= 2) fields += 'd';  // "ddd" and "dddd" are the weekday's name
        } else if (c == 'M') {
            fields += 'm';
        } else if (c == 'y') {
            fields += 'y';
        } else if (c != 'g') {
            for (std::size_t k = 0; k < run; ++k) literal(c);
        }
        i += run;
    }
    return shortDateFormatOf(fields, separator);
}

}  // namespace tablamo
