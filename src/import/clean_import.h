#pragma once
/// The clean report import: every record of the report and nothing else, typed, with the
/// report's own totals as proof.

#include "core/calendar.h"
#include "core/import_outcome.h"

namespace tablamo {

struct Workspace;

/// The message when no line of a report can be told to be a record (UTF-8).
inline constexpr const char* kNoRecordsMessage =
    "Temiz tablo: raporda kayıt satırı ayırt edilemedi.\r\n"
    "Tablo temiz olmadan aktarıldı.";

/// The message when no line of a report shows where its columns are: no rule under the
/// headings, no frame (UTF-8).
inline constexpr const char* kNoTableLineMessage =
    "Temiz tablo: raporda sütunları gösteren bir çizgi ya da çerçeve bulunamadı.\r\n"
    "Tablo temiz olmadan aktarıldı.";

/// "Aç" with "Temiz tablo" ticked: the same check, detection and widths as the plain
/// import, then only the records, one grid row each (row 0 the headings, column 0 the
/// record numbers): continuation lines joined, changing page-header fields as leading
/// columns, columns empty in every record left out, each column typed as a whole (dates
/// in the regional short date, amounts in the user's notation without grouping, codes and
/// texts as printed). Fills ws.book: a table per table the report prints (a sub-ledger, then a
/// summary under other headings), each with its shape, title and warnings, the first in the grid of
/// the table shown. Printed totals are compared with the records: the
/// outcome carries a warning per disagreement, a note when all agree. A report without a
/// record, or (with the column search on) without a line that shows its columns, is imported
/// plainly instead, with the NoRecords outcome and its message: a table the clean table
/// cannot read is never written as if it could. A
/// two-digit year falls in the 100 years around the clock's (YearWindow).
ImportOutcome importCleanReport(Workspace& ws, const Clock& clock = Clock());

}  // namespace tablamo
