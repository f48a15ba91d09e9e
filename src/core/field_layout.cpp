#include "core/field_layout.h"

#include "core/dos_text.h"

namespace tablamo {

FieldLayout fieldLayoutOf(const std::array<std::int32_t, FieldLayout::kFields>& widths) {
    FieldLayout layout;
    std::uint32_t pos = 1;
    for (std::size_t k = 0; k < FieldLayout::kFields; ++k) {
        const auto w = static_cast<std::uint32_t>(widths[k]);
        layout.from[k] = pos & 0xFFFF;
        layout.count[k] = w & 0xFFFF;
        pos += w;
    }
    for (std::size_t k = 2; k < FieldLayout::kFields; ++k) {
        if (layout.from[k] < layout.from[k - 1]) layout.increasing = false;
    }
    return layout;
}

std::string_view fieldOf(std::string_view line, const FieldLayout& layout, int k) {
    const auto idx = static_cast<std::size_t>(k);
    if (k == 0) return TrimControl(LeftChars(line, layout.count[0]));
    return TrimControl(MidChars(line, layout.from[idx], layout.count[idx]));
}

void cutLine(std::string_view line, const FieldLayout& layout, FieldConversion conversion,
             char decimalSeparator, char* buffer, Grid::RowCells& cells) {
    char* out = buffer;
    std::string_view* cell = cells.begin() + 1;  // column k + 1 holds field k
    for (int k = 0; k < FieldLayout::kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (k > 0 && layout.increasing && layout.from[idx] > line.size()) {
            // The rest of the fields lie past the end of the line (most lines of a report
            // are shorter than the 20 default columns).
            for (std::size_t rest = idx; rest < FieldLayout::kFields; ++rest) cell[rest] = {};
            break;
        }
        const std::string_view field = fieldOf(line, layout, k);
        const std::size_t n = (conversion == FieldConversion::Numbers && k > 0)
                                  ? dosToWinNumberInto(field, decimalSeparator, out)
                                  : dosToWinTextInto(field, out);
        cell[idx] = std::string_view(out, n);
        out += n;
    }
}

}  // namespace tablamo
