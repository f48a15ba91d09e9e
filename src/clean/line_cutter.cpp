#include "clean/line_cutter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "core/dos_text.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;

// What a byte is to the cutter, as bits: trimmed (blank or control), a frame character
// (deleted as the conversion deletes it), a digit, a point, a dash or equals sign.
constexpr unsigned char kSkipBit = 1, kFrameBit = 2, kDigitBit = 4, kPointBit = 8, kDashBit = 16;

constexpr std::array<unsigned char, 256> kBits = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b <= 0x20; ++b) t[static_cast<std::size_t>(b)] = kSkipBit;
    for (const unsigned char b :
         {0xC9, 0xCD, 0xD1, 0xB3, 0xBA, 0xC3, 0xC4, 0xC2, 0xC5, 0xB6, 0xC8, 0xCF, 0xBC, 0xBB}) {
        t[b] = kFrameBit;
    }
    for (int b = '0'; b <= '9'; ++b) t[static_cast<std::size_t>(b)] = kDigitBit;
    t['.'] = kPointBit;
    t['-'] = kDashBit;
    t['='] = kDashBit;
    return t;
}();

// Â in code page 857, a frame's ╢ in code page 437: the one frame character of the
// conversion that may be a letter.
constexpr unsigned char kLetterAtFrame = 0xB6;

bool trimmed(const std::array<unsigned char, 256>& bits, char c) {
    return (bits[static_cast<unsigned char>(c)] & (kSkipBit | kFrameBit)) != 0;
}

constexpr std::uint64_t kEightBlanks = 0x2020202020202020ull;
// Room for a line's values as read: each field's value once without its frame characters
// and once without its percent sign, and again for every join of a field with the next
// (a trailing minus, a word run on, a mark's place), three at most a field.
constexpr std::size_t kBufferLines = 16;

// Whether the byte at `i` is Â beside a letter, not a frame's ╢.
bool letterAtFrame(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    return byte(i) == kLetterAtFrame && ((i > 0 && isDosLetter(byte(i - 1))) ||
                                         (i + 1 < text.size() && isDosLetter(byte(i + 1))));
}

// The field without what is trimmed at either end; eight blanks at a time where it is
// padded (a description's column is mostly blanks).
std::pair<std::size_t, std::size_t> trimBounds(const std::array<unsigned char, 256>& bits,
                                               std::string_view field) {
    const char* p = field.data();
    std::size_t a = 0, b = field.size();
    // Â at a word's end stays ("ÂDEM", "HALÂ").
    std::uint64_t w;
    while (b - a >= 8 && (std::memcpy(&w, p + a, 8), w == kEightBlanks)) a += 8;
    while (a < b && trimmed(bits, p[a]) && !letterAtFrame(field.substr(a, b - a), 0)) ++a;
    while (b - a >= 8 && (std::memcpy(&w, p + b - 8, 8), w == kEightBlanks)) b -= 8;
    while (b > a && trimmed(bits, p[b - 1]) && !letterAtFrame(field.substr(a, b - a), b - 1 - a))
        --b;
    return {a, b};
}

}  // namespace

FieldSpans fieldSpansOf(std::span<const std::int32_t> widths) {
    FieldSpans spans;
    spans.count = static_cast<int>(std::min<std::size_t>(widths.size(), FieldSpans::kMax));
    std::uint32_t pos = 1;
    for (int k = 0; k < spans.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const auto w = static_cast<std::uint32_t>(widths[idx]);
        spans.from[idx] = pos & 0xFFFF;
        spans.length[idx] = w & 0xFFFF;
        pos += w;
        if (k >= 2 && spans.from[idx] < spans.from[idx - 1]) spans.increasing = false;
    }
    return spans;
}

LineCutter::LineCutter(const FieldSpans& fields, YearWindow years)
    : m_fields(fields),
      m_years(years),
      m_bits(kBits),
      m_buffer(kBufferLines * ReportText::kMaxLineRead) {
    if (fields.bar != 0) m_bits[static_cast<unsigned char>(fields.bar)] = kFrameBit;
    m_reading.fill(ValueReading::All);
    m_cut.spans = &m_fields;
}

void LineCutter::readAs(const Kinds& kinds) {
    for (std::size_t k = 0; k < kinds.size(); ++k) m_reading[k] = readingFor(kinds[k]);
    m_columns = kinds;
    m_typed = true;
}

namespace {

// A percentage measured ("%10,00", "-% 2,5", "10,00 %"): the figure without its sign, written
// at `out`; nothing for any other value. A whole rate ("%18", a VAT rate) names its class of
// records and stays as printed, unless `whole` (a column of percentages read as figures).
std::optional<std::string_view> measuredPercent(std::string_view value, bool whole, char*& out) {
    const std::size_t at = value.find('%');
    if (at == std::string_view::npos || value.find('%', at + 1) != std::string_view::npos)
        return std::nullopt;
    const bool signFirst = at == 1 && (value[0] == '-' || value[0] == '+');
    if (at != 0 && !signFirst && at + 1 != value.size()) return std::nullopt;
    char* start = out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (i == at || (value[i] == ' ' && (i == at + 1 || i + 1 == at))) continue;
        *out++ = value[i];
    }
    const std::string_view bare(start, static_cast<std::size_t>(out - start));
    const AmountForm form = amountFormOf(bare);
    if (form.valid && (whole || form.decimal || form.negative || form.ambiguous)) return bare;
    out = start;
    return std::nullopt;
}

}  // namespace

// Reads field `idx`'s trimmed value into the cut: its facts, and its kind's reading.
void LineCutter::read(std::size_t idx, std::string_view value, char*& out) {
    bool percent = false;
    if (value.size() >= 2 && (!m_typed || m_columns[idx].kind == ColumnKind::Amount)) {
        if (const auto bare = measuredPercent(value, m_typed, out)) {
            value = *bare;
            percent = true;
        }
    }
    readValue(idx, value, out);
    m_cut.facts[idx].percent = percent;
}

void LineCutter::readValue(std::size_t idx, std::string_view value, char*& out) {
    const ValueReading reading = m_reading[idx];
    if (reading != ValueReading::All && (!m_typed || m_columns[idx].kind != ColumnKind::Code)) {
        // A column of a known kind that holds no codes: its reading checks the value
        // whole (a text column's frame characters go when it is converted).
        m_cut.value[idx] = value;
        // A placeholder's dashes: its first character tells most values apart at once.
        const bool dashes = !value.empty() && (value[0] == '-' || value[0] == '=') &&
                            value.find_first_not_of("-=") == std::string_view::npos;
        m_cut.facts[idx] = factsOf(value, false, reading != ValueReading::None, dashes, 0, m_years,
                                   reading, &m_columns[idx], &m_cut.read[idx]);
        return;
    }
    // What the value holds, in one look at its bytes: a blank inside it is one between
    // words, since its ends are trimmed.
    unsigned char any = 0, all = 0xFF;
    int points = 0;
    for (const char c : value) {
        const unsigned char bits = m_bits[static_cast<unsigned char>(c)];
        any |= bits;
        all &= bits;
        points += (bits & kPointBit) != 0;
    }
    if (any & kFrameBit) {
        // A frame character inside the value goes as the conversion deletes it; Â beside a
        // letter stays one.
        char* start = out;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (!(m_bits[static_cast<unsigned char>(value[i])] & kFrameBit) ||
                letterAtFrame(value, i))
                *out++ = value[i];
        }
        value = std::string_view(start, static_cast<std::size_t>(out - start));
    }
    m_cut.value[idx] = value;
    m_cut.facts[idx] =
        factsOf(value, (any & kSkipBit) != 0, (any & kDigitBit) != 0, (all & kDashBit) != 0, points,
                m_years, reading, m_typed ? &m_columns[idx] : nullptr, &m_cut.read[idx]);
}

// Field `idx`'s value, a view into the line, read again with the `more` characters printed
// right after it (from the next field: a trailing minus, a word's end, a nought's last digit).
void LineCutter::extend(std::size_t idx, std::size_t more, char*& out) {
    const std::string_view before = m_cut.value[idx];
    read(idx, std::string_view(before.data(), before.size() + more), out);
    m_cut.last[idx] += static_cast<int>(more);
}

CutLine& LineCutter::cut(std::string_view line) {
    char* out = m_buffer.data();
    int k = 0;
    for (; k < m_fields.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        std::string_view field;
        if (k == 0) {
            field = LeftChars(line, m_fields.length[0]);
        } else if (m_fields.increasing && m_fields.from[idx] > line.size()) {
            // This field and all after it lie past the end of the line; of them, only
            // those the line before filled need emptying.
            for (int rest = k; rest < m_filled; ++rest) {
                const auto r = static_cast<std::size_t>(rest);
                m_cut.value[r] = {};
                m_cut.first[r] = m_cut.last[r] = -1;
                m_cut.facts[r] = ValueFacts{};
                m_cut.read[r] = ReadValue{};
            }
            break;
        } else {
            field = MidChars(line, m_fields.from[idx], m_fields.length[idx]);
        }
        const auto [a, b] = trimBounds(m_bits, field);
        std::string_view value = field.substr(a, b - a);
        // A trailing minus printed a place past its amount's column ("600,00-" where the
        // amounts end at the column's edge) is the amount's.
        if (k > 0 && value == "-" && a == 0) {
            const auto p = idx - 1;
            const std::string_view before = m_cut.value[p];
            if (!before.empty() && before.data() + before.size() == value.data() &&
                before.back() >= '0' && before.back() <= '9') {
                extend(p, 1, out);
                value = {};
            }
        }
        // A balance of nothing printed without its mark ends where the marks stand ("0,00"
        // under "300,00A"): its last digits are the amount's.
        if (k > 0 && a == 0 && (m_fields.marks[idx] || (m_typed && m_columns[idx].marks)) &&
            !value.empty() &&
            std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            const auto p = idx - 1;
            const std::string_view before = m_cut.value[p];
            if (!before.empty() && before.data() + before.size() == value.data()) {
                extend(p, value.size(), out);
                value = {};
            }
        }
        // A word of the field before run on into this one, a figure after it ("RAPOR
        // TOPLAM|I    860"): the word's end is the field's before, the figure this one's.
        std::size_t from = a;
        if (k > 0 && a == 0 && !value.empty() &&
            !(m_bits[static_cast<unsigned char>(value[0])] & kDigitBit) &&
            (!m_typed || m_columns[idx].kind != ColumnKind::Text)) {
            const auto p = idx - 1;
            const std::string_view before = m_cut.value[p];
            const std::size_t blank = value.find(' ');
            if (!before.empty() && before.data() + before.size() == value.data() &&
                blank != std::string_view::npos) {
                const std::string_view piece = value.substr(0, blank);
                std::size_t rest = blank;
                while (rest < value.size() && value[rest] == ' ') ++rest;
                const bool letters = std::none_of(piece.begin(), piece.end(), [&](char c) {
                    return (m_bits[static_cast<unsigned char>(c)] & kDigitBit) != 0;
                });
                if (letters && rest < value.size() &&
                    (m_bits[static_cast<unsigned char>(value[rest])] & kDigitBit)) {
                    extend(p, piece.size(), out);
                    value.remove_prefix(rest);
                    from = rest;
                }
            }
            // A word's end alone, run on from a text into a field of figures ("ÜRÜNLERİ
            // A.|Ş.", "A.Ş|." under a name the amount's field cuts): the text's. A mark glued to
            // its amount ("29.285,24|A") stays the mark's, stars around a remark ("*** ARA RAPOR
            // |***") the remark's.
            const bool wordEnd =
                !before.empty() && before.data() + before.size() == value.data() &&
                blank == std::string_view::npos &&
                !(m_bits[static_cast<unsigned char>(before.back())] & kDigitBit) && m_typed &&
                m_columns[idx].kind == ColumnKind::Amount &&
                std::none_of(value.begin(), value.end(),
                             [&](char c) {
                                 return (m_bits[static_cast<unsigned char>(c)] & kDigitBit) != 0;
                             }) &&
                (std::any_of(value.begin(), value.end(),
                             [](char c) {
                                 const auto b = static_cast<unsigned char>(c);
                                 return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                                        b >= 0x80;
                             }) ||
                 value.find_first_not_of(".,") == std::string_view::npos);
            if (wordEnd) {
                extend(p, value.size(), out);
                value = {};
            }
        }
        m_cut.first[idx] = !value.empty() ? static_cast<int>(from) : -1;
        m_cut.last[idx] = !value.empty() ? static_cast<int>(b) - 1 : -1;
        read(idx, value, out);
    }
    m_filled = k;
    m_cut.count = k;
    return m_cut;
}

bool endsText(const CutLine& c, std::size_t idx, const Kinds& kinds) {
    if (idx == 0 || !c.spans || kinds[idx].kind != ColumnKind::Amount || kinds[idx].decimals <= 0)
        return false;
    const ValueFacts& f = c.facts[idx];
    const std::size_t before = idx - 1;
    if (!f.amount.valid || f.amount.fraction != 0 || c.value[before].empty() ||
        kinds[before].kind != ColumnKind::Text || kinds[before].marks)
        return false;
    const std::int64_t end = static_cast<std::int64_t>(c.spans->from[before]) + c.last[before];
    const std::int64_t start = static_cast<std::int64_t>(c.spans->from[idx]) + c.first[idx];
    const bool cut =
        c.first[idx] == 0 && c.last[before] + 1 >= static_cast<int>(c.spans->length[before]);
    return start == end + 2 || cut;
}

}  // namespace tablamo
