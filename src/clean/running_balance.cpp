#include "clean/running_balance.h"

#include <algorithm>

namespace tablamo {
namespace {

// Figures that do not follow kept at most per column: more, and the column does not run.
constexpr std::size_t kMaxBreaks = 4096;
// Records whose figure moved by the others, as it should, before a column counts as running.
constexpr int kMovesToRun = 3;
// Whole numbers below this are counts (days, pieces): counts that move by as few sizes of
// step as kMovesToRun follow other counts by chance.
constexpr std::int64_t kCountsBelow = 100;

}  // namespace

RunningBalances::Followed RunningBalances::follow(std::size_t c,
                                                  const std::vector<Term>& terms) const {
    Followed out;
    const auto& events = m_table.events();
    std::size_t e = 0;
    bool has = false;
    std::int64_t previous = 0;
    for (std::size_t r = 0; r < m_table.size(); ++r) {
        for (; e < events.size() && events[e].at == r; ++e) {
            if (events[e].column < 0) {
                has = false;
            } else if (static_cast<std::size_t>(events[e].column) == c) {
                has = true;
                previous = events[e].value;
            }
        }
        if (!m_table.present(r)[c]) {
            has = false;  // a figure left out: the next one follows nothing known
            continue;
        }
        const std::int64_t v = m_table.value(r, c);
        std::int64_t step = 0, either = 0;
        for (const Term& t : terms) {
            (t.sign ? step : either) += (t.sign ? t.sign : 1) * m_table.value(r, t.column);
        }
        if (has) {
            const std::int64_t moved = v - previous;
            if (moved == step + either || moved == step - either) {
                ++out.follows;
                out.moved += moved != 0;
                const std::int64_t size = moved < 0 ? -moved : moved;
                if (size != 0 && out.moves.size() < kMovesToRun &&
                    std::find(out.moves.begin(), out.moves.end(), size) == out.moves.end())
                    out.moves.push_back(size);
            } else if (v != step + either && v != step - either && !out.overflow) {
                // A figure that starts from nothing again begins a group the report does
                // not mark; any other is a break.
                if (out.breaks.size() >= kMaxBreaks) {
                    out.overflow = true;
                    out.breaks.clear();
                } else {
                    out.breaks.push_back({m_table.line(r), c, v, previous + step + either});
                }
            }
        }
        previous = v;
        has = true;
        out.largest = std::max(out.largest, v < 0 ? -v : v);
    }
    return out;
}

RunningBalances::RunningBalances(const RecordTable& table, const std::vector<char>& eligible,
                                 const std::vector<int>& scale)
    : m_table(table), m_runs(table.columns(), 0) {
    const std::size_t n = table.columns();
    // How often each other column's amount, added or taken away, gave a column's step.
    std::vector<int> plus(n * n, 0), minus(n * n, 0), steps(n, 0), still(n, 0);
    std::vector<std::int64_t> previous(n, 0), v(n, 0);
    std::vector<char> has(n, 0);
    // Per column, the others its steps are compared with: eligible, of its scale.
    std::vector<std::vector<std::size_t>> others(n);
    for (std::size_t c = 0; c < n; ++c) {
        for (std::size_t k = 0; k < n && eligible[c]; ++k) {
            if (k != c && eligible[k] && scale[k] == scale[c]) others[c].push_back(k);
        }
    }
    const auto& events = table.events();
    std::size_t e = 0;
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (; e < events.size() && events[e].at == r; ++e) {
            if (events[e].column < 0) {
                std::fill(has.begin(), has.end(), 0);
            } else {
                has[static_cast<std::size_t>(events[e].column)] = 1;
                previous[static_cast<std::size_t>(events[e].column)] = events[e].value;
            }
        }
        const std::uint8_t* p = table.present(r);
        for (std::size_t c = 0; c < n; ++c) v[c] = table.value(r, c);
        for (std::size_t c = 0; c < n; ++c) {
            if (!eligible[c]) continue;
            if (!p[c]) {
                has[c] = 0;
                continue;
            }
            const std::int64_t step = v[c] - previous[c];
            steps[c] += has[c];
            still[c] += has[c] && step == 0;
            if (has[c] && step != 0) {
                for (const std::size_t k : others[c]) {
                    if (!p[k]) continue;
                    plus[c * n + k] += v[k] == step;
                    minus[c * n + k] += v[k] == -step;
                }
            }
            previous[c] = v[c];
            has[c] = 1;
        }
    }
    for (std::size_t c = 0; c < n; ++c) {
        if (!eligible[c]) continue;
        // The other columns by how often they gave the step, each with its sign; each one
        // joins the rule when more records follow with it than without.
        std::vector<std::pair<int, Term>> ranked;
        int given = still[c];  // at most the records that can follow
        for (std::size_t k = 0; k < n; ++k) {
            const int up = plus[c * n + k], down = minus[c * n + k];
            if (up == 0 && down == 0) continue;
            // An amount that adds as often as it takes away: its side is told elsewhere (a
            // text "Tahsilat", "Ödeme"), and either sign follows.
            if (std::min(up, down) >= 2 && std::min(up, down) * 4 >= up + down) {
                ranked.push_back({up + down, {k, 0}});
            } else {
                ranked.push_back({std::max(up, down), {k, up >= down ? 1 : -1}});
            }
            given += up + down;
        }
        // Too few steps given by any column for the figures to run: left at one look.
        // A column that stays as it was more often than it moves (instalments paid alike,
        // one after another) runs by nothing.
        if (given - still[c] < kMovesToRun || (given + 2) * 10 < steps[c] * 9 ||
            2 * still[c] > steps[c])
            continue;
        std::sort(ranked.begin(), ranked.end(),
                  [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<Term> terms;
        Followed best = follow(c, terms);
        bool free = false;  // one amount of either sign at most
        for (const auto& [support, term] : ranked) {
            if (term.sign == 0 && free) continue;
            terms.push_back(term);
            Followed tried = follow(c, terms);
            if (tried.follows > best.follows) {
                best = std::move(tried);
                free |= term.sign == 0;
            } else {
                terms.pop_back();
            }
        }
        const auto broken = static_cast<int>(best.breaks.size());
        if (best.overflow || best.moved < kMovesToRun || broken > std::max(2, best.follows / 10))
            continue;
        const bool counts = scale[c] == 0 && best.largest < kCountsBelow;
        if (counts && best.moves.size() < static_cast<std::size_t>(kMovesToRun)) continue;
        m_runs[c] = 1;
        m_breaks.insert(m_breaks.end(), best.breaks.begin(), best.breaks.end());
    }
    std::stable_sort(m_breaks.begin(), m_breaks.end(),
                     [](const BalanceBreak& a, const BalanceBreak& b) { return a.line < b.line; });
}

}  // namespace tablamo
