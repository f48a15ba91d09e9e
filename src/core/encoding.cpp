#include "core/encoding.h"

#include <array>

namespace tablamo {
namespace {

// Bytes 0x80 to 0x9F; the rest of the upper half is Latin-1 but for the six Turkish letters.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
};

// Bytes 0x80 to 0xFF of code page 857; 0xD5, 0xE7 and 0xF2 are unassigned there.
constexpr std::array<char16_t, 128> kDos857 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x0131, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x0130, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x015E, 0x015F, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x011E, 0x011F, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00BA, 0x00AA, 0x00CA, 0x00CB,
    0x00C8, 0xFFFD, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0xFFFD, 0x00D7, 0x00DA, 0x00DB, 0x00D9,
    0x00EC, 0x00FF, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0xFFFD, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

constexpr DosFrameByte kDos437Lines[] = {
    {0xB5, 0x2561}, {0xB6, 0x2562}, {0xB7, 0x2556}, {0xB8, 0x2555}, {0xBD, 0x255C},
    {0xBE, 0x255B}, {0xC6, 0x255E}, {0xC7, 0x255F}, {0xCF, 0x2567}, {0xD0, 0x2568},
    {0xD1, 0x2564}, {0xD2, 0x2565}, {0xD3, 0x2559}, {0xD4, 0x2558}, {0xD5, 0x2552},
    {0xD6, 0x2553}, {0xD7, 0x256B}, {0xD8, 0x256A}, {0xDD, 0x258C}, {0xDE, 0x2590},
};

}  // namespace

char32_t cp857ToUnicode(unsigned char b) {
    if (b < 0x80) return b;
    const char16_t cp = kDos857[b - 0x80];
    return cp == 0xFFFD ? 0 : cp;
}

std::span<const DosFrameByte> dosFrameBytes() { return kDos437Lines; }

char32_t dosToUnicode(unsigned char b) {
    for (const DosFrameByte& f : kDos437Lines) {
        if (f.byte == b) return f.line;
    }
    const char32_t cp = cp857ToUnicode(b);
    return cp == 0 && b != 0 ? 0xFFFD : cp;
}

char32_t win1254ToUnicode(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh80[b - 0x80];
    switch (b) {
        case 0xD0:
            return 0x011E;  // Ğ
        case 0xDD:
            return 0x0130;  // İ
        case 0xDE:
            return 0x015E;  // Ş
        case 0xF0:
            return 0x011F;  // ğ
        case 0xFD:
            return 0x0131;  // ı
        case 0xFE:
            return 0x015F;  // ş
        default:
            return b;
    }
}

std::optional<unsigned char> unicodeToWin1254(char32_t cp) {
    // The table is small; a linear look-up over the upper half is fast enough for
    // settings, options and edited cells, the only texts that come this way.
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (win1254ToUnicode(static_cast<unsigned char>(b)) == cp) {
            return static_cast<unsigned char>(b);
        }
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string win1254ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char b : text) appendUtf8(out, win1254ToUnicode(b));
    return out;
}

std::optional<std::string> utf8ToWin1254(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        int extra = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F;
            extra = 1;
        } else if ((b0 & 0xF0) == 0xE0) {
            cp = b0 & 0x0F;
            extra = 2;
        } else if ((b0 & 0xF8) == 0xF0) {
            cp = b0 & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + extra >= text.size() && extra > 0) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (b & 0x3F);
        }
        i += 1 + extra;
        const auto byte = unicodeToWin1254(cp);
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

}  // namespace tablamo
