#include "commands/table_display.h"

#include "clean/date_reading.h"

namespace tablamo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool groupAmount(std::string_view cell, char decimal, std::string_view group, std::string& out) {
    if (group.empty() || (group.size() == 1 && group[0] == decimal)) return false;
    std::string_view sign;
    if (!cell.empty() && cell.front() == '-') {
        sign = cell.substr(0, 1);
        cell.remove_prefix(1);
    }
    const std::size_t point = cell.find(decimal);
    const std::string_view whole = cell.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : cell.substr(point);
    if (whole.empty()) return false;
    for (const char c : whole) {
        if (!isDigit(c)) return false;
    }
    for (std::size_t i = 1; i < fraction.size(); ++i) {
        if (!isDigit(fraction[i])) return false;
    }
    if (fraction.size() == 1) return false;  // a separator with no decimals is no amount
    out.clear();
    out += sign;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += group;
        out += whole[i];
    }
    out += fraction;
    return true;
}

std::optional<Date> readDateCell(std::string_view cell, const RegionalSettings& regional) {
    if (cell.find(regional.dateSeparator) == std::string_view::npos) return std::nullopt;
    // The clean table writes its dates with the year in full; a short year reads as the
    // regional settings read one.
    return readReportDate(cell, regional.dateOrder, YearWindow(Clock().today()));
}

}  // namespace tablamo
