#pragma once
/// Running columns: where a column runs, each record's figure is the one before plus or minus
/// some of the record's other amounts: a balance by its debit and credit, a remaining
/// principal by the principal paid, a stock's quantity by what came in and went out. Which
/// columns run, and by which others with which signs, the whole report shows: a column runs
/// when nearly every record's figure follows the one before by one rule.

#include <cstdint>
#include <vector>

#include "clean/record_table.h"

namespace tablamo {

/// A record whose printed figure does not follow from the one before.
struct BalanceBreak {
    int line = 0;  ///< 1-based
    std::size_t column = 0;
    std::int64_t printed = 0, expected = 0;  ///< signed
};

/// Finds the running columns of a record table, and the records that break them.
class RunningBalances {
public:
    /// Reads the columns of `table` that `eligible` lets run (not a rate); a column moves by
    /// others of its own `scale` (decimals) only.
    RunningBalances(const RecordTable& table, const std::vector<char>& eligible,
                    const std::vector<int>& scale);

    /// Whether column `c` runs: enough records follow the one before, hardly any does not.
    bool runs(std::size_t c) const { return m_runs[c] != 0; }
    /// The records of the running columns whose figure does not follow, in line order.
    const std::vector<BalanceBreak>& breaks() const { return m_breaks; }

private:
    struct Term {
        std::size_t column;
        int sign;  // +1 added, -1 taken away, 0 either (one such term at most)
    };
    struct Followed {
        int follows = 0, moved = 0;  // records that follow; of them, those that moved
        std::int64_t largest = 0;    // the largest figure, and up to three sizes of moves
        std::vector<std::int64_t> moves;
        bool overflow = false;  // too many breaks to keep
        std::vector<BalanceBreak> breaks;
    };
    Followed follow(std::size_t c, const std::vector<Term>& terms) const;

    const RecordTable& m_table;
    std::vector<char> m_runs;
    std::vector<BalanceBreak> m_breaks;
};

}  // namespace tablamo
