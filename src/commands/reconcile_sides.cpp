#include "commands/reconcile_sides.h"

#include <algorithm>
#include <cstdlib>

#include "bank/clean_statement.h"
#include "bank/statement_layout.h"
#include "commands/open_commands.h"
#include "commands/reconcile_columns.h"
#include "commands/report_title.h"
#include "commands/table_book.h"
#include "core/dos_text.h"
#include "core/text_rules.h"
#include "core/workspace.h"
#include "import/clean_import.h"

namespace tablamo {
namespace {

using reconcile::Money;

// The lines a report prints over its table, looked at for the account's kind and period.
constexpr int kHeaderLines = 15;

std::string foldedLine(std::string_view dosLine) { return foldedUpper(DosToWinText(dosLine)); }

bool holds(const std::string& folded, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const char* w) { return folded.find(w) != std::string::npos; });
}

// Whether a line names an account of the chart's `group` ("102.01.003"): the group's digits
// and a point, a digit after it, not inside a number ("23,102.04" is an amount).
bool holdsCode(const std::string& folded, std::string_view group) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t at = folded.find(group); at != std::string::npos;
         at = folded.find(group, at + 1)) {
        const std::size_t end = at + group.size();
        if ((at == 0 ||
             !(digit(folded[at - 1]) || folded[at - 1] == ',' || folded[at - 1] == '.')) &&
            end + 1 < folded.size() && folded[end] == '.' && digit(folded[end + 1]))
            return true;
    }
    return false;
}

// The words of a line that opens a side's figures, and of one that closes them.
bool opensFigures(const std::string& folded) {
    return holds(folded, {"DEVIR", "DEVREDEN", "ONCEKI BAKIYE", "ACILIS BAKIYE"});
}
bool closesFigures(const std::string& folded) {
    return holds(folded, {"DONEM SONU", "KAPANIS BAKIYE", "SON BAKIYE", "GENEL TOPLAM"}) &&
           holds(folded, {"BAKIYE"});
}

// A date printed day first ("31.01.2024", "31/01/2024") at `at`; 0 when there is none.
int dateAt(std::string_view s, std::size_t at) {
    const auto digit = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
    const auto num = [&](std::size_t i, int n) {
        int v = 0;
        for (int k = 0; k < n; ++k) v = v * 10 + (s[i + static_cast<std::size_t>(k)] - '0');
        return v;
    };
    if (!(digit(at) && digit(at + 1) && digit(at + 3) && digit(at + 4) && digit(at + 6) &&
          digit(at + 7) && digit(at + 8) && digit(at + 9)))
        return 0;
    if ((s[at + 2] != '.' && s[at + 2] != '/') || s[at + 5] != s[at + 2]) return 0;
    const int d = num(at, 2), m = num(at + 3, 2), y = num(at + 6, 4);
    if (d < 1 || d > 31 || m < 1 || m > 12) return 0;
    return reconcile::dayNumber(y, m, d);
}

// The header's words: what kind of account the side is.
void readHeader(const ReportText& text, int lines, ReadSide& side) {
    for (int i = 0; i < std::min(lines, text.lineCount()); ++i) {
        const std::string folded = foldedLine(text.line(i));
        side.bankWords =
            side.bankWords || holds(folded, {"BANKA", "IBAN"}) || holdsCode(folded, "102");
        side.partyWords = side.partyWords ||
                          holds(folded, {"CARI", "ALICI", "SATICI", "MUSTERI"}) ||
                          holdsCode(folded, "120") || holdsCode(folded, "320");
        if (side.accountLine.empty() && holds(folded, {"HESAP", "BANKA"}) &&
            holds(folded, {"100.", "102.", "120.", "320.", "IBAN", "HESAP NO"})) {
            for (const char c : DosToWinText(text.line(i))) {
                if (c != ' ' || (!side.accountLine.empty() && side.accountLine.back() != ' '))
                    side.accountLine += c;
            }
            while (!side.accountLine.empty() && side.accountLine.back() == ' ')
                side.accountLine.pop_back();
        }
    }
}

// A side that prints its balances and no record: the opening from its opening line, the
// closing from its closing line, each the other when only one is printed.
void balancesOfText(const ReportText& text, reconcile::Account& account) {
    std::optional<Money> opening, closing;
    for (int i = 0; i < text.lineCount(); ++i) {
        const std::string folded = foldedLine(text.line(i));
        if (!opening && opensFigures(folded)) opening = lineBalance(text.line(i));
        if (closesFigures(folded)) {
            if (const auto b = lineBalance(text.line(i))) closing = b;
        }
    }
    account.opening = opening.value_or(closing.value_or(0));
    account.closing = closing.value_or(account.opening);
}

// The middle of the last word of `heading` on the nearest line over the first record that
// prints it as a word of its own; -1 when none does.
int headingAt(const ReportText& text, int firstRecordLine, std::string_view heading) {
    const std::string key = headingKey(heading);
    const std::string word =
        key.substr(key.find_last_of(' ') == std::string::npos ? 0 : key.find_last_of(' ') + 1);
    if (word.empty()) return -1;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || c < 0; };
    for (int i = firstRecordLine - 2; i >= std::max(0, firstRecordLine - 1 - kHeaderLines); --i) {
        const std::string folded = foldedLine(text.line(i));
        for (std::size_t at = folded.find(word); at != std::string::npos;
             at = folded.find(word, at + 1)) {
            const std::size_t end = at + word.size();
            if ((at == 0 || !letter(folded[at - 1])) &&
                (end == folded.size() || !letter(folded[end])))
                return static_cast<int>(at + end) / 2;
        }
    }
    return -1;
}

// Where the side's amount columns stand over its records; a balance column read as text (its
// marks glued on inside a frame) counts too.
std::vector<ColumnPlace> columnPlaces(const ReportText& text, int firstRecordLine, const Grid& grid,
                                      const SideColumns& cols) {
    int balance = cols.balance;
    for (int c = 1; balance < 0 && c < grid.colCount(); ++c) {
        if (headingKey(grid.cell(c, 0)).find("BAKIYE") != std::string::npos) balance = c;
    }
    std::vector<ColumnPlace> places;
    for (const auto& [column, role] :
         {std::pair{cols.debit, ColumnPlace::Debit}, std::pair{cols.credit, ColumnPlace::Credit},
          std::pair{cols.amount, ColumnPlace::Amount}, std::pair{balance, ColumnPlace::Balance}}) {
        if (column < 0) continue;
        const int at = headingAt(text, firstRecordLine, grid.cell(column, 0));
        if (at >= 0) places.push_back({role, at});
    }
    return places;
}

// The opening balance line over the first record, when no record prints a running balance.
std::optional<Money> openingLine(const ReportText& text, int firstRecordLine,
                                 const std::vector<ColumnPlace>& places) {
    for (int i = std::max(0, firstRecordLine - 1 - kHeaderLines); i < firstRecordLine - 1; ++i) {
        if (opensFigures(foldedLine(text.line(i)))) return balanceUnder(text.line(i), places);
    }
    return std::nullopt;
}

// The records of each account apart, in the order the accounts are first printed, each with
// its own balances.
template <typename Balances>
std::vector<ReadSide::Part> accountParts(const ReadRecords& read, const Balances& balances) {
    std::vector<ReadSide::Part> parts;
    std::vector<ReadRecords> records;
    for (std::size_t i = 0; i < read.account.entries.size(); ++i) {
        const std::string& name = read.accountOf[i];
        auto at = std::find_if(parts.begin(), parts.end(),
                               [&](const ReadSide::Part& p) { return p.name == name; });
        if (at == parts.end()) {
            parts.push_back({name, {}});
            records.emplace_back();
            at = parts.end() - 1;
        }
        ReadRecords& mine = records[static_cast<std::size_t>(at - parts.begin())];
        mine.account.entries.push_back(read.account.entries[i]);
        mine.balances.push_back(read.balances[i]);
    }
    for (std::size_t k = 0; k < parts.size(); ++k) {
        balances(records[k]);
        parts[k].account = std::move(records[k].account);
    }
    return parts;
}

}  // namespace

std::optional<Money> printedMoney(std::string_view t) {
    if (!t.empty() && t.front() == '=') t.remove_prefix(1);
    int sign = 1;
    if (t.size() >= 3 && t.front() == '(' && t.back() == ')') {
        t = t.substr(1, t.size() - 2);
        sign = -1;
    }
    if (t.size() >= 3 && (t.ends_with("(A)") || t.ends_with("(B)"))) {
        if (t[t.size() - 2] == 'A') sign = -sign;
        t.remove_suffix(3);
    } else if (!t.empty() && (t.back() == 'A' || t.back() == 'B')) {
        if (t.back() == 'A') sign = -sign;
        t.remove_suffix(1);
    }
    if (!t.empty() && t.back() == '-') {
        sign = -sign;
        t.remove_suffix(1);
    } else if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        if (t.front() == '-') sign = -sign;
        t.remove_prefix(1);
    }
    if (t.empty() || t.front() < '0' || t.front() > '9') return std::nullopt;
    // A decimal part of one or two digits after the last separator; before it, digits alone
    // or grouped by threes with the other separator.
    std::size_t last = t.find_last_of(".,");
    std::string_view fraction;
    char decimal = 0;
    if (last != std::string_view::npos && t.size() - last - 1 <= 2) {
        decimal = t[last];
        fraction = t.substr(last + 1);
        t = t.substr(0, last);
    }
    Money whole = 0;
    int run = 0, groups = 0;
    char grouping = 0;
    for (const char c : t) {
        if (c >= '0' && c <= '9') {
            if (whole > 900000000000000LL) return std::nullopt;
            whole = whole * 10 + (c - '0');
            ++run;
        } else if ((c == '.' || c == ',') && (grouping == 0 || c == grouping)) {
            if (run == 0 || (groups > 0 ? run != 3 : run > 3)) return std::nullopt;
            grouping = c;
            ++groups;
            run = 0;
        } else {
            return std::nullopt;
        }
    }
    if (run == 0 || (groups > 0 && run != 3)) return std::nullopt;
    if (decimal != 0 && grouping == decimal) return std::nullopt;
    Money cents = 0;
    for (const char c : fraction) {
        if (c < '0' || c > '9') return std::nullopt;
        cents = cents * 10 + (c - '0');
    }
    if (fraction.size() == 1) cents *= 10;
    return sign * (whole * 100 + cents);
}

std::vector<PlacedAmount> lineAmounts(std::string_view line) {
    // A frame's bars part the words as blanks do: "|", and the DOS box pieces 0xB0 to 0xDF.
    const auto apart = [&](std::size_t k) {
        const auto c = static_cast<unsigned char>(line[k]);
        return c == ' ' || c == '|' || (c >= 0xB0 && c <= 0xDF);
    };
    std::vector<PlacedAmount> amounts;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && apart(i)) ++i;
        std::size_t j = i;
        while (j < line.size() && !apart(j)) ++j;
        const std::string_view token = line.substr(i, j - i);
        if (const auto v = printedMoney(token)) {
            amounts.push_back({*v, static_cast<int>(i + j) / 2});
        } else if (token == "A" || token == "(A)") {
            if (!amounts.empty()) amounts.back().value = -amounts.back().value;
        } else if (token != "B" && token != "(B)" && !token.empty()) {
            // The amounts a line prints stand after its words: codes and dates before them
            // are none.
            amounts.clear();
        }
        i = j;
    }
    return amounts;
}

std::optional<Money> lineBalance(std::string_view line) {
    const std::vector<PlacedAmount> amounts = lineAmounts(line);
    if (amounts.empty()) return std::nullopt;
    // A debit and a credit printed side by side, without a balance.
    if (amounts.size() == 2) return amounts[0].value - amounts[1].value;
    return amounts.back().value;
}

std::optional<Money> balanceUnder(std::string_view line, const std::vector<ColumnPlace>& places) {
    const std::vector<PlacedAmount> amounts = lineAmounts(line);
    if (amounts.empty()) return std::nullopt;
    if (places.empty()) return lineBalance(line);
    Money sum = 0;
    std::optional<Money> balance;
    for (const PlacedAmount& a : amounts) {
        const ColumnPlace* nearest = &places.front();
        for (const ColumnPlace& p : places) {
            if (std::abs(p.at - a.at) < std::abs(nearest->at - a.at)) nearest = &p;
        }
        switch (nearest->role) {
            case ColumnPlace::Balance:
                balance = a.value;
                break;
            case ColumnPlace::Credit:
                sum -= a.value;
                break;
            default:
                sum += a.value;
        }
    }
    return balance ? *balance : sum;
}

int periodEnd(const ReportText& text, int lines) {
    for (int i = 0; i < std::min(lines, text.lineCount()); ++i) {
        const std::string_view line = text.line(i);
        for (std::size_t at = 0; at + 10 <= line.size(); ++at) {
            if (dateAt(line, at) == 0) continue;
            std::size_t k = at + 10;
            while (k < line.size() && line[k] == ' ') ++k;
            if (k >= line.size() || line[k] != '-') continue;
            ++k;
            while (k < line.size() && line[k] == ' ') ++k;
            if (const int end = dateAt(line, k)) return end;
        }
    }
    return 0;
}

std::optional<ReadSide> readSide(const std::string& path, const SideReading& how, UiPort& ui,
                                 const Clock& clock) {
    Workspace ws;
    ws.settings.layout = how.layout;
    ws.settings.cleanTable = true;
    ws.regional = how.regional;
    loadReport(ws, path, how.mapped, how.inputEncoding);
    std::optional<InputWatch> watch;
    if (how.mapped) watch.emplace(ws.text, path);
    ReadSide side;
    const std::string reading = inputReadingNote(ws.textReading);
    if (!reading.empty() && (!how.quiet || ws.textReading.replaced)) side.note = reading;
    side.statement = looksLikeStatement(ws.text);
    const ImportOutcome outcome =
        runImporter(ws, side.statement ? Importer::Statement : Importer::Report);
    if (how.mapped) checkWatchedInput();
    const bool onlyBalances =
        outcome.status == ImportStatus::NoRecords &&
        (outcome.message == kNoRecordsMessage || outcome.message == kNoTransactionsMessage);
    if (outcome.status == ImportStatus::EmptyText) {
        ui.showMessage(kEmptyInputMessage);
        return std::nullopt;
    }
    if (!outcome.imported() && !onlyBalances) {
        showOutcome(ui, outcome);
        if (!outcome.reason.empty()) ui.showMessage(outcome.reason);
        return std::nullopt;
    }
    int headerLines = kHeaderLines;
    if (onlyBalances) {
        side.noRecords = true;
        balancesOfText(ws.text, side.account);
    } else {
        side.warnings = outcome.warnings;
        if (!outcome.note.empty()) {
            // "Windows-1254 olarak okundu." and the totals' note: one sentence, one stop.
            if (!side.note.empty() && side.note.back() == '.') side.note.pop_back();
            side.note += (side.note.empty() ? "" : "; ") + outcome.note;
        }
        const SideColumns columns = sideColumns(ws.grid(), *ws.clean());
        ReadRecords read = readRecords(ws.grid(), *ws.clean(), columns, ws.regional, clock.today());
        side.accounts = read.accounts;
        const auto balances = [&](ReadRecords& records) {
            if (!balancesFromRunning(records)) {
                const auto& entries = records.account.entries;
                const int first = entries.empty() ? 1 : entries.front().line;
                records.account.opening =
                    openingLine(ws.text, first, columnPlaces(ws.text, first, ws.grid(), columns))
                        .value_or(0);
                records.account.closing = records.account.computedClosing();
            }
            for (const reconcile::Entry& e : records.account.entries)
                records.account.closingDay = std::max(records.account.closingDay, e.day);
        };
        if (read.accounts > 1) side.parts = accountParts(read, balances);
        balances(read);
        side.account = std::move(read.account);
        if (!side.account.entries.empty())
            headerLines = std::min(kHeaderLines, side.account.entries.front().line - 1);
    }
    readHeader(ws.text, headerLines, side);
    side.firm = reportTitle(ws.text).firm;
    const int end = periodEnd(ws.text, headerLines);
    if (end > side.account.closingDay) side.account.closingDay = end;
    for (ReadSide::Part& part : side.parts)
        part.account.closingDay = std::max(part.account.closingDay, end);
    return side;
}

}  // namespace tablamo
