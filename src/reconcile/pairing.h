#pragma once
/// The reconciliation's inner steps (reconciliation.cpp runs them in turn): the two sides
/// with the statement's amounts from our side, the records still free, the pairings made
/// and the reasons given.

#include <vector>

#include "reconcile/reconciliation.h"

namespace tablamo::reconcile::detail {

/// The two sides as the steps see them.
struct Board {
    const std::vector<Entry>& ledger;
    const std::vector<Entry>& statement;
    std::vector<Money> ours;  ///< per statement entry: its amount from our side
    std::vector<char> ledgerUsed, statementUsed;
    int days = 5;

    Board(const std::vector<Entry>& l, const std::vector<Entry>& s, bool mirrored, int d);
    /// The ledger entry's amount, or the statement entry's from our side.
    Money amount(bool statementSide, int i) const {
        return statementSide ? ours[static_cast<std::size_t>(i)]
                             : ledger[static_cast<std::size_t>(i)].amount;
    }
    const Entry& entry(bool statementSide, int i) const {
        return (statementSide ? statement : ledger)[static_cast<std::size_t>(i)];
    }
    std::vector<char>& used(bool statementSide) {
        return statementSide ? statementUsed : ledgerUsed;
    }
};

/// Whether two records' dates (or a value date) lie within `days` of each other.
bool withinDays(const Entry& a, const Entry& b, int days);

/// Whether two records carry a document number in common.
bool shareRef(const Entry& a, const Entry& b);

/// One record against one: the same amount, dates within the days; a shared document
/// number first, then the nearer dates; as many pairs as the records allow.
std::vector<Match> pairOneToOne(Board& board);

/// One record against several of the other side whose amounts add up to it exactly and
/// whose dates are all within the days of its own: a run of records in date order first
/// (a day's slips), else two to four of the nearest.
std::vector<Match> pairGroups(Board& board);

/// The reasons of the records left over: amounts that differ from a record of the same
/// reference, duplicates, and what the descriptions and dates say.
void giveReasons(const Board& board, const Options& options, int periodEnd,
                 std::vector<Unpaired>& ledgerOnly, std::vector<Unpaired>& statementOnly);

}  // namespace tablamo::reconcile::detail
