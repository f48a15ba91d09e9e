#pragma once
/// The totals check's inner state (totals_check.h): the sums at the points later totals
/// count from, the groups, the values totals may name, the figures waiting for the end.
/// Only totals_check.cpp and totals_verdict.cpp see it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "clean/totals_check.h"

namespace tablamo::totals {

// How records are added up: all, the positive, the negative, those marked A or B, the
// top-level accounts.
constexpr int kFilters = 6;
enum Filter { kAll, kPositive, kNegative, kMarkedA, kMarkedB, kTop };
constexpr std::size_t kRecent = 8;            // total lines later totals may count from
constexpr std::size_t kLabelsKept = 64;       // labels whose last total is remembered
constexpr std::size_t kValuesPerColumn = 16;  // a column of more values names none
constexpr std::size_t kLongestValue = 24;
constexpr int kMaxLevels = 9;  // group levels: the carried fields, then the innermost
constexpr std::size_t kMaxKept = 4096;

// What a reading adds up: since a point, the point's own figure carried on, the last
// balance, the groups' closing balances.
enum Variant { kSum, kSumOpening, kCarried, kLastGroup, kLastAll, kClosing };
// Where a reading counts from: the start, the page, a group of some level, a recent total
// line (newest first), the last total of the same label, the records of a named value.
constexpr int kStartScope = 0, kPageScope = 1, kGroupScope = 2;
constexpr int kRecentScope = kGroupScope + kMaxLevels;
constexpr int kSameScope = kRecentScope + static_cast<int>(kRecent);
constexpr int kWhereScope = kSameScope + 1;

constexpr int readingId(int scope, int variant, int filter) {
    return (scope * 8 + variant) * 8 + filter;
}

// The sums at one moment of the report, with a total line's own figures.
struct Point {
    std::vector<std::int64_t> sums;    // (columns + 1) * kFilters: the last slot counts
    std::vector<std::int64_t> closed;  // closing balances of the groups ended before
    bool total = false;
    std::vector<std::int64_t> printed;  // signed
    std::vector<char> printedPresent;
};

struct ValueSums {
    std::string value;   // as printed, Windows-1254
    std::string folded;  // as a total's label words are compared: foldedUpper
    std::vector<std::int64_t> sums;
};

struct ValueColumn {
    std::vector<ValueSums> values;
    bool dropped = false;
};

// A figure no reading gave, waiting for the end: a total of its kind may agree later.
struct Pending {
    int line;
    std::string label;
    std::size_t column;  // == columns: the count
    std::string printed;
    std::vector<std::pair<int, std::int64_t>> readings;  // every reading's figure
    int sum, balance;  // the readings its kind's words say: as a sum, as a running balance
    std::size_t kind;
    bool known;           // the kind says what it covers
    std::size_t totalAt;  // its total line in State::totals
};

// The totals of one key: how often each column agreed, and by which readings.
struct KindStats {
    std::string key;
    std::vector<int> agreed;                            // per column, the count last
    std::vector<std::vector<std::pair<int, int>>> ids;  // per column: reading, times
};

// Whether most of `done` went right: at least three, and at most one in five `wrong`.
inline bool mostly(int done, std::size_t wrong) {
    return done >= 3 && wrong * 5 <= static_cast<std::size_t>(done);
}

struct Voucher {
    int line;
    std::int64_t debit, credit;
};

struct State {
    State(std::vector<SummedColumn> columns, bool marks, bool levels, int groupLevels);

    Point snapshot() const;
    void endGroup();
    void startGroup(int level);
    void add(std::vector<std::int64_t>& into, const std::vector<char>& present, char mark,
             bool top) const;
    void trackValues(const RecordFacts& record, const std::vector<char>& present);
    void remember(const std::string& folded, const LineAmounts& amounts);
    /// `folded`: the line's text as foldedUpper gives it.
    void judge(std::string_view text, const std::string& folded, const TotalLabel& label, int line,
               const LineAmounts& amounts, char mark);
    void readings(std::size_t c, const TotalLabel& label, const std::string& folded,
                  std::vector<std::pair<int, std::int64_t>>& out) const;
    KindStats& kindOf(const std::string& key);

    std::vector<SummedColumn> columns;
    std::size_t n;
    bool marks, levels;
    int innermost;              // the level of the groups an opening balance starts
    std::vector<char> balance;  // per column: its heading says it is a balance
    std::vector<std::int64_t> sums, closed;
    Point start, page;
    std::vector<Point> group;  // per level
    bool pagePending = false, anyRecord = false, groupsSeen = false;
    int recordsOnPage = 0, groupRecords = 0;
    bool lastForward = false, prevPageCarried = false, closedByTotal = false;
    std::vector<std::int64_t> opening, groupLast, lastAll, signedValues;
    std::vector<char> openingPresent, groupLastPresent, lastAllPresent;
    std::vector<char> topPrinted;  // per column: a top-level record prints an amount in it
    std::vector<Point> recent;
    std::vector<std::pair<std::string, Point>> byLabel;
    std::vector<ValueColumn> values;
    std::vector<KindStats> kinds;
    std::vector<Pending> pending;
    std::vector<int> totals;  // per total line judged: its figures left unexplained, -1: none read
    RunningBalances running;
    AccountTree tree;
    int debit = -1, credit = -1;  // the columns a journal's vouchers balance
    int voucherLine = 0, voucherRecords = 0, balancedVouchers = 0;
    std::int64_t voucherDebit = 0, voucherCredit = 0;
    std::vector<Voucher> unbalanced;
    bool finished = false;
};

}  // namespace tablamo::totals
