#pragma once
/// The readings of the totals check (totals_check.h): how records are added up, what is
/// added, from where; each reading numbered for the count of the totals it gave. Only the
/// totals check's own files see them.

#include <cstddef>

namespace tablamo::totals {

// How records are added up: all, the positive, the negative, those marked A or B, the
// top-level accounts.
constexpr int kFilters = 6;
enum Filter { kAll, kPositive, kNegative, kMarkedA, kMarkedB, kTop };
constexpr std::size_t kRecent = 8;            // total lines later totals may count from
constexpr std::size_t kLabelsKept = 64;       // labels whose last total is remembered
constexpr std::size_t kFamilies = 24;         // kinds of total whose figures are added up
constexpr std::size_t kValuesPerColumn = 16;  // a column of more values names none
constexpr std::size_t kLongestValue = 24;
constexpr int kMaxLevels = 9;  // group levels: the carried fields, then the innermost
constexpr std::size_t kMaxKept = 4096;

// What a reading adds up: the records since a point; with the opening balance of the group
// (or of every group begun since); the point's own figure carried on; the last balance; the
// groups' closing balances; the printed figures of the totals of one kind since the point.
enum Variant { kSum, kSumOpening, kCarried, kLastGroup, kLastAll, kClosing, kOpened, kOfTotals };
// Where a reading counts from: the start, the page, a group of some level, a recent total
// line (newest first), the last total of the same label, of the same kind, the records of a
// named value.
constexpr int kStartScope = 0, kPageScope = 1, kGroupScope = 2;
constexpr int kRecentScope = kGroupScope + kMaxLevels;
constexpr int kSameScope = kRecentScope + static_cast<int>(kRecent);
constexpr int kFamilyScope = kSameScope + 1;
constexpr int kWhereScope = kFamilyScope + 1;

// A reading's number: its scope, its variant, and its filter (of kOfTotals: the kind).
constexpr int kSlots = 32;
constexpr int readingId(int scope, int variant, int slot) {
    return (scope * 8 + variant) * kSlots + slot;
}
constexpr int kReadings = readingId(kWhereScope + 1, 0, 0);  // every reading's number is less
constexpr int scopeOf(int id) { return id / kSlots / 8; }
constexpr int variantOf(int id) { return id / kSlots % 8; }
constexpr int slotOf(int id) { return id % kSlots; }

}  // namespace tablamo::totals
