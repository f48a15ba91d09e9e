#pragma once
/// The Akbank statement import: a fixed statement layout, lines told apart by their date field.

#include <cstddef>
#include <string>
#include <string_view>

namespace tablamo {

struct Workspace;
class UiPort;

/// The statement's own widths of columns 1 to 9, written into the settings by every import.
inline constexpr int kStatementWidths[9] = {4, 9, 7, 10, 8, 24, 24, 5, 36};

/// Reads the statement in the report buffer into the grid. Writes the statement widths into
/// ColumnWidths 1 to 9, sets the row count to the line count (at least 2), labels the
/// headers and sets the display widths; then line StartRow becomes the header row at grid
/// row StartColumn, and every following line with text in its date field (positions 5 to
/// 13) takes the next row: an information line ("DÜZENLEYE", "HESAP ŞUB", "IBAN") whole in
/// column 2, the table's heading ("TARİH") as plain fields, a transaction with its packed
/// dates rebuilt as day/month/year and its amounts in the user's decimal notation. Cells it
/// does not write keep their text. The table grows when accepted lines would fall off its
/// end. Shows nothing; a bad setting raises "'%s' is not a valid integer value".
void Akbank(Workspace& ws);

/// "Akbank Aç": the open dialog, the file loaded as "Aç" loads it, the statement import,
/// then the title bar strip names the file (not when the import stopped with an error).
void Button13Click(Workspace& ws, UiPort& ui);

/// Drops every "," and "=", turns every "." into `decimalSeparator`, and drops the blanks
/// of a text that then reads as a number greater than 0.
std::string CleanAmount(std::string_view text, char decimalSeparator);

/// Drops every "=", and the blanks of a text that then reads as a number greater than 0
/// (with `decimalSeparator`); "," and "." stay.
std::string StripEquals(std::string_view text, char decimalSeparator);

/// One pass from the left that turns each pair of adjacent blanks into one: a run of n
/// blanks becomes ceil(n / 2).
std::string CollapseBlanks(std::string_view text);

// Hot-path forms: write into `out`, which must hold text.size() bytes, and return the
// length written. They allocate nothing.

/// CleanAmount into a buffer.
std::size_t cleanAmountInto(std::string_view text, char decimalSeparator, char* out);
/// StripEquals into a buffer.
std::size_t stripEqualsInto(std::string_view text, char decimalSeparator, char* out);
/// CollapseBlanks into a buffer.
std::size_t collapseBlanksInto(std::string_view text, char* out);

}  // namespace tablamo
