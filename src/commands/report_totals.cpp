#include "commands/report_totals.h"

#include <algorithm>
#include <cmath>

#include "clean/printer_codes.h"
#include "clean/total_label.h"
#include "core/dos_text.h"
#include "core/report_text.h"
#include "export/cell_value.h"
#include "export/output_formats.h"

namespace tablamo {
namespace {

// The heading of the column that says a record's level in a tree of codes.
constexpr const char* kLevelHeading = "D\xDCZEY";

bool hasDigit(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Blank runs made one blank, ends trimmed.
std::string collapsed(std::string_view s) {
    std::string out;
    for (const char c : s) {
        if (c == ' ' || static_cast<unsigned char>(c) < 0x20) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace

std::string groupedAmount(long long cents, char decimal) {
    const char group = decimal == ',' ? '.' : ',';
    const bool negative = cents < 0;
    const unsigned long long n = negative ? 0ULL - static_cast<unsigned long long>(cents)
                                          : static_cast<unsigned long long>(cents);
    std::string whole = std::to_string(n / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), 1, group);
    const unsigned long long fraction = n % 100;
    return (negative ? "-" : "") + whole + decimal + static_cast<char>('0' + fraction / 10) +
           static_cast<char>('0' + fraction % 10);
}

std::string printedTotalLine(const ReportText& text, const Book::Table& table) {
    std::vector<std::int32_t> skipped;
    if (table.clean) {
        skipped = table.clean->recordLines;
        skipped.insert(skipped.end(), table.clean->unplacedLines.begin(),
                       table.clean->unplacedLines.end());
        std::sort(skipped.begin(), skipped.end());
    }
    std::string last;
    for (int i = text.lineCount() - 1; i >= 0; --i) {
        if (std::binary_search(skipped.begin(), skipped.end(), i + 1)) continue;
        const std::string line = collapsed(DosToWinText(withoutPrinterCodes(text.line(i))));
        if (!hasDigit(line) || !isTotalLabel(line, false)) continue;
        const TotalClass kind = readTotalLabel(line).kind;
        if (kind == TotalClass::Grand) return line;
        if (last.empty() && kind != TotalClass::Page && kind != TotalClass::Forward &&
            kind != TotalClass::Back) {
            last = line;
        }
    }
    return last;
}

std::string recordSumsText(const Book::Table& table, const RegionalSettings& regional) {
    if (!table.clean) return {};
    const Grid& grid = table.grid;
    const std::vector<bool> summed = summedColumns(grid, *table.clean);
    int levelColumn = 0;
    for (int c = 1; c < grid.colCount(); ++c) {
        if (headingKey(grid.cell(c, 0)) == headingKey(kLevelHeading)) levelColumn = c;
    }
    std::string text;
    for (std::size_t i = 0; i < summed.size(); ++i) {
        if (!summed[i]) continue;
        const int c = static_cast<int>(i) + 1;
        long long cents = 0;
        // Money carries kuruş: a column of whole numbers alone (voucher numbers) is no sum.
        bool fractions = false;
        for (int r = 1; r < grid.rowCount(); ++r) {
            if (levelColumn > 0 && grid.cell(levelColumn, r) != "1") continue;
            const std::string_view cell = grid.cell(c, r);
            if (const auto v = readNumber(cell, regional.decimalSeparator)) {
                cents += std::llround(*v * 100);
                fractions = fractions || cell.find(regional.decimalSeparator) != cell.npos;
            }
        }
        if (!fractions) continue;
        if (!text.empty()) text += "; ";
        text +=
            std::string(grid.cell(c, 0)) + " " + groupedAmount(cents, regional.decimalSeparator);
    }
    if (!text.empty() && levelColumn > 0) text += " (d\xFCzey 1)";
    return text;
}

}  // namespace tablamo
