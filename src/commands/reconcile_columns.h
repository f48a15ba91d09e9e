#pragma once
/// Which columns of a clean table a reconciliation reads, found by their headings and kinds,
/// and its records read from them into one side of the reconciliation.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/clean_shape.h"
#include "core/grid.h"
#include "core/regional_settings.h"
#include "reconcile/reconciliation.h"

namespace tablamo {

/// The grid columns (1-based; -1: none) a side's records are read from.
struct SideColumns {
    int date = -1, valueDate = -1, text = -1;
    int debit = -1,
        credit = -1;  ///< a debit and a credit column ("Borç", "Alacak"; "Yatan", "Çekilen")
    int amount = -1;  ///< or one amount column signed by itself or by its B/A marks
    int amountMarks = -1;
    int balance = -1, balanceMarks = -1;
    std::vector<int> refs;  ///< document, cheque and reference numbers ("Evrak No", "Çek No")
    /// A leading column carried from a page header or a group's block ("Hesap Kodu"), and
    /// the account's name carried beside it ("Hesap Adı").
    int account = -1, accountName = -1;
};

/// The columns by their headings (row 0) and the clean table's kinds: the date ("Tarih"; a
/// "Valör" date apart), the description ("Açıklama", else the widest text), the debit and
/// credit ("Borç"/"Alacak", "Yatan"/"Çekilen", "Giriş"/"Çıkış"), a signed amount ("Tutar"),
/// the running balance ("Bakiye") and the B/A marks after an amount. Amounts no heading names
/// are taken in order: debit, credit, balance (one alone: a signed amount). A column kept as
/// text whose heading names an amount and whose every value is an amount as a report prints
/// it ("1944,91", "91.682,31B") is read as one.
SideColumns sideColumns(const Grid& grid, const CleanShape& shape);

/// A clean table's amount (the user's notation: a leading minus, `decimal`, no grouping) in
/// hundredths, rounded; nothing for a text that is no amount.
std::optional<reconcile::Money> moneyOf(std::string_view text, char decimal);

/// What the records of a clean table give: the side's records, and its running balances.
struct ReadRecords {
    reconcile::Account account;
    /// Per record: its printed running balance (B/A marks applied: B plus), if it prints one.
    std::vector<std::optional<reconcile::Money>> balances;
    int accounts = 0;  ///< the different values of the carried account column (0: none)
    /// Per record: its account ("320.01.00838 AKSOY NAKLİYAT", Windows-1254), when carried.
    std::vector<std::string> accountOf;
};

/// Reads the records of the clean table in `grid` by `columns`: each with its report line,
/// its date and value date, its description, its amount (debit minus credit) and the document
/// numbers it carries; a record without a date takes the one before it. A record without an
/// amount stays, with 0 (its balance may open the side), and pairs with nothing.
ReadRecords readRecords(const Grid& grid, const CleanShape& shape, const SideColumns& columns,
                        const RegionalSettings& regional, const Date& today);

/// The side's opening and closing balances from its running balances, turned to the sign of
/// its amounts (a balance that grows by the credits runs the other way): the first printed
/// balance less the records up to it, and the last. False when no record prints a balance.
bool balancesFromRunning(ReadRecords& read);

}  // namespace tablamo
