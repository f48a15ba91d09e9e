#include "core/text_rules.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

namespace tablamo {

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    };
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (lower(tail[i]) != lower(suffix[i])) return false;
    }
    return true;
}

namespace {

// Each byte as foldedUpper gives it: a-z as A-Z, and Windows-1254's ı İ ş Ş ğ Ğ ü Ü ö Ö ç Ç
// as their plain capitals.
constexpr std::array<char, 256> kFolded = [] {
    std::array<char, 256> t{};
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = static_cast<char>(b);
    for (int b = 'a'; b <= 'z'; ++b) t[static_cast<std::size_t>(b)] = static_cast<char>(b - 32);
    constexpr unsigned char kMarked[] = {0xFD, 0xDD, 0xFE, 0xDE, 0xF0, 0xD0,
                                         0xFC, 0xDC, 0xF6, 0xD6, 0xE7, 0xC7};
    constexpr char kPlain[] = "IISSGGUUOOCC";
    for (std::size_t i = 0; i < sizeof kMarked; ++i) t[kMarked[i]] = kPlain[i];
    return t;
}();

}  // namespace

std::string foldedUpper(std::string_view text) {
    std::string out;
    foldUpperInto(text, out);
    return out;
}

void foldUpperInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = kFolded[static_cast<unsigned char>(text[i])];
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the grammar over the text; `visit` sees each character that belongs to the number
// (the blanks passed over are not shown). Returns the form found.
template <class Visit>
DecimalForm walkDecimal(std::string_view s, const DecimalRules& rules, Visit&& visit) {
    enum { Lead, Mantissa, ExponentSign, Exponent, Trail } state = Lead;
    DecimalForm form;
    bool anyDigit = false, sawSeparator = false, exponentDigit = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ' ') {
            // Blanks around the number, or anywhere when the rules say so.
            if (rules.blanksAnywhere || state == Lead) continue;
            if (state == Mantissa && !(anyDigit || sawSeparator)) return {};  // "- 5"
            if (state == ExponentSign || (state == Exponent && !exponentDigit)) return {};
            state = Trail;
            continue;
        }
        switch (state) {
            case Lead:
                state = Mantissa;
                if (c == '+' || c == '-') {
                    form.negative = c == '-';
                    visit(i);
                    continue;
                }
                [[fallthrough]];
            case Mantissa:
                if (isDigit(c)) {
                    anyDigit = true;
                    form.nonZero |= c != '0';
                } else if (c == rules.separator && !sawSeparator) {
                    sawSeparator = true;
                } else if ((c == 'e' || c == 'E') && (anyDigit || sawSeparator)) {
                    form.exponent = true;
                    state = ExponentSign;
                } else {
                    return {};
                }
                visit(i);
                continue;
            case ExponentSign:
                state = Exponent;
                if (c == '+' || c == '-') {
                    visit(i);
                    continue;
                }
                [[fallthrough]];
            case Exponent:
                if (!isDigit(c)) return {};
                exponentDigit = true;
                visit(i);
                continue;
            case Trail:
                return {};
        }
    }
    if (!anyDigit && !(sawSeparator && rules.bareSeparator)) return {};
    if (form.exponent && !exponentDigit) return {};
    form.valid = true;
    return form;
}

}  // namespace

DecimalForm scanDecimal(std::string_view text, const DecimalRules& rules) {
    return walkDecimal(text, rules, [](std::size_t) {});
}

std::optional<double> decimalValue(std::string_view text, const DecimalRules& rules) {
    // The number's characters with "." for the separator and no "+" (from_chars takes
    // neither), on the stack unless the text is unusually long.
    char small[128];
    std::unique_ptr<char[]> large;
    char* buf = small;
    if (text.size() > sizeof small) {
        large = std::make_unique<char[]>(text.size());
        buf = large.get();
    }
    std::size_t n = 0;
    bool anyDigit = false;
    bool inMantissa = true;
    const DecimalForm form = walkDecimal(text, rules, [&](std::size_t i) {
        const char c = text[i];
        if (c == 'e' || c == 'E') inMantissa = false;
        if (inMantissa && isDigit(c)) anyDigit = true;
        if (c == '+' && n == 0) return;
        buf[n++] = c == rules.separator && inMantissa ? '.' : c;
    });
    if (!form.valid) return std::nullopt;
    if (!anyDigit) return 0.0;  // a bare separator, with or without an exponent
    double value{};
    const auto [ptr, ec] = std::from_chars(buf, buf + n, value);
    if (ec != std::errc() || ptr != buf + n) return std::nullopt;
    return value;
}

ExtendedRange extendedRangeOf(std::string_view text, const DecimalRules& rules) {
    // The extended type's largest value and its smallest one above 0, as the power of ten of
    // their first digit and their leading digits.
    constexpr std::int64_t kMaxPower = 4932, kMinPower = -4951;
    constexpr std::string_view kMaxDigits = "118973149535723176502";
    constexpr std::string_view kMinDigits = "364519953188247460253";
    char digits[21];  // the first significant digits
    std::size_t kept = 0;
    std::int64_t power = 0;  // of the first significant digit, before the exponent
    std::int64_t exponent = 0;
    bool significant = false, afterPoint = false, inExponent = false, negativeExponent = false;
    const DecimalForm form = walkDecimal(text, rules, [&](std::size_t i) {
        const char c = text[i];
        if (inExponent) {
            if (c == '-') negativeExponent = true;
            if (isDigit(c) && exponent < (std::int64_t{1} << 40))
                exponent = exponent * 10 + (c - '0');
        } else if (c == 'e' || c == 'E') {
            inExponent = true;
        } else if (c == rules.separator) {
            afterPoint = true;
        } else if (isDigit(c)) {
            if (!significant && c == '0') {
                if (afterPoint) --power;
                return;
            }
            if (!significant) {
                significant = true;
                if (afterPoint) --power;
            } else if (!afterPoint) {
                ++power;
            }
            if (kept < sizeof digits) digits[kept++] = c;
        }
    });
    if (!form.valid || !significant) return ExtendedRange::Zero;
    const std::int64_t at = power + (negativeExponent ? -exponent : exponent);
    const std::string_view lead(digits, kept);
    // Digit strings compare as numbers of the same power: a shorter one is padded with 0.
    const auto above = [&](std::string_view bound) {
        for (std::size_t k = 0; k < bound.size(); ++k) {
            const char d = k < lead.size() ? lead[k] : '0';
            if (d != bound[k]) return d > bound[k];
        }
        return lead.size() > bound.size();
    };
    if (at > kMaxPower || (at == kMaxPower && above(kMaxDigits))) return ExtendedRange::Beyond;
    if (at < kMinPower || (at == kMinPower && !above(kMinDigits) && lead != kMinDigits))
        return ExtendedRange::Zero;
    return ExtendedRange::Within;
}

ShortDateFormat shortDateFormatOf(std::string_view fields, char separator) {
    ShortDateFormat result;
    const std::size_t d = fields.find('d'), m = fields.find('m'), y = fields.find('y');
    if (d == std::string_view::npos || m == std::string_view::npos || y == std::string_view::npos) {
        return result;
    }
    if (y < m && m < d) {
        result.order = DateOrder::YearMonthDay;
    } else if (m < d) {
        result.order = DateOrder::MonthDayYear;
    } else {
        result.order = DateOrder::DayMonthYear;
    }
    const auto byte = static_cast<unsigned char>(separator);
    if (byte > ' ' && byte < 0x80) result.separator = separator;
    return result;
}

}  // namespace tablamo
