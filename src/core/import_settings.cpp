#include "core/import_settings.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "core/error.h"
#include "core/grid.h"

namespace tablamo {

const std::array<const char*, ReportLayout::kWidthCount> ReportLayout::DefaultColumnWidths = {
    "10", "12", "39", "19", "19", "19", "19", "19", "19", "19",
    "10", "10", "10", "10", "10", "10", "10", "10", "10", "10",
};

bool tryStrToInt(std::string_view s, std::int32_t& value) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        magnitude =
            magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > std::uint64_t{1} << 32) return false;
    }
    const std::int64_t v =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(v);
    return true;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!tryStrToInt(text, value)) throw notAValidInteger(text);
    return value;
}

void ReportLayout::RestoreDefaultWidths() {
    for (int k = 0; k < kWidthCount; ++k) {
        ColumnWidths[static_cast<std::size_t>(k)] =
            DefaultColumnWidths[static_cast<std::size_t>(k)];
    }
}

std::int32_t ReportLayout::columnWidth(int k) const {
    return StrToInt(ColumnWidths.at(static_cast<std::size_t>(k - 1)));
}

void ReportLayout::setColumnWidth(int k, std::int32_t value) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    ColumnWidths.at(static_cast<std::size_t>(k - 1))
        .assign(digits, static_cast<std::size_t>(end - digits));
}

std::array<std::int32_t, ReportLayout::kWidthCount> ReportLayout::columnWidths() const {
    std::array<std::int32_t, kWidthCount> widths{};
    for (int k = 1; k <= kWidthCount; ++k) widths[static_cast<std::size_t>(k - 1)] = columnWidth(k);
    return widths;
}

std::span<const LayoutField> layoutFields() {
    using K = LayoutField::Kind;
    static const LayoutField kFields[] = {
        {"StartRow", K::Integer, &ReportLayout::StartRow},
        {"StartColumn", K::Integer, &ReportLayout::StartColumn},
        {"SearchCriterion", K::Text, &ReportLayout::SearchCriterion},
        {"FieldSeparator", K::Text, &ReportLayout::FieldSeparator},
        {"FrameCriterion", K::Text, &ReportLayout::FrameCriterion},
        {"FrameSeparator", K::Text, &ReportLayout::FrameSeparator},
        {"ColumnWidths", K::Widths},
        {"AutoColumnSearch", K::Check, nullptr, &ReportLayout::AutoColumnSearch},
        {"LedgerMarks", K::Check, nullptr, &ReportLayout::LedgerMarks},
    };
    return kFields;
}

void NumberGridHeaders(Grid& grid) {
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    char digits[16];
    for (int r = 1; r < grid.rowCount(); ++r) {
        // to_chars, not snprintf: a million-line report numbers a million rows here.
        const char* end = std::to_chars(digits, digits + sizeof digits, r).ptr;
        grid.setCell(0, r, std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    if (grid.rowCount() > 0) {
        Grid::RowCells header = grid.row(0);
        for (int c = 1; c < grid.colCount(); ++c) {
            header[static_cast<std::size_t>(c)] =
                c <= 26 ? kLetters.substr(static_cast<std::size_t>(c - 1), 1) : std::string_view{};
        }
        grid.setRow(0, header);
    }
}

}  // namespace tablamo
