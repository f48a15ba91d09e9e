#include "commands/reconcile_columns.h"

#include <algorithm>
#include <set>

#include "commands/reconcile_sides.h"
#include "commands/table_book.h"
#include "export/cell_value.h"

namespace tablamo {
namespace {

using reconcile::Money;

bool hasWord(const std::string& key, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const char* w) { return key.find(w) != std::string::npos; });
}

// A column of B/A marks: headed so, or holding nothing but B and A.
bool isMarks(const Grid& grid, int c) {
    const std::string key = headingKey(grid.cell(c, 0));
    if (key == "B/A" || key == "B / A" || key == "(B/A)" || key == "BA") return true;
    int marks = 0;
    for (int r = 1; r < grid.rowCount() && r <= 200; ++r) {
        const std::string_view v = grid.cell(c, r);
        if (v.empty()) continue;
        if (v != "B" && v != "A") return false;
        ++marks;
    }
    return marks > 0;
}

// The words of an amount column's heading.
constexpr std::initializer_list<const char*> kAmountWords = {
    "BAKIYE",  "BORC",  "YATAN", "GIRIS", "GIREN",  "TAHSIL", "ALACAK",
    "CEKILEN", "CIKIS", "CIKAN", "GIDEN", "ODENEN", "TUTAR",  "MIKTAR"};

// A column whose every value is an amount as a report prints it ("1.234,56B"), one at least.
bool printedAmounts(const Grid& grid, int c) {
    int amounts = 0;
    for (int r = 1; r < grid.rowCount(); ++r) {
        const std::string_view v = grid.cell(c, r);
        if (v.empty()) continue;
        if (!printedMoney(v)) return false;
        ++amounts;
    }
    return amounts > 0;
}

// The B/A mark of a record: +1 B, -1 A, 0 none.
int markOf(const Grid& grid, int column, int row) {
    if (column < 0) return 0;
    const std::string_view v = grid.cell(column, row);
    return v == "B" ? 1 : v == "A" ? -1 : 0;
}

}  // namespace

std::optional<Money> moneyOf(std::string_view text, char decimal) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    Money whole = 0, cents = 0;
    int fraction = -1, digits = 0;
    bool roundUp = false;
    for (const char c : text) {
        if (c == decimal && fraction < 0) {
            fraction = 0;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            if (fraction < 0) {
                if (whole > 900000000000000LL) return std::nullopt;
                whole = whole * 10 + (c - '0');
            } else if (fraction < 2) {
                cents = cents * 10 + (c - '0');
                ++fraction;
            } else if (fraction++ == 2) {
                roundUp = c >= '5';
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    if (fraction == 1) cents *= 10;
    const Money value = whole * 100 + cents + (roundUp ? 1 : 0);
    return negative ? -value : value;
}

SideColumns sideColumns(const Grid& grid, const CleanShape& shape) {
    SideColumns cols;
    std::vector<int> amounts, texts;
    int widest = -1, widestWidth = -1;
    int named = -1, other = -1;  // a date column headed "Tarih", another
    for (std::size_t i = 0; i < shape.columns.size(); ++i) {
        const int c = static_cast<int>(i) + 1;
        const std::string key = headingKey(grid.cell(c, 0));
        switch (shape.columns[i].kind) {
            case ColumnKind::Date:
                if (hasWord(key, {"VALOR"})) {
                    if (cols.valueDate < 0) cols.valueDate = c;
                } else if (hasWord(key, {"TARIH"}) && !hasWord(key, {"VADE"})) {
                    if (named < 0) named = c;
                } else if (other < 0) {
                    other = c;
                }
                break;
            case ColumnKind::Amount:
                amounts.push_back(c);
                break;
            case ColumnKind::Text:
            case ColumnKind::Code:
                if (isMarks(grid, c)) break;
                if (hasWord(key, kAmountWords) && printedAmounts(grid, c)) {
                    amounts.push_back(c);
                    break;
                }
                if (hasWord(key, {"ACIKLAMA"}) && cols.text < 0) cols.text = c;
                if (hasWord(key, {"EVRAK", "BELGE", "CEK", "DEKONT", "REF", "FATURA", "SERI"}) &&
                    !hasWord(key, {"FIS", "YEVMIYE"}))
                    cols.refs.push_back(c);
                if (shape.columns[i].kind == ColumnKind::Text &&
                    shape.columns[i].width > widestWidth && !hasWord(key, {"HESAP", "UNVAN"})) {
                    widest = c;
                    widestWidth = shape.columns[i].width;
                }
                break;
        }
    }
    cols.date = named >= 0 ? named : other;
    if (cols.text < 0) cols.text = widest;
    std::vector<int> unnamed;
    for (const int c : amounts) {
        const std::string key = headingKey(grid.cell(c, 0));
        if (hasWord(key, {"BAKIYE"})) {
            if (cols.balance < 0) cols.balance = c;
        } else if (hasWord(key, {"BORC", "YATAN", "GIRIS", "GIREN", "TAHSIL"}) && cols.debit < 0) {
            cols.debit = c;
        } else if (hasWord(key, {"ALACAK", "CEKILEN", "CIKIS", "CIKAN", "GIDEN", "ODENEN"}) &&
                   cols.credit < 0) {
            cols.credit = c;
        } else if (hasWord(key, {"TUTAR", "MIKTAR"}) && cols.amount < 0) {
            cols.amount = c;
        } else {
            unnamed.push_back(c);
        }
    }
    // Amounts no heading names, in their order: debit, credit, balance; one alone is signed.
    std::size_t next = 0;
    if (cols.debit < 0 && cols.credit < 0 && cols.amount < 0) {
        if (unnamed.size() >= 2) {
            cols.debit = unnamed[next++];
            cols.credit = unnamed[next++];
        } else if (!unnamed.empty()) {
            cols.amount = unnamed[next++];
        }
    } else if (cols.debit < 0 && cols.credit >= 0 && next < unnamed.size()) {
        cols.debit = unnamed[next++];
    } else if (cols.credit < 0 && cols.debit >= 0 && next < unnamed.size()) {
        cols.credit = unnamed[next++];
    }
    if (cols.balance < 0 && next < unnamed.size()) cols.balance = unnamed[next++];
    const auto marksAfter = [&](int c) {
        return c > 0 && c + 1 < grid.colCount() && isMarks(grid, c + 1) ? c + 1 : -1;
    };
    cols.amountMarks = marksAfter(cols.amount);
    cols.balanceMarks = marksAfter(cols.balance);
    // A leading column carried from the page or a group's block that names the account.
    if (!shape.columns.empty() && cols.date != 1) {
        const std::string key = headingKey(grid.cell(1, 0));
        if (hasWord(key, {"HESAP", "CARI", "IBAN"})) cols.account = 1;
        if (cols.account == 1 && shape.columns.size() > 1 &&
            hasWord(headingKey(grid.cell(2, 0)), {"ADI", "UNVAN"}))
            cols.accountName = 2;
    }
    return cols;
}

ReadRecords readRecords(const Grid& grid, const CleanShape& shape, const SideColumns& columns,
                        const RegionalSettings& regional, const Date& today) {
    ReadRecords read;
    const char decimal = regional.decimalSeparator;
    // A column the clean table kept as text holds its amounts as printed.
    const auto money = [&](int c, int r) -> std::optional<Money> {
        if (c < 0) return std::nullopt;
        if (shape.columns[static_cast<std::size_t>(c) - 1].kind != ColumnKind::Amount)
            return printedMoney(grid.cell(c, r));
        return moneyOf(grid.cell(c, r), decimal);
    };
    // A signed column with B/A marks beside it is signed by them only when it prints no sign.
    bool amountSigned = false;
    for (int r = 1; r < grid.rowCount() && columns.amount >= 0; ++r) {
        if (const auto v = money(columns.amount, r); v && *v < 0) amountSigned = true;
    }
    std::set<std::string> accounts;
    int lastDay = 0;
    for (int r = 1; r < grid.rowCount(); ++r) {
        reconcile::Entry e;
        e.line = shape.lineOfRow(r).value_or(0);
        if (const auto d = columns.date < 0
                               ? std::nullopt
                               : readShortDate(grid.cell(columns.date, r), regional, today)) {
            e.day = reconcile::dayNumber(d->year, d->month, d->day);
        } else {
            e.day = lastDay;
        }
        lastDay = e.day;
        if (columns.valueDate >= 0) {
            if (const auto d = readShortDate(grid.cell(columns.valueDate, r), regional, today))
                e.valueDay = reconcile::dayNumber(d->year, d->month, d->day);
        }
        if (columns.text >= 0) e.text = std::string(grid.cell(columns.text, r));
        if (columns.amount >= 0) {
            e.amount = money(columns.amount, r).value_or(0);
            if (!amountSigned && markOf(grid, columns.amountMarks, r) < 0) e.amount = -e.amount;
        } else {
            e.amount = money(columns.debit, r).value_or(0) - money(columns.credit, r).value_or(0);
        }
        e.refs = reconcile::documentNumbers(e.text);
        for (const int c : columns.refs) {
            const std::vector<std::uint64_t> more = reconcile::documentNumbers(grid.cell(c, r));
            e.refs.insert(e.refs.end(), more.begin(), more.end());
        }
        std::sort(e.refs.begin(), e.refs.end());
        e.refs.erase(std::unique(e.refs.begin(), e.refs.end()), e.refs.end());
        std::optional<Money> balance = money(columns.balance, r);
        if (balance && markOf(grid, columns.balanceMarks, r) < 0) *balance = -*balance;
        if (columns.account >= 0) {
            std::string account(grid.cell(columns.account, r));
            accounts.insert(account);
            if (columns.accountName >= 0 && !grid.cell(columns.accountName, r).empty())
                account += " " + std::string(grid.cell(columns.accountName, r));
            read.accountOf.push_back(std::move(account));
        }
        read.account.entries.push_back(std::move(e));
        read.balances.push_back(balance);
    }
    read.accounts = static_cast<int>(accounts.size());
    return read;
}

bool balancesFromRunning(ReadRecords& read) {
    const std::vector<reconcile::Entry>& entries = read.account.entries;
    int with = 0, against = 0;
    std::optional<Money> previous;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::optional<Money>& b = read.balances[i];
        if (b && previous) {
            with += *b - *previous == entries[i].amount;
            against += *b - *previous == -entries[i].amount;
        }
        if (b) previous = b;
    }
    if (!previous) return false;
    const int sign = against > with ? -1 : 1;
    Money before = 0;
    bool opened = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        before += entries[i].amount;
        if (read.balances[i] && !opened) {
            read.account.opening = sign * *read.balances[i] - before;
            opened = true;
        }
    }
    Money after = 0;
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (read.balances[i]) {
            read.account.closing = sign * *read.balances[i] + after;
            break;
        }
        after += entries[i].amount;
    }
    return true;
}

}  // namespace tablamo
