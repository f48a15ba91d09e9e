#pragma once
/// The CSV file of the "CSV" button: every grid row as its comma text.

#include <string>
#include <string_view>

#include "core/byte_sink.h"
#include "core/grid.h"
#include "export/out_buffer.h"

namespace tablamo {

/// Writes every row of the grid, the header row and column included, as its comma text
/// followed by CR LF. A cell holding a character of code 1 to 32, a double quote or a
/// comma is enclosed in double quotes, its double quotes doubled. Windows-1254 is the
/// grid's bytes as they are, without a byte-order mark; UTF-8 starts with one, so
/// spreadsheets recognise it.
void writeCsv(const Grid& grid, ByteSink& sink, TextEncoding encoding = TextEncoding::Windows1254);

/// The comma text of one row (no line end), in the grid's Windows-1254.
std::string commaText(const Grid::RowCells& cells);

/// The CSV file's name: ".csv" is appended unless the file name's own last suffix already
/// is ".csv" in any case ("rapor.CSV" stays, "rapor.txt" becomes "rapor.txt.csv").
std::string csvFileName(std::string_view path);

}  // namespace tablamo
