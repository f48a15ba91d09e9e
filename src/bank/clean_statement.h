#pragma once
/// The clean statement import: only the transactions of an Akbank statement, typed.

#include "core/calendar.h"
#include "core/import_outcome.h"

namespace tablamo {

struct Workspace;

/// The message when a statement holds no transaction (UTF-8).
inline constexpr const char* kNoTransactionsMessage =
    "Temiz tablo: ekstrede işlem satırı bulunamadı.\r\n"
    "Ekstre temiz olmadan aktarıldı.";

/// "Akbank Aç" with "Temiz tablo" ticked: the statement's own widths (written into the
/// settings as the plain import writes them), then one grid row per transaction (a line
/// whose date field holds a packed date), its description's continuation lines joined to
/// it; the packed dates as the regional short date, the amounts in the user's notation,
/// the letters converted from code page 857; the statement's IBAN (else its account
/// number) as a leading column. Columns empty in every transaction are left out. The
/// statement's totals are checked like a report's. Without a transaction the statement
/// is imported plainly, with the NoRecords outcome and its message. A two-digit year in a
/// further column falls in the 100 years around the clock's (YearWindow).
ImportOutcome importCleanStatement(Workspace& ws, const Clock& clock = Clock());

}  // namespace tablamo
