#include "core/date_patterns.h"

#include <string>

namespace tablamo {
namespace {

bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

}  // namespace

ShortDateFormat shortDateFormatOfPattern(std::string_view pattern) {
    std::string fields;
    char separator = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == '\'') {
            quoted = !quoted;
        } else if (!quoted && c == 'd' && run <= 2) {
            fields += 'd';
        } else if (!quoted && c == 'M') {
            fields += 'm';
        } else if (!quoted && c == 'y') {
            fields += 'y';
        } else if (!quoted && !fields.empty() && fields.size() < 3 && separator == 0) {
            // A character outside ASCII (a byte of its UTF-8) is no separator; neither is a
            // letter.
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80) {
                separator = '\x80';
            } else if (!isLetter(byte)) {
                separator = c;
            }
        }
        i += run;
    }
    return shortDateFormatOf(fields, separator);
}

}  // namespace tablamo
