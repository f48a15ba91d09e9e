#include "reconcile/reconciliation.h"

#include <algorithm>
#include <span>
#include <unordered_map>

#include "reconcile/pairing.h"

namespace tablamo::reconcile {
namespace {

using detail::Board;

// How many ledger records find a statement record of their amount within the days, the
// statement's amounts taken as they stand or turned round.
int pairsIf(const Account& ledger, const Account& statement, bool mirrored, int days) {
    std::unordered_multimap<Money, const Entry*> byAmount;
    for (const Entry& s : statement.entries) {
        if (s.amount != 0) byAmount.emplace(mirrored ? -s.amount : s.amount, &s);
    }
    int pairs = 0;
    for (const Entry& l : ledger.entries) {
        const auto [from, to] = byAmount.equal_range(l.amount);
        pairs += std::any_of(from, to,
                             [&](const auto& s) { return detail::withinDays(l, *s.second, days); });
    }
    return pairs;
}

bool mirroredFor(const Account& ledger, const Account& statement, const Options& options) {
    if (options.direction != Direction::Auto) return options.direction == Direction::Mirror;
    const int same = pairsIf(ledger, statement, false, options.days);
    const int mirror = pairsIf(ledger, statement, true, options.days);
    if (same != mirror) return mirror > same;
    // Nothing to pair by: the balances may still tell.
    if (statement.closing != 0 && ledger.closing == statement.closing) return false;
    if (statement.closing != 0 && ledger.closing == -statement.closing) return true;
    return options.fallback == Direction::Mirror;
}

// A day number's date as the statement's labels print it: "31.01.2024".
std::string dateText(int day) {
    const Date d = dateOfDay(day);
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return two(d.day) + "." + two(d.month) + "." + std::to_string(d.year);
}

// The groups of the statement's rows, in their order: what each reason's records are called.
struct Group {
    Reason reason;
    int sign;  // for cheques: the direction that parts written from deposited ones; 0 any
    const char* words;
};

constexpr Group kStatementGroups[] = {
    {Reason::BankCharge, 0, "banka masrafları"},
    {Reason::Bsmv, 0, "BSMV"},
    {Reason::Interest, 0, "faiz"},
    {Reason::Cheque, 0, "yoldaki çekler"},
    {Reason::DepositInTransit, 0, "yoldaki paralar"},
    {Reason::PaymentInTransit, 0, "yoldaki ödemeler"},
    {Reason::InvoiceInTransit, 0, "yoldaki faturalar"},
    {Reason::Duplicate, 0, "mükerrer kayıtlar"},
    {Reason::None, 0, "diğer kayıtlar"},
};

constexpr Group kLedgerBankGroups[] = {
    {Reason::Cheque, -1, "ödenmemiş çekler"},
    {Reason::Cheque, 1, "tahsil edilmemiş çekler"},
    {Reason::DepositInTransit, 0, "yoldaki paralar"},
    {Reason::PaymentInTransit, 0, "yoldaki ödemeler"},
    {Reason::InvoiceInTransit, 0, "yoldaki faturalar"},
    {Reason::Duplicate, 0, "mükerrer kayıtlar"},
    {Reason::None, 0, "diğer kayıtlar"},
};

void addGroups(const Board& board, bool statementSide, const std::vector<Unpaired>& unpaired,
               std::span<const Group> groups, const char* prefix, std::vector<StatementRow>& rows,
               Money& adjusted) {
    for (const Group& g : groups) {
        Money sum = 0;
        int count = 0;
        for (const Unpaired& u : unpaired) {
            const Money a = board.amount(statementSide, u.entry);
            if (u.reason != g.reason || (g.sign != 0 && (a > 0) != (g.sign > 0))) continue;
            sum += a;
            ++count;
        }
        if (count == 0) continue;
        // What the statement has and we have not is still to be booked by us; what we have and
        // the statement has not, the statement has still to show.
        const Money effect = statementSide ? sum : -sum;
        rows.push_back({std::string(prefix) + g.words, effect});
        adjusted += effect;
    }
}

}  // namespace

Money Account::computedClosing() const {
    Money sum = opening;
    for (const Entry& e : entries) sum += e.amount;
    return sum;
}

int dayNumber(int year, int month, int day) {
    const int y = year - (month <= 2);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

std::vector<std::uint64_t> documentNumbers(std::string_view text) {
    std::vector<std::uint64_t> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        std::size_t from = i;
        while (from < j && text[from] == '0') ++from;
        const std::size_t digits = j - from;
        // Past 18 digits (an IBAN's run) only its last 18 are kept.
        if (digits > 18) from = j - 18;
        if (digits >= 3) {
            std::uint64_t n = 0;
            for (std::size_t k = from; k < j; ++k)
                n = n * 10 + static_cast<std::uint64_t>(text[k] - '0');
            const bool year = digits == 4 && n >= 1950 && n <= 2099;
            if (!year) numbers.push_back(n);
        }
        i = j;
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

Date dateOfDay(int day) {
    // Days since 1 March of year 0, back to the civil date.
    const int era = (day >= 0 ? day : day - 146096) / 146097;
    const int doe = day - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (m <= 2), m, d};
}

const char* matchKindText(MatchKind kind) {
    switch (kind) {
        case MatchKind::Exact:
            return "tam";
        case MatchKind::DateGap:
            return "tarih farkı";
        case MatchKind::Group:
            break;
    }
    return "toplu";
}

Result reconcile(const Account& ledger, const Account& statement, const Options& options) {
    Result r;
    r.mirrored = mirroredFor(ledger, statement, options);
    Board board(ledger.entries, statement.entries, r.mirrored, options.days);
    r.matches = detail::pairOneToOne(board);
    std::vector<Match> groups = detail::pairGroups(board);
    r.matches.insert(r.matches.end(), groups.begin(), groups.end());
    const auto firstLine = [&](const Match& m) {
        return m.ledger.empty() ? 0 : ledger.entries[static_cast<std::size_t>(m.ledger[0])].line;
    };
    std::stable_sort(r.matches.begin(), r.matches.end(),
                     [&](const Match& a, const Match& b) { return firstLine(a) < firstLine(b); });

    int periodEnd = std::max(ledger.closingDay, statement.closingDay);
    for (const bool statementSide : {false, true}) {
        const std::vector<Entry>& side = statementSide ? statement.entries : ledger.entries;
        std::vector<Unpaired>& left = statementSide ? r.statementOnly : r.ledgerOnly;
        for (std::size_t i = 0; i < side.size(); ++i) {
            periodEnd = std::max(periodEnd, side[i].day);
            if (!board.used(statementSide)[i] && side[i].amount != 0)
                left.push_back({static_cast<int>(i), Reason::None, -1});
        }
    }
    detail::giveReasons(board, options, periodEnd, r.ledgerOnly, r.statementOnly);

    // The statement: our balance, what explains the way to the other side's, its balance.
    r.ledgerClosing = ledger.closing;
    r.statementClosing = r.mirrored ? -statement.closing : statement.closing;
    const Money statementOpening = r.mirrored ? -statement.opening : statement.opening;
    r.openingDifference = statementOpening - ledger.opening;
    r.rows.push_back({"Defter bakiyesi (" + dateText(ledger.closingDay) + ")", ledger.closing});
    Money adjusted = ledger.closing;
    addGroups(board, true, r.statementOnly, kStatementGroups,
              "Ekstrede olup defterde olmayan: ", r.rows, adjusted);
    const std::span<const Group> ledgerGroups =
        options.bank ? std::span<const Group>(kLedgerBankGroups)
                     : std::span<const Group>(kStatementGroups).subspan(3);
    addGroups(board, false, r.ledgerOnly, ledgerGroups, "Defterde olup ekstrede olmayan: ", r.rows,
              adjusted);
    Money amountDiffs = 0;
    bool anyDiff = false;
    for (const Unpaired& u : r.statementOnly) {
        if (u.reason != Reason::AmountDiff) continue;
        anyDiff = true;
        amountDiffs += board.amount(true, u.entry) - board.amount(false, u.partner);
    }
    if (anyDiff) {
        r.rows.push_back({"Tutar farkları (ekstre - defter)", amountDiffs});
        adjusted += amountDiffs;
    }
    r.adjustedLedger = adjusted;
    r.rows.push_back({"Düzeltilmiş defter bakiyesi", adjusted});
    r.rows.push_back(
        {"Ekstre bakiyesi (" + dateText(statement.closingDay) + ")", r.statementClosing});
    if (r.openingDifference != 0)
        r.rows.push_back({"Açılış bakiyeleri farkı", r.openingDifference});
    r.difference = r.statementClosing - adjusted - r.openingDifference;
    r.rows.push_back({"Fark", r.difference});
    return r;
}

}  // namespace tablamo::reconcile

namespace tablamo::reconcile::detail {

Board::Board(const std::vector<Entry>& l, const std::vector<Entry>& s, bool mirrored, int d)
    : ledger(l), statement(s), ledgerUsed(l.size(), 0), statementUsed(s.size(), 0), days(d) {
    ours.reserve(s.size());
    for (const Entry& e : s) ours.push_back(mirrored ? -e.amount : e.amount);
}

}  // namespace tablamo::reconcile::detail
