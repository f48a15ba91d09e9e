#include "core/input_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "core/encoding.h"

namespace tablamo {
namespace {

// Every character with a byte lies below U+2600: one table entry each, 0 for none. Both a
// code page 857 character and the frame line DOS programs print with the same byte give it.
constexpr std::size_t kTableSize = 0x2600;
struct ByteTable {
    std::array<unsigned char, kTableSize> byte{};
    ByteTable() {
        for (int b = 1; b < 0x100; ++b) {
            const char32_t cp = cp857ToUnicode(static_cast<unsigned char>(b));
            if (cp != 0) byte[cp] = static_cast<unsigned char>(b);
        }
        for (const DosFrameByte& f : dosFrameBytes()) byte[f.line] = f.byte;
    }
};
const ByteTable& byteTable() {
    static const ByteTable table;
    return table;
}

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

// The Turkish letters of each code page: Ç ç Ğ ğ İ ı Ö ö Ş ş Ü ü.
constexpr std::string_view kWin1254Letters = "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC";
constexpr std::string_view kCp857Letters = "\x80\x87\xA6\xA7\x98\x8D\x99\x94\x9E\x9F\x9A\x81";

// Letters enough to tell the code page by: a report's first lines hold them, and a large
// file is not read to its end for it.
constexpr std::size_t kLettersEnough = 256;

bool isAsciiLetter(unsigned char b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }

// Code page 857's byte of each Windows-1254 byte: the same character, else "?".
struct Win1254Table {
    std::array<unsigned char, 256> byte{};
    Win1254Table() {
        for (int b = 0; b < 0x100; ++b) {
            const char32_t cp = win1254ToUnicode(static_cast<unsigned char>(b));
            unsigned char to = b < 0x80 ? static_cast<unsigned char>(b) : '?';
            for (int d = 0x80; d < 0x100 && b >= 0x80; ++d) {
                if (cp857ToUnicode(static_cast<unsigned char>(d)) == cp) {
                    to = static_cast<unsigned char>(d);
                    break;
                }
            }
            byte[static_cast<std::size_t>(b)] = to;
        }
    }
};

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

bool looksLikeWindows1254(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t windows = 0, dos = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t word;
        while (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080u) == 0)) {
            i += 8;
        }
        if (i >= n || p[i] < 0x80) continue;
        // A letter of a word stands beside an ASCII letter; a frame's byte beside its
        // lines or a blank.
        if (!(i > 0 && isAsciiLetter(p[i - 1])) && !(i + 1 < n && isAsciiLetter(p[i + 1]))) {
            continue;
        }
        const char c = static_cast<char>(p[i]);
        windows += kWin1254Letters.find(c) != std::string_view::npos;
        dos += kCp857Letters.find(c) != std::string_view::npos;
        if (windows + dos >= kLettersEnough) break;
    }
    return windows > 4 * dos;
}

std::string windows1254ToCp857(std::string bytes) {
    static const Win1254Table table;
    for (char& c : bytes) c = static_cast<char>(table.byte[static_cast<unsigned char>(c)]);
    return bytes;
}

std::optional<std::string> recodeReportBytes(std::string_view bytes, InputEncoding encoding,
                                             InputReading& reading) {
    reading = {};
    if (encoding == InputEncoding::Cp857) return std::nullopt;
    if (encoding == InputEncoding::Cp1254 ||
        (encoding == InputEncoding::Auto && !isMultiByteUtf8(bytes))) {
        // Windows-1254 stays as it is: a report's plain import reads it byte for byte.
        reading.windows1254 = encoding == InputEncoding::Cp1254 || looksLikeWindows1254(bytes);
        return std::nullopt;
    }
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());

    // One byte per character: never longer than the UTF-8 text.
    std::string out(bytes.size(), '\0');
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t o = 0;
    const ByteTable& table = byteTable();
    for (std::size_t i = 0; i < n;) {
        std::uint64_t word;
        if (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080u) == 0)) {
            std::memcpy(out.data() + o, &word, 8);  // ASCII stays as it is
            i += 8;
            o += 8;
            continue;
        }
        const Decoded d = decodeAt(p + i, n - i);
        unsigned char b = d.cp < kTableSize ? table.byte[d.cp] : 0;
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
    if (reading.windows1254) return "Windows-1254 olarak okundu.";
    if (!reading.readAsUtf8) return {};
    std::string note = "UTF-8 olarak okundu";
    if (reading.replaced) {
        note += "; kod sayfası 857'de karşılığı olmayan " + std::to_string(reading.replaced) +
                " karakter \"?\" oldu";
    }
    return note + ".";
}

}  // namespace tablamo
