#include "clean/value_reading.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tablamo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSeparator(char c) { return c == '.' || c == ','; }

constexpr int kMaxDecimals = 6;
constexpr std::int64_t kPowers[kMaxDecimals + 1] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// The parts of a printed amount: its sign and the digits with their separators.
struct AmountParts {
    bool valid = false;
    bool negative = false;
    std::string_view body;  // starts and ends with a digit
};

std::size_t skipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
}

AmountParts partsOf(std::string_view s) {
    AmountParts p;
    std::size_t i = skipBlanks(s, 0);
    if (i < s.size() && s[i] == '=') i = skipBlanks(s, i + 1);  // a statement's marker
    bool paren = false;
    if (i < s.size() && s[i] == '(') {
        paren = true;
        i = skipBlanks(s, i + 1);
    }
    bool sign = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        sign = true;
        p.negative = s[i] == '-';
        i = skipBlanks(s, i + 1);
    }
    const std::size_t from = i;
    while (i < s.size() && (isDigit(s[i]) || isSeparator(s[i]))) ++i;
    p.body = s.substr(from, i - from);
    i = skipBlanks(s, i);
    if (i < s.size() && s[i] == '-' && !sign) {
        p.negative = true;
        i = skipBlanks(s, i + 1);
    }
    if (paren) {
        if (i >= s.size() || s[i] != ')' || p.negative) return {};
        p.negative = true;
        i = skipBlanks(s, i + 1);
    }
    if (i != s.size() || p.body.empty() || !isDigit(p.body.front()) || !isDigit(p.body.back())) {
        return {};
    }
    p.valid = true;
    return p;
}

// `digits` with `fraction` of them after the decimal separator, as a count of
// 10^-decimals; nothing when it has more decimals or does not fit.
std::optional<std::int64_t> scaled(std::uint64_t digits, int fraction, int decimals,
                                   bool negative) {
    if (fraction > decimals || decimals > kMaxDecimals) return std::nullopt;
    const auto factor = static_cast<std::uint64_t>(kPowers[decimals - fraction]);
    if (digits >
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) / 100 / factor) {
        return std::nullopt;
    }
    const auto units = static_cast<std::int64_t>(digits * factor);
    return negative ? -units : units;
}

}  // namespace

AmountForm amountFormOf(std::string_view text) {
    std::optional<std::int64_t> units;
    return amountFormOf(text, nullptr, 0, units);
}

AmountForm amountFormOf(std::string_view text, const AmountNotation* notation, int decimals,
                        std::optional<std::int64_t>& units) {
    AmountForm form;
    units.reset();
    const AmountParts p = partsOf(text);
    if (!p.valid) return form;
    const std::string_view body = p.body;
    std::uint64_t digits = 0;  // every digit, separators left out (checked for length below)
    // One look at the digit groups: how many of each separator, the last one, and whether
    // the groups between the first and the last have three digits (as thousands do).
    int dots = 0, commas = 0;
    std::size_t group = 0, firstGroup = 0;
    bool first = true, thousands = true;
    char lastSep = 0;
    for (const char ch : body) {
        if (isDigit(ch)) {
            ++group;
            digits = digits * 10 + static_cast<std::uint64_t>(ch - '0');
            continue;
        }
        if (group == 0) return form;  // two separators together
        if (first) {
            firstGroup = group;
            first = false;
        } else if (group != 3) {
            thousands = false;
        }
        (ch == '.' ? dots : commas) += 1;
        lastSep = ch;
        group = 0;
    }
    const bool zeroLed = body.size() > 1 && body[0] == '0';
    if (lastSep == 0) {
        if (zeroLed || body.size() > 18) return form;  // 000123: a code
        form.valid = true;
        form.negative = p.negative;
        if (notation) units = scaled(digits, 0, decimals, p.negative);
        return form;
    }
    const std::size_t after = group;
    const bool leadOk = firstGroup <= 3 && !(firstGroup > 1 && zeroLed);
    if (dots > 0 && commas > 0) {
        // The last separator is the decimal one; the others group thousands before it.
        if ((lastSep == '.' ? dots : commas) != 1 || !thousands || !leadOk) return form;
        form.decimal = lastSep;
        form.grouping = lastSep == '.' ? ',' : '.';
        form.fraction = static_cast<int>(after);
    } else if (dots + commas > 1) {
        // One separator several times: thousands of a whole amount (1.234.567).
        if (!thousands || after != 3 || !leadOk) return form;
        form.grouping = lastSep;
    } else if (after == 3 && firstGroup <= 3 && body[0] != '0') {
        form.ambiguous = lastSep;  // 1.234: a thousand, or one and a little
    } else {
        if ((firstGroup > 1 && zeroLed) || firstGroup > 18) return form;
        form.decimal = lastSep;
        form.fraction = static_cast<int>(after);
    }
    if (form.fraction > kMaxDecimals ||
        body.size() - static_cast<std::size_t>(dots + commas) > 18) {
        return AmountForm{};
    }
    form.valid = true;
    form.negative = p.negative;
    if (notation) {
        // Read in the column's notation: the decimal separator where the amount has one,
        // the grouping one where it groups, either for an ambiguous 1.234.
        const char sep = form.decimal    ? form.decimal
                         : form.grouping ? form.grouping
                                         : form.ambiguous;
        if (sep == notation->decimal && !form.grouping) {
            units = scaled(digits, static_cast<int>(after), decimals, p.negative);
        } else if (form.decimal == notation->decimal && form.grouping == notation->grouping) {
            units = scaled(digits, form.fraction, decimals, p.negative);
        } else if (!form.decimal && sep == notation->grouping) {
            units = scaled(digits, 0, decimals, p.negative);
        }
    }
    return form;
}

void NotationVote::add(const AmountForm& form) {
    if (!form.valid) return;
    if (form.decimal == '.') ++m_decimalDot;
    if (form.decimal == ',') ++m_decimalComma;
    if (form.grouping == '.') ++m_groupDot;
    if (form.grouping == ',') ++m_groupComma;
    if (form.ambiguous == '.') ++m_ambiguousDot;
    if (form.ambiguous == ',') ++m_ambiguousComma;
    if (form.fraction > m_decimals) m_decimals = form.fraction;
}

void NotationVote::merge(const NotationVote& o) {
    m_decimalDot += o.m_decimalDot;
    m_decimalComma += o.m_decimalComma;
    m_groupDot += o.m_groupDot;
    m_groupComma += o.m_groupComma;
    m_ambiguousDot += o.m_ambiguousDot;
    m_ambiguousComma += o.m_ambiguousComma;
    m_decimals = std::max(m_decimals, o.m_decimals);
}

std::optional<AmountNotation> NotationVote::decide() const {
    // A separator seen as the decimal one decides, unless another amount groups with it.
    if (m_decimalDot > 0 && m_decimalComma > 0) return std::nullopt;
    if (m_decimalComma > 0) {
        if (m_groupComma > 0) return std::nullopt;
        return AmountNotation{',', '.'};
    }
    if (m_decimalDot > 0) {
        if (m_groupDot > 0) return std::nullopt;
        return AmountNotation{'.', ','};
    }
    // No amount shows its decimals: the separator between thousands tells the notation.
    const bool dots = m_groupDot > 0 || m_ambiguousDot > 0;
    const bool commas = m_groupComma > 0 || m_ambiguousComma > 0;
    if (dots && commas) return std::nullopt;
    if (commas) return AmountNotation{'.', ','};
    return AmountNotation{',', '.'};
}

int NotationVote::decimalsFor(const AmountNotation& notation) const {
    // 1.234 read with "." as the decimal separator has three decimals.
    const int ambiguous = notation.decimal == '.' ? m_ambiguousDot : m_ambiguousComma;
    return ambiguous > 0 && m_decimals < 3 ? 3 : m_decimals;
}

bool NotationVote::groups(const AmountNotation& notation) const {
    const int grouped = notation.grouping == '.' ? m_groupDot : m_groupComma;
    const int ambiguous = notation.grouping == '.' ? m_ambiguousDot : m_ambiguousComma;
    return grouped > 0 || (ambiguous > 0 && decimalsFor(notation) != 3);
}

std::optional<std::int64_t> readAmount(std::string_view text, const AmountNotation& notation,
                                       int decimals) {
    const AmountParts p = partsOf(text);
    if (!p.valid || decimals < 0 || decimals > kMaxDecimals) return std::nullopt;
    std::int64_t whole = 0, fraction = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    std::size_t groupLen = 0;
    bool grouped = false;
    std::size_t firstGroup = 0;
    for (std::size_t i = 0; i < p.body.size(); ++i) {
        const char c = p.body[i];
        if (isDigit(c)) {
            if (inFraction) {
                if (++fractionDigits > decimals) return std::nullopt;
                fraction = fraction * 10 + (c - '0');
            } else {
                if (whole > (std::numeric_limits<std::int64_t>::max() / 100) / kPowers[decimals]) {
                    return std::nullopt;
                }
                whole = whole * 10 + (c - '0');
                ++groupLen;
            }
            continue;
        }
        if (inFraction) return std::nullopt;
        if (c == notation.decimal) {
            if (grouped && groupLen != 3) return std::nullopt;
            if (!grouped) firstGroup = groupLen;
            inFraction = true;
        } else if (c == notation.grouping && notation.grouping != 0) {
            if (grouped ? groupLen != 3 : groupLen > 3) return std::nullopt;
            if (!grouped) firstGroup = groupLen;
            grouped = true;
            groupLen = 0;
        } else {
            return std::nullopt;
        }
    }
    if (grouped && !inFraction && groupLen != 3) return std::nullopt;
    if (!grouped && !inFraction) firstGroup = groupLen;
    // An integer part with a leading zero is a code (05.125, 000123).
    if (firstGroup > 1 && p.body[0] == '0') return std::nullopt;
    std::int64_t units = whole * kPowers[decimals] + fraction * kPowers[decimals - fractionDigits];
    return p.negative ? -units : units;
}

std::size_t formatAmount(std::int64_t units, int decimals, char decimalSeparator, char* out) {
    char* o = out;
    std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    if (units < 0) *o++ = '-';
    const auto power = static_cast<std::uint64_t>(kPowers[decimals]);
    o = std::to_chars(o, o + 24, magnitude / power).ptr;
    if (decimals > 0) {
        *o++ = decimalSeparator;
        std::uint64_t rest = magnitude % power;
        for (int k = decimals - 1; k >= 0; --k) {
            o[k] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        o += decimals;
    }
    return static_cast<std::size_t>(o - out);
}

std::string printedAmount(std::int64_t units, int decimals, const AmountNotation& notation) {
    char plain[32];
    const std::size_t n = formatAmount(units, decimals, notation.decimal, plain);
    const std::string_view s(plain, n);
    const std::size_t sign = s[0] == '-' ? 1 : 0;
    const std::size_t point =
        decimals > 0 ? s.size() - static_cast<std::size_t>(decimals) - 1 : s.size();
    std::string out(s.substr(0, sign));
    for (std::size_t i = sign; i < point; ++i) {
        if (i > sign && (point - i) % 3 == 0 && notation.grouping) out += notation.grouping;
        out += s[i];
    }
    out += s.substr(point);
    return out;
}

}  // namespace tablamo
