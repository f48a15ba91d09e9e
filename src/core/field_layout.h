#pragma once
/// Where the fields of a fixed-width line lie, and cutting a line into them.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/grid.h"
#include "core/import_settings.h"

namespace tablamo {

/// The 20 fields of a line: field k (from 0) is `count[k]` characters from the 1-based
/// position `from[k]`. Field 1 starts at 1, each further field where the one before ends;
/// widths and positions are unsigned 16-bit values, so they wrap at 65536.
struct FieldLayout {
    static constexpr int kFields = ReportLayout::kWidthCount;
    std::array<std::uint32_t, kFields> from{};
    std::array<std::uint32_t, kFields> count{};
    /// The fields start at non-decreasing positions: once one starts past the end of a
    /// line, so do all that follow.
    bool increasing = true;
};

/// The layout of these 20 widths.
FieldLayout fieldLayoutOf(const std::array<std::int32_t, FieldLayout::kFields>& widths);

/// Field k (from 0) of the line, trimmed of every character with a code of 32 or below:
/// the first field from the left, the others by position.
std::string_view fieldOf(std::string_view line, const FieldLayout& layout, int k);

/// How the cut fields of a line are converted from the DOS code page.
enum class FieldConversion {
    Text,     ///< every field with DosToWinText
    Numbers,  ///< field 1 with DosToWinText, fields 2 to 20 with DosToWinNumber
};

/// Room `cutLine` needs: 20 fields of a line read with at most 4096 bytes, and conversion
/// never lengthens a field.
inline constexpr std::size_t kCutBufferSize = FieldLayout::kFields * 4096;

/// Cuts the line into its 20 fields, trims and converts each into `buffer` (at least
/// kCutBufferSize bytes) and points cells 1 to 20 at them. Allocates nothing.
void cutLine(std::string_view line, const FieldLayout& layout, FieldConversion conversion,
             char decimalSeparator, char* buffer, Grid::RowCells& cells);

}  // namespace tablamo
