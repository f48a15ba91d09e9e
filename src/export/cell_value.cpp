#include "export/cell_value.h"

#include <string>
#include <system_error>

#include "core/text_rules.h"

namespace tablamo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// A left-to-right reader over one short-date text.
class DateScanner {
public:
    DateScanner(std::string_view text, char separator) : m_text(text), m_sep(separator) {}

    void skipBlanks() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ') ++m_pos;
    }
    /// An unsigned number after blanks; `digits` gets how many digits it was written with.
    bool number(int& value, int& digits) {
        skipBlanks();
        const std::size_t start = m_pos;
        long v = 0;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos])) {
            // No part of a date needs more than five digits' worth; larger values only
            // have to stay invalid.
            if (v < 100000) v = v * 10 + (m_text[m_pos] - '0');
            ++m_pos;
        }
        digits = static_cast<int>(m_pos - start);
        value = static_cast<int>(v);
        return digits > 0;
    }
    /// A separator after blanks; "/" stands for the date separator as well.
    bool separator() {
        skipBlanks();
        if (m_pos < m_text.size() && (m_text[m_pos] == m_sep || m_text[m_pos] == '/')) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool atEnd() {
        skipBlanks();
        return m_pos == m_text.size();
    }

private:
    std::string_view m_text;
    char m_sep;
    std::size_t m_pos = 0;
};

}  // namespace

std::optional<Date> readShortDate(std::string_view text, const RegionalSettings& regional,
                                  const Date& today) {
    DateScanner scan(text, regional.dateSeparator);
    int n[3] = {};
    int digits[3] = {};
    if (!scan.number(n[0], digits[0]) || !scan.separator() || !scan.number(n[1], digits[1])) {
        return std::nullopt;
    }
    int count = 2;
    if (scan.separator()) {
        // Either the third number or the optional trailing separator.
        if (scan.number(n[2], digits[2])) {
            count = 3;
            scan.separator();
        }
    }
    if (!scan.atEnd()) return std::nullopt;

    Date d;
    if (count == 2) {
        // Day and month in the order the short date gives them, the year left out.
        d.year = today.year;
        if (regional.dateOrder == DateOrder::DayMonthYear) {
            d.day = n[0];
            d.month = n[1];
        } else {
            d.month = n[0];
            d.day = n[1];
        }
    } else {
        int yearDigits = 0;
        switch (regional.dateOrder) {
            case DateOrder::DayMonthYear:
                d = {n[2], n[1], n[0]};
                yearDigits = digits[2];
                break;
            case DateOrder::MonthDayYear:
                d = {n[2], n[0], n[1]};
                yearDigits = digits[2];
                break;
            case DateOrder::YearMonthDay:
                d = {n[0], n[1], n[2]};
                yearDigits = digits[0];
                break;
        }
        if (yearDigits <= 2) d.year = YearWindow(today).fullYear(d.year);
    }
    if (!isValidDate(d)) return std::nullopt;
    return d;
}

std::optional<double> readNumber(std::string_view text, char decimalSeparator) {
    return decimalValue(text, DecimalRules{decimalSeparator, false, false});
}

CellValue cellValue(std::string_view text, const RegionalSettings& regional, const Date& today) {
    CellValue v;
    v.text = text;
    if (text.empty()) return v;
    if (const auto date = readShortDate(text, regional, today)) {
        v.kind = CellValue::Kind::Date;
        v.date = *date;
    } else if (const auto number = readNumber(text, regional.decimalSeparator)) {
        v.kind = CellValue::Kind::Number;
        v.number = *number;
    }
    return v;
}

}  // namespace tablamo
