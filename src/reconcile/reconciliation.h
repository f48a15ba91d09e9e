#pragma once
/// Reconciling an account between our ledger and the other side's statement: pairing the
/// records of the two, a possible reason for each one left over, and the reconciliation
/// statement from the balances. Works on records already read; no files, no window.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

namespace tablamo::reconcile {

/// Money in hundredths (kuruş).
using Money = std::int64_t;

/// One record of a side.
struct Entry {
    int line = 0;      ///< 1-based line of its input file
    int day = 0;       ///< its date as a day number (dayNumber)
    int valueDay = 0;  ///< its value date's day number; 0: none printed
    std::string text;  ///< its description, Windows-1254
    Money amount = 0;  ///< signed from its own side: its debit plus, its credit minus
    /// The document, cheque and reference numbers it carries (documentNumbers), sorted.
    std::vector<std::uint64_t> refs;
};

/// One side: its records and its balances, from its own side.
struct Account {
    std::vector<Entry> entries;
    Money opening = 0;  ///< the balance before its first record
    Money closing = 0;  ///< the balance it prints after its last record
    int closingDay = 0;
    /// The records' sum from the opening: what the closing balance should be.
    Money computedClosing() const;
};

/// Which way the statement runs against the ledger.
enum class Direction {
    Auto,    ///< found from the data: the way more records pair
    Same,    ///< the statement's debit is our debit (an account statement signed from our side)
    Mirror,  ///< the statement's debit is our credit (the bank's own books, the other firm's)
};

struct Options {
    int days = 5;  ///< the most calendar days between two records that may pair
    Direction direction = Direction::Auto;
    /// When the data cannot tell the direction (as many records pair either way).
    Direction fallback = Direction::Mirror;
    /// A bank account: charges, interest and cheques explain what stays over; else a
    /// customer's or supplier's, whose invoices and payments may still be on their way.
    bool bank = true;
};

/// How a pairing was made.
enum class MatchKind : unsigned char {
    Exact,    ///< "tam": the same amount on the same date
    DateGap,  ///< "tarih farkı": the same amount, dates within the days allowed
    Group,    ///< "toplu": several records of one side against one of the other
};

/// Records paired: indices into the two sides' entries, in their lines' order.
struct Match {
    std::vector<int> ledger;
    std::vector<int> statement;
    MatchKind kind = MatchKind::Exact;
    int dayGap = 0;  ///< the most days between the ledger's and the statement's dates
};

/// Why a record may have stayed over.
enum class Reason : unsigned char {
    None,
    BankCharge,        ///< "banka masrafı"
    Bsmv,              ///< "BSMV"
    Interest,          ///< "faiz"
    Cheque,            ///< "yoldaki çek": written or deposited, not yet through the bank
    DepositInTransit,  ///< "yoldaki para"
    PaymentInTransit,  ///< "yoldaki ödeme"
    InvoiceInTransit,  ///< "yoldaki fatura"
    Duplicate,         ///< "mükerrer kayıt?"
    AmountDiff,        ///< "tutar farkı: …": a record of the other side differs in amount
};

/// A record that paired with none.
struct Unpaired {
    int entry = 0;
    Reason reason = Reason::None;
    int partner = -1;  ///< AmountDiff: the other side's record
};

/// One row of the reconciliation statement.
struct StatementRow {
    std::string label;  ///< UTF-8
    Money amount = 0;
};

struct Result {
    bool mirrored = false;  ///< the statement's amounts were turned to our side
    std::vector<Match> matches;
    std::vector<Unpaired> ledgerOnly, statementOnly;
    Money ledgerClosing = 0, statementClosing = 0;  ///< from our side
    Money openingDifference = 0;                    ///< statement's opening minus ours
    Money adjustedLedger = 0;
    Money difference = 0;  ///< "Fark": what nothing explains
    std::vector<StatementRow> rows;
    /// A statement amount from our side.
    Money ours(const Entry& statementEntry) const {
        return mirrored ? -statementEntry.amount : statementEntry.amount;
    }
};

/// Pairs the records, gives the reasons and draws up the statement. The same inputs give
/// the same result.
Result reconcile(const Account& ledger, const Account& statement, const Options& options);

/// The day number of a calendar date (days since 1 March of year 0), for Entry::day.
int dayNumber(int year, int month, int day);

/// The calendar date of a day number.
Date dateOfDay(int day);

/// The numbers a description or a document column carries that may name the same document
/// on both sides: runs of digits of at least three significant digits, leading zeros left
/// out; a four-digit year (1950 to 2099) is none. Sorted, each once.
std::vector<std::uint64_t> documentNumbers(std::string_view text);

/// The reason's words in a record's row (UTF-8); AmountDiff's with the two amounts.
std::string reasonText(Reason reason, Money ledgerAmount = 0, Money statementAmount = 0);

/// An amount as the reconciliation's texts print it: grouped, with a decimal comma and a
/// leading minus ("-1.254,00"); `decimal` '.' prints "-1,254.00".
std::string moneyText(Money amount, char decimal = ',');

/// The words of a match's kind ("tam", "tarih farkı", "toplu"), UTF-8.
const char* matchKindText(MatchKind kind);

}  // namespace tablamo::reconcile
