#include "bank/statement_layout.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "core/dos_text.h"
#include "core/field_layout.h"

namespace tablamo {
namespace {

// The date field's labels, in Windows Turkish: the information lines and the heading of
// the transaction table.
constexpr std::string_view kInfoKeys[] = {"D\xDCZENLEYE", "HESAP \xDEUB", "IBAN"};
constexpr std::string_view kHeadingKey = "TAR\xDDH";

}  // namespace

StatementLine classifyStatementLine(std::string_view key) {
    if (key.empty()) return StatementLine::Dropped;
    if (std::find(std::begin(kInfoKeys), std::end(kInfoKeys), key) != std::end(kInfoKeys)) {
        return StatementLine::Information;
    }
    return StatementLine::Entry;
}

bool looksLikeStatement(const ReportText& text) {
    std::array<std::int32_t, FieldLayout::kFields> widths{};
    std::copy(std::begin(kStatementWidths), std::end(kStatementWidths), widths.begin());
    const FieldLayout layout = fieldLayoutOf(widths);
    std::array<bool, std::size(kInfoKeys)> seen{};
    char key[ReportText::kMaxLineRead];
    for (int i = 0; i < std::min(text.lineCount(), 60); ++i) {
        const std::string_view field = fieldOf(text.line(i), layout, 1);
        const std::string_view k(key, dosToWinNumberInto(field, '.', key));
        for (std::size_t j = 0; j < seen.size(); ++j) seen[j] = seen[j] || k == kInfoKeys[j];
    }
    return std::count(seen.begin(), seen.end(), true) >= 2;
}

bool isStatementHeading(std::string_view cleanedDateField) {
    return cleanedDateField == kHeadingKey;
}

std::size_t cleanAmountInto(std::string_view text, char decimalSeparator, char* out) {
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch == ',' || ch == '=') continue;
        out[n++] = ch == '.' ? decimalSeparator : ch;
    }
    return dropBlanksOfPositiveNumber(out, n, decimalSeparator);
}

std::size_t stripEqualsInto(std::string_view text, char decimalSeparator, char* out) {
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch != '=') out[n++] = ch;
    }
    return dropBlanksOfPositiveNumber(out, n, decimalSeparator);
}

std::size_t collapseBlanksInto(std::string_view text, char* out) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[n++] = text[i];
        // The second blank of a pair goes; the pass goes on after the pair, so a third
        // blank starts a new pair rather than joining the blank just written.
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
    }
    return n;
}

std::string CleanAmount(std::string_view text, char decimalSeparator) {
    std::string out(text.size(), '\0');
    out.resize(cleanAmountInto(text, decimalSeparator, out.data()));
    return out;
}

std::string StripEquals(std::string_view text, char decimalSeparator) {
    std::string out(text.size(), '\0');
    out.resize(stripEqualsInto(text, decimalSeparator, out.data()));
    return out;
}

std::string CollapseBlanks(std::string_view text) {
    std::string out(text.size(), '\0');
    out.resize(collapseBlanksInto(text, out.data()));
    return out;
}

}  // namespace tablamo
