#pragma once
/// Reading a report's amounts as an accountant reads them, in the notation the report itself
/// prints them with, and writing them back in the user's notation. Every importer types its
/// clean table with these steps (dates: date_reading.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tablamo {

/// How a column prints its amounts: the decimal separator and the one that groups thousands.
/// Negatives may carry a leading or a trailing minus or stand in parentheses in any notation.
struct AmountNotation {
    char decimal = ',';
    char grouping = '.';
    friend bool operator==(const AmountNotation&, const AmountNotation&) = default;
};

/// What one printed amount shows of its notation.
struct AmountForm {
    bool valid = false;     ///< reads as an amount in some notation
    bool negative = false;  ///< a minus (leading or trailing) or parentheses
    char decimal = 0;       ///< the separator that can only be the decimal one
    char grouping = 0;      ///< the separator that can only group thousands
    char ambiguous = 0;     ///< one separator before exactly three digits: either role
    int fraction = 0;       ///< digits after `decimal`
};

/// Scans a trimmed text by the amount grammar: an optional "=" in front, an optional sign
/// or parentheses, digits in groups parted by "." or ",", an optional trailing minus.
/// An integer part with a leading zero (000123, 05.125) makes a code, not an amount.
AmountForm amountFormOf(std::string_view text);

/// The same, and with a `notation` the amount as readAmount reads it in that notation
/// (`units`, nothing when it does not read), in one look at the text.
AmountForm amountFormOf(std::string_view text, const AmountNotation* notation, int decimals,
                        std::optional<std::int64_t>& units);

/// Gathers the forms of a column's amounts and decides the notation they agree on.
class NotationVote {
public:
    void add(const AmountForm& form);
    /// Adds the votes of another.
    void merge(const NotationVote& other);
    /// The agreed notation; nothing when one amount's decimal separator is another's
    /// grouping. Amounts that never show their decimal separator read as Turkish when they
    /// group with ".", as 1,234.56 when they group with ",".
    std::optional<AmountNotation> decide() const;
    /// The most digits after the decimal separator in `notation` (at most 6).
    int decimalsFor(const AmountNotation& notation) const;
    /// Whether some amount groups its thousands in `notation` (an ambiguous "1.234" does
    /// where it has no three decimals).
    bool groups(const AmountNotation& notation) const;
    /// Whether some amount shows which separator is which (one before the decimals, or one
    /// between thousands twice), not only one that reads either way ("12.500").
    bool shows() const { return m_decimalDot + m_decimalComma + m_groupDot + m_groupComma > 0; }

private:
    int m_decimalDot = 0, m_decimalComma = 0;
    int m_groupDot = 0, m_groupComma = 0;
    int m_ambiguousDot = 0, m_ambiguousComma = 0;
    int m_decimals = 0;
};

/// Reads the text as an amount in `notation`, in units of 10^-decimals; nothing when it
/// does not read or has more digits after the separator than `decimals`.
std::optional<std::int64_t> readAmount(std::string_view text, const AmountNotation& notation,
                                       int decimals);

/// Writes the amount as the user reads numbers: a leading minus, no grouping, `decimals`
/// digits after `decimalSeparator` ("-1234,56"). `out` needs 32 bytes. Returns the length.
std::size_t formatAmount(std::int64_t units, int decimals, char decimalSeparator, char* out);

/// The amount written in the report's own notation, grouped, with a leading minus
/// ("-1.234,56"): how a warning quotes a computed total next to the printed one.
std::string printedAmount(std::int64_t units, int decimals, const AmountNotation& notation);

}  // namespace tablamo
