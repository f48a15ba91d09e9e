#pragma once
/// The Akbank statement's own layout: its fixed widths, how its lines are told apart, and
/// the text functions only the statement uses.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/report_text.h"

namespace tablamo {

/// The statement's own widths of columns 1 to 9, written into the settings by every import.
inline constexpr int kStatementWidths[9] = {4, 9, 7, 10, 8, 24, 24, 5, 36};

/// What a statement line is, told by its date field (positions 5 to 13) converted with
/// DosToWinNumber: its "key".
enum class StatementLine {
    Dropped,      ///< nothing in the date field: the line gets no row
    Information,  ///< "DÜZENLEYE", "HESAP ŞUB" or "IBAN": copied whole into column 2
    Entry,        ///< the table's heading or a transaction: cut into its columns
};

/// Classifies a line by its key.
StatementLine classifyStatementLine(std::string_view key);

/// Whether the text is a statement by its own lines: two of its information lines
/// ("DÜZENLEYEN ŞUBE", "HESAP ŞUBESİ", "IBAN") in their field among its first 60 lines.
bool looksLikeStatement(const ReportText& text);

/// The words for a statement found among reports and imported as one.
inline constexpr const char* kStatementFoundMessage = "Akbank hesap ekstresi olarak okundu";

/// Whether the date field, through CleanAmount, is the table's heading "TARİH" (in Windows
/// Turkish): then the dates are plain fields.
bool isStatementHeading(std::string_view cleanedDateField);

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
