#pragma once
/// The settings the commands read: the report's layout, the read-outs of the last column
/// detection and the export preference, held as the settings fields hold them (texts and
/// check states).

#include <array>
#include <cstdint>
#include <span>
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

/// How a report is cut: what a saved layout holds. Texts are Windows-1254; numeric settings
/// stay texts until a command reads them.
struct ReportLayout {
    static constexpr int kWidthCount = 20;
    /// The widths RestoreDefaultWidths writes: 10, 12, 39, seven times 19, ten times 10.
    static const std::array<const char*, kWidthCount> DefaultColumnWidths;

    std::string StartRow = "1";
    std::string StartColumn = "1";
    std::string SearchCriterion = "----------";
    std::string FieldSeparator = " ";
    std::string FrameCriterion = std::string(12, '\xCD');  // the double rule of a DOS frame
    std::string FrameSeparator = "\xD1";                   // the tee under a column line
    std::array<std::string, kWidthCount> ColumnWidths;     // [0] holds width 1
    bool AutoColumnSearch = true;
    bool LedgerMarks = true;

    ReportLayout() { RestoreDefaultWidths(); }

    /// Writes the default texts into widths 1 to 20.
    void RestoreDefaultWidths();
    /// Width k (1..20) read as an integer.
    std::int32_t columnWidth(int k) const;
    /// Writes width k (1..20) as its decimal text.
    void setColumnWidth(int k, std::int32_t value);
    /// Widths 1 to 20 read as integers, in that order.
    std::array<std::int32_t, kWidthCount> columnWidths() const;
    std::int32_t startRow() const { return StrToInt(StartRow); }
    std::int32_t startColumn() const { return StrToInt(StartColumn); }

    friend bool operator==(const ReportLayout&, const ReportLayout&) = default;
};

/// One setting of the report layout, by the name its field has: the converter's options
/// and the saved layouts are made from this one table.
struct LayoutField {
    enum class Kind { Integer, Text, Widths, Check };
    std::string_view name;  ///< "StartRow", "ColumnWidths", ...
    Kind kind;
    std::string ReportLayout::*text = nullptr;  ///< Integer and Text
    bool ReportLayout::*check = nullptr;        ///< Check
};

/// Every setting of the report layout, in the order of the settings tab.
std::span<const LayoutField> layoutFields();

/// What the last column detection found: shown on the settings tab, never read back.
struct DetectionReadout {
    std::string SearchResultLine;  ///< the rule or frame line taken
    std::string PrecedingLine;     ///< the line above it
    std::string WidthList;         ///< the distances found, each behind a blank
    /// Which line of the text was taken (from 0); -1 when the last import took none. Not
    /// a field of the settings tab: the columns tab marks the line.
    int line = -1;
};

/// The settings tab and the command bar's check box.
struct ImportSettings {
    ReportLayout layout;
    DetectionReadout readout;
    bool OpenExcelAfterSave = true;  ///< "Excel'i kayıt sonrası aç"
    bool cleanTable = false;         ///< "Temiz tablo": the importers give the clean table
    /// "İşaretli bakiye": the clean table adds each balance that carries B/A marks once more
    /// as one signed number (B positive, A negative).
    bool signedBalance = false;
    /// "Açılışlar": the clean table keeps a group's opening balances (DEVİR, DEVREDEN BAKİYE)
    /// as rows of their own, marked in a "Satır Türü" column, so that the records' sums by
    /// group reproduce the group's printed total.
    bool openings = false;
};

/// Labels the header cells: "1", "2", ... down column 0 from row 1, "A" to "T" along row 0
/// from column 1. Cell (0, 0) and the data cells are not touched.
void NumberGridHeaders(Grid& grid);

}  // namespace tablamo
