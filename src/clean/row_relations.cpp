#include "clean/row_relations.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace tablamo {
namespace {

constexpr std::size_t kRows = 6;        // records a formula is first sought on at a time
constexpr std::size_t kMinRows = 4;     // records of three amounts a formula needs
constexpr std::size_t kWindows = 8;     // places of a long report a formula is sought in
constexpr std::size_t kFewRows = 12;    // records few enough to leave out each in turn
constexpr std::size_t kMaxSought = 16;  // columns a formula is sought among at most
constexpr std::size_t kMaxFound = 64;   // formulas tried at most; more in a window: none
constexpr int kMinTerms = 3;            // two equal columns may part by a rule of their own
constexpr std::size_t kMinHolds = 4;    // records that keep a formula before it counts
constexpr std::size_t kMaxBreaks = 4096;
constexpr std::size_t kWidenTries = 8;   // breaking records a missing column is sought on
constexpr std::size_t kRatioLook = 256;  // records a rate is compared in

// A weight of a column by its digit in a base-3 code: 0 none, 1 added, 2 taken away.
int weightOf(std::uint32_t digit) { return digit == 1 ? 1 : digit == 2 ? -1 : 0; }

std::uint64_t keyOf(const std::int64_t* sums, std::size_t count) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < count; ++i) {
        h ^= static_cast<std::uint64_t>(sums[i]);
        h *= 1099511628211ull;
    }
    return h;
}

long double powerOfTen(int e) {
    long double p = 1;
    for (int i = 0; i < std::abs(e); ++i) p *= 10;
    return e < 0 ? 1 / p : p;
}

}  // namespace

std::vector<std::vector<int>> RowRelations::candidates(const std::vector<char>& eligible) const {
    const std::size_t n = m_table.columns();
    // The records of three amounts or more; the formulas are sought on a few of them at a
    // time, in windows that overlap: a record that breaks a formula hides it in the windows
    // that hold it only.
    std::vector<std::size_t> rich;
    for (std::size_t r = 0; r < m_table.size(); ++r) {
        int amounts = 0;
        for (std::size_t c = 0; c < n; ++c) amounts += eligible[c] && m_table.value(r, c) != 0;
        if (amounts >= kMinTerms) rich.push_back(r);
    }
    std::vector<std::vector<int>> found;
    if (rich.size() < kMinRows) return found;
    const std::size_t m = std::min(kRows, rich.size() - 1), q = rich.size();
    std::vector<std::vector<std::size_t>> windows;
    if (q <= kFewRows) {
        // Each window leaves out another record.
        for (std::size_t skip = 0; skip < q; ++skip) {
            auto& rows = windows.emplace_back();
            for (std::size_t i = 0; i < q && rows.size() < m; ++i) {
                if (i != skip) rows.push_back(rich[i]);
            }
        }
    } else {
        const std::size_t step = q <= 48 ? 2 : (q - m) / kWindows + 1;
        for (std::size_t from = 0; from + m <= q; from += step) {
            windows.emplace_back(rich.begin() + static_cast<std::ptrdiff_t>(from),
                                 rich.begin() + static_cast<std::ptrdiff_t>(from + m));
        }
    }
    for (const std::vector<std::size_t>& rows : windows) {
        std::vector<std::size_t> active;
        for (std::size_t c = 0; c < n && active.size() < kMaxSought; ++c) {
            if (!eligible[c]) continue;
            for (const std::size_t row : rows) {
                if (m_table.value(row, c) != 0) {
                    active.push_back(c);
                    break;
                }
            }
        }
        if (active.size() < kMinTerms) continue;
        // Meet in the middle: every weighing of the first half of the columns by its sums
        // over the rows, then every weighing of the rest that cancels one of them.
        const std::size_t half = active.size() / 2;
        const auto sumsOf = [&](std::size_t first, std::size_t last, std::uint32_t code,
                                std::int64_t* out) {
            std::fill(out, out + m, 0);
            for (std::size_t j = first; j < last; ++j, code /= 3) {
                const int w = weightOf(code % 3);
                for (std::size_t i = 0; w && i < m; ++i)
                    out[i] += w * m_table.value(rows[i], active[j]);
            }
        };
        std::uint32_t left = 1, right = 1;
        for (std::size_t j = 0; j < half; ++j) left *= 3;
        for (std::size_t j = half; j < active.size(); ++j) right *= 3;
        std::vector<std::int64_t> leftSums(left * m), sums(m);
        std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> byKey;
        for (std::uint32_t a = 0; a < left; ++a) {
            sumsOf(0, half, a, &leftSums[a * m]);
            byKey[keyOf(&leftSums[a * m], m)].push_back(a);
        }
        std::vector<std::vector<int>> here;
        for (std::uint32_t b = 0; b < right && here.size() <= kMaxFound; ++b) {
            sumsOf(half, active.size(), b, sums.data());
            for (std::int64_t& s : sums) s = -s;
            const auto it = byKey.find(keyOf(sums.data(), m));
            if (it == byKey.end()) continue;
            for (const std::uint32_t a : it->second) {
                if (!std::equal(sums.begin(), sums.end(), leftSums.begin() + a * m)) continue;
                std::vector<int> w(n, 0);
                std::uint32_t code = a;
                for (std::size_t j = 0; j < half; ++j, code /= 3) w[active[j]] = weightOf(code % 3);
                code = b;
                for (std::size_t j = half; j < active.size(); ++j, code /= 3)
                    w[active[j]] = weightOf(code % 3);
                if (std::count_if(w.begin(), w.end(), [](int x) { return x != 0; }) < kMinTerms)
                    continue;
                // One sign for a formula and its negation: the first column added.
                const int first = *std::find_if(w.begin(), w.end(), [](int x) { return x != 0; });
                for (int& x : w) x *= first;
                here.push_back(std::move(w));
            }
        }
        if (here.size() > kMaxFound) continue;  // columns too alike to tell a formula
        for (auto& w : here) {
            if (std::find(found.begin(), found.end(), w) == found.end()) found.push_back(w);
        }
    }
    const auto terms = [](const std::vector<int>& w) {
        return std::count_if(w.begin(), w.end(), [](int x) { return x != 0; });
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const auto& a, const auto& b) { return terms(a) < terms(b); });
    if (found.size() > kMaxFound) found.resize(kMaxFound);
    return found;
}

// How the records keep the formula `weights`: those that keep it printing two of its columns
// or more, and in `shown` per column how many of them print it; those that break it. False
// when half of them break it.
bool RowRelations::tally(const std::vector<int>& weights, std::size_t& holds,
                         std::vector<std::size_t>& broken, std::vector<std::size_t>& shown) const {
    const std::size_t n = m_table.columns(), count = m_table.size();
    std::vector<std::size_t> terms;
    for (std::size_t c = 0; c < n; ++c) {
        if (weights[c]) terms.push_back(c);
    }
    shown.assign(n, 0);
    holds = 0;
    broken.clear();
    for (std::size_t r = 0; r < count; ++r) {
        int printed = 0;
        std::int64_t sum = 0;
        for (const std::size_t c : terms) {
            const std::int64_t v = m_table.value(r, c);
            printed += v != 0;
            sum += weights[c] * v;
        }
        // A record that prints one of the formula's columns alone (a total brought forward,
        // a customer without the parts of its debt) takes no part in it.
        if (printed < 2) continue;
        if (sum != 0) {
            broken.push_back(r);
            if (broken.size() > kMaxBreaks || broken.size() * 2 > count) return false;
            continue;
        }
        ++holds;
        for (const std::size_t c : terms) shown[c] += m_table.value(r, c) != 0;
    }
    return true;
}

// Whether the records keep the formula `weights`, all but a few (those in `broken`); each
// of its columns printed where it holds, twice at least. One or two columns that make up
// what a breaking record lacks join it (columns the first records left empty, printed
// rarely: a withholding, a bucket of old debts).
bool RowRelations::verify(std::vector<int>& weights, std::vector<std::size_t>& broken) const {
    std::size_t holds = 0;
    std::vector<std::size_t> shown;
    if (!tally(weights, holds, broken, shown)) return false;
    for (std::size_t c = 0; c < weights.size(); ++c) {
        if (weights[c] && shown[c] < 2) return false;
    }
    const std::size_t first = static_cast<std::size_t>(
        std::find_if(weights.begin(), weights.end(), [](int w) { return w != 0; }) -
        weights.begin());
    const auto joins = [&](std::size_t k, std::size_t r) {
        return !weights[k] && m_eligible[k] && m_scale[k] == m_scale[first] &&
               m_table.value(r, k) != 0;
    };
    const auto tryWith = [&](std::vector<int> tried) {
        std::size_t triedHolds = 0;
        std::vector<std::size_t> triedBroken, triedShown;
        if (!tally(tried, triedHolds, triedBroken, triedShown) ||
            triedBroken.size() >= broken.size())
            return false;
        weights = std::move(tried);
        broken = std::move(triedBroken);
        holds = triedHolds;
        return true;
    };
    for (bool wider = true; wider && !broken.empty();) {
        wider = false;
        for (std::size_t i = 0; i < broken.size() && i < kWidenTries && !wider; ++i) {
            const std::size_t r = broken[i];
            std::int64_t residue = 0;
            for (std::size_t c = 0; c < weights.size(); ++c)
                residue += weights[c] * m_table.value(r, c);
            for (std::size_t k = 0; k < weights.size() && !wider; ++k) {
                if (!joins(k, r)) continue;
                const std::int64_t v = m_table.value(r, k);
                for (std::size_t l = k; l < weights.size() && !wider; ++l) {
                    if (l != k && !joins(l, r)) continue;
                    const std::int64_t u = l == k ? 0 : m_table.value(r, l);
                    for (const int a : {1, -1}) {
                        for (const int b : {1, -1}) {
                            if (wider || residue + a * v + b * u != 0 || (l == k && b < 0))
                                continue;
                            std::vector<int> tried = weights;
                            tried[k] = a;
                            if (l != k) tried[l] = b;
                            wider = tryWith(std::move(tried));
                        }
                    }
                }
            }
        }
    }
    return holds >= kMinHolds && broken.size() <= std::max<std::size_t>(1, holds / 20);
}

RowRelations::RowRelations(const RecordTable& table, const std::vector<char>& eligible,
                           const std::vector<int>& scale)
    : m_table(table), m_eligible(eligible), m_scale(scale) {
    // The formulas of each scale's columns: a count of days and an amount add up to nothing.
    std::vector<std::vector<int>> found;
    std::vector<int> scales;
    for (std::size_t c = 0; c < eligible.size(); ++c) {
        if (eligible[c] && std::find(scales.begin(), scales.end(), scale[c]) == scales.end())
            scales.push_back(scale[c]);
    }
    for (const int one : scales) {
        std::vector<char> ofScale(eligible.size());
        for (std::size_t c = 0; c < eligible.size(); ++c)
            ofScale[c] = eligible[c] && scale[c] == one;
        for (auto& w : candidates(ofScale)) found.push_back(std::move(w));
    }
    const auto terms = [](const std::vector<int>& w) {
        return std::count_if(w.begin(), w.end(), [](int x) { return x != 0; });
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const auto& a, const auto& b) { return terms(a) < terms(b); });
    std::vector<std::vector<std::size_t>> brokenBy;
    std::vector<std::vector<int>> kept;  // the formulas found, as weights
    for (std::vector<int>& w : found) {
        // One that two found add up to, or part, tells nothing more (fewest columns first).
        bool follows = false;
        for (std::size_t a = 0; a < kept.size() && !follows; ++a) {
            for (std::size_t b = a + 1; b < kept.size() && !follows; ++b) {
                for (const int sign : {1, -1}) {
                    bool same = true, negated = true;
                    for (std::size_t c = 0; c < w.size(); ++c) {
                        const int made = kept[a][c] + sign * kept[b][c];
                        same &= made == w[c];
                        negated &= made == -w[c];
                    }
                    follows |= same || negated;
                }
            }
        }
        if (follows) continue;
        std::vector<std::size_t> broken;
        if (!verify(w, broken)) continue;
        RowRelation rel;
        int plus = 0, minus = 0;
        for (std::size_t c = 0; c < w.size(); ++c) {
            if (!w[c]) continue;
            rel.terms.emplace_back(c, w[c]);
            (w[c] > 0 ? plus : minus)++;
        }
        if (std::any_of(m_relations.begin(), m_relations.end(),
                        [&](const RowRelation& r) { return r.terms == rel.terms; }))
            continue;  // found again, widened
        // Read as giving its last column ("Matrah = Tutar - İskonto"), unless that takes
        // more away than it adds and another column is the sum of the rest ("Taksit =
        // Anapara + Faiz + BSMV + KKDF").
        const int last = rel.terms.back().second;
        const int added = last > 0 ? minus : plus, takenAway = (last > 0 ? plus : minus) - 1;
        const int alone = plus == 1 ? 1 : minus == 1 ? -1 : 0;
        rel.target = rel.terms.back().first;
        for (const auto& [c, sign] : rel.terms) {
            if (takenAway > added && sign == alone) rel.target = c;
        }
        m_relations.push_back(std::move(rel));
        brokenBy.push_back(std::move(broken));
        kept.push_back(w);
    }
    // A changed amount breaks every formula that holds its column, so a column of a formula
    // that every record keeps was not changed where that formula takes part. A record
    // breaking a formula each of whose columns is one of those there broke nothing: the
    // formula is a coincidence of small figures (counts of days that happen to add up so on
    // the other records).
    std::vector<std::size_t> clean;
    for (std::size_t i = 0; i < m_relations.size(); ++i) {
        if (brokenBy[i].empty()) clean.push_back(i);
    }
    const auto confirmed = [&](std::size_t r, std::size_t c) {
        for (const std::size_t i : clean) {
            const auto& terms = m_relations[i].terms;
            if (std::none_of(terms.begin(), terms.end(),
                             [&](const auto& t) { return t.first == c; }))
                continue;
            const auto printed = std::count_if(terms.begin(), terms.end(), [&](const auto& t) {
                return table.value(r, t.first) != 0;
            });
            if (printed >= 2) return true;
        }
        return false;
    };
    // Each breaking record once, by the first formula it breaks.
    std::vector<std::size_t> named;
    for (std::size_t i = 0; i < m_relations.size(); ++i) {
        const RowRelation& rel = m_relations[i];
        int targetSign = 0;
        for (const auto& [c, sign] : rel.terms) {
            if (c == rel.target) targetSign = sign;
        }
        for (const std::size_t r : brokenBy[i]) {
            if (std::find(named.begin(), named.end(), r) != named.end()) continue;
            if (std::all_of(rel.terms.begin(), rel.terms.end(),
                            [&](const auto& t) { return confirmed(r, t.first); }))
                continue;
            named.push_back(r);
            std::int64_t others = 0;
            for (const auto& [c, sign] : rel.terms) {
                if (c != rel.target) others += sign * table.value(r, c);
            }
            m_breaks.push_back(
                {table.line(r), i, table.value(r, rel.target), -targetSign * others});
        }
    }
    std::stable_sort(
        m_breaks.begin(), m_breaks.end(),
        [](const RelationBreak& a, const RelationBreak& b) { return a.line < b.line; });
}

bool isRatio(std::int64_t printed, int rateScale, std::int64_t part, int partScale,
             std::int64_t whole, int wholeScale, int times) {
    if (whole == 0) return false;
    const long double expected = static_cast<long double>(times) * static_cast<long double>(part) *
                                 powerOfTen(rateScale + wholeScale - partScale) /
                                 static_cast<long double>(whole);
    return std::fabs(static_cast<long double>(printed) - expected) <= 1.0L + 1e-6L;
}

std::optional<std::pair<std::size_t, std::size_t>> ratioColumns(const RecordTable& table,
                                                                std::size_t rate,
                                                                const std::vector<int>& scale,
                                                                int& times) {
    const std::size_t n = table.columns();
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < table.size() && rows.size() < kRatioLook; ++r) {
        if (table.value(r, rate) != 0) rows.push_back(r);
    }
    if (rows.size() < kMinHolds) return std::nullopt;
    // The pairs the first records give, tried on them all.
    for (std::size_t seed = 0; seed < 3; ++seed) {
        const std::size_t r0 = rows[seed];
        for (std::size_t a = 0; a < n; ++a) {
            for (std::size_t b = 0; b < n; ++b) {
                if (a == b || a == rate || b == rate) continue;
                for (const int t : {100, 1}) {
                    if (!isRatio(table.value(r0, rate), scale[rate], table.value(r0, a), scale[a],
                                 table.value(r0, b), scale[b], t))
                        continue;
                    std::size_t agree = 0;
                    for (const std::size_t r : rows) {
                        agree += isRatio(table.value(r, rate), scale[rate], table.value(r, a),
                                         scale[a], table.value(r, b), scale[b], t);
                    }
                    if (agree * 10 >= rows.size() * 9) {
                        times = t;
                        return std::pair{a, b};
                    }
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace tablamo
