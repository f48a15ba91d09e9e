#pragma once
/// The totals check's inner state (totals_check.h): the sums at the points later totals
/// count from, the groups, the values totals may name, the records' amounts, the figures
/// waiting for the end. Only the totals check's own files see it.

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "clean/record_table.h"
#include "clean/running_balance.h"
#include "clean/totals_check.h"
#include "clean/totals_reading.h"

namespace tablamo::totals {

// What is known of a total's figure no reading gave: nothing (none such), that it is not
// checked, or that it is warned of.
enum class Doubt : unsigned char { None, Unwarned, Warned };

// The sums at one moment of the report, with a total line's own figures.
struct Point {
    std::vector<std::int64_t> sums;    // (columns + 1) * kFilters: the last slot counts
    std::vector<std::int64_t> closed;  // closing balances of the groups ended before
    std::vector<std::int64_t> opened;  // opening balances of the groups begun before
    // Per kind of total met before (columns each): their printed figures added up, and
    // how many there were.
    std::vector<std::int64_t> ofTotals;
    std::vector<int> totalsCount;
    std::vector<int> doubted;  // per kind, columns each: figures no reading gave
    bool total = false;
    std::vector<std::int64_t> printed;  // signed
    std::vector<char> printedPresent;
    std::vector<Doubt> printedDoubted;                  // figures no reading gave
    std::size_t family = static_cast<std::size_t>(-1);  // of the total line
};

struct ValueSums {
    std::string value;               // as printed, Windows-1254
    std::string folded;              // as a total's label words are compared: foldedUpper
    std::vector<std::int64_t> sums;  // none for a value no label's word can be
};

struct ValueColumn {
    std::vector<ValueSums> values;
    // Values of one character (a day's mark): no label's word, so only counted.
    std::bitset<256> singles;
    std::size_t singleCount = 0;
    bool dropped = false;
};

// A figure no reading gave, waiting for the end: a total of its kind may agree later.
// A total line before any record: it sums nothing unless the table holds no record at all.
struct Early {
    int line;
    std::string label;
    std::vector<std::pair<std::size_t, std::string>> figures;  // column, as printed; not zero
    std::optional<std::int64_t> count;
};

struct Pending {
    int line;
    std::string label;
    std::size_t column;  // == columns: the count
    std::string printed;
    std::vector<std::pair<int, std::int64_t>> readings;  // every reading's figure
    int sum, balance;  // the readings its kind's words say: as a sum, as a running balance
    std::size_t kind;
    bool known;    // its words say what it covers
    bool closing;  // TOPLAM or YEKÜN alone (a count beside it), or a group's where none is seen
    std::vector<int> shownBy;           // the readings that gave the line's other figures
    std::size_t totalAt;                // its total line in State::totals
    std::vector<std::int64_t> figures;  // the line's printed figures (signed), for a rate's
    std::vector<char> figurePresent;
    // Agreed only by what a part of its records adds (the ones marked A, the positive ones),
    // not by all of them: a chance where the other totals of its kind agree by all of theirs.
    bool partly = false;
};

// The totals of one kind: how often each column agreed, and by which readings.
struct KindStats {
    std::string key;
    std::vector<int> agreed;            // per column, the count last
    std::vector<std::vector<int>> ids;  // per column, per reading: the times it agreed
    int lines = 0;                      // total lines of the kind
};

// A total line judged: its figures compared, and those no reading gave.
struct JudgedLine {
    int figures = 0, unexplained = 0;  // unexplained -1: none could be read
};

// What a column's figures are the share of, when each record's is one of two others'.
struct Share {
    bool asked = false, found = false;
    std::size_t part = 0, whole = 0;
    int times = 0;
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
    std::string groupName;  // the innermost group's words, folded
    State(std::vector<SummedColumn> columns, bool marks, bool levels, int groupLevels,
          CodeLevels codes);

    Point snapshot() const;
    void endGroup();
    void startGroup(int level);
    /// Sets `share` to what the record (its signedValues) adds to sums of the filters.
    void shareOf(const std::vector<char>& present, char mark, bool top);
    /// Adds the record's share into sums of the filters.
    void addShare(std::vector<std::int64_t>& into) const;
    /// Adds the record's share to the sums of the values its cells print.
    void trackValues(const RecordFacts& record);
    void remember(const std::string& folded, std::size_t family, const LineAmounts& amounts);
    std::size_t familyOf(const std::string& family);
    /// `folded`: the line's text as foldedUpper gives it.
    void judge(std::string_view text, const std::string& folded, const TotalLabel& label,
               std::size_t family, int line, const LineAmounts& amounts, char mark);
    using Scopes = std::vector<std::pair<int, const Point*>>;
    /// Where the readings of a total line count from (`now`: the sums of now, kept for them).
    void scopesOf(const std::string& folded, std::size_t family, Point& now, Scopes& out) const;
    void readings(std::size_t c, const TotalLabel& label, std::size_t family, const Scopes& scopes,
                  std::vector<std::pair<int, std::int64_t>>& out) const;
    KindStats& kindOf(const std::string& key);
    /// Whether a total of `family` was ever given by a reading in column `c`, or the kind
    /// printed one line at most (or none yet judged).
    bool everAgreed(std::size_t family, std::size_t c) const;
    /// At the end: the figures no reading gave, into `verdict` with the counts of the lines.
    void decide(TotalsVerdict& verdict, const RunningBalances& running);
    /// At the end: a figure agreed only by a part of its records, a warning where its kind
    /// sums all of theirs.
    void partial(const Pending& p, int partlyOfKind, TotalsVerdict& verdict) const;
    /// At the end: the share column `c`'s records are of two others (asked once).
    const Share& shareOf(std::size_t c);

    std::vector<SummedColumn> columns;
    std::size_t n;
    bool marks, levels;
    int innermost;              // the level of the groups an opening balance starts
    std::vector<char> balance;  // per column: its heading says it is a balance
    std::vector<char> rate;     // per column: its heading says it is a rate, a share or a price
    std::vector<int> scale;     // per column: its decimals
    std::vector<std::int64_t> sums, closed, opened;
    Point start, page;
    std::vector<Point> group;  // per level
    bool pagePending = false, anyRecord = false, groupsSeen = false;
    int recordsOnPage = 0, groupRecords = 0;
    bool lastForward = false, prevPageCarried = false, closedByTotal = false;
    std::vector<std::int64_t> opening, groupLast, lastAll, signedValues;
    std::vector<Doubt> lineDoubted;  // the total line's figures no reading gave
    std::vector<char> openingPresent, groupLastPresent, lastAllPresent;
    std::vector<char> topPrinted;  // per column: a top-level record prints an amount in it
    std::vector<Point> recent;
    std::vector<std::pair<std::string, Point>> byLabel;
    std::vector<std::string> families;   // the kinds of total, by their words (TotalLabel::family)
    std::vector<Point> byFamily;         // per kind: its last total line
    std::vector<std::int64_t> ofTotals;  // per kind, columns each: the printed figures added up
    std::vector<int> doubted;            // per kind, columns each: figures no reading gave
    std::vector<int> totalsCount;
    std::vector<ValueColumn> values;
    std::vector<std::int64_t> share;     // the record's, as sums of the filters hold it
    std::vector<std::uint32_t> shareAt;  // where it is not 0
    std::vector<KindStats> kinds;
    std::vector<Pending> pending;
    std::vector<JudgedLine> totals;  // per total line judged
    std::vector<Early> early;        // before any record, no sum carried in before them
    bool carriedIn = false;          // a sum carried from before stood before any record
    std::size_t lastTotal = 0;       // in totals, the last line judged that is no part
    std::vector<Share> shares;       // per column
    Scopes scopeBuffer;              // kept from line to line: no allocation for each
    std::vector<std::pair<int, std::int64_t>> foundBuffer, asideBuffer;
    std::vector<int> shownBuffer;
    RecordTable table;
    AccountTree tree;
    int debit = -1, credit = -1;  // the columns a journal's vouchers balance
    int voucherLine = 0, voucherRecords = 0, balancedVouchers = 0;
    std::int64_t voucherDebit = 0, voucherCredit = 0;
    std::vector<Voucher> unbalanced;
    bool finished = false;
};

}  // namespace tablamo::totals
