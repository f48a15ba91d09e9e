#pragma once
/// Reconciling an account: our ledger and the other side's statement read from their
/// print-outs, paired, and shown ("Mutabakat…") or saved (the converter's --reconcile).

#include <optional>
#include <string>

#include "commands/reconcile_book.h"
#include "core/calendar.h"
#include "core/ui_port.h"

namespace tablamo {

struct Workspace;

/// What a reconciliation is asked.
struct ReconcileRequest {
    std::string ledgerPath, statementPath;  ///< UTF-8
    SideReading reading;
    int days = 5;  ///< the most calendar days between two records that may pair
    reconcile::Direction direction = reconcile::Direction::Auto;
};

/// "Mutabakat…" when the same file was picked for both sides (UTF-8).
inline constexpr const char* kSameFileMessage =
    "Defter ile ekstre aynı dosya: önce kendi defterimizi, sonra karşı tarafın ekstresini seçin.";

/// The titles of "Mutabakat…"'s two open dialogs (UTF-8).
inline constexpr const char* kLedgerDialogTitle = "Mutabakat: defter (kendi kayıtlarımız)";
inline constexpr const char* kStatementDialogTitle = "Mutabakat: ekstre (karşı tarafın dökümü)";

/// A ledger and a statement given the other way round: the first is a bank's statement (told
/// by its own lines), the second not. what() says so (UTF-8).
class SidesSwapped : public Error {
public:
    using Error::Error;
};

/// The refusal of a ledger of several accounts none of which, or more than one of which, pairs
/// with the statement best (UTF-8): how many, their names ("102.01.001 AKBANK, …").
std::string accountsMessage(std::size_t accounts, const std::string& names);

/// Reads both sides (each one's refusal told through its own port) and reconciles them:
/// the statement's direction from the data unless the request names it; a bank account's
/// reasons when either side is an Akbank statement or names a bank, a customer's or
/// supplier's when they name one. Each side's warnings get a line when its closing balance
/// does not follow from its records, and when its records belong to several accounts. Of a
/// ledger of several accounts the one whose records pair with the statement's most is
/// reconciled, with a warning that names it and the others; none or a tie is refused
/// (accountsMessage). Raises SidesSwapped when the ledger is a bank's statement and the
/// statement is not.
/// Nothing when a side cannot be read. Raises for a file that cannot be opened.
std::optional<Reconciliation> reconcileFiles(const ReconcileRequest& request, UiPort& ledgerUi,
                                             UiPort& statementUi, const Clock& clock = Clock());

/// "Mutabakat…": the ledger's and the statement's open dialogs, then the reconciliation
/// (read with the settings' layout and the user's regional settings) shown in the grid as
/// four tables (showReconciliation), and one message with each side's warnings and the
/// closing line. False when a dialog was cancelled or a side could not be read.
bool reconcileIntoGrid(Workspace& ws, UiPort& ui, const Clock& clock = Clock());

}  // namespace tablamo
