#pragma once
/// A report's totals as a reader of a month's book checks them: the total line the report
/// prints last, and what the records of its table add up to, side by side in "Özet".

#include <string>

#include "core/book.h"
#include "core/regional_settings.h"

namespace tablamo {

class ReportText;

/// The report's closing total as printed (Windows-1254, blanks collapsed): its last grand
/// total line ("GENEL TOPLAM 3.037.862,59 3.037.862,59"), else the last total line with a
/// figure that is no page's sum, carried sum or opening balance; empty when it prints none.
/// Lines of the table's records are no total lines.
std::string printedTotalLine(const ReportText& text, const Book::Table& table);

/// What the records of a clean table add up to in each summed column (Windows-1254), in the
/// regional notation with the thousands grouped: "Borç 1.234,56; Alacak 1.234,56". A table
/// with a column "Düzey" adds its first level's records alone, and says so; a column of
/// whole numbers alone (voucher numbers) is left out. Empty when no column is summed.
std::string recordSumsText(const Book::Table& table, const RegionalSettings& regional);

/// An amount of cents in the notation of `decimal` with the thousands grouped: "-1.234,56".
std::string groupedAmount(long long cents, char decimal);

}  // namespace tablamo
