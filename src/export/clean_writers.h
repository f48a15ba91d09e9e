#pragma once
/// The clean table's CSV file and HTML page: the headings, then exactly the records, with
/// no letter row and no number column.

#include "core/byte_sink.h"
#include "core/clean_shape.h"
#include "core/grid.h"
#include "export/out_buffer.h"

namespace tablamo {

/// The clean CSV's field separator by default: ";" when the decimal separator is ",", so
/// that a spreadsheet reads 1234,56 as one number, else ",".
inline char cleanCsvSeparator(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

/// Writes the clean table as CSV: grid row 0 (the headings), then every record, columns 1
/// on, each line ended by CR LF. A cell holding the separator, a double quote or a
/// character below 32 is enclosed in double quotes, its double quotes doubled. A cell that
/// starts with = + - or @ and is not a number (-1.234,56 is one) would run as a formula in
/// a spreadsheet: it is written as a text, '=… between double quotes. UTF-8 starts with a
/// byte-order mark, Windows-1254 is the grid's bytes.
void writeCleanCsv(const Grid& grid, ByteSink& sink, char separator,
                   TextEncoding encoding = TextEncoding::Windows1254);

/// Writes the clean table as an HTML page: one <table> whose first row holds the headings
/// as <th>, then a row of <td> per record; amounts are right-aligned, and a <col> per column
/// names its kind (text, code, amount, date) and carries its width. Texts are escaped
/// (& < > "). `title` (Windows-1254), when given, is the page's title: what a browser names
/// the page by and prints on top of its pages.
void writeCleanHtml(const Grid& grid, const CleanShape& shape, ByteSink& sink,
                    TextEncoding encoding = TextEncoding::Windows1254, std::string_view title = {});

}  // namespace tablamo
