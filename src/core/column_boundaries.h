#pragma once
/// The column boundaries of a report as the user moves, adds and removes them: the 20
/// widths seen as the positions where each column ends.

#include <array>
#include <cstdint>
#include <optional>

#include "core/import_settings.h"

namespace tablamo {

using ColumnWidths = std::array<std::int32_t, ReportLayout::kWidthCount>;

/// Where each of the 20 columns ends: the character position (from 1) of its last
/// character, or the position before its first for an empty one. Negative widths count as 0.
ColumnWidths columnEnds(const ColumnWidths& widths);

/// The widths after the end of column `k` (1 to 19) moved to `position`; the next column
/// takes or gives what it gains or loses, so every other boundary stays. Nothing when the
/// position leaves either column without a character.
std::optional<ColumnWidths> moveBoundary(const ColumnWidths& widths, int k, std::int32_t position);

/// The widths after a boundary was put after character `position`: the column holding it is
/// split in two, the later ones move one place on, and the last drops off. Nothing when a
/// boundary already stands there or the position lies past the last column.
std::optional<ColumnWidths> addBoundary(const ColumnWidths& widths, std::int32_t position);

/// The widths after the end of column `k` (1 to 19) was removed: the column joins the next,
/// the later ones move one place back, and the last becomes 0 wide.
ColumnWidths removeBoundary(const ColumnWidths& widths, int k);

}  // namespace tablamo
