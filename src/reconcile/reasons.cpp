#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/text_rules.h"
#include "reconcile/pairing.h"

namespace tablamo::reconcile::detail {
namespace {

// How two amounts differ when a hand slipped: two neighbouring digits swapped, one digit
// wrong, one missing or one too many.
enum class Slip { None, Transposed, Digit };

Slip slipOf(Money a, Money b) {
    const std::string x = std::to_string(std::llabs(a)), y = std::to_string(std::llabs(b));
    if (x.size() == y.size()) {
        std::size_t first = x.size(), count = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (x[i] != y[i]) {
                if (count++ == 0) first = i;
            }
        }
        if (count == 1) return Slip::Digit;
        if (count == 2 && first + 1 < x.size() && x[first] == y[first + 1] &&
            x[first + 1] == y[first])
            return Slip::Transposed;
        return Slip::None;
    }
    const std::string& longer = x.size() > y.size() ? x : y;
    const std::string& shorter = x.size() > y.size() ? y : x;
    if (longer.size() != shorter.size() + 1) return Slip::None;
    for (std::size_t i = 0; i < longer.size(); ++i) {
        if (longer.substr(0, i) + longer.substr(i + 1) == shorter) return Slip::Digit;
    }
    return Slip::None;
}

// The description's words, folded: capitals without Turkish marks, letters and digits only.
std::vector<std::string> wordsOf(std::string_view win1254) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : foldedUpper(win1254)) {
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

bool anyWordStarts(const std::vector<std::string>& words,
                   std::initializer_list<std::string_view> stems) {
    for (const std::string& w : words) {
        for (const std::string_view stem : stems) {
            if (std::string_view(w).starts_with(stem)) return true;
        }
    }
    return false;
}

bool anyWordIs(const std::vector<std::string>& words,
               std::initializer_list<std::string_view> forms) {
    for (const std::string& w : words) {
        if (std::find(forms.begin(), forms.end(), w) != forms.end()) return true;
    }
    return false;
}

// "Çek", "çeki", "çekler": not "çekilen" (cash drawn) nor "çekim".
bool namesCheque(const std::vector<std::string>& words) {
    return anyWordIs(words, {"CEK", "CEKI", "CEKIN", "CEKLER", "CEKLERI", "CEKNO", "KESIDE"});
}

// What a record's words say of it, in the order they decide.
Reason bankReason(const std::vector<std::string>& words, bool statementSide) {
    if (!statementSide) return Reason::None;
    const bool charge = anyWordStarts(words, {"MASRAF", "KOMISYON", "UCRET", "AIDAT", "ISLETIM"});
    if (anyWordIs(words, {"BSMV"}) && !charge) return Reason::Bsmv;
    if (charge || anyWordIs(words, {"BSMV"})) return Reason::BankCharge;
    if (anyWordStarts(words, {"FAIZ", "KKDF", "STOPAJ"})) return Reason::Interest;
    return Reason::None;
}

Reason transitReason(const std::vector<std::string>& words, Money amount, bool bank) {
    if (!bank && (anyWordStarts(words, {"FATURA"}) || anyWordIs(words, {"FT"})))
        return Reason::InvoiceInTransit;
    return amount > 0 ? (bank ? Reason::DepositInTransit : Reason::PaymentInTransit)
                      : Reason::PaymentInTransit;
}

// The folded letters and digits of a description: two bookings of one text compare equal.
std::string sameTextKey(std::string_view win1254) {
    std::string key;
    for (const std::string& w : wordsOf(win1254)) key += w;
    return key;
}

// Whether a record left over is a second booking of a record of its own side: the same
// amount, date and words as one paired, or as one before it.
bool isDuplicate(const Board& board, bool statementSide, int i) {
    const Entry& e = board.entry(statementSide, i);
    const std::vector<Entry>& side = statementSide ? board.statement : board.ledger;
    const std::vector<char>& used = statementSide ? board.statementUsed : board.ledgerUsed;
    const std::string key = sameTextKey(e.text);
    for (std::size_t k = 0; k < side.size(); ++k) {
        const Entry& o = side[k];
        if (static_cast<int>(k) == i || o.amount != e.amount || o.day != e.day) continue;
        if (!used[k] && o.line > e.line) continue;
        if (sameTextKey(o.text) == key) return true;
    }
    return false;
}

// Pairs of records left over that differ in amount only: the same direction, dates within
// the days, and a document number in common, or the same date and a slip of the hand.
void pairAmountDiffs(const Board& board, std::vector<Unpaired>& ledgerOnly,
                     std::vector<Unpaired>& statementOnly) {
    struct Candidate {
        bool ref;
        int gap;
        std::size_t l, s;
    };
    std::vector<Candidate> candidates;
    for (std::size_t a = 0; a < ledgerOnly.size(); ++a) {
        const Entry& l = board.ledger[static_cast<std::size_t>(ledgerOnly[a].entry)];
        for (std::size_t b = 0; b < statementOnly.size(); ++b) {
            const int si = statementOnly[b].entry;
            const Entry& s = board.statement[static_cast<std::size_t>(si)];
            const Money theirs = board.ours[static_cast<std::size_t>(si)];
            if (theirs == l.amount || (theirs > 0) != (l.amount > 0)) continue;
            if (!withinDays(l, s, board.days)) continue;
            const bool ref = shareRef(l, s);
            if (!ref && (l.day != s.day || slipOf(l.amount, theirs) == Slip::None)) continue;
            candidates.push_back({ref, std::abs(l.day - s.day), a, b});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
        if (x.ref != y.ref) return x.ref;
        if (x.gap != y.gap) return x.gap < y.gap;
        return x.l != y.l ? x.l < y.l : x.s < y.s;
    });
    for (const Candidate& c : candidates) {
        Unpaired& l = ledgerOnly[c.l];
        Unpaired& s = statementOnly[c.s];
        if (l.reason == Reason::AmountDiff || s.reason == Reason::AmountDiff) continue;
        l.reason = s.reason = Reason::AmountDiff;
        l.partner = s.entry;
        s.partner = l.entry;
    }
}

}  // namespace

void giveReasons(const Board& board, const Options& options, int periodEnd,
                 std::vector<Unpaired>& ledgerOnly, std::vector<Unpaired>& statementOnly) {
    pairAmountDiffs(board, ledgerOnly, statementOnly);
    for (const bool statementSide : {false, true}) {
        for (Unpaired& u : statementSide ? statementOnly : ledgerOnly) {
            if (u.reason != Reason::None) continue;
            const Entry& e = board.entry(statementSide, u.entry);
            const Money amount = board.amount(statementSide, u.entry);
            const std::vector<std::string> words = wordsOf(e.text);
            // A charge the bank made is one even when it made it twice.
            if (options.bank) u.reason = bankReason(words, statementSide);
            if (u.reason == Reason::None && isDuplicate(board, statementSide, u.entry))
                u.reason = Reason::Duplicate;
            if (u.reason != Reason::None || (options.bank && statementSide)) continue;
            if (namesCheque(words)) {
                u.reason = Reason::Cheque;
            } else if (e.day > periodEnd - options.days) {
                u.reason = transitReason(words, amount, options.bank);
            }
        }
    }
}

}  // namespace tablamo::reconcile::detail

namespace tablamo::reconcile {

std::string moneyText(Money amount, char decimal) {
    const char group = decimal == ',' ? '.' : ',';
    const Money units = std::llabs(amount);
    std::string whole = std::to_string(units / 100);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3) {
        whole.insert(static_cast<std::size_t>(i), 1, group);
    }
    const int cents = static_cast<int>(units % 100);
    std::string text = (amount < 0 ? "-" : "") + whole + decimal;
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
}

std::string reasonText(Reason reason, Money ledgerAmount, Money statementAmount) {
    switch (reason) {
        case Reason::None:
            return {};
        case Reason::BankCharge:
            return "banka masrafı";
        case Reason::Bsmv:
            return "BSMV";
        case Reason::Interest:
            return "faiz";
        case Reason::Cheque:
            return "yoldaki çek";
        case Reason::DepositInTransit:
            return "yoldaki para";
        case Reason::PaymentInTransit:
            return "yoldaki ödeme";
        case Reason::InvoiceInTransit:
            return "yoldaki fatura";
        case Reason::Duplicate:
            return "mükerrer kayıt?";
        case Reason::AmountDiff:
            break;
    }
    std::string text = "tutar farkı: defterde " + moneyText(std::llabs(ledgerAmount)) +
                       ", ekstrede " + moneyText(std::llabs(statementAmount));
    if (detail::slipOf(ledgerAmount, statementAmount) == detail::Slip::Transposed)
        text += " — basamaklar yer değiştirmiş?";
    return text;
}

}  // namespace tablamo::reconcile
