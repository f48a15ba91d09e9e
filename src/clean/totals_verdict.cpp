// The totals check's judgement at the end (totals_check.h): the figures no reading gave,
// decided by what the totals of their kind agreed by; the running columns, the formulas of
// the records' rows, the parents of a trial balance and the vouchers of a journal, from the
// whole report.

#include <algorithm>
#include <exception>
#include <optional>
#include <thread>

#include "clean/row_products.h"
#include "clean/row_relations.h"
#include "clean/running_balance.h"
#include "clean/totals_state.h"

namespace tablamo {

using namespace totals;

namespace {

// Records from which the rows' formulas are found on a thread of their own.
constexpr std::size_t kRowsBeside = std::size_t{1} << 16;

std::int64_t magnitude(std::int64_t v) { return v < 0 ? -v : v; }

// An amount as its column prints it; signed by B/A marks when it has them: "556.038,32B".
// The heading a count's figure is named by (Windows-1254: kayıt sayısı).
constexpr const char* kCountHeading = "kay\xFDt say\xFDs\xFD";

std::string shown(std::int64_t v, const SummedColumn& col) {
    if (!col.marked) return printedAmount(v, col.decimals, col.notation);
    std::string text = printedAmount(magnitude(v), col.decimals, col.notation);
    if (v != 0) text += v < 0 ? 'A' : 'B';
    return text;
}

// A row formula as its columns' headings say it: "Anapara + Faiz + BSMV", the target left out,
// the columns added first.
std::string formulaText(const RowRelation& rel, const std::vector<SummedColumn>& columns) {
    int targetSign = 0;
    for (const auto& [c, sign] : rel.terms) {
        if (c == rel.target) targetSign = sign;
    }
    std::string text;
    for (const int wanted : {1, -1}) {
        for (const auto& [c, sign] : rel.terms) {
            if (c == rel.target || -targetSign * sign != wanted) continue;
            if (!text.empty())
                text += wanted > 0 ? " + " : " - ";
            else if (wanted < 0)
                text += "-";
            text += columns[c].heading;
        }
    }
    return text;
}

}  // namespace

const Share& State::shareOf(std::size_t c) {
    if (shares.empty()) shares.resize(n);
    Share& s = shares[c];
    if (s.asked) return s;
    s.asked = true;
    if (const auto pair = ratioColumns(table, c, scale, s.times)) {
        s.found = true;
        s.part = pair->first;
        s.whole = pair->second;
    }
    return s;
}

// A figure that only a part of its records gives (the A-marked ones since the start, where
// its group's records all together give another): a warning where at least two totals of its
// kind, twice as many as so agreed and no fewer than agree by any part, agree by one sum of
// all their records.
void State::partial(const Pending& p, int partlyOfKind, TotalsVerdict& verdict) const {
    const std::vector<int>& ids = kinds[p.kind].ids[p.column];
    int best = -1, whole = 0, part = 0;
    for (int reading = 0; reading < static_cast<int>(ids.size()); ++reading) {
        const int variant = variantOf(reading);
        if (variant != kSum && variant != kSumOpening && variant != kCarried) continue;
        const int count = ids[static_cast<std::size_t>(reading)];
        if (slotOf(reading) != kAll) {
            part = std::max(part, count);
        } else if (count > whole) {
            best = reading, whole = count;
        }
    }
    if (best < 0 || whole < 2 || whole < part || whole < 2 * partlyOfKind) return;
    for (const auto& [reading, value] : p.readings) {
        if (reading != best) continue;
        verdict.mismatches.push_back({p.line, p.label, columns[p.column].heading, p.printed,
                                      shown(value, columns[p.column])});
        return;
    }
}

// The pending figures: each one a warning where the totals of its kind agreed elsewhere, the
// line's other sums agreed, or its words say what it covers, else not checked; a rate's
// figure is the ratio of the line's own figures it is the share of, or not checked.
void State::decide(TotalsVerdict& verdict, const RunningBalances& running) {
    std::vector<char> unchecked(totals.size(), 0);
    std::vector<int> figures(totals.size(), 0);
    for (std::size_t t = 0; t < totals.size(); ++t) {
        unchecked[t] = totals[t].unexplained < 0;
        figures[t] = totals[t].figures;
    }
    // A column whose records are each a share of two others is a rate where its totals are
    // mostly no sums (a quantity is the amount over the price too, and its totals are sums).
    std::vector<int> summed(n + 1, 0), unsummed(n + 1, 0);
    for (const KindStats& k : kinds) {
        for (std::size_t c = 0; c < n; ++c) summed[c] += k.agreed[c];
    }
    std::vector<int> partly(kinds.size() * (n + 1), 0);
    for (const Pending& p : pending) {
        if (p.partly)
            ++partly[p.kind * (n + 1) + p.column];
        else
            ++unsummed[p.column];
    }
    for (const Pending& p : pending) {
        const std::size_t col = p.column;
        if (p.partly) {
            if (!rate[col] && !balance[col] && !running.runs(col))
                partial(p, partly[p.kind * (n + 1) + col], verdict);
            continue;
        }
        if (col < n && (rate[col] || (summed[col] <= unsummed[col] && shareOf(col).found))) {
            const Share& share = shareOf(col);
            const bool given =
                share.found && p.figurePresent[share.part] && p.figurePresent[share.whole] &&
                isRatio(p.figures[col], scale[col], p.figures[share.part], scale[share.part],
                        p.figures[share.whole], scale[share.whole], share.times);
            if (!given) --figures[p.totalAt];  // never summed: not checked
            continue;
        }
        // What the figure covers: what the totals of its kind agreed by elsewhere, what the
        // sums of the line's other figures agreed by (a sum of its own), or what its words
        // say; none, and it is not checked.
        const KindStats& kind = kinds[p.kind];
        const bool runs = col < n && running.runs(col);
        int id = runs ? p.balance : p.sum;
        bool lineShows = false;
        if (col < n && !balance[col] && !runs) {
            for (const int reading : p.shownBy) {
                const int variant = variantOf(reading);
                if (variant == kLastGroup || variant == kLastAll || variant == kClosing) continue;
                if (std::any_of(p.readings.begin(), p.readings.end(),
                                [&](const auto& r) { return r.first == reading; })) {
                    id = reading;
                    lineShows = true;
                    break;
                }
            }
        }
        // A table's last total (parts under it aside), of its kind the only one, printing
        // TOPLAM or YEKÜN alone, or a group's where no group is seen to begin: the words of a
        // list's one total, all of it.
        // A sum's: a balance's is the last one, whatever the words.
        const bool closes = !p.known && p.closing && kind.lines == 1 && p.totalAt == lastTotal &&
                            kind.agreed[col] == 0 && !lineShows &&
                            (col == n || (!balance[col] && !runs));
        if (kind.agreed[col] == 0 && !lineShows && !p.known && !closes) {
            unchecked[p.totalAt] = 1;
            continue;
        }
        if (closes) id = readingId(kStartScope, kSum, levels ? kTop : kAll);
        // Of the readings its kind agreed by most often, the one its words or its line say,
        // where that is one of them (a carried sum's since the start, not since the carry
        // before, when the kind's one other line agreed by both).
        int best = 0;
        const int said = id;
        const std::vector<int>& ids = kind.ids[col];
        for (int reading = 0; reading < static_cast<int>(ids.size()); ++reading) {
            const int count = ids[static_cast<std::size_t>(reading)];
            if (count == 0) continue;
            const int variant = variantOf(reading);
            if (!runs && (variant == kLastGroup || variant == kLastAll || variant == kClosing))
                continue;  // a sum's, not a balance's
            if (count > best ||
                (count == best && (reading == said || (reading > id && id != said))))
                id = reading, best = count;
        }
        std::int64_t computed = p.readings.empty() ? 0 : p.readings.front().second;
        for (const auto& [reading, value] : p.readings) {
            if (reading == id) computed = value;
        }
        // A group's words alone that say a figure sums records none of which the table holds
        // (a card's total whose movements were not read): nothing the records show.
        const int scope = scopeOf(id);
        if (computed == 0 && kind.agreed[col] == 0 && !lineShows && scope >= kGroupScope &&
            scope < kRecentScope) {
            unchecked[p.totalAt] = 1;
            continue;
        }
        TotalMismatch m{p.line, p.label, "", p.printed, ""};
        if (col == n) {
            m.heading = kCountHeading;
            m.computed = std::to_string(computed);
        } else {
            m.heading = columns[col].heading;
            m.computed = shown(computed, columns[col]);
        }
        verdict.mismatches.push_back(std::move(m));
    }
    for (std::size_t t = 0; t < totals.size(); ++t) {
        if (totals[t].figures > 0 && figures[t] == 0) unchecked[t] = 1;
    }
    verdict.unchecked = static_cast<int>(std::count(unchecked.begin(), unchecked.end(), 1));
    verdict.checked = static_cast<int>(totals.size()) - verdict.unchecked;
}

void TotalsCheck::finish() {
    State& s = *m_state;
    if (s.finished) return;
    s.finished = true;
    s.endGroup();
    s.tree.close();
    std::vector<char> eligible(s.n);
    for (std::size_t c = 0; c < s.n; ++c) eligible[c] = !s.rate[c];
    // The formulas the rows obey, found beside the running columns and the totals' readings
    // in a long table: each reads the records alone.
    std::optional<RowRelations> relations;
    std::optional<RowProducts> products;
    std::exception_ptr failed;
    const auto rowRules = [&] {
        try {
            relations.emplace(s.table, eligible, s.scale);
            products.emplace(s.table, std::vector<char>(s.n, 1), s.scale);
        } catch (...) {
            failed = std::current_exception();
        }
    };
    std::jthread beside;  // joined however this ends
    if (s.table.size() >= kRowsBeside) beside = std::jthread(rowRules);
    const RunningBalances running(s.table, eligible, s.scale);
    s.decide(m_verdict, running);
    auto& out = m_verdict.mismatches;
    // A table of no record at all whose totals print figures (its records gone, its totals
    // left): whatever they cover, no record gives them.
    if (!s.anyRecord && !s.carriedIn) {
        for (const Early& e : s.early) {
            for (const auto& [c, printed] : e.figures) {
                const SummedColumn& col = s.columns[c];
                out.push_back({e.line, e.label, col.heading, printed, shown(0, col)});
            }
            if (e.count && *e.count > 0)
                out.push_back({e.line, e.label, kCountHeading, std::to_string(*e.count), "0"});
        }
        m_verdict.checked += static_cast<int>(s.early.size());
    }
    for (const BalanceBreak& b : running.breaks()) {
        const SummedColumn& col = s.columns[b.column];
        out.push_back({b.line, "", col.heading, shown(b.printed, col), shown(b.expected, col),
                       TotalMismatch::Kind::Balance});
    }
    if (beside.joinable()) {
        beside.join();
    } else {
        rowRules();
    }
    if (failed) std::rethrow_exception(failed);
    for (const RelationBreak& b : relations->breaks()) {
        const RowRelation& rel = relations->relations()[b.relation];
        const SummedColumn& col = s.columns[rel.target];
        out.push_back({b.line, formulaText(rel, s.columns), col.heading, shown(b.printed, col),
                       shown(b.computed, col), TotalMismatch::Kind::Relation});
    }
    // A record's amount its quantity times its unit price where all the others' are.
    for (const ProductBreak& b : products->breaks()) {
        const RowProduct& p = products->products()[b.product];
        const SummedColumn& col = s.columns[p.target];
        out.push_back({b.line, s.columns[p.left].heading + " x " + s.columns[p.right].heading,
                       col.heading, shown(b.printed, col), shown(b.computed, col),
                       TotalMismatch::Kind::Relation});
    }
    const std::vector<ParentBreak> parents = s.tree.breaks();
    for (const ParentBreak& b : parents) {
        // A parent's share is none of its children's added up: where parents mostly are not
        // their children's sums, a column of shares is not compared.
        if (b.column != std::string::npos && s.shareOf(b.column).found &&
            s.tree.agreed(b.column) <=
                static_cast<int>(
                    std::count_if(parents.begin(), parents.end(),
                                  [&](const ParentBreak& o) { return o.column == b.column; })))
            continue;
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
}

}  // namespace tablamo
