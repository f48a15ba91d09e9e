#pragma once
/// The workbook export: the grid's data cells as a typed .xlsx workbook.

#include <string>
#include <string_view>

#include "core/regional_settings.h"
#include "export/cell_value.h"

namespace tablamo {

class Grid;

/// Rows one worksheet holds; a longer grid goes on in further worksheets.
inline constexpr int kWorksheetRows = 1048576;

/// The worksheet name the "Excel" command gives.
inline constexpr const char* kExcelSheetName = "Tablamo";

/// A cell's address: column letters (1 gives A, 26 Z, 27 AA) and the row number.
std::string CellAddress(int row, int column);

/// The name of worksheet `index` (from 0): the name itself, then "name (2)", "name (3)"...
std::string worksheetName(std::string_view name, int index);

/// The short-date number format in the regional order and separator ("dd\.mm\.yyyy" on
/// a Turkish system; the separator is escaped so every program shows it as it stands).
std::string dateNumberFormat(const RegionalSettings& regional);

/// The name a workbook is saved under: kept when it ends in ".xlsx" (any case), ".xls"
/// becomes ".xlsx", any other name gets ".xlsx" appended.
std::string xlsxFileName(std::string_view path);

/// Writes the grid's data cells (cell (1, 1) to A1; no letter row, no number column) into
/// a new workbook under `path` (UTF-8), typed by cellValue(); the worksheet is called
/// `sheetName` (Windows-1254). Rows beyond one worksheet continue on the next. Written to a
/// temporary file beside `path` and renamed into place, so an existing file is replaced
/// only by a complete workbook. Raises "Cannot create file "%s". %s" on any failure.
void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today);

}  // namespace tablamo
