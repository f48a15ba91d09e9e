#include "commands/reconcile_command.h"

#include "commands/open_commands.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

using reconcile::Money;

// What the reading of one side adds to its warnings: a closing balance its records do not
// give, records of several accounts.
void checkSide(ReadSide& side, const char* whose) {
    const reconcile::Account& a = side.account;
    if (!side.noRecords && a.closing != a.computedClosing()) {
        side.warnings.push_back(std::string("uyarı: ") + whose + " son bakiyesi " +
                                reconcile::moneyText(a.closing) + ", kayıtlarından çıkan " +
                                reconcile::moneyText(a.computedClosing()) + " ile tutmuyor");
    }
    if (side.accounts > 1) {
        side.warnings.push_back(std::string("uyarı: ") + whose + " kayıtları " +
                                std::to_string(side.accounts) +
                                " hesaba ait; hepsi bir arada karşılaştırıldı");
    }
    if (side.noRecords) {
        const std::string said = std::string(whose) + " dönemde kayıt yok; yalnız bakiyesi okundu";
        side.note += (side.note.empty() ? "" : "; ") + said;
    }
}

// Every line said of one side, for the window's one message.
void sideLines(std::string& text, const char* title, const ReadSide& side) {
    if (side.note.empty() && side.warnings.empty()) return;
    text += title;
    text += ":\r\n";
    if (!side.note.empty()) text += side.note + "\r\n";
    for (const std::string& w : side.warnings) text += w + "\r\n";
}

}  // namespace

std::optional<Reconciliation> reconcileFiles(const ReconcileRequest& request, UiPort& ledgerUi,
                                             UiPort& statementUi, const Clock& clock) {
    std::optional<ReadSide> ledger = readSide(request.ledgerPath, request.reading, ledgerUi, clock);
    if (!ledger) return std::nullopt;
    std::optional<ReadSide> statement =
        readSide(request.statementPath, request.reading, statementUi, clock);
    if (!statement) return std::nullopt;
    checkSide(*ledger, "defterin");
    checkSide(*statement, "ekstrenin");
    // A side without a date of its own closes when the other does.
    if (ledger->account.closingDay == 0) ledger->account.closingDay = statement->account.closingDay;
    if (statement->account.closingDay == 0)
        statement->account.closingDay = ledger->account.closingDay;

    reconcile::Options options;
    options.days = request.days;
    options.direction = request.direction;
    // An account statement signs its amounts from the account holder's side; a report of
    // the other side's books runs the other way.
    options.fallback =
        statement->statement ? reconcile::Direction::Same : reconcile::Direction::Mirror;
    const bool bank = statement->statement || ledger->bankWords || statement->bankWords;
    options.bank = bank || !(ledger->partyWords || statement->partyWords);

    Reconciliation done;
    done.ledgerPath = request.ledgerPath;
    done.statementPath = request.statementPath;
    done.result = reconcile::reconcile(ledger->account, statement->account, options);
    done.ledger = std::move(*ledger);
    done.statement = std::move(*statement);
    return done;
}

bool reconcileIntoGrid(Workspace& ws, UiPort& ui, const Clock& clock) {
    FileDialogRequest ask = openDialogRequest(ws);
    ask.title = kLedgerDialogTitle;
    const std::optional<std::string> ledgerPath = ui.askOpenFile(ask);
    if (!ledgerPath) return false;
    ask.title = kStatementDialogTitle;
    const std::optional<std::string> statementPath = ui.askOpenFile(ask);
    if (!statementPath) return false;

    ReconcileRequest request;
    request.ledgerPath = *ledgerPath;
    request.statementPath = *statementPath;
    request.reading.layout = ws.settings.layout;
    request.reading.regional = ws.regional;
    std::optional<Reconciliation> done;
    {
        BusyCursor busy(ui);
        done = reconcileFiles(request, ui, ui, clock);
    }
    if (!done) return false;
    showReconciliation(ws, *done);
    ws.titleStrip =
        std::string(kTitleStripPrefix) + "Mutabakat: " + *ledgerPath + " - " + *statementPath;
    std::string text;
    sideLines(text, "Defter", done->ledger);
    sideLines(text, "Ekstre", done->statement);
    text += reconciliationSummary(done->result, ws.regional.decimalSeparator);
    ui.showMessage(text);
    return true;
}

}  // namespace tablamo
