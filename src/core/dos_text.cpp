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

// Every letter of code page 857 that Windows-1254 has: the twelve Turkish ones and the
// others of its words ("kâr", "millî", "Ümit Öğüt Müh." no less than "Señor", "Café").
// Those printed at bytes where code page 437 draws frames (Â Á À Ã ã Ê Ë È Í Î Ï Ì) are
// letters only beside another letter: "KÂRI", not a mixed frame's right edge.
struct LetterTable {
    std::array<std::int16_t, 256> map{};
    std::array<std::int16_t, 256> beside{};  // the letter a frame's byte is by a letter; -1
    std::array<bool, 256> letter{};
    constexpr LetterTable() {
        map = kDos.map;
        constexpr unsigned char letters[][2] = {
            {0x80, 0xC7}, {0x81, 0xFC}, {0x82, 0xE9}, {0x83, 0xE2}, {0x84, 0xE4}, {0x85, 0xE0},
            {0x86, 0xE5}, {0x87, 0xE7}, {0x88, 0xEA}, {0x89, 0xEB}, {0x8A, 0xE8}, {0x8B, 0xEF},
            {0x8C, 0xEE}, {0x8D, 0xFD}, {0x8E, 0xC4}, {0x8F, 0xC5}, {0x90, 0xC9}, {0x91, 0xE6},
            {0x92, 0xC6}, {0x93, 0xF4}, {0x94, 0xF6}, {0x95, 0xF2}, {0x96, 0xFB}, {0x97, 0xF9},
            {0x98, 0xDD}, {0x99, 0xD6}, {0x9A, 0xDC}, {0x9B, 0xF8}, {0x9D, 0xD8}, {0x9E, 0xDE},
            {0x9F, 0xFE}, {0xA0, 0xE1}, {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA}, {0xA4, 0xF1},
            {0xA5, 0xD1}, {0xA6, 0xD0}, {0xA7, 0xF0}, {0xE0, 0xD3}, {0xE1, 0xDF}, {0xE2, 0xD4},
            {0xE3, 0xD2}, {0xE4, 0xF5}, {0xE5, 0xD5}, {0xE9, 0xDA}, {0xEA, 0xDB}, {0xEB, 0xD9},
            {0xEC, 0xEC}, {0xED, 0xFF}};
        for (const auto& l : letters) {
            map[l[0]] = l[1];
            letter[l[0]] = true;
        }
        for (int b = 'A'; b <= 'Z'; ++b) letter[static_cast<std::size_t>(b)] = true;
        for (int b = 'a'; b <= 'z'; ++b) letter[static_cast<std::size_t>(b)] = true;
        for (auto& m : beside) m = -1;
        constexpr unsigned char framed[][2] = {
            {0xB5, 0xC1}, {0xB6, 0xC2}, {0xB7, 0xC0}, {0xC6, 0xE3}, {0xC7, 0xC3}, {0xD2, 0xCA},
            {0xD3, 0xCB}, {0xD4, 0xC8}, {0xD6, 0xCD}, {0xD7, 0xCE}, {0xD8, 0xCF}, {0xDE, 0xCC}};
        for (const auto& f : framed) beside[f[0]] = f[1];
    }
};

constexpr LetterTable kLetters{};

}  // namespace

std::size_t dosToWinLettersInto(std::string_view text, char* out) {
    char* o = out;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = byte(i);
        std::int16_t m = kLetters.map[b];
        if (kLetters.beside[b] >= 0 && ((i > 0 && kLetters.letter[byte(i - 1)]) ||
                                        (i + 1 < text.size() && kLetters.letter[byte(i + 1)])))
            m = kLetters.beside[b];
        *o = static_cast<char>(m);
        o += (m >= 0);
    }
    return static_cast<std::size_t>(o - out);
}

bool isDosLetter(unsigned char b) { return kLetters.letter[b]; }

std::string DosToWinLetters(std::string_view text) {
    std::string out(text.size(), '\0');
    out.resize(dosToWinLettersInto(text, out.data()));
    return out;
}

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
