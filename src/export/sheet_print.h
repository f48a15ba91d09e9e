#pragma once
/// What a worksheet of a table adds for the printed page and the reader: its page setup
/// (export/xlsx_parts' SheetPrint) and the totals row under the table.

#include <string>
#include <vector>

#include "core/grid.h"
#include "export/xlsx_parts.h"
#include "export/xlsx_writer.h"

namespace tablamo {

/// The page setup of a table's worksheet: the orientation by its width, the heading row
/// repeated when there is one, the header of the firm and the title, the page numbers in
/// the footer. Not enabled when `setup` is not.
SheetPrint sheetPrintOf(const PrintSetup& setup, const std::vector<double>& widths, int columns,
                        bool headingRow);

/// The totals row's XML as worksheet row `sheetRow`: the label, then for each summed column
/// SUM over worksheet rows `firstSheetRow` to `sheetRow` - 1 with the sum of grid rows
/// [first, end) as its value (amounts read by `decimalSeparator`; a cell that does not
/// read counts for nothing, as the spreadsheet's SUM skips a text). Empty when no column is
/// summed or there is no row.
std::string totalsRowXml(const Grid& grid, int first, int end, const TotalsRow& totals,
                         int firstSheetRow, int sheetRow, char decimalSeparator);

}  // namespace tablamo
