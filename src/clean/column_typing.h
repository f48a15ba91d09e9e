#pragma once
/// Typing a clean table's columns: what each value looks like, and the kind a column gets
/// from all of its kept values together (never cell by cell).

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "clean/date_reading.h"
#include "clean/value_reading.h"
#include "core/column_kind.h"
#include "core/regional_settings.h"

namespace tablamo {

/// What one trimmed value looks like.
struct ValueFacts {
    bool empty = true;
    AmountForm amount;            ///< reads as an amount in some notation
    std::uint8_t dateOrders = 0;  ///< the orders it is a valid date in (DateOrderBits)
    bool token = false;           ///< one word, no blank inside
    /// a word that holds a digit (000123, 120.01.001, A-4711), not a label and its value
    /// written together ("No:474")
    bool codeToken = false;
    bool mark = false;         ///< a B/A mark of a ledger
    bool nought = false;       ///< "0" alone: a balance of nothing's last digit where marks stand
    bool placeholder = false;  ///< only dashes or equals signs, as some print a zero
    std::uint8_t points = 0;   ///< how many "." it holds (the levels of an account code)
    bool percent = false;      ///< a percentage read without its sign ("%10,00")
};

/// The facts of a trimmed value; a two-digit year falls in `years`.
ValueFacts factsOf(std::string_view value, YearWindow years);

/// Which readings factsOf tries: both, or only the one a column of a known kind needs.
enum class ValueReading : unsigned char { All, Amount, Date, None };

/// A value read as its column's kind: the amount in the column's notation, the date in its
/// order.
struct ReadValue {
    std::optional<std::int64_t> units;
    std::optional<Date> date;
};

struct ColumnDecision;

/// A document number with its series: one to three capitals, a blank and digits ("A 000123",
/// "AB 4711"), one code as an invoice prints it.
bool isSeriesNumber(std::string_view value);

/// The same, when a look at its characters already found whether it holds a blank, a
/// digit, nothing but dashes or equals signs, and how many points; `reading` says whether
/// to read it as an amount and as a date. With a `column`, `read` gets the value as that
/// column reads it, in the same look.
ValueFacts factsOf(std::string_view value, bool blank, bool digit, bool onlyDashes, int points,
                   YearWindow years, ValueReading reading = ValueReading::All,
                   const ColumnDecision* column = nullptr, ReadValue* read = nullptr);

/// How a column's values are read and written once its kind is decided.
struct ColumnDecision {
    ColumnKind kind = ColumnKind::Text;
    AmountNotation notation;                        ///< Amount: the report's notation
    int decimals = 0;                               ///< Amount: digits after the decimal separator
    DateOrder dateOrder = DateOrder::DayMonthYear;  ///< Date: the order it is written in
    bool marks = false;                             ///< Text: every value is a B/A mark
    /// Text: a long text goes on in the line below cut this many characters before the
    /// column's last one (0, or 1 where a frame's cells keep a blank inside), in the middle
    /// of a word as it comes; -1: wrapped between words
    int cutAt = -1;
    friend bool operator==(const ColumnDecision&, const ColumnDecision&) = default;
};

/// What a value in a column of this kind must be read as to tell whether it fits.
inline ValueReading readingFor(const ColumnDecision& column) {
    switch (column.kind) {
        case ColumnKind::Amount:
            return ValueReading::Amount;
        case ColumnKind::Date:
            return ValueReading::Date;
        default:
            return ValueReading::None;
    }
}

/// The values of one column, gathered to decide its kind.
class ColumnStats {
public:
    /// `runFrom` and `runTo`: where the column's rule run (or framed cell) lies within
    /// its field, 0-based and inclusive; values are aligned against it.
    explicit ColumnStats(int runFrom = 0, int runTo = INT_MAX)
        : m_runFrom(runFrom), m_runTo(runTo) {}

    /// A kept value: its facts, its text, and its first and last character within the field.
    void add(const ValueFacts& facts, int first, int last, std::string_view value);
    /// Adds the values gathered by another (of the same column).
    void merge(const ColumnStats& other);
    /// A text of the column going on in the line below; `short_`: how many characters
    /// before the column's last one the line above ended.
    void addWrap(int short_) {
        ++m_wraps;
        if (short_ >= 0 && short_ < 2) ++m_fullWraps[static_cast<std::size_t>(short_)];
    }
    /// Values that were not empty.
    /// A figure a total line prints in the column.
    void addTotal(const ValueFacts& facts, std::string_view value);

    int values() const { return m_values; }
    int dates() const { return m_dates; }
    /// Whether its amounts (or its totals' figures) group their thousands in `notation`.
    bool groups(const AmountNotation& notation) const {
        return m_vote.groups(notation) || m_totalVote.groups(notation);
    }
    /// Whether every value is a rate printed with its percent sign ("%18", "18,5 %").
    bool rates() const { return m_values > 0 && m_percents == m_values; }
    /// Whether every value is a whole number of a few digits ("18", "8").
    bool fewDigitWholes() const {
        return m_values > 0 && m_amounts == m_values && m_fewDigits == m_values &&
               m_vote.decimalsFor(AmountNotation{',', '.'}) == 0;
    }
    bool onlyPlaceholders() const { return m_values > 0 && m_placeholders == m_values; }
    std::size_t maxLength() const { return m_maxLength; }
    /// The fewest and the most points in a value (account codes of several levels).
    int minPoints() const { return m_minPoints; }
    int maxPoints() const { return m_maxPoints; }

    /// The kind: dates when every value is a date in one order; amounts when every value
    /// reads in one notation and they stand right-aligned (or show decimals without being
    /// left-aligned), but for whole numbers that count the records (1, 2, 3 …); codes when
    /// every value is one word (or a series and its number, "A 000123"), most holding digits;
    /// B/A marks and everything else text. A text column's texts are cut in the middle of words
    /// when most lines that go on below fill the column (a program that wraps between words fills
    /// it only when a word happens to end there), or all but its last character.
    ///
    /// Amounts that only read either way ("12.500", "5,314") take `table`, the notation the
    /// table's other amounts show; without one, the Turkish way.
    ColumnDecision decide(DateOrder regional, const AmountNotation* table = nullptr) const;
    /// The notation this column's amounts show, when they show one (NotationVote::shows).
    std::optional<AmountNotation> shownNotation() const {
        return m_amounts > 0 && m_vote.shows() ? m_vote.decide() : std::nullopt;
    }

private:
    int m_runFrom, m_runTo;
    int m_values = 0, m_dates = 0, m_amounts = 0, m_placeholders = 0;
    int m_rightDashes = 0;  // placeholders that stand at the right end, not the left
    int m_tokens = 0, m_codeTokens = 0, m_marks = 0, m_percents = 0, m_noughts = 0;
    int m_wraps = 0;
    // Whole numbers one more than the value before: a row number counts the records.
    std::int64_t m_lastWhole = -1;
    int m_counting = 0;
    // The largest whole number of the records and of the total lines: a total above every
    // record's sums them, a row number's count would not be.
    std::int64_t m_wholeMax = -1, m_totalWholeMax = -1;
    int m_fewDigits = 0;  // whole numbers of three digits at most, no nought first, or grouped
    int m_totalled = 0;   // figures a total line prints in the column
    std::array<int, 2> m_fullWraps{};  // lines above that ended 0 and 1 before the edge
    std::uint8_t m_orders = kDayMonthYearBit | kMonthDayYearBit | kYearMonthDayBit;
    NotationVote m_vote;
    NotationVote m_totalVote;  // of the figures total lines print in the column
    int m_firstMax = -1, m_lastMin = INT_MAX, m_lastMax = -1;
    int m_minPoints = INT_MAX, m_maxPoints = 0;
    std::size_t m_maxLength = 0;
    // Dates of an unpadded day or month and a two-digit year ("7.1.01"): whether two of them
    // print the first one's day and month (its head, up to the year) in other years, as a
    // cost centre's codes do.
    struct ShortDates {
        std::array<char, 6> head{}, year{};
        std::uint8_t headSize = 0;
        bool all = true, yearsDiffer = false;
        void add(std::string_view value);
        void merge(const ShortDates& o, bool mineEmpty);
        bool codes() const { return all && yearsDiffer; }
    } m_short;
};

/// The notation a table's amounts show: the one most of its columns that show one show;
/// nothing when none does.
template <class Columns>
std::optional<AmountNotation> tableNotation(const Columns& columns) {
    int turkish = 0, other = 0;
    AmountNotation seen;
    for (const ColumnStats& c : columns) {
        const std::optional<AmountNotation> n = c.shownNotation();
        if (!n) continue;
        if (n->decimal == ',') {
            ++turkish;
        } else {
            ++other;
            seen = *n;
        }
    }
    if (turkish == 0 && other == 0) return std::nullopt;
    return turkish >= other ? AmountNotation{',', '.'} : seen;
}

/// Whether a value may stand in a column of this kind on a record line: empty, or of the
/// kind (a code or a text column takes any word; a text column anything).
bool fitsKind(const ValueFacts& facts, const ColumnDecision& column);

/// Whether a value tells a record: a date in a date column, a code in a code column.
bool identifiesRecord(const ValueFacts& facts, const ColumnDecision& column);

}  // namespace tablamo
