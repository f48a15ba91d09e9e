#pragma once
/// The rows of a worksheet's XML: grid rows as rows of typed cells, written straight into
/// a buffer without a heap allocation per cell.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/column_kind.h"
#include "core/grid.h"
#include "core/regional_settings.h"
#include "export/cell_value.h"

namespace tablamo {

/// The cell styles of the package's styles part, by their number there.
/// Wrapped and WrappedHeading: a text that wraps within its column, in a row as tall as it
/// needs (only in a workbook whose styles part has them).
enum class CellStyle : unsigned char {
    Plain = 0,
    Date = 1,
    Amount = 2,
    Heading = 3,
    Wrapped = 4,
    WrappedHeading = 5
};

/// A workbook's date serial: days since 30 December 1899 (for January and February 1900,
/// since 31 December 1899, as spreadsheets count the year 1900 as a leap year).
long dateSerial(const Date& date);

/// Writes grid rows as worksheet rows: the cells of grid columns 1 to colCount - 1 as
/// columns A on, empty cells left out, typed by their column's kind or by cellValue().
class SheetRows {
public:
    /// `kinds`, `wrapped` and `widths` as WorkbookOptions' (a text of a wrapped column wraps,
    /// and its row is made as tall as its lines need).
    SheetRows(int colCount, const RegionalSettings& regional, const Date& today,
              const std::vector<ColumnKind>& kinds, const std::vector<bool>& wrapped = {},
              const std::vector<double>& widths = {});

    /// The most bytes write() puts down for these cells.
    std::size_t bound(const Grid::RowCells& cells) const;

    /// Writes the cells as worksheet row `sheetRow` (from 1) at `out` and returns the end;
    /// a row without cells writes nothing. A heading row's cells are bold text. Raises
    /// WorkbookError for a text longer than a cell holds.
    char* write(char* out, const Grid::RowCells& cells, int sheetRow, bool heading) const;

    /// The most bytes write() puts down for `rows` rows of this many columns that hold at
    /// most `textBytes` bytes of text in all.
    std::uint64_t bound(std::uint64_t rows, std::uint64_t textBytes) const;

    /// The letters of worksheet column `column` (from 1): A, ..., Z, AA, ...
    static std::string_view letters(int column, char (&buffer)[4]);

private:
    enum class Typing : unsigned char { ByValue, Text, WrappedText, Amount, Date };
    struct Letters {
        char text[4];
        unsigned char size;
    };

    char* putStart(char* out, int column, std::string_view row, CellStyle style) const;
    char* putText(char* out, int column, std::string_view row, std::string_view text,
                  CellStyle style) const;
    char* putNumber(char* out, int column, std::string_view row, double value,
                    CellStyle style) const;
    char* putDate(char* out, int column, std::string_view row, const Date& date) const;

    int m_colCount;
    RegionalSettings m_regional;
    Date m_today;
    std::vector<Typing> m_typing;     // by grid column
    std::vector<double> m_wrapWidth;  // by grid column: the width its texts wrap in; 0: none
    bool m_wraps = false;             // some column wraps
    std::vector<Letters> m_letters;   // by grid column
};

}  // namespace tablamo
