#pragma once
/// The clean import's selection step, beside the plain import's: which lines of a report
/// are records, which continue a record's text, which print totals. The shape of the lines
/// under the rule line is the evidence: which columns are filled and with what kind of value.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "clean/column_typing.h"
#include "clean/header_fields.h"
#include "clean/line_cutter.h"
#include "clean/table_layout.h"
#include "core/calendar.h"

namespace tablamo {

class ReportText;

/// What a report line is to the clean table.
enum class LineRole : std::uint8_t { Other, Blank, Rule, Heading, Record, Continuation, Total };

/// Which fields are keys: a record holds a date or a code in one of them.
using Keys = std::array<bool, CutLine::kFields>;

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
    bool mergeSplit = false;
    int end = 0;  ///< the line after the last one read
};

/// Reads the kinds from the table's body, lines `from` on before `end` (at most 20000 of
/// them); a two-digit year falls in `years`. A line printed again and again from `begin` (the
/// table's first line) on is no evidence.
FirstReading readKinds(const ReportText& text, const TableLayout& table, int from, int end,
                       DateOrder regional, YearWindow years, int begin = 0);

/// The role of a line that needs no cutting: blank, a rule, the headings again; Other for
/// the rest.
LineRole plainRole(std::string_view line, const TableLayout& table);

/// Whether a page begins at the line: a form feed, or the table line again.
bool startsPage(std::string_view line, const TableLayout& table);

/// The role of a line plainRole leaves Other, cut by the kinds: a record holds a date or a
/// code in one of the key columns and nothing that does not fit its column, whatever its
/// words; a total line prints amounts beside the words of a total and no date or code, or
/// amounts alone right under a rule that sums the lines above or under the headings (a sum
/// carried on), or a key with a total's words under such a rule, or away from records without
/// a `usual` column (a dated opening balance); a continuation fills
/// only text columns right under a record (`previous`: the role of the line before; the
/// table's own rule line under the headings counts as Heading).
LineRole classifyLine(std::string_view line, const CutLine& cut, const Kinds& kinds,
                      const Keys& keys, LineRole previous, const Keys* usual = nullptr);

}  // namespace tablamo
