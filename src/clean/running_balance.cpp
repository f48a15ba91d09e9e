#include "clean/running_balance.h"

#include <algorithm>

namespace tablamo {
namespace {

// Balances that do not follow kept at most per column: more, and the column does not run.
constexpr std::size_t kMaxBreaks = 4096;
// Records that must follow before a column counts as running.
constexpr int kFollowsToRun = 3;

// The other amounts a record moves the balance by: at most two of them, else none known.
struct Others {
    int count = 0;
    std::size_t at[2] = {};
};

Others othersOf(std::size_t c, const std::vector<std::int64_t>& v,
                const std::vector<char>& present) {
    Others o;
    for (std::size_t k = 0; k < v.size(); ++k) {
        if (k == c || !present[k] || v[k] == 0) continue;
        if (o.count < 2) o.at[o.count] = k;
        ++o.count;
    }
    return o;
}

}  // namespace

RunningBalances::RunningBalances(std::size_t columns) : m_columns(columns) {
    for (Column& col : m_columns) {
        col.plus.assign(columns, 0);
        col.minus.assign(columns, 0);
    }
}

void RunningBalances::restart() {
    for (Column& col : m_columns) col.hasPrevious = false;
}

void RunningBalances::open(std::size_t c, std::int64_t value) {
    m_columns[c].hasPrevious = true;
    m_columns[c].previous = value;
}

std::int64_t RunningBalances::expectedStep(const Column& col, std::size_t c,
                                           const std::vector<std::int64_t>& v,
                                           const std::vector<char>& present) const {
    const Others o = othersOf(c, v, present);
    std::int64_t step = 0;
    for (int i = 0; i < std::min(o.count, 2); ++i) {
        const std::size_t k = o.at[i];
        step += col.plus[k] >= col.minus[k] ? v[k] : -v[k];
    }
    return step;
}

void RunningBalances::add(int line, const std::vector<std::int64_t>& v,
                          const std::vector<char>& present) {
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        Column& col = m_columns[c];
        if (!present[c]) {
            // A balance left out: the next one follows nothing known.
            col.hasPrevious = false;
            continue;
        }
        const Others o = othersOf(c, v, present);
        if (col.hasPrevious && o.count <= 2) {
            const std::int64_t step = v[c] - col.previous;
            bool follows = false, restarts = false;
            if (o.count == 0) {
                follows = step == 0;
            } else if (o.count == 1) {
                const std::int64_t a = v[o.at[0]];
                follows = step == a || step == -a;
                if (step == a) ++col.plus[o.at[0]];
                if (step == -a && a != 0) ++col.minus[o.at[0]];
                restarts = v[c] == a || v[c] == -a;
            } else {
                const std::int64_t a = v[o.at[0]], b = v[o.at[1]];
                follows = step == a - b || step == b - a || step == a + b || step == -a - b;
                restarts = v[c] == a - b || v[c] == b - a;
            }
            if (follows) {
                ++col.follows;
            } else if (!restarts && !col.overflow) {
                // A balance that starts from nothing again begins a group the report does
                // not mark; any other is a break.
                if (col.breaks.size() >= kMaxBreaks) {
                    col.overflow = true;
                    col.breaks.clear();
                } else {
                    col.breaks.push_back(
                        {line, c, v[c], col.previous + expectedStep(col, c, v, present)});
                }
            }
        }
        col.previous = v[c];
        col.hasPrevious = true;
    }
}

bool RunningBalances::runs(std::size_t c) const {
    const Column& col = m_columns[c];
    const auto broken = static_cast<int>(col.breaks.size());
    return !col.overflow && col.follows >= kFollowsToRun && broken <= std::max(2, col.follows / 10);
}

std::vector<BalanceBreak> RunningBalances::breaks() const {
    std::vector<BalanceBreak> out;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (runs(c)) out.insert(out.end(), m_columns[c].breaks.begin(), m_columns[c].breaks.end());
    }
    std::sort(out.begin(), out.end(),
              [](const BalanceBreak& a, const BalanceBreak& b) { return a.line < b.line; });
    return out;
}

}  // namespace tablamo
