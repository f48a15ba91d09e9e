#pragma once
/// One side of a reconciliation read from its print-out: a report read as "Aç" reads it with
/// "Temiz tablo" ticked, or an Akbank statement, told by its own lines, as "Akbank Aç" reads it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/import_settings.h"
#include "core/input_encoding.h"
#include "core/regional_settings.h"
#include "core/ui_port.h"
#include "reconcile/reconciliation.h"

namespace tablamo {

class ReportText;

/// How both sides are read.
struct SideReading {
    ReportLayout layout;
    RegionalSettings regional;
    InputEncoding inputEncoding = InputEncoding::Auto;
    bool mapped = false;  ///< the file mapped rather than read (the converter's way)
    bool quiet = false;   ///< a UTF-8 reading is said only when characters were lost
};

/// A side read.
struct ReadSide {
    reconcile::Account account;
    bool statement = false;   ///< read as an Akbank statement
    bool bankWords = false;   ///< its header names a bank account (BANKA, IBAN, 102 …)
    bool partyWords = false;  ///< its header names a customer or supplier (CARİ, 120, 320 …)
    bool noRecords = false;   ///< it prints its balances and no record
    int accounts = 0;         ///< the accounts its records belong to, when it names them
    /// Each account's records and balances, in the order they are printed, when there are
    /// several (a sub-ledger printed for a range of accounts).
    struct Part {
        std::string name;  ///< its code and name as carried (Windows-1254)
        reconcile::Account account;
    };
    std::vector<Part> parts;
    std::string accountName;  ///< the one of several reconciled (Windows-1254)
    std::string firm;         ///< whose report it is, as its first line names it (Windows-1254)
    /// The header line that names the account ("Hesap : 102.01.003 AKBANK", blanks closed up;
    /// Windows-1254), if one does.
    std::string accountLine;
    /// What its reading said (UTF-8): the totals that disagree, one "uyarı: …" each, and a
    /// closing balance that does not follow from the records.
    std::vector<std::string> warnings;
    std::string note;  ///< a UTF-8 reading, the totals that agree
};

/// Reads the side in `path`. Nothing when the file is no table the clean table reads (no
/// rule, no frame, no record told apart, empty): `ui` is told why with the clean table's
/// words. A report that prints its balances and no record is read, with no record. Raises
/// for a file that cannot be read.
std::optional<ReadSide> readSide(const std::string& path, const SideReading& how, UiPort& ui,
                                 const Clock& clock = Clock());

/// An amount as a report prints it ("1.234,56", "=12,500.00", "148,00B", "1616.22-",
/// "(1.234,56)"): its value in hundredths, the B/A mark glued to it or in brackets counted
/// (A minus). Nothing for a text that is no amount.
std::optional<reconcile::Money> printedMoney(std::string_view token);

/// An amount a line prints (a B/A mark after it counted) and the middle of its place.
struct PlacedAmount {
    reconcile::Money value = 0;
    int at = 0;
};

/// The amounts a line prints after its words, a frame's bars taken for blanks.
std::vector<PlacedAmount> lineAmounts(std::string_view line);

/// Where one of a side's amount columns stands on its lines (the middle of its heading).
struct ColumnPlace {
    enum Role : unsigned char { Debit, Credit, Amount, Balance };
    Role role = Amount;
    int at = 0;
};

/// The balance a line prints under the side's columns (an opening line, DEVİR): each amount
/// taken for the column whose heading stands nearest over it; a balance's as it stands, else
/// the debit less the credit or the signed amount. lineBalance when no column is placed.
std::optional<reconcile::Money> balanceUnder(std::string_view line,
                                             const std::vector<ColumnPlace>& places);

/// The balance a line of the report prints (its rightmost amount, a B/A mark after it
/// counted; of a debit and a credit, their difference): for an opening balance line
/// (DEVİR, DEVREDEN BAKİYE) when no record prints a running balance.
std::optional<reconcile::Money> lineBalance(std::string_view line);

/// The last date of the period the first lines print ("01.01.2024 - 31.01.2024"), as a day
/// number; 0 when they print none.
int periodEnd(const ReportText& text, int lines);

}  // namespace tablamo
