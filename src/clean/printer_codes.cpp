#include "clean/printer_codes.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/input_encoding.h"
#include "core/platform/system.h"

namespace tablamo {
namespace {

constexpr unsigned char kEsc = 0x1B;

// The single-byte codes: SO and DC4 (double width on and off), SI and DC2 (condensed on and
// off), DC1 and DC3 (printer selected and deselected).
constexpr bool isSingleCode(unsigned char b) {
    return b == 0x0E || b == 0x0F || (b >= 0x11 && b <= 0x14);
}

// How many parameter bytes follow an ESC command byte (ESC/P): underline, double width,
// print mode, letter quality, line spacing, margins, tabs' units, page length, character
// tables and the like take one; absolute and relative positions and skips two.
constexpr std::array<std::uint8_t, 128> kParameters = [] {
    std::array<std::uint8_t, 128> n{};
    for (const char c : std::string_view("-W!x3AJjQlSUprtwkaRNq+IsC")) {
        n[static_cast<unsigned char>(c)] = 1;
    }
    for (const char c : std::string_view("$\\ef")) n[static_cast<unsigned char>(c)] = 2;
    return n;
}();

// Where the next code stands from `i` on, sixteen bytes at a time; the size when none does.
std::size_t nextCode(std::string_view bytes, std::size_t i) {
    using Bytes16 = unsigned char __attribute__((vector_size(16)));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const Bytes16 zero{}, esc = zero + kEsc, so = zero + 0x0E, dle = zero + 0x10, six = zero + 6;
    for (; i + 16 <= n; i += 16) {
        Bytes16 v;
        std::memcpy(&v, p + i, 16);
        // SO to DC4 but DLE, or ESC: each lane all ones where it holds a code.
        const auto hit = (v == esc) | (((v - so) <= six) & (v != dle));
        std::uint64_t halves[2];
        std::memcpy(halves, &hit, 16);
        if (halves[0] | halves[1]) break;
    }
    for (; i < n; ++i) {
        if (p[i] == kEsc || isSingleCode(p[i])) return i;
    }
    return n;
}

}  // namespace

bool holdsPrinterCodes(std::string_view bytes) { return nextCode(bytes, 0) < bytes.size(); }

namespace {

// Appends the bytes without their codes.
void appendWithoutCodes(std::string& out, std::string_view bytes) {
    const std::size_t n = bytes.size();
    auto isBreak = [&](std::size_t at) { return bytes[at] == '\r' || bytes[at] == '\n'; };
    for (std::size_t i = 0; i < n;) {
        const std::size_t code = nextCode(bytes, i);
        out.append(bytes.data() + i, code - i);
        if (code == n) break;
        i = code + 1;
        if (bytes[code] != static_cast<char>(kEsc)) continue;
        // ESC, then its command and parameters, on this line only
        if (i >= n || isBreak(i)) continue;
        const auto command = static_cast<unsigned char>(bytes[i++]);
        std::size_t take = command < kParameters.size() ? kParameters[command] : 0;
        // ESC C NUL n: the page length in inches, one more byte.
        if (command == 'C' && i < n && bytes[i] == '\0') ++take;
        while (take > 0 && i < n && !isBreak(i)) {
            ++i;
            --take;
        }
    }
}

}  // namespace

std::string withoutPrinterCodes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    // A report's copy is written whole: its pages are taken at once, not one fault at a time.
    platform::prefaultForWriting(out.data(), out.capacity());
    appendWithoutCodes(out, bytes);
    return out;
}

namespace {

// The lines of a mapped report without their codes: those that hold none stay the file's,
// the others are copied without them. Every line break being CR LF, no code stands between
// the two bytes of one, so the lines are those of the bytes without their codes.
ReportText withoutCodesByLine(const ReportText& text) {
    std::vector<std::string_view> lines(static_cast<std::size_t>(text.lineCount()));
    std::vector<std::size_t> coded;
    std::size_t codedBytes = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = text.fullLine(static_cast<std::int64_t>(i));
        if (nextCode(lines[i], 0) == lines[i].size()) continue;
        coded.push_back(i);
        codedBytes += lines[i].size();
    }
    auto held = std::make_shared<std::string>();
    held->reserve(codedBytes);  // never grown: the views into it stay where they are
    for (const std::size_t i : coded) {
        const std::size_t at = held->size();
        appendWithoutCodes(*held, lines[i]);
        lines[i] = std::string_view(*held).substr(at);
    }
    return ReportText::ofLines(text, std::move(lines), std::move(held));
}

}  // namespace

std::optional<ReportText> paperText(const ReportText& text, bool windows1254) {
    const std::string_view bytes = text.bytes();
    const bool codes = holdsPrinterCodes(bytes);
    if (!codes && !windows1254) return std::nullopt;
    if (!windows1254 && text.mapped() && text.crLfOnly()) return withoutCodesByLine(text);
    std::string paper = codes ? withoutPrinterCodes(bytes) : std::string(bytes);
    if (windows1254) paper = windows1254ToCp857(std::move(paper));
    return ReportText(std::move(paper));
}

}  // namespace tablamo
