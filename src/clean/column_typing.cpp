#include "clean/column_typing.h"

#include <algorithm>

namespace tablamo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "02 Eylül 2024": the longest date written.
constexpr std::size_t kLongestDate = 16;

// "No:474": a group's label and its value written together, not a code.
bool labelled(std::string_view token) {
    const std::size_t colon = token.find(':');
    if (colon == std::string_view::npos) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return true;
        if (c >= 0x80) return true;
    }
    return false;
}

// The value as a whole number of up to nine digits; -1 for any other value.
std::int64_t wholeNumber(std::string_view value) {
    if (value.empty() || value.size() > 9) return -1;
    std::int64_t n = 0;
    for (const char c : value) {
        if (!isDigit(c)) return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The digits of a whole number without its sign: "3-", "(3)", "-3" and "+3" are "3".
std::string_view withoutSign(std::string_view value) {
    if (value.size() >= 3 && value.front() == '(' && value.back() == ')')
        return value.substr(1, value.size() - 2);
    if (value.size() >= 2 && value.back() == '-') return value.substr(0, value.size() - 1);
    if (value.size() >= 2 && (value.front() == '-' || value.front() == '+')) return value.substr(1);
    return value;
}

// Whether the digits are a whole number grouped by thousands ("4.201", "12,480"): one to three
// digits, no nought first, then groups of three after one separator throughout.
bool groupedWhole(std::string_view digits) {
    const std::size_t cut = digits.find_first_of(".,");
    if (cut == std::string_view::npos || cut == 0 || cut > 3 || digits[0] == '0') return false;
    const char separator = digits[cut];
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const bool groupEnd = i >= cut && (i - cut) % 4 == 0;
        if (groupEnd ? digits[i] != separator : !isDigit(digits[i])) return false;
    }
    return (digits.size() - cut) % 4 == 0;
}

}  // namespace

// A document number with its series: one to three capitals, a blank and digits ("A 000123",
// "AB 4711"), one code as an invoice prints it.
bool isSeriesNumber(std::string_view value) {
    const std::size_t blank = value.find(' ');
    if (blank == std::string_view::npos || blank == 0 || blank > 3 || blank + 1 == value.size())
        return false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (i < blank ? !(c >= 'A' && c <= 'Z') : i > blank && !isDigit(c)) return false;
    }
    return true;
}

ValueFacts factsOf(std::string_view value, YearWindow years) {
    bool blank = false, digit = false, onlyDashes = true;
    int points = 0;
    for (const char c : value) {
        points += c == '.';
        blank |= c == ' ';
        digit |= isDigit(c);
        onlyDashes &= c == '-' || c == '=';
    }
    return factsOf(value, blank, digit, onlyDashes, points, years);
}

ValueFacts factsOf(std::string_view value, bool blank, bool digit, bool onlyDashes, int points,
                   YearWindow years, ValueReading reading, const ColumnDecision* column,
                   ReadValue* read) {
    if (read) *read = ReadValue{};
    ValueFacts f;
    if (value.empty()) return f;
    f.empty = false;
    f.token = !blank || (digit && isSeriesNumber(value));
    f.codeToken = f.token && digit && !labelled(value);
    f.placeholder = onlyDashes;
    f.points = static_cast<std::uint8_t>(points > 255 ? 255 : points);
    f.mark = value.size() == 1 && (value[0] == 'B' || value[0] == 'A');
    f.nought = value == "0";
    // Amounts and dates begin with a digit, a sign, a parenthesis or a statement's "="; a
    // month and its year ("MART 2024") with the month's name.
    const char c = value[0];
    if (digit && !isDigit(c) && c != '-' && c != '+' && c != '(' && c != '=' &&
        value.size() <= kLongestDate &&
        (reading == ValueReading::All || reading == ValueReading::Date)) {
        f.dateOrders = reading == ValueReading::Date && column && read
                           ? dateOrdersOf(value, column->dateOrder, years, read->date)
                           : dateOrdersOf(value, years);
    } else if (digit && (isDigit(c) || c == '-' || c == '+' || c == '(' || c == '=')) {
        if (reading == ValueReading::Amount && column && read) {
            f.amount = amountFormOf(value, &column->notation, column->decimals, read->units);
        } else if (reading == ValueReading::All || reading == ValueReading::Amount) {
            f.amount = amountFormOf(value);
        }
        if ((reading == ValueReading::All || reading == ValueReading::Date) && isDigit(c) &&
            value.size() >= 6 && value.size() <= kLongestDate) {
            f.dateOrders = reading == ValueReading::Date && column && read
                               ? dateOrdersOf(value, column->dateOrder, years, read->date)
                               : dateOrdersOf(value, years);
        }
    }
    return f;
}

void ColumnStats::add(const ValueFacts& facts, int first, int last, std::string_view value) {
    if (facts.empty) return;
    const std::size_t length = value.size();
    ++m_values;
    if (facts.dateOrders) {
        if (m_dates++ == 0) m_short = ShortDates();
        m_orders &= facts.dateOrders;
        m_short.add(value);
    }
    if (facts.amount.valid) {
        ++m_amounts;
        m_vote.add(facts.amount);
        if (first > m_firstMax) m_firstMax = first;
        if (last < m_lastMin) m_lastMin = last;
        if (last > m_lastMax) m_lastMax = last;
        const std::int64_t whole = facts.amount.fraction == 0 ? wholeNumber(value) : -1;
        m_counting += whole >= 0 && m_lastWhole >= 0 && whole == m_lastWhole + 1;
        m_lastWhole = whole;
        m_wholeMax = std::max(m_wholeMax, whole);
        // A negative one too, by its sign ("3-", "(3)", "-3").
        const std::string_view digits = withoutSign(value);
        const std::int64_t magnitude = facts.amount.fraction == 0 ? wholeNumber(digits) : -1;
        m_fewDigits +=
            (magnitude >= 0 && digits.size() <= 3 && (digits.size() == 1 || digits[0] != '0')) ||
            groupedWhole(digits);
    }
    m_percents += facts.percent || value.front() == '%' || value.back() == '%';
    m_noughts += facts.nought;
    m_placeholders += facts.placeholder;
    m_rightDashes += facts.placeholder && first > m_runFrom + 1 && last >= m_runTo - 2;
    m_tokens += facts.token;
    m_codeTokens += facts.codeToken;
    m_marks += facts.mark;
    if (length > m_maxLength) m_maxLength = length;
    if (facts.points < m_minPoints) m_minPoints = facts.points;
    if (facts.points > m_maxPoints) m_maxPoints = facts.points;
}

void ColumnStats::addTotal(const ValueFacts& facts, std::string_view value) {
    m_totalled += facts.amount.valid;
    m_totalVote.add(facts.amount);
    if (facts.amount.valid && facts.amount.fraction == 0)
        m_totalWholeMax = std::max(m_totalWholeMax, wholeNumber(value));
}

void ColumnStats::ShortDates::add(std::string_view value) {
    if (!all) return;
    const std::size_t cut = value.find_last_of("./-");
    const std::string_view h = value.substr(0, cut + 1), y = value.substr(cut + 1);
    const bool unpadded = h.size() >= 2 && (h[1] < '0' || h[1] > '9' ||
                                            (h.size() >= 4 && (h[3] < '0' || h[3] > '9')));
    if (cut == std::string_view::npos || y.size() != 2 || h.size() > head.size() || !unpadded) {
        all = false;
        return;
    }
    if (headSize == 0) {
        std::copy(h.begin(), h.end(), head.begin());
        headSize = static_cast<std::uint8_t>(h.size());
        std::copy(y.begin(), y.end(), year.begin());
        return;
    }
    yearsDiffer = yearsDiffer || (h == std::string_view(head.data(), headSize) &&
                                  y != std::string_view(year.data(), 2));
}

void ColumnStats::ShortDates::merge(const ShortDates& o, bool mineEmpty) {
    if (mineEmpty) {
        *this = o;
        return;
    }
    all = all && o.all;
    if (!all || o.headSize == 0) return;
    yearsDiffer =
        yearsDiffer || o.yearsDiffer ||
        (std::string_view(o.head.data(), o.headSize) == std::string_view(head.data(), headSize) &&
         std::string_view(o.year.data(), 2) != std::string_view(year.data(), 2));
}

void ColumnStats::merge(const ColumnStats& o) {
    if (o.m_dates > 0) m_short.merge(o.m_short, m_dates == 0);
    m_values += o.m_values;
    m_dates += o.m_dates;
    m_amounts += o.m_amounts;
    m_placeholders += o.m_placeholders;
    m_rightDashes += o.m_rightDashes;
    m_tokens += o.m_tokens;
    m_codeTokens += o.m_codeTokens;
    m_percents += o.m_percents;
    m_noughts += o.m_noughts;
    m_marks += o.m_marks;
    m_wraps += o.m_wraps;
    m_counting += o.m_counting;
    m_wholeMax = std::max(m_wholeMax, o.m_wholeMax);
    m_totalWholeMax = std::max(m_totalWholeMax, o.m_totalWholeMax);
    m_fewDigits += o.m_fewDigits;
    m_totalled += o.m_totalled;
    m_fullWraps[0] += o.m_fullWraps[0];
    m_fullWraps[1] += o.m_fullWraps[1];
    m_orders &= o.m_orders;
    m_vote.merge(o.m_vote);
    m_totalVote.merge(o.m_totalVote);
    m_firstMax = std::max(m_firstMax, o.m_firstMax);
    m_lastMin = std::min(m_lastMin, o.m_lastMin);
    m_lastMax = std::max(m_lastMax, o.m_lastMax);
    m_minPoints = std::min(m_minPoints, o.m_minPoints);
    m_maxPoints = std::max(m_maxPoints, o.m_maxPoints);
    m_maxLength = std::max(m_maxLength, o.m_maxLength);
}

// A field this wide reaches to any line's end (the last of a frame without its right edge).
constexpr int kOpenField = 1024;

// Full lines that tell texts cut in the middle of words; with fewer, words that happen to
// end at the column's edge might.
constexpr int kCutWordsFrom = 4;

ColumnDecision ColumnStats::decide(DateOrder regional, const AmountNotation* table) const {
    ColumnDecision d;
    if (m_values == m_placeholders && (m_values == 0 || m_totalVote.shows())) {
        // No record fills it (or only with dashes for none), and total lines print amounts
        // in it: an amount column all the same (an age bucket no record of a short list
        // falls in).
        if (!m_totalVote.shows()) return d;
        const std::optional<AmountNotation> notation = m_totalVote.decide();
        if (!notation || (table && !(*notation == *table))) return d;
        d.kind = ColumnKind::Amount;
        d.notation = *notation;
        d.decimals = m_totalVote.decimalsFor(*notation);
        return d;
    }
    // A balance of nothing prints no mark: its last nought stands where the marks do.
    if (m_marks > 0 && m_marks + m_noughts == m_values) {
        d.marks = true;
        return d;
    }
    if (m_dates == m_values && !m_short.codes()) {
        if (const auto order = chooseDateOrder(m_orders, regional)) {
            d.kind = ColumnKind::Date;
            d.dateOrder = *order;
            return d;
        }
    }
    if (m_amounts > 0 && m_amounts + m_placeholders == m_values) {
        const AmountNotation turkish{',', '.'};
        std::optional<AmountNotation> notation =
            m_vote.shows() ? m_vote.decide()
                           : std::optional<AmountNotation>(table ? *table : turkish);
        // A table prints its amounts in one notation: values that show another ("191.01"
        // where the amounts print "1.192,69") are codes.
        if (notation && table && !(*notation == *table)) notation.reset();
        if (notation) {
            const int decimals = m_vote.decimalsFor(*notation);
            // Amounts stand right-aligned under their rule; codes that happen to read as
            // amounts (300.01) stand left-aligned. In a narrow column ("30" days under
            // "---") values that end at the rule's last character and none at its first
            // stand right.
            // Values all of one width fill their column either way: the dashes printed
            // for nothing at its right end tell it stands right.
            // The last field of a frame drawn without its right edge reaches to any line's
            // end: its amounts end on one edge of their own.
            const bool openEnd = m_runTo - m_runFrom >= kOpenField;
            const bool edge = openEnd ? m_lastMin == m_lastMax : m_lastMin >= m_runTo;
            const bool flushRight = edge && m_firstMax > m_runFrom;
            const bool dashesRight = m_rightDashes > 0 && m_rightDashes == m_placeholders;
            const bool left = m_firstMax <= m_runFrom + 1 && !flushRight && !dashesRight;
            const bool right = openEnd ? flushRight : m_lastMin >= m_runTo - 2;
            // A row number counts the records: each one more than the one before, but
            // where another reader's lines begin. Days a total line sums (1, 2, 3 and 6)
            // count nothing.
            const bool counts = decimals == 0 && m_values >= 3 &&
                                10 * (m_counting + 1) >= 9 * m_values &&
                                m_totalWholeMax <= m_wholeMax;
            // Whole numbers of a few digits or grouped by thousands that a total line sums
            // (days worked, documents, quantities) or that print dashes for none are amounts too.
            const bool summed = decimals == 0 && m_amounts > 0 && m_fewDigits == m_amounts &&
                                (m_totalled > 0 || m_placeholders > 0);
            // Such numbers ending on one edge inside a wider room stand right too.
            const bool ownEdge = !left && m_lastMin == m_lastMax;
            if (!counts && ((right && !left) || (decimals > 0 && !(left && !right)) ||
                            (summed && (right || ownEdge)))) {
                d.kind = ColumnKind::Amount;
                d.notation = *notation;
                d.decimals = decimals;
                return d;
            }
        }
    }
    if (m_tokens == m_values && 2 * m_codeTokens >= m_values) {
        d.kind = ColumnKind::Code;
    } else {
        for (int at = 0; at < 2 && d.cutAt < 0; ++at) {
            const int full = m_fullWraps[static_cast<std::size_t>(at)];
            if (full >= kCutWordsFrom && 10 * full >= 7 * m_wraps) d.cutAt = at;
        }
    }
    return d;
}

bool fitsKind(const ValueFacts& facts, const ColumnDecision& column) {
    if (facts.empty) return true;
    switch (column.kind) {
        case ColumnKind::Date:
            return (facts.dateOrders & bitOf(column.dateOrder)) != 0;
        case ColumnKind::Amount:
            return facts.amount.valid || facts.placeholder;
        case ColumnKind::Code:
            return facts.token;
        case ColumnKind::Text:
            return !column.marks || facts.mark || facts.nought;
    }
    return true;
}

bool identifiesRecord(const ValueFacts& facts, const ColumnDecision& column) {
    switch (column.kind) {
        case ColumnKind::Date:
            return (facts.dateOrders & bitOf(column.dateOrder)) != 0;
        case ColumnKind::Code:
            return facts.codeToken;
        default:
            return false;
    }
}

}  // namespace tablamo
