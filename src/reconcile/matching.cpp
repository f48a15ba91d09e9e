#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <unordered_map>

#include "reconcile/pairing.h"

namespace tablamo::reconcile::detail {
namespace {

// A record of several against one: at most this many in a run of records in date order (a
// day's slips), at most this many picked among the nearest kNearest.
constexpr std::size_t kMaxRun = 60;
constexpr int kMaxPicked = 4;
constexpr std::size_t kNearest = 24;

int gapOf(const Entry& a, const Entry& b) { return std::abs(a.day - b.day); }

// A possible one-to-one pairing.
struct Candidate {
    bool ref;
    int gap;
    int l, s;
};

// Kuhn's augmenting path from ledger record `l` over the candidates; pairs with a shared
// document number stay as they are.
class Augmenter {
public:
    Augmenter(const std::vector<std::vector<int>>& adjacent, std::vector<int>& ledgerOf,
              std::vector<int>& statementOf, const std::vector<char>& fixed)
        : m_adjacent(adjacent),
          m_ledgerOf(ledgerOf),
          m_statementOf(statementOf),
          m_fixed(fixed),
          m_seen(ledgerOf.size(), 0) {}

    bool augment(int l) {
        ++m_stamp;
        return tryFrom(l);
    }

private:
    bool tryFrom(int l) {
        for (const int s : m_adjacent[static_cast<std::size_t>(l)]) {
            int& seen = m_seen[static_cast<std::size_t>(s)];
            if (seen == m_stamp) continue;
            seen = m_stamp;
            const int holder = m_ledgerOf[static_cast<std::size_t>(s)];
            if (holder >= 0 && m_fixed[static_cast<std::size_t>(holder)]) continue;
            if (holder < 0 || tryFrom(holder)) {
                m_ledgerOf[static_cast<std::size_t>(s)] = l;
                m_statementOf[static_cast<std::size_t>(l)] = s;
                return true;
            }
        }
        return false;
    }

    const std::vector<std::vector<int>>& m_adjacent;
    std::vector<int>& m_ledgerOf;     // per statement record
    std::vector<int>& m_statementOf;  // per ledger record
    const std::vector<char>& m_fixed;
    std::vector<int> m_seen;
    int m_stamp = 0;
};

// The best group of records of the other side for one record, as indices; empty: none.
class GroupFinder {
public:
    GroupFinder(const Board& board, bool manyOnStatement, int single)
        : m_board(board), m_many(manyOnStatement) {
        const Entry& one = board.entry(!m_many, single);
        m_target = board.amount(!m_many, single);
        const std::vector<char>& used = m_many ? board.statementUsed : board.ledgerUsed;
        const std::size_t count = (m_many ? board.statement : board.ledger).size();
        for (std::size_t i = 0; i < count; ++i) {
            const int k = static_cast<int>(i);
            const Money a = board.amount(m_many, k);
            if (used[i] || a == 0 || (a > 0) != (m_target > 0)) continue;
            if (std::llabs(a) >= std::llabs(m_target)) continue;
            if (!withinDays(one, board.entry(m_many, k), board.days)) continue;
            m_candidates.push_back(k);
            m_gap.push_back(gapOf(one, board.entry(m_many, k)));
        }
    }

    std::vector<int> find() {
        if (m_candidates.size() < 2) return {};
        std::vector<int> run = bestRun();
        return run.empty() ? bestPick() : run;
    }

private:
    // Records in date order whose amounts add up to the one: the nearest in date, then the
    // fewest, then the first.
    std::vector<int> bestRun() const {
        std::vector<std::size_t> order(m_candidates.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const Entry& x = m_board.entry(m_many, m_candidates[a]);
            const Entry& y = m_board.entry(m_many, m_candidates[b]);
            return x.day != y.day ? x.day < y.day : x.line < y.line;
        });
        std::size_t bestFrom = 0, bestTo = 0;
        int bestGap = 1 << 30;
        for (std::size_t i = 0; i < order.size(); ++i) {
            Money sum = 0;
            int gap = 0;
            for (std::size_t j = i; j < order.size() && j - i < kMaxRun; ++j) {
                sum += m_board.amount(m_many, m_candidates[order[j]]);
                gap = std::max(gap, m_gap[order[j]]);
                if (std::llabs(sum) > std::llabs(m_target)) break;
                if (sum == m_target && j > i) {
                    const bool better =
                        gap < bestGap || (gap == bestGap && j - i < bestTo - bestFrom);
                    if (better) {
                        bestGap = gap;
                        bestFrom = i;
                        bestTo = j;
                    }
                    break;
                }
            }
        }
        if (bestGap == 1 << 30) return {};
        std::vector<int> run;
        for (std::size_t j = bestFrom; j <= bestTo; ++j) run.push_back(m_candidates[order[j]]);
        return run;
    }

    // Two to four of the nearest records: the fewest first, then the nearest in date.
    std::vector<int> bestPick() {
        std::vector<std::size_t> order(m_candidates.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return m_gap[a] < m_gap[b]; });
        if (order.size() > kNearest) order.resize(kNearest);
        m_order = order;
        for (int k = 2; k <= kMaxPicked; ++k) {
            m_picked.clear();
            if (pick(0, k, 0)) {
                std::vector<int> group;
                for (const std::size_t i : m_picked) group.push_back(m_candidates[i]);
                return group;
            }
        }
        return {};
    }

    bool pick(std::size_t from, int left, Money sum) {
        if (left == 0) return sum == m_target;
        for (std::size_t i = from; i + static_cast<std::size_t>(left) <= m_order.size(); ++i) {
            const Money next = sum + m_board.amount(m_many, m_candidates[m_order[i]]);
            if (std::llabs(next) > std::llabs(m_target)) continue;
            m_picked.push_back(m_order[i]);
            if (pick(i + 1, left - 1, next)) return true;
            m_picked.pop_back();
        }
        return false;
    }

    const Board& m_board;
    bool m_many;  // the several are on the statement's side
    Money m_target = 0;
    std::vector<int> m_candidates;
    std::vector<int> m_gap;
    std::vector<std::size_t> m_order, m_picked;
};

}  // namespace

bool withinDays(const Entry& a, const Entry& b, int days) {
    if (std::abs(a.day - b.day) <= days) return true;
    if (b.valueDay && std::abs(a.day - b.valueDay) <= days) return true;
    return a.valueDay && std::abs(a.valueDay - b.day) <= days;
}

bool shareRef(const Entry& a, const Entry& b) {
    auto i = a.refs.begin();
    auto j = b.refs.begin();
    while (i != a.refs.end() && j != b.refs.end()) {
        if (*i == *j) return true;
        *i < *j ? ++i : ++j;
    }
    return false;
}

std::vector<Match> pairOneToOne(Board& board) {
    std::unordered_map<Money, std::vector<int>> byAmount;
    for (std::size_t s = 0; s < board.statement.size(); ++s) {
        if (board.ours[s] != 0) byAmount[board.ours[s]].push_back(static_cast<int>(s));
    }
    std::vector<Candidate> candidates;
    for (std::size_t l = 0; l < board.ledger.size(); ++l) {
        const Entry& e = board.ledger[l];
        if (e.amount == 0) continue;
        const auto bucket = byAmount.find(e.amount);
        if (bucket == byAmount.end()) continue;
        for (const int s : bucket->second) {
            const Entry& o = board.statement[static_cast<std::size_t>(s)];
            if (!withinDays(e, o, board.days)) continue;
            candidates.push_back({shareRef(e, o), gapOf(e, o), static_cast<int>(l), s});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
        if (a.ref != b.ref) return a.ref;
        if (a.gap != b.gap) return a.gap < b.gap;
        if (a.l != b.l) return a.l < b.l;
        return a.s < b.s;
    });
    std::vector<int> ledgerOf(board.statement.size(), -1), statementOf(board.ledger.size(), -1);
    std::vector<char> fixed(board.ledger.size(), 0);
    std::vector<std::vector<int>> adjacent(board.ledger.size());
    for (const Candidate& c : candidates) {
        adjacent[static_cast<std::size_t>(c.l)].push_back(c.s);
        if (statementOf[static_cast<std::size_t>(c.l)] >= 0 ||
            ledgerOf[static_cast<std::size_t>(c.s)] >= 0)
            continue;
        statementOf[static_cast<std::size_t>(c.l)] = c.s;
        ledgerOf[static_cast<std::size_t>(c.s)] = c.l;
        fixed[static_cast<std::size_t>(c.l)] = c.ref;
    }
    // As many pairs as the records allow: a record left over takes another's record when
    // that one can pair elsewhere within the days.
    Augmenter augmenter(adjacent, ledgerOf, statementOf, fixed);
    for (std::size_t l = 0; l < board.ledger.size(); ++l) {
        if (statementOf[l] < 0 && !adjacent[l].empty()) augmenter.augment(static_cast<int>(l));
    }
    std::vector<Match> matches;
    for (std::size_t l = 0; l < board.ledger.size(); ++l) {
        const int s = statementOf[l];
        if (s < 0) continue;
        board.ledgerUsed[l] = 1;
        board.statementUsed[static_cast<std::size_t>(s)] = 1;
        const int gap = gapOf(board.ledger[l], board.statement[static_cast<std::size_t>(s)]);
        matches.push_back(
            {{static_cast<int>(l)}, {s}, gap == 0 ? MatchKind::Exact : MatchKind::DateGap, gap});
    }
    return matches;
}

std::vector<Match> pairGroups(Board& board) {
    std::vector<Match> matches;
    for (const bool manyOnStatement : {true, false}) {
        const bool singleSide = !manyOnStatement;
        const std::size_t count = (singleSide ? board.statement : board.ledger).size();
        for (std::size_t i = 0; i < count; ++i) {
            const int one = static_cast<int>(i);
            if (board.used(singleSide)[i] || board.amount(singleSide, one) == 0) continue;
            std::vector<int> group = GroupFinder(board, manyOnStatement, one).find();
            if (group.empty()) continue;
            std::sort(group.begin(), group.end());
            Match m;
            m.kind = MatchKind::Group;
            board.used(singleSide)[i] = 1;
            for (const int k : group) {
                board.used(manyOnStatement)[static_cast<std::size_t>(k)] = 1;
                m.dayGap = std::max(
                    m.dayGap, gapOf(board.entry(singleSide, one), board.entry(manyOnStatement, k)));
            }
            (manyOnStatement ? m.statement : m.ledger) = std::move(group);
            (manyOnStatement ? m.ledger : m.statement) = {one};
            matches.push_back(std::move(m));
        }
    }
    return matches;
}

}  // namespace tablamo::reconcile::detail
