#include "commands/reconcile_command.h"

#include <algorithm>

#include "commands/open_commands.h"
#include "commands/save_guard.h"
#include "core/encoding.h"
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

// A ledger of several accounts: the one whose records pair with the statement's most is
// reconciled, and said so. False (the user told why) when none does, or more than one as well.
bool pickAccount(ReadSide& ledger, const ReadSide& statement, const reconcile::Options& options,
                 UiPort& ui) {
    std::vector<int> paired;
    std::string names;
    for (const ReadSide::Part& part : ledger.parts) {
        int n = 0;
        for (const reconcile::Match& m :
             reconcile::reconcile(part.account, statement.account, options).matches)
            n += static_cast<int>(m.ledger.size());
        paired.push_back(n);
        names += (names.empty() ? "" : ", ") + win1254ToUtf8(part.name);
    }
    const auto best = std::max_element(paired.begin(), paired.end());
    const std::size_t pick = static_cast<std::size_t>(best - paired.begin());
    if (*best == 0 || std::count(paired.begin(), paired.end(), *best) > 1) {
        ui.showMessage(accountsMessage(ledger.parts.size(), names));
        return false;
    }
    std::string others;
    for (std::size_t k = 0; k < ledger.parts.size(); ++k) {
        if (k != pick) others += (others.empty() ? "" : ", ") + win1254ToUtf8(ledger.parts[k].name);
    }
    ledger.account = std::move(ledger.parts[pick].account);
    ledger.accountName = ledger.parts[pick].name;
    ledger.warnings.push_back("uyarı: defter " + std::to_string(ledger.parts.size()) +
                              " hesabın kayıtlarını taşıyor; ekstreyle eşleşen " +
                              win1254ToUtf8(ledger.accountName) +
                              " mutabakata alındı, öbürleri alınmadı (" + others + ")");
    ledger.parts.clear();
    ledger.accounts = 1;
    return true;
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

std::string accountsMessage(std::size_t accounts, const std::string& names) {
    return "Defter " + std::to_string(accounts) + " hesabın kayıtlarını taşıyor (" + names +
           ") ve ekstreyle eşleşen tek bir hesap bulunamadı. Mutabakat bir hesabın defteriyle "
           "yapılır: defteri yalnız ekstrenin hesabı için yazdırın.";
}

std::optional<Reconciliation> reconcileFiles(const ReconcileRequest& request, UiPort& ledgerUi,
                                             UiPort& statementUi, const Clock& clock) {
    std::optional<ReadSide> ledger = readSide(request.ledgerPath, request.reading, ledgerUi, clock);
    if (!ledger) return std::nullopt;
    std::optional<ReadSide> statement =
        readSide(request.statementPath, request.reading, statementUi, clock);
    if (!statement) return std::nullopt;
    if (ledger->statement && !statement->statement) {
        throw SidesSwapped("'" + request.ledgerPath + "' bir banka ekstresi, '" +
                           request.statementPath +
                           "' değil: önce defter (kendi kayıtlarımız), sonra ekstre verilir");
    }
    reconcile::Options options;
    options.days = request.days;
    options.direction = request.direction;
    // An account statement signs its amounts from the account holder's side; a report of
    // the other side's books runs the other way.
    options.fallback =
        statement->statement ? reconcile::Direction::Same : reconcile::Direction::Mirror;
    const bool bank = statement->statement || ledger->bankWords || statement->bankWords;
    options.bank = bank || !(ledger->partyWords || statement->partyWords);
    if (ledger->parts.size() > 1 && !pickAccount(*ledger, *statement, options, ledgerUi))
        return std::nullopt;
    checkSide(*ledger, "defterin");
    checkSide(*statement, "ekstrenin");
    // A side without a date of its own closes when the other does.
    if (ledger->account.closingDay == 0) ledger->account.closingDay = statement->account.closingDay;
    if (statement->account.closingDay == 0)
        statement->account.closingDay = ledger->account.closingDay;

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
    if (sameFile(*ledgerPath, *statementPath)) {
        ui.showMessage(kSameFileMessage);
        return false;
    }

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
