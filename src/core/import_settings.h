#pragma once
/// The import parameters, held as the texts and check states of the settings fields.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tablamo {

class Grid;

/// Reads a numeric field as the platform's strict whole-number conversion does: blanks
/// before, one sign, decimal digits or hexadecimal digits after "$", "x" or "0x", nothing
/// after, within the signed 32-bit range. Raises "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

/// The same conversion without the error: false when the text does not convert.
bool tryStrToInt(std::string_view text, std::int32_t& value);

/// The settings tab. Texts are Windows-1254; numeric settings stay texts until a command
/// reads them.
struct ImportSettings {
    static constexpr int kWidthCount = 20;
    /// The widths RestoreDefaultWidths writes: 10, 12, 39, seven times 19, ten times 10.
    static const std::array<const char*, kWidthCount> DefaultColumnWidths;

    std::string StartRow = "1";
    std::string StartColumn = "1";
    std::string SearchCriterion = "----------";
    std::string FieldSeparator = " ";
    std::string FrameCriterion = std::string(12, '\xCD');  // the double rule of a DOS frame
    std::string FrameSeparator = "\xD1";                    // the tee under a column line
    std::array<std::string, kWidthCount> ColumnWidths;      // [0] holds width 1
    bool AutoColumnSearch = true;
    bool LedgerMarks = true;
    bool OpenExcelAfterSave = true;

    // Read-outs of the last column detection; nothing reads them back.
    std::string SearchResultLine;
    std::string PrecedingLine;
    std::string WidthList;

    ImportSettings() { RestoreDefaultWidths(); }

    /// Writes the default texts into widths 1 to 20.
    void RestoreDefaultWidths();
    /// Width k (1..20) read as an integer.
    std::int32_t columnWidth(int k) const;
    /// Writes width k (1..20) as its decimal text.
    void setColumnWidth(int k, std::int32_t value);
    std::int32_t startRow() const { return StrToInt(StartRow); }
    std::int32_t startColumn() const { return StrToInt(StartColumn); }
};

/// Labels the header cells: "1", "2", ... down column 0 from row 1, "A" to "T" along row 0
/// from column 1. Cell (0, 0) and the data cells are not touched.
void NumberGridHeaders(Grid& grid);

/// The reset command "Sıfırla": default widths, an empty 25-row grid of 21 columns with
/// the default column widths, and fresh headers. Nothing else changes.
void Button6Click(Grid& grid, ImportSettings& settings);

}  // namespace tablamo
