#pragma once
/// The report's own totals as proof: every printed total line is compared with what the kept
/// records add up to, by every reading of what it may cover, as the records go by; what each
/// kind of total covers, the report decides at its end. The records' amounts are kept (one
/// flat table) for what only the whole report shows: the columns that run as balances, the
/// formulas every row obeys. A trial balance's parents are compared with their sub-accounts,
/// a journal's vouchers with themselves. A figure disagrees only where the report shows what
/// it covers; one it cannot explain is left unchecked.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "clean/account_tree.h"
#include "clean/running_balance.h"
#include "clean/total_label.h"
#include "clean/value_reading.h"
#include "core/clean_shape.h"
#include "core/import_outcome.h"

namespace tablamo {

/// The warning lines (UTF-8), one per printed figure the records do not give, as
/// uyarı: satır 98 "GENEL TOPLAM", Borç: raporda 3.037.862,59, kayıtlardan 3.034.010,59
std::vector<std::string> totalsWarnings(const TotalsVerdict& verdict);

/// The note (UTF-8) on the totals: how many agree when none disagrees ("8 toplam satırı
/// kayıtlarla tutuyor"), and how many could not be checked ("2 toplam denetlenemedi"),
/// parted by "; "; empty when there is neither.
std::string totalsNote(const TotalsVerdict& verdict);

/// The note (UTF-8) naming the report lines a clean table could not place ("3 satır tabloya
/// alınmadı: 52, 53, 97"; the first 50 of them); empty when there are none.
std::string unplacedNote(const std::vector<std::int32_t>& lines);

class TotalsCheck;
namespace totals {
struct State;
}

/// Ends a clean import's check: the check is finished, its verdict goes into the shape, and
/// the outcome carries its warnings, and its note: the totals' and the lines not placed,
/// parted by "; ".
ImportOutcome checkedOutcome(CleanShape& shape, TotalsCheck& check);

/// One amount column the check adds up.
struct SummedColumn {
    std::string heading;  ///< Windows-1254
    AmountNotation notation;
    int decimals = 0;
    bool marked = false;  ///< the B/A marks after it sign its amounts (B plus, A minus)
    bool rate = false;    ///< its values are rates (printed with a percent sign)
};

/// The amounts of one record or total line, one slot per summed column.
struct LineAmounts {
    std::vector<std::int64_t> value;
    std::vector<char> present;
    std::vector<std::string_view> printed;  ///< total lines: the amounts as printed
    /// The B/A mark printed after each amount; 0: none of its own (the line's mark signs it).
    std::vector<char> marks;
    explicit LineAmounts(std::size_t columns = 0)
        : value(columns), present(columns), printed(columns), marks(columns) {}
    /// The mark that signs the amount in column c.
    char markOf(std::size_t c, char lineMark) const { return marks[c] ? marks[c] : lineMark; }
    void clear() { std::fill(present.begin(), present.end(), 0); }
};

/// What the check needs of a record besides its amounts.
struct RecordFacts {
    int line = 0;           ///< 1-based
    char mark = 0;          ///< its B/A mark: 'B', 'A' or 0
    bool topLevel = true;   ///< an account of the first level (or no levels at all)
    std::string_view code;  ///< an account code of several levels; empty: none
    /// Every cell of the record (Windows-1254): a total may name one's value ("TOPLAM USD").
    std::span<const std::string_view> cells;
};

/// Compares total lines with the records before them. A printed figure agrees when some
/// reading gives it: the records of the page, of a group (from a change of a group's fields
/// or an opening balance on), of everything so far, since an earlier total line, since the
/// last total of its own kind (a month's after the month before), or with the value the label
/// names; their sum (of all, of the positive or negative, of those marked B or A, or of the
/// top-level accounts only), with the opening balances of the groups begun since, that
/// total's own figure carried on, the last balance of a group or of all, the groups' closing
/// balances added up, or the printed figures of another kind's totals since (a grand total
/// of account totals). At the end, a figure no reading gives disagrees where totals of its
/// kind agreed elsewhere in the report (by the reading most of them agreed by), or where the
/// kind says what it covers (a page's, a carried sum, the grand total, a group's, a value's);
/// else it is left unchecked. A rate's figure (its heading says so, or each record's is the
/// share of two others) is the share of the line's totals, or not checked; never a sum.
/// Opening balances (DEVİR at a group's start) start their group's figures and are no
/// totals to check.
class TotalsCheck {
public:
    /// `marks`: records carry a B/A mark; `levels`: records are accounts of several levels;
    /// `groupLevels`: how many carried fields tell the records' groups apart, outermost first;
    /// `codes`: how the accounts' codes nest.
    TotalsCheck(std::vector<SummedColumn> columns, bool marks, bool levels, int groupLevels = 0,
                CodeLevels codes = {});
    ~TotalsCheck();

    /// A new page begins before the next record.
    void pageBreak();
    /// A group of `level` (0: the outermost) and every group inside it begin here; `name`:
    /// the innermost group's words as its block prints them ("*** TL MEVDUATLAR ***").
    void groupStart(int level, std::string_view name = {});
    /// The next record.
    void addRecord(const LineAmounts& amounts, const RecordFacts& record);
    /// A total line: its label as printed, its 1-based line, its printed amounts, its mark;
    /// `unread`: it prints figures where none could be read; `part`: a part of the total above
    /// it, printed, not checked. True when the line is its group's opening balance (DEVİR at
    /// the group's start), not a total of records.
    bool checkTotal(std::string_view label, int line, const LineAmounts& amounts, char mark = 0,
                    bool unread = false, bool part = false);
    /// The report has ended: what waited for the whole report is decided.
    void finish();

    const TotalsVerdict& verdict() const { return m_verdict; }

private:
    std::unique_ptr<totals::State> m_state;
    TotalsVerdict m_verdict;
};

}  // namespace tablamo
