#include "clean/date_reading.h"

namespace tablamo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The three numbers of a written date and how many digits each had.
struct DateParts {
    bool valid = false;
    int n[3] = {};
    int digits[3] = {};
};

DateParts datePartsOf(std::string_view s) {
    DateParts d;
    char sep = 0;
    int part = 0;
    std::size_t i = 0;
    for (; part < 3; ++part) {
        const std::size_t from = i;
        int v = 0;
        while (i < s.size() && isDigit(s[i]) && i - from < 4) v = v * 10 + (s[i++] - '0');
        d.n[part] = v;
        d.digits[part] = static_cast<int>(i - from);
        if (d.digits[part] == 0) return {};
        if (part == 2) break;
        if (i >= s.size()) return {};
        const char c = s[i];
        if (c != '.' && c != '/' && c != '-') return {};
        if (sep == 0) sep = c;
        if (c != sep) return {};
        ++i;
    }
    if (i != s.size()) return {};
    d.valid = true;
    return d;
}

int fullYear(int year, int digits, YearWindow years) {
    if (digits == 4) return year;
    if (digits != 2) return -1;
    return years.fullYear(year);
}

std::optional<Date> dateIn(const DateParts& p, DateOrder order, YearWindow years) {
    Date d;
    switch (order) {
        case DateOrder::DayMonthYear:
            if (p.digits[0] > 2 || p.digits[1] > 2) return std::nullopt;
            d = {fullYear(p.n[2], p.digits[2], years), p.n[1], p.n[0]};
            break;
        case DateOrder::MonthDayYear:
            if (p.digits[0] > 2 || p.digits[1] > 2) return std::nullopt;
            d = {fullYear(p.n[2], p.digits[2], years), p.n[0], p.n[1]};
            break;
        case DateOrder::YearMonthDay:
            if (p.digits[0] != 4 || p.digits[1] > 2 || p.digits[2] > 2) return std::nullopt;
            d = {p.n[0], p.n[1], p.n[2]};
            break;
    }
    if (!isValidDate(d)) return std::nullopt;
    return d;
}

void putTwo(char*& o, int v) {
    *o++ = static_cast<char>('0' + v / 10 % 10);
    *o++ = static_cast<char>('0' + v % 10);
}

}  // namespace

std::uint8_t bitOf(DateOrder order) {
    switch (order) {
        case DateOrder::DayMonthYear:
            return kDayMonthYearBit;
        case DateOrder::MonthDayYear:
            return kMonthDayYearBit;
        case DateOrder::YearMonthDay:
            return kYearMonthDayBit;
    }
    return 0;
}

std::uint8_t dateOrdersOf(std::string_view text, YearWindow years) {
    std::optional<Date> date;
    return dateOrdersOf(text, DateOrder::DayMonthYear, years, date);
}

std::uint8_t dateOrdersOf(std::string_view text, DateOrder order, YearWindow years,
                          std::optional<Date>& date) {
    const DateParts p = datePartsOf(text);
    date.reset();
    if (!p.valid) return 0;
    date = dateIn(p, order, years);
    std::uint8_t bits = 0;
    for (const DateOrder o :
         {DateOrder::DayMonthYear, DateOrder::MonthDayYear, DateOrder::YearMonthDay}) {
        if (dateIn(p, o, years)) bits |= bitOf(o);
    }
    return bits;
}

std::optional<DateOrder> chooseDateOrder(std::uint8_t orders, DateOrder regional) {
    if (orders & bitOf(regional)) return regional;
    for (const DateOrder o :
         {DateOrder::DayMonthYear, DateOrder::YearMonthDay, DateOrder::MonthDayYear}) {
        if (orders & bitOf(o)) return o;
    }
    return std::nullopt;
}

std::optional<Date> readReportDate(std::string_view text, DateOrder order, YearWindow years) {
    const DateParts p = datePartsOf(text);
    if (!p.valid) return std::nullopt;
    return dateIn(p, order, years);
}

std::optional<Date> readPackedDate(std::string_view s) {
    if (s.size() != 8) return std::nullopt;
    int v[8];
    for (std::size_t i = 0; i < 8; ++i) {
        if (!isDigit(s[i])) return std::nullopt;
        v[i] = s[i] - '0';
    }
    const Date d{v[4] * 1000 + v[5] * 100 + v[6] * 10 + v[7], v[2] * 10 + v[3], v[0] * 10 + v[1]};
    if (!isValidDate(d)) return std::nullopt;
    return d;
}

std::size_t formatShortDate(const Date& date, const RegionalSettings& regional, char* out) {
    char* o = out;
    const char sep = regional.dateSeparator;
    auto year = [&] {
        putTwo(o, date.year / 100);
        putTwo(o, date.year % 100);
    };
    switch (regional.dateOrder) {
        case DateOrder::DayMonthYear:
            putTwo(o, date.day), *o++ = sep, putTwo(o, date.month), *o++ = sep, year();
            break;
        case DateOrder::MonthDayYear:
            putTwo(o, date.month), *o++ = sep, putTwo(o, date.day), *o++ = sep, year();
            break;
        case DateOrder::YearMonthDay:
            year(), *o++ = sep, putTwo(o, date.month), *o++ = sep, putTwo(o, date.day);
            break;
    }
    return static_cast<std::size_t>(o - out);
}

}  // namespace tablamo
