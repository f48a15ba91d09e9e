#pragma once
/// The report's own totals as proof: every printed total line is compared with what the
/// kept records add up to, as the records go by (nothing of them is stored).

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clean/value_reading.h"
#include "core/clean_shape.h"
#include "core/import_outcome.h"

namespace tablamo {

/// Whether a line's words name a total or carried sum: a word TOPLAM (Toplamı, Sayfa
/// Toplamı), YEKÜN, DEVİR or NAKLİ, with `balance` also BAKİYE (Dönem Sonu Bakiye), in any
/// case ("Nakliyat" names none).
bool isTotalLabel(std::string_view win1254, bool balance = true);

/// The warning lines (UTF-8), one per printed amount the records do not give, as
/// uyarı: satır 98 "GENEL TOPLAM", Borç: raporda 3.037.862,59, kayıtlardan 3.034.010,59
std::vector<std::string> totalsWarnings(const TotalsVerdict& verdict);

/// The note (UTF-8) when every printed total agrees with the records ("8 toplam satırı
/// kayıtlarla tutuyor"); empty otherwise.
std::string totalsNote(const TotalsVerdict& verdict);

/// The note (UTF-8) naming the report lines a clean table could not place ("3 satır tabloya
/// alınmadı: 52, 53, 97"; the first 50 of them); empty when there are none.
std::string unplacedNote(const std::vector<std::int32_t>& lines);

class TotalsCheck;

/// Ends a clean import's check: the check's verdict goes into the shape, and the outcome
/// carries its warnings, and its note: the totals' agreement and the lines not placed,
/// parted by "; ".
ImportOutcome checkedOutcome(CleanShape& shape, const TotalsCheck& check);

/// One amount column the check adds up.
struct SummedColumn {
    std::string heading;  ///< Windows-1254
    AmountNotation notation;
    int decimals = 0;
};

/// The amounts of one record or total line, one slot per summed column.
struct LineAmounts {
    std::vector<std::int64_t> value;
    std::vector<char> present;
    std::vector<std::string_view> printed;  ///< total lines: the amounts as printed
    explicit LineAmounts(std::size_t columns = 0)
        : value(columns), present(columns), printed(columns) {}
    void clear() { std::fill(present.begin(), present.end(), 0); }
};

/// Compares total lines with the records before them. A printed amount agrees when some
/// reading a report prints totals by gives it: the records of the page, of the account, of
/// everything so far, or since an earlier total line (optionally that total's own amount
/// carried on); the records' sum, that of their positive or negative amounts, of those
/// marked B or A, or (accounts of several levels) only that of the top-level accounts; or,
/// for a running balance, the last record's value. A column is a running balance when from
/// record to record it mostly changes by an amount the record holds in another column
/// (signed by the B/A mark where there is one), or its heading says Bakiye. Lines before
/// the first record carry an opening sum and are not checked.
class TotalsCheck {
public:
    /// `marks`: records carry a B/A mark; `levels`: records are accounts of several levels.
    TotalsCheck(std::vector<SummedColumn> columns, bool marks, bool levels);

    /// A new page begins before the next record.
    void pageBreak() { m_pagePending = true; }
    /// The next record: its amounts, its mark ('B', 'A' or 0), whether it is a top-level
    /// account, and whether it starts another account than the record before.
    void addRecord(const LineAmounts& amounts, char mark, bool topLevel, bool newAccount);
    /// A total line: its label as printed, its 1-based line, its printed amounts.
    void checkTotal(std::string_view label, int line, const LineAmounts& amounts);

    const TotalsVerdict& verdict() const { return m_verdict; }

private:
    static constexpr int kFilters = 6;  // all, positive, negative, marked A, marked B, top
    struct Point {
        std::vector<std::int64_t> sums;  // kFilters per column
        std::vector<std::int64_t> printed;
        std::vector<char> printedPresent;
        bool total = false;
        std::string label;  // folded
    };
    Point snapshot() const;
    bool agrees(std::size_t c, std::int64_t printed, const Point& since) const;
    std::int64_t expected(std::size_t c, std::string_view folded) const;
    bool running(std::size_t c) const;
    const Point* sameLabel(const std::string& folded) const;

    std::vector<SummedColumn> m_columns;
    bool m_marks, m_levels;
    std::vector<std::int64_t> m_sums;  // kFilters per column
    std::vector<std::int64_t> m_last;
    std::vector<char> m_hasLast;
    std::vector<int> m_lastMatches, m_sumMatches;  // how totals of a column agreed so far
    std::vector<std::int64_t> m_previous;          // the record before, signed by its mark
    std::vector<char> m_hadPrevious;
    std::vector<int> m_steps, m_stepsByAmount;  // changes from record to record
    bool m_anyRecord = false;
    bool m_pagePending = false;
    Point m_start, m_page, m_account;
    std::vector<Point> m_recent;  // the last total lines, newest last
    std::vector<Point> m_byLabel;
    TotalsVerdict m_verdict;
};

}  // namespace tablamo
