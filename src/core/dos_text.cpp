#include "core/dos_text.h"

#include <array>
#include <cstring>

#include "core/text_rules.h"

namespace tablamo {
namespace {

// One entry per byte: the Windows-1254 byte, or -1 for a frame character that goes.
struct DosTable {
    std::array<std::int16_t, 256> map{};
    constexpr DosTable() {
        for (int b = 0; b < 256; ++b)
            map[static_cast<std::size_t>(b)] = static_cast<std::int16_t>(b);
        constexpr unsigned char letters[12][2] = {
            {0x98, 0xDD}, {0x80, 0xC7}, {0x9E, 0xDE}, {0x9A, 0xDC}, {0x99, 0xD6}, {0xA6, 0xD0},
            {0xA7, 0xF0}, {0x9F, 0xFE}, {0x87, 0xE7}, {0x94, 0xF6}, {0x81, 0xFC}, {0x8D, 0xFD},
        };
        for (const auto& l : letters) map[l[0]] = l[1];
        constexpr unsigned char frame[14] = {0xC9, 0xCD, 0xD1, 0xB3, 0xBA, 0xC3, 0xC4,
                                             0xC2, 0xC5, 0xB6, 0xC8, 0xCF, 0xBC, 0xBB};
        // The letters are mapped first: a Windows letter that shares a byte with a frame
        // character (none does) would be deleted by the second table.
        for (unsigned char f : frame) {
            for (auto& m : map) {
                if (m == f) m = -1;
            }
        }
    }
};

constexpr DosTable kDos{};

}  // namespace

std::size_t dosToWinTextInto(std::string_view text, char* out) {
    char* o = out;
    for (const char ch : text) {
        const std::int16_t m = kDos.map[static_cast<unsigned char>(ch)];
        *o = static_cast<char>(m);
        o += (m >= 0);
    }
    return static_cast<std::size_t>(o - out);
}

bool readDecimal(std::string_view text, char sep) {
    const DecimalRules rules{sep, true, false};
    const DecimalForm form = scanDecimal(text, rules);
    if (!form.valid) return false;
    // Without an exponent no line is long enough to leave the extended range.
    return !form.exponent || extendedRangeOf(text, rules) != ExtendedRange::Beyond;
}

std::size_t dropBlanksOfPositiveNumber(char* text, std::size_t length, char sep) {
    // Without a blank the candidate is the text itself: nothing to decide. Cells are
    // trimmed before conversion, so most amounts take this way.
    if (length == 0 || !std::memchr(text, ' ', length)) return length;
    // The candidate is the text with its blanks passed over, scanned without a copy.
    const std::string_view candidate(text, length);
    const DecimalRules rules{sep, true, true};
    const DecimalForm form = scanDecimal(candidate, rules);
    if (!form.valid || form.negative || !form.nonZero) return length;
    // A large exponent may leave the extended range either way.
    if (form.exponent && extendedRangeOf(candidate, rules) != ExtendedRange::Within) return length;
    std::size_t n = 0;
    for (std::size_t k = 0; k < length; ++k) {
        if (text[k] != ' ') text[n++] = text[k];
    }
    return n;
}

std::size_t dosToWinNumberInto(std::string_view text, char sep, char* out) {
    char* o = out;
    for (const char ch : text) {
        std::int16_t m = kDos.map[static_cast<unsigned char>(ch)];
        if (m == '.') m = static_cast<unsigned char>(sep);
        *o = static_cast<char>(m);
        o += (m >= 0);
    }
    return dropBlanksOfPositiveNumber(out, static_cast<std::size_t>(o - out), sep);
}

std::string DosToWinText(std::string_view text) {
    std::string out(text.size(), '\0');
    out.resize(dosToWinTextInto(text, out.data()));
    return out;
}

std::string DosToWinNumber(std::string_view text, char decimalSeparator) {
    std::string out(text.size(), '\0');
    out.resize(dosToWinNumberInto(text, decimalSeparator, out.data()));
    return out;
}

std::string_view LeftChars(std::string_view text, std::uint32_t n) {
    n &= 0xFFFF;
    return text.substr(0, std::min<std::size_t>(n, text.size()));
}

std::string_view MidChars(std::string_view text, std::uint32_t from, std::uint32_t count) {
    from &= 0xFFFF;
    count &= 0xFFFF;
    if (text.empty()) return {};
    if (from == 0) from = 1;
    if (from > text.size()) return {};
    return text.substr(from - 1, std::min<std::size_t>(count, text.size() - (from - 1)));
}

}  // namespace tablamo
