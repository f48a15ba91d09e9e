#pragma once
/// Formulas every record obeys among its amounts: an instalment is its principal, interest
/// and taxes; a row's total the sum of its buckets; a net the gross less the discount plus
/// the VAT; a trial balance's balances the net of its debit and credit. Each is a sum of
/// three or more columns, each added or taken away, that comes to nothing on a record; the
/// records show which hold. A record that breaks one all the others keep is named, so that a
/// changed amount is found where no total covers it.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "clean/record_table.h"

namespace tablamo {

/// One formula: its columns with their signs (+1, -1), in column order, and the column it
/// is read as giving (the one whose sign no other shares, else the last).
struct RowRelation {
    std::vector<std::pair<std::size_t, int>> terms;
    std::size_t target = 0;
};

/// A record that breaks a formula: what it prints in the formula's target column, and what
/// the formula's other columns give.
struct RelationBreak {
    int line = 0;  ///< 1-based
    std::size_t relation = 0;
    std::int64_t printed = 0, computed = 0;
};

/// Finds the formulas the records of a table obey, and the records that break one.
class RowRelations {
public:
    /// `eligible`: the columns a formula may hold (no rate); a formula holds columns of one
    /// `scale` (decimals) only.
    RowRelations(const RecordTable& table, const std::vector<char>& eligible,
                 const std::vector<int>& scale);

    /// The formulas that hold, fewest columns first.
    const std::vector<RowRelation>& relations() const { return m_relations; }
    /// The records that break one, the first they break, in line order.
    const std::vector<RelationBreak>& breaks() const { return m_breaks; }

private:
    std::vector<std::vector<int>> candidates(const std::vector<char>& eligible) const;
    bool tally(const std::vector<int>& weights, std::size_t& holds,
               std::vector<std::size_t>& broken, std::vector<std::size_t>& shown) const;
    bool verify(std::vector<int>& weights, std::vector<std::size_t>& broken) const;

    const RecordTable& m_table;
    std::vector<char> m_eligible;
    const std::vector<int>& m_scale;
    std::vector<RowRelation> m_relations;
    std::vector<RelationBreak> m_breaks;
};

/// Whether `rate` is another column's share of a third, in every record that prints them
/// (within the last digit): rate = part / whole, or 100 times it; `scale` the columns'
/// decimals. The pair found, part first; none when no pair gives it.
std::optional<std::pair<std::size_t, std::size_t>> ratioColumns(const RecordTable& table,
                                                                std::size_t rate,
                                                                const std::vector<int>& scale,
                                                                int& times);

/// Whether `printed` (of `rate` decimals) is `times` × part / whole within its last digit.
bool isRatio(std::int64_t printed, int rateScale, std::int64_t part, int partScale,
             std::int64_t whole, int wholeScale, int times);

}  // namespace tablamo
