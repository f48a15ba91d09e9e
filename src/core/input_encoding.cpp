#include "core/input_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tablamo {
namespace {

// Code page 857's upper half, bytes 0x80 to 0xFF; 0 where it assigns nothing.
constexpr std::array<char16_t, 128> kCp857High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x0131, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x0130, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x015E, 0x015F,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x011E, 0x011F,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00BA, 0x00AA, 0x00CA, 0x00CB, 0x00C8, 0x0000, 0x00CD, 0x00CE,  // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x0000,  // E0
    0x00D7, 0x00DA, 0x00DB, 0x00D9, 0x00EC, 0x00FF, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x0000, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// The box-drawing characters of the DOS frames that code page 857 put letters in place of:
// the DOS programs still print them with these bytes (the frame's tee ╤ is 0xD1).
constexpr std::pair<char16_t, unsigned char> kFrameBytes[] = {
    {0x2561, 0xB5}, {0x2562, 0xB6}, {0x2556, 0xB7}, {0x2555, 0xB8}, {0x255C, 0xBD},
    {0x255B, 0xBE}, {0x255E, 0xC6}, {0x255F, 0xC7}, {0x2567, 0xCF}, {0x2568, 0xD0},
    {0x2564, 0xD1}, {0x2565, 0xD2}, {0x2559, 0xD3}, {0x2558, 0xD4}, {0x2552, 0xD5},
    {0x2553, 0xD6}, {0x256B, 0xD7}, {0x256A, 0xD8}, {0x258C, 0xDD}, {0x2590, 0xDE},
};

// Every character with a byte lies below U+2600: one table entry each, 0 for none.
constexpr std::size_t kTableSize = 0x2600;
struct ByteTable {
    std::array<unsigned char, kTableSize> byte{};
    constexpr ByteTable() {
        for (std::size_t b = 0; b < 0x80; ++b) byte[b] = static_cast<unsigned char>(b);
        for (std::size_t b = 0; b < kCp857High.size(); ++b) {
            if (kCp857High[b]) byte[kCp857High[b]] = static_cast<unsigned char>(0x80 + b);
        }
        for (const auto& [cp, b] : kFrameBytes) byte[cp] = b;
    }
};
constexpr ByteTable kBytes{};

// The code point of the UTF-8 sequence at `p` and its length, or a length of 0 when the
// bytes there are no valid sequence.
struct Decoded {
    char32_t cp;
    std::size_t length;
};

Decoded decodeAt(const unsigned char* p, std::size_t left) {
    const unsigned char b0 = p[0];
    if (b0 < 0x80) return {b0, 1};
    std::size_t length = 0;
    char32_t cp = 0, least = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, cp = b0 & 0x1F, least = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, cp = b0 & 0x0F, least = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, cp = b0 & 0x07, least = 0x10000;
    } else {
        return {0, 0};
    }
    if (length > left) return {0, 0};
    for (std::size_t k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) return {0, 0};
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
    return {cp, length};
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool isMultiByteUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    bool multiByte = false;
    for (std::size_t i = 0; i < n;) {
        // Every file is looked at when it is opened: ASCII, most of a report, eight bytes
        // at a time.
        std::uint64_t word;
        if (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080u) == 0)) {
            i += 8;
            continue;
        }
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const Decoded d = decodeAt(p + i, n - i);
        if (d.length == 0) return false;
        multiByte = true;
        i += d.length;
    }
    return multiByte;
}

std::optional<std::string> recodeReportBytes(std::string_view bytes, InputEncoding encoding,
                                             InputReading& reading) {
    reading = {};
    if (encoding == InputEncoding::Cp857) return std::nullopt;
    if (encoding == InputEncoding::Auto && !isMultiByteUtf8(bytes)) return std::nullopt;
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());

    // One byte per character: never longer than the UTF-8 text.
    std::string out(bytes.size(), '\0');
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t o = 0;
    for (std::size_t i = 0; i < n;) {
        std::uint64_t word;
        if (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080u) == 0)) {
            std::memcpy(out.data() + o, &word, 8);  // ASCII stays as it is
            i += 8;
            o += 8;
            continue;
        }
        const Decoded d = decodeAt(p + i, n - i);
        unsigned char b = d.cp < kTableSize ? kBytes.byte[d.cp] : 0;
        if (d.length == 0 || (b == 0 && d.cp != 0)) {
            b = '?';
            ++reading.replaced;
        }
        out[o++] = static_cast<char>(b);
        i += d.length ? d.length : 1;  // a byte that is no UTF-8 stands for itself
    }
    out.resize(o);
    reading.readAsUtf8 = true;
    return out;
}

std::string inputReadingNote(const InputReading& reading) {
    if (!reading.readAsUtf8) return {};
    std::string note = "UTF-8 olarak okundu";
    if (reading.replaced) {
        note += "; kod sayfası 857'de karşılığı olmayan " + std::to_string(reading.replaced) +
                " karakter \"?\" oldu";
    }
    return note + ".";
}

}  // namespace tablamo
