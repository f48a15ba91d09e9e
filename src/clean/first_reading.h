#pragma once
/// The first reading of a table's columns: their kinds, read from the lines under the
/// headings that look like records for sure, and which of them are keys.

#include "clean/column_typing.h"
#include "clean/line_roles.h"
#include "clean/table_layout.h"
#include "core/calendar.h"

namespace tablamo {

class ReportText;

/// The columns' kinds read from the lines that look like records for sure (an amount
/// beside a date or a code), and whether the split-off field holds more than B/A marks.
struct FirstReading {
    Kinds kinds;
    /// The date or code columns most such lines fill: a record holds one of them.
    Keys keys{};
    /// The other date or code columns most such lines fill (a voucher number beside the
    /// date): a dated line that leaves one empty and carries a total's words at a group's
    /// start is its opening balance, not a record.
    Keys usual{};
    /// The columns whose values are whole numbers of a few digits ("18", "8").
    std::array<bool, CutLine::kFields> wholes{};
    bool mergeSplit = false;
    int end = 0;  ///< the line after the last one read
};

/// Reads the kinds from the table's body, lines `from` on before `end` (at most 20000 of
/// them); a two-digit year falls in `years`. A line printed again and again from `begin` (the
/// table's first line) on is no evidence.
FirstReading readKinds(const ReportText& text, const TableLayout& table, int from, int end,
                       DateOrder regional, YearWindow years, int begin = 0);

}  // namespace tablamo
