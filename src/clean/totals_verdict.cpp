// The totals check's judgement (totals_check.h): each total line's figures against the
// readings of the records, the figures no reading gives decided at the end, and the texts
// the outcome shows.

#include <algorithm>

#include "clean/totals_state.h"
#include "core/encoding.h"
#include "core/text_rules.h"

namespace tablamo {

using namespace totals;

namespace {

constexpr std::size_t kUnplacedNamed = 50;

std::int64_t magnitude(std::int64_t v) { return v < 0 ? -v : v; }

int filterOf(int id) { return id % 8; }

// An amount signed by B/A marks, as the report prints it: "556.038,32B".
std::string markedText(std::int64_t v, const SummedColumn& col) {
    std::string text = printedAmount(magnitude(v), col.decimals, col.notation);
    if (v != 0) text += v < 0 ? 'A' : 'B';
    return text;
}

// Whether a label holds an amount ("SAYF A TOPLAMI 122,342.37"): the columns are not cut
// where the report prints them, and its figures say nothing.
bool holdsAmount(const TotalLabel& label) {
    for (const std::string& word : label.words) {
        const AmountForm f = amountFormOf(word);
        if (f.valid && f.decimal && f.grouping) return true;
    }
    return false;
}

}  // namespace

KindStats& State::kindOf(const std::string& key) {
    auto it =
        std::find_if(kinds.begin(), kinds.end(), [&](const KindStats& k) { return k.key == key; });
    if (it != kinds.end()) return *it;
    kinds.push_back(
        {key, std::vector<int>(n + 1, 0), std::vector<std::vector<std::pair<int, int>>>(n + 1)});
    return kinds.back();
}

void State::readings(std::size_t c, const TotalLabel& label, const std::string& folded,
                     std::vector<std::pair<int, std::int64_t>>& out) const {
    out.clear();
    const bool count = c == n;
    const auto eachFilter = [&](auto&& fn) {
        // An account list's totals sum its top level, or, where the top level prints no
        // amounts (a stock list's group lines), everything under it.
        if (levels) {
            fn(kTop);
            if (!count && !topPrinted[c]) fn(kAll);
            return;
        }
        fn(kAll);
        if (count) return;
        fn(kPositive);
        fn(kNegative);
        if (marks) fn(kMarkedA), fn(kMarkedB);
    };
    const Point now = snapshot();
    std::vector<std::pair<int, const Point*>> scopes = {{kStartScope, &start},
                                                        {kPageScope, pagePending ? &now : &page}};
    for (int l = 0; l <= innermost; ++l)
        scopes.emplace_back(kGroupScope + l, &group[static_cast<std::size_t>(l)]);
    for (std::size_t i = 0; i < recent.size(); ++i)
        scopes.emplace_back(kRecentScope + static_cast<int>(i), &recent[recent.size() - 1 - i]);
    for (const auto& [labelText, point] : byLabel) {
        if (labelText == folded) scopes.emplace_back(kSameScope, &point);
    }
    // Named, not bound: C++20 lets a lambda capture a structured binding, clang 14 does not
    // yet (the fuzz targets' compiler).
    for (const auto& entry : scopes) {
        const int scope = entry.first;
        const Point* p = entry.second;
        eachFilter([&](int f) {
            out.emplace_back(readingId(scope, kSum, f),
                             sums[c * kFilters + static_cast<std::size_t>(f)] -
                                 p->sums[c * kFilters + static_cast<std::size_t>(f)]);
        });
        if (count) continue;
        const std::int64_t sum = sums[c * kFilters + kAll] - p->sums[c * kFilters + kAll];
        if (scope == kGroupScope + innermost && openingPresent[c])
            out.emplace_back(readingId(scope, kSumOpening, kAll), sum + opening[c]);
        if (p->total && p->printedPresent[c])
            out.emplace_back(readingId(scope, kCarried, kAll), p->printed[c] + sum);
        out.emplace_back(readingId(scope, kClosing, kAll),
                         closed[c] - p->closed[c] + (groupLastPresent[c] ? groupLast[c] : 0));
    }
    if (!count && groupLastPresent[c])
        out.emplace_back(readingId(kStartScope, kLastGroup, kAll), groupLast[c]);
    if (!count && lastAllPresent[c])
        out.emplace_back(readingId(kStartScope, kLastAll, kAll), lastAll[c]);
    // The records of a value the label names: "TOPLAM USD".
    for (const std::string& word : label.words) {
        for (const ValueColumn& col : values) {
            for (const ValueSums& v : col.values) {
                if (v.folded != word) continue;
                eachFilter([&](int f) {
                    out.emplace_back(readingId(kWhereScope, kSum, f),
                                     v.sums[c * kFilters + static_cast<std::size_t>(f)]);
                });
            }
        }
    }
}

void State::judge(std::string_view text, const std::string& folded, const TotalLabel& label,
                  int line, const LineAmounts& amounts, char mark) {
    if (holdsAmount(label)) {
        totals.push_back(-1);  // not checked
        return;
    }
    const std::size_t kindAt = static_cast<std::size_t>(&kindOf(label.key) - kinds.data());
    std::vector<std::pair<int, std::int64_t>> found;
    const int base = levels ? kTop : kAll;
    int unexplained = 0;
    bool any = false;
    for (std::size_t c = 0; c <= n; ++c) {
        if (c < n ? !amounts.present[c] : !label.count) continue;
        any = true;
        const std::int64_t printed = c < n ? signedValues[c] : *label.count;
        readings(c, label, folded, found);
        const auto agrees = [&](const std::pair<int, std::int64_t>& r) {
            if (r.second == printed) return true;
            const int f = filterOf(r.first);
            const bool unsignedMark = c < n && columns[c].marked && mark == 0;
            return (f == kMarkedA || f == kMarkedB || unsignedMark) &&
                   magnitude(r.second) == magnitude(printed);
        };
        KindStats& kind = kinds[kindAt];
        auto& ids = kind.ids[c];
        bool agreed = false;
        for (const auto& r : found) {
            if (!agrees(r)) continue;
            agreed = true;
            // Every reading that gives it counts: the one most totals of its kind agree by
            // says best what they cover.
            auto it = std::find_if(ids.begin(), ids.end(),
                                   [&](const auto& p) { return p.first == r.first; });
            if (it == ids.end()) {
                ids.emplace_back(r.first, 1);
            } else {
                ++it->second;
            }
        }
        if (agreed) {
            ++kind.agreed[c];
            continue;
        }
        // No reading gives it: what its kind says it covers, for the warning, as a sum and
        // as a balance (which it is, the end of the report tells).
        bool named = false;
        for (const auto& r : found) named |= r.first / 64 == kWhereScope;
        int sum = readingId(kStartScope, kSum, base), last = readingId(kStartScope, kLastAll, kAll);
        switch (label.kind) {
            case TotalClass::Page:
                sum = readingId(kPageScope, kSum, base);
                break;
            case TotalClass::Forward:
            case TotalClass::Back:
                break;
            case TotalClass::Grand:
                last = readingId(kStartScope, kClosing, kAll);
                break;
            case TotalClass::Group:
                sum = readingId(kGroupScope + innermost, kSum, base);
                last = readingId(kStartScope, kLastGroup, kAll);
                break;
            case TotalClass::Plain:
                if (named) {
                    sum = readingId(kWhereScope, kSum, base);
                } else if (!recent.empty()) {
                    sum = readingId(kRecentScope, kSum, base);
                }
                break;
        }
        const bool known =
            label.kind == TotalClass::Page || label.kind == TotalClass::Forward ||
            label.kind == TotalClass::Back || label.kind == TotalClass::Grand ||
            (label.kind == TotalClass::Group && groupsSeen) ||
            (label.kind == TotalClass::Plain && (named || (recent.empty() && !groupsSeen)));
        if (pending.size() < kMaxKept) {
            pending.push_back({line, std::string(text), c,
                               c < n ? std::string(amounts.printed[c]) : std::to_string(printed),
                               found, sum, last, kindAt, known, totals.size()});
        }
        ++unexplained;
    }
    if (any) totals.push_back(unexplained);
}

void TotalsCheck::finish() {
    State& s = *m_state;
    if (s.finished) return;
    s.finished = true;
    s.endGroup();
    s.tree.close();
    std::vector<char> unchecked(s.totals.size(), 0);
    for (std::size_t t = 0; t < s.totals.size(); ++t) unchecked[t] = s.totals[t] < 0;
    auto& out = m_verdict.mismatches;
    for (const Pending& p : s.pending) {
        const KindStats& kind = s.kinds[p.kind];
        if (kind.agreed[p.column] == 0 && !p.known) {
            unchecked[p.totalAt] = 1;
            continue;
        }
        // The reading most totals of its kind agreed by, else what its words say.
        const bool runs = p.column < s.n && s.running.runs(p.column);
        int id = runs ? p.balance : p.sum;
        int best = 0;
        for (const auto& [reading, times] : kind.ids[p.column]) {
            const int variant = reading / 8 % 8;
            if (!runs && (variant == kLastGroup || variant == kLastAll || variant == kClosing))
                continue;  // a sum's, not a balance's
            if (times > best || (times == best && reading > id)) id = reading, best = times;
        }
        std::int64_t computed = p.readings.empty() ? 0 : p.readings.front().second;
        for (const auto& [reading, value] : p.readings) {
            if (reading == id) computed = value;
        }
        TotalMismatch m{p.line, p.label, "", p.printed, ""};
        if (p.column == s.n) {
            m.heading = "kay\xFDt say\xFDs\xFD";  // Windows-1254: kayıt sayısı
            m.computed = std::to_string(computed);
        } else {
            const SummedColumn& col = s.columns[p.column];
            m.heading = col.heading;
            m.computed = col.marked ? markedText(computed, col)
                                    : printedAmount(computed, col.decimals, col.notation);
        }
        out.push_back(std::move(m));
    }
    for (const BalanceBreak& b : s.running.breaks()) {
        const SummedColumn& col = s.columns[b.column];
        const auto text = [&](std::int64_t v) {
            return col.marked ? markedText(v, col) : printedAmount(v, col.decimals, col.notation);
        };
        out.push_back({b.line, "", col.heading, text(b.printed), text(b.expected),
                       TotalMismatch::Kind::Balance});
    }
    for (const ParentBreak& b : s.tree.breaks()) {
        if (b.column == std::string::npos) {
            out.push_back({b.line, b.code, b.missing, "", "", TotalMismatch::Kind::Level});
            continue;
        }
        const SummedColumn& col = s.columns[b.column];
        out.push_back(
            {b.line, b.code, col.heading, printedAmount(b.printed, col.decimals, col.notation),
             printedAmount(b.children, col.decimals, col.notation), TotalMismatch::Kind::Parent});
    }
    // A journal's vouchers balance: where nearly all do, one that does not is named.
    if (mostly(s.balancedVouchers, s.unbalanced.size())) {
        const SummedColumn& d = s.columns[static_cast<std::size_t>(s.debit)];
        const SummedColumn& c = s.columns[static_cast<std::size_t>(s.credit)];
        for (const Voucher& v : s.unbalanced) {
            out.push_back(
                {v.line, c.heading, d.heading, printedAmount(v.debit, d.decimals, d.notation),
                 printedAmount(v.credit, c.decimals, c.notation), TotalMismatch::Kind::Voucher});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const TotalMismatch& a, const TotalMismatch& b) {
        return a.line < b.line;
    });
    m_verdict.unchecked = static_cast<int>(std::count(unchecked.begin(), unchecked.end(), 1));
    m_verdict.checked = static_cast<int>(s.totals.size()) - m_verdict.unchecked;
}

std::vector<std::string> totalsWarnings(const TotalsVerdict& verdict) {
    std::vector<std::string> lines;
    for (const TotalMismatch& m : verdict.mismatches) {
        const std::string head = "uyarı: satır " + std::to_string(m.line);
        const std::string label = win1254ToUtf8(m.label), heading = win1254ToUtf8(m.heading);
        const std::string printed = win1254ToUtf8(m.printed);
        const std::string computed = win1254ToUtf8(m.computed);
        switch (m.kind) {
            case TotalMismatch::Kind::Total:
                lines.push_back(head + " \"" + label + "\", " + heading + ": raporda " + printed +
                                ", kayıtlardan " + computed);
                break;
            case TotalMismatch::Kind::Balance:
                lines.push_back(head + ", " + heading + ": raporda " + printed +
                                ", önceki bakiyeden " + computed);
                break;
            case TotalMismatch::Kind::Parent:
                lines.push_back(head + " \"" + label + "\", " + heading + ": raporda " + printed +
                                ", alt hesaplardan " + computed);
                break;
            case TotalMismatch::Kind::Level:
                lines.push_back(head + " \"" + label + "\": alt hesabı " + heading +
                                " raporda yok");
                break;
            case TotalMismatch::Kind::Voucher:
                lines.push_back(head + ", fiş dengesiz: " + heading + " " + printed + ", " + label +
                                " " + computed);
                break;
        }
    }
    return lines;
}

std::string totalsNote(const TotalsVerdict& verdict) {
    std::string note;
    if (verdict.allAgree())
        note = std::to_string(verdict.checked) + " toplam satırı kayıtlarla tutuyor";
    if (verdict.unchecked > 0) {
        if (!note.empty()) note += "; ";
        note += std::to_string(verdict.unchecked) + " toplam denetlenemedi";
    }
    return note;
}

std::string unplacedNote(const std::vector<std::int32_t>& lines) {
    if (lines.empty()) return {};
    std::string note = std::to_string(lines.size()) + " satır tabloya alınmadı: ";
    for (std::size_t i = 0; i < lines.size() && i < kUnplacedNamed; ++i)
        note += (i ? ", " : "") + std::to_string(lines[i]);
    if (lines.size() > kUnplacedNamed) note += ", …";
    return note;
}

ImportOutcome checkedOutcome(CleanShape& shape, TotalsCheck& check) {
    check.finish();
    shape.totals = check.verdict();
    ImportOutcome outcome;
    outcome.warnings = totalsWarnings(shape.totals);
    for (const std::string& part : {totalsNote(shape.totals), unplacedNote(shape.unplacedLines)}) {
        if (part.empty()) continue;
        if (!outcome.note.empty()) outcome.note += "; ";
        outcome.note += part;
    }
    return outcome;
}

}  // namespace tablamo
