#pragma once
/// The columns of a table that no rule line parts (a rule of one run, rules only around the
/// headings or none at all), read from the record lines themselves: the runs of blanks they
/// share, amounts right-aligned on a common edge, texts, codes and dates left-aligned.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tablamo {

class ReportText;

/// Where one column's values stand on the line (0-based, inclusive), and how they align.
struct FoundColumn {
    int from = 0, to = 0;
    bool right = false;   ///< the values end on a common edge (amounts)
    bool left = false;    ///< the values begin on a common edge (texts, codes, dates)
    bool counts = false;  ///< figures all of one width (days, documents, amounts)
};

/// A table's columns as its records print them, and the widths that cut its lines: field 1
/// from the line's first character, each further field from where the column before leaves
/// off (an amount's field takes the blanks before it, where a wider total's figures stand).
struct FoundColumns {
    std::vector<FoundColumn> columns;
    std::vector<std::int32_t> widths;  ///< one per column; the last reaches past any line
    /// Lines the columns were read from: the records for sure among the lines given.
    int evidence = 0;
};

/// Reads the columns of the lines `from` to `end` (exclusive) of `text`: the lines that print
/// an amount beside a date, a code or another amount (not a total's: its words run over the
/// columns) are the evidence; a position blank in (nearly) all of them parts two columns. Two
/// texts parted by a single blank are one column unless the heading lines (`headings`) stand
/// a word over each. Empty when fewer than two lines are evidence.
FoundColumns findColumns(const ReportText& text, int from, int end,
                         const std::vector<int>& headings);

/// Whether a line is a record for sure by its words alone: it prints an amount (with its
/// decimals or grouped thousands) beside a date, a code or another amount, and no total's
/// words.
bool looksLikeRecord(std::string_view line);

}  // namespace tablamo
