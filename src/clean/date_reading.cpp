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

// A Turkish letter of code page 857 or Windows-1254 as the ASCII letter it is written
// without its marks, upper case; other bytes as they are, ASCII letters upper case.
char plainLetter(unsigned char b) {
    switch (b) {
        case 0x9E:
        case 0x9F:
        case 0xDE:
        case 0xFE:
            return 'S';  // Ş ş
        case 0xA6:
        case 0xA7:
        case 0xD0:
        case 0xF0:
            return 'G';  // Ğ ğ
        case 0x8D:
        case 0x98:
        case 0xDD:
        case 0xFD:
            return 'I';  // ı İ
        case 0x81:
        case 0x9A:
        case 0xDC:
        case 0xFC:
            return 'U';  // ü Ü
        case 0x80:
        case 0x87:
        case 0xC7:
        case 0xE7:
            return 'C';  // Ç ç
        case 0x94:
        case 0x99:
        case 0xD6:
        case 0xF6:
            return 'O';  // ö Ö
        default:
            return b >= 'a' && b <= 'z' ? static_cast<char>(b - 32) : static_cast<char>(b);
    }
}

constexpr std::string_view kMonths[12] = {"OCAK",   "SUBAT",   "MART",  "NISAN", "MAYIS", "HAZIRAN",
                                          "TEMMUZ", "AGUSTOS", "EYLUL", "EKIM",  "KASIM", "ARALIK"};

// The month a Turkish month name or its first three letters name (1-12), else 0.
int monthOf(std::string_view word) {
    if (!word.empty() && word.back() == '.') word.remove_suffix(1);
    if (word.size() < 3 || word.size() > 7) return 0;
    char plain[8];
    for (std::size_t i = 0; i < word.size(); ++i)
        plain[i] = plainLetter(static_cast<unsigned char>(word[i]));
    const std::string_view w(plain, word.size());
    for (int m = 0; m < 12; ++m) {
        if (w == kMonths[m] || (w.size() == 3 && kMonths[m].substr(0, 3) == w)) return m + 1;
    }
    return 0;
}

// "02 Oca 2024", "2 Ocak 2024", "02.OCA.2024": a day, a month's name and a year of four
// digits (or two), parted by blanks, points or hyphens; "MART 2024", "Mart 2024": a month and
// its year, the month's first day.
std::optional<Date> namedMonthDate(std::string_view s, YearWindow years) {
    std::size_t i = 0;
    int day = 0, digits = 0;
    while (i < s.size() && isDigit(s[i]) && digits < 3) day = day * 10 + (s[i++] - '0'), ++digits;
    if (digits > 2) return std::nullopt;
    const auto parted = [&] {
        const std::size_t from = i;
        while (i < s.size() && (s[i] == ' ' || s[i] == '.' || s[i] == '-')) ++i;
        return i > from;
    };
    if (digits == 0) {
        day = 1;
    } else if (!parted()) {
        return std::nullopt;
    }
    const std::size_t from = i;
    while (i < s.size() && !isDigit(s[i]) && s[i] != ' ' && s[i] != '-') ++i;
    const int month = monthOf(s.substr(from, i - from));
    if (month == 0 || !parted()) return std::nullopt;
    int year = 0;
    digits = 0;
    while (i < s.size() && isDigit(s[i]) && digits < 5) year = year * 10 + (s[i++] - '0'), ++digits;
    if (i != s.size() || (digits != 4 && digits != 2)) return std::nullopt;
    const Date d{digits == 4 ? year : years.fullYear(year), month, day};
    if (!isValidDate(d)) return std::nullopt;
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
    if (!p.valid) {
        // A month's name gives the day first.
        date = namedMonthDate(text, years);
        if (!date) return 0;
        if (order != DateOrder::DayMonthYear) date.reset();
        return kDayMonthYearBit;
    }
    date = dateIn(p, order, years);
    std::uint8_t bits = date ? bitOf(order) : 0;
    for (const DateOrder o :
         {DateOrder::DayMonthYear, DateOrder::MonthDayYear, DateOrder::YearMonthDay}) {
        if (o != order && dateIn(p, o, years)) bits |= bitOf(o);
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
    if (!p.valid)
        return order == DateOrder::DayMonthYear ? namedMonthDate(text, years) : std::nullopt;
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
