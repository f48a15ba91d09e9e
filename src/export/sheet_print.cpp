#include "export/sheet_print.h"

#include <charconv>
#include <cmath>

#include "core/encoding.h"
#include "export/cell_value.h"
#include "export/sheet_xml.h"

namespace tablamo {
namespace {

// An A4 page upright within the default margins of 0.7 inches, in pixels at 96 per inch.
constexpr double kPortraitPixels = (8.27 - 2 * 0.7) * 96;
// A column's pixels for a width in characters of the default font (7 pixels a digit, 5 of
// padding); a column without a width has the default 8.43 characters.
constexpr double kDigitPixels = 7;
constexpr double kPaddingPixels = 5;
constexpr double kDefaultWidth = 8.43;
// A header part's characters at most: the header holds 255 characters in all.
constexpr std::size_t kHeaderPart = 100;

// A text for the header or footer: UTF-8, cut to its room, "&" doubled (it starts a code).
std::string headerText(const std::string& win1254) {
    const std::string cut = win1254.substr(0, kHeaderPart);
    std::string out;
    for (const char c : win1254ToUtf8(cut)) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

std::string number(double value) {
    char digits[32];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return {digits, static_cast<std::size_t>(end - digits)};
}

}  // namespace

bool printsLandscape(const std::vector<double>& widths, int columns) {
    double pixels = 0;
    for (int c = 0; c < columns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const double width = i < widths.size() && widths[i] > 0 ? widths[i] : kDefaultWidth;
        pixels += std::floor(std::fmin(width, 255.0) * kDigitPixels + kPaddingPixels);
    }
    return pixels > kPortraitPixels;
}

SheetPrint sheetPrintOf(const PrintSetup& setup, const std::vector<double>& widths, int columns,
                        bool headingRow) {
    SheetPrint print;
    if (!setup.enabled) return print;
    print.enabled = true;
    print.landscape = printsLandscape(widths, columns);
    print.headingRepeated = headingRow;
    if (!setup.firm.empty()) print.header += "&L" + headerText(setup.firm);
    // The title in bold, the period under it as the report prints them.
    if (!setup.title.empty() || !setup.period.empty()) print.header += "&C";
    if (!setup.title.empty()) print.header += "&\"-,Bold\"" + headerText(setup.title);
    if (!setup.title.empty() && !setup.period.empty()) print.header += "\n&\"-,Regular\"";
    if (!setup.period.empty()) print.header += headerText(setup.period);
    print.footer = "&CSayfa &P / &N";
    return print;
}

std::string totalsRowXml(const Grid& grid, int first, int end, const TotalsRow& totals,
                         int firstSheetRow, int sheetRow, char decimalSeparator) {
    bool any = false;
    for (const bool s : totals.summed) any = any || s;
    if (!any || end <= first) return {};
    const std::string row = std::to_string(sheetRow);
    std::string x = "<row r=\"" + row + "\">";
    if (!totals.label.empty() && !totals.summed.front()) {
        x += "<c r=\"A" + row + "\" s=\"" + std::to_string(static_cast<int>(CellStyle::Heading)) +
             "\" t=\"inlineStr\"><is><t>" + xmlEscaped(win1254ToUtf8(totals.label)) +
             "</t></is></c>";
    }
    for (std::size_t c = 0; c < totals.summed.size(); ++c) {
        if (!totals.summed[c]) continue;
        const int column = static_cast<int>(c) + 1;
        // Whole cents, so that the sum of many amounts keeps its last digit.
        long long cents = 0;
        for (int r = first; r < end; ++r) {
            if (const auto v = readNumber(grid.cell(column, r), decimalSeparator)) {
                cents += std::llround(*v * 100);
            }
        }
        char buffer[4];
        const std::string letters(SheetRows::letters(column, buffer));
        x += "<c r=\"" + letters + row + "\" s=\"" +
             std::to_string(static_cast<int>(CellStyle::Amount)) + "\"><f>SUM(" + letters +
             std::to_string(firstSheetRow) + ":" + letters + std::to_string(sheetRow - 1) +
             ")</f><v>" + number(static_cast<double>(cents) / 100) + "</v></c>";
    }
    return x + "</row>";
}

}  // namespace tablamo
