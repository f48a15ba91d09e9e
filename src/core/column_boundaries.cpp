#include "core/column_boundaries.h"

#include <algorithm>

namespace tablamo {

ColumnWidths columnEnds(const ColumnWidths& widths) {
    ColumnWidths ends{};
    std::int32_t end = 0;
    for (std::size_t k = 0; k < widths.size(); ++k) {
        end += std::max(widths[k], 0);
        ends[k] = end;
    }
    return ends;
}

std::optional<ColumnWidths> moveBoundary(const ColumnWidths& widths, int k, std::int32_t position) {
    if (k < 1 || k >= ReportLayout::kWidthCount) return std::nullopt;
    const ColumnWidths ends = columnEnds(widths);
    const auto i = static_cast<std::size_t>(k - 1);
    const std::int32_t start = i == 0 ? 0 : ends[i - 1];
    if (position <= start || position >= ends[i + 1]) return std::nullopt;
    ColumnWidths moved = widths;
    moved[i] = position - start;
    moved[i + 1] = ends[i + 1] - position;
    return moved;
}

std::optional<ColumnWidths> addBoundary(const ColumnWidths& widths, std::int32_t position) {
    const ColumnWidths ends = columnEnds(widths);
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const std::int32_t start = i == 0 ? 0 : ends[i - 1];
        if (position <= start || position >= ends[i]) {
            if (position == ends[i]) return std::nullopt;
            continue;
        }
        ColumnWidths split{};
        std::copy(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(i), split.begin());
        split[i] = position - start;
        if (i + 1 < split.size()) split[i + 1] = ends[i] - position;
        for (std::size_t j = i + 2; j < split.size(); ++j) split[j] = widths[j - 1];
        return split;
    }
    return std::nullopt;
}

ColumnWidths removeBoundary(const ColumnWidths& widths, int k) {
    if (k < 1 || k >= ReportLayout::kWidthCount) return widths;
    const auto i = static_cast<std::size_t>(k - 1);
    ColumnWidths joined = widths;
    joined[i] = std::max(widths[i], 0) + std::max(widths[i + 1], 0);
    for (std::size_t j = i + 1; j + 1 < joined.size(); ++j) joined[j] = widths[j + 1];
    joined.back() = 0;
    return joined;
}

}  // namespace tablamo
