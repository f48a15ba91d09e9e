#include "core/encoding.h"

#include <array>

namespace tablamo {
namespace {

// Bytes 0x80 to 0x9F; the rest of the upper half is Latin-1 but for the six Turkish letters.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
};

}  // namespace

char32_t win1254ToUnicode(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh80[b - 0x80];
    switch (b) {
        case 0xD0: return 0x011E;  // Ğ
        case 0xDD: return 0x0130;  // İ
        case 0xDE: return 0x015E;  // Ş
        case 0xF0: return 0x011F;  // ğ
        case 0xFD: return 0x0131;  // ı
        case 0xFE: return 0x015F;  // ş
        default: return b;
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
