#pragma once
/// Running balances: where a column runs, each record's balance is the one before plus or
/// minus the record's other amounts. Which column runs, and with which signs, the report
/// shows itself: a column runs when nearly every record's balance follows the one before.

#include <cstdint>
#include <vector>

namespace tablamo {

/// A record whose printed balance does not follow from the one before.
struct BalanceBreak {
    int line = 0;  ///< 1-based
    std::size_t column = 0;
    std::int64_t printed = 0, expected = 0;  ///< signed
};

/// Follows every amount column as a possible running balance, record by record.
class RunningBalances {
public:
    explicit RunningBalances(std::size_t columns);

    /// A group begins: its first balance follows nothing, unless an opening balance is given.
    void restart();
    /// The group's opening balance of column `c` (signed).
    void open(std::size_t c, std::int64_t value);
    /// A record: its signed amounts, and which are printed.
    void add(int line, const std::vector<std::int64_t>& value, const std::vector<char>& present);

    /// Whether column `c` runs: enough records follow and hardly any does not.
    bool runs(std::size_t c) const;
    /// The records of the columns that run whose balance does not follow, in line order.
    std::vector<BalanceBreak> breaks() const;

private:
    struct Column {
        bool hasPrevious = false;
        std::int64_t previous = 0;
        int follows = 0;
        std::vector<BalanceBreak> breaks;
        bool overflow = false;  // too many breaks to keep: no running balance
        // How often another column's amount added (0) or took away (1) from the balance.
        std::vector<int> plus, minus;
    };
    std::int64_t expectedStep(const Column& col, std::size_t c, const std::vector<std::int64_t>& v,
                              const std::vector<char>& present) const;

    std::vector<Column> m_columns;
};

}  // namespace tablamo
