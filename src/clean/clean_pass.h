#pragma once
/// The clean import's pass over the report: every line given its role, every record typed
/// into the grid, every total line into the totals check, in report order; and what the
/// records hold, gathered to check the decisions the pass was made with.

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "clean/column_typing.h"
#include "clean/line_roles.h"
#include "clean/record_writer.h"
#include "clean/table_layout.h"
#include "core/calendar.h"
#include "core/regional_settings.h"

namespace tablamo {

class ReportText;

/// The decisions a pass is made with: how its records are written, which fields identify
/// them, and which lines it reads.
struct PassPlan : RecordPlan {
    Keys keys{};
    Keys usual{};       ///< the other date or code columns most records fill
    int firstLine = 0;  ///< StartRow: records from here on
    int endLine = 0;    ///< lines before this one are read
    int beginLine = 0;  ///< and from this one on: the table's among several
    /// Where the table's records begin on the line (0-based, frame characters not counted): a
    /// line of words there between the records, with no amount and no field's label, heads a
    /// group ("253 TESİS, MAKİNE VE CİHAZLAR"); -1 when no record tells.
    int leftEdge = -1;
    /// How many such lines a group's block prints at most, one per level (a depot, a group,
    /// an item): the last of a block is the innermost level.
    int groupDepth = 0;
    /// The lines that are notes of their groups (sorted).
    std::vector<int> noteLines;
};

/// The lines from `from` to `end` that are records for sure, the first 20,000 of them: what
/// a table's columns and edges are read from; with `bar`, read with it as a blank.
std::vector<int> sureRecords(const ReportText& text, int from, int end, char bar = 0);

/// Where the records for sure (`records`, by line) begin on the line, the least of them
/// (frame characters, the table's `bar` and blanks not counted); -1 when none is.
int recordsLeftEdge(const ReportText& text, const std::vector<int>& records, char bar);

/// What the records and continuation lines of a pass hold.
struct PassResult {
    std::array<ColumnStats, CutLine::kFields> stats;
    int records = 0;
    std::vector<HeaderLabel> labels;
    int nestedField = -1;  ///< the key code column whose accounts nest (120, 120.01)
    /// How often an undotted code came right under the one before by its digits (1, 10,
    /// 100); the least depth of a key code read so (CodeLevels::depth).
    int digitNests = 0, topDigits = INT_MAX;
    int codeKey = -1;    ///< the first key column of codes
    int groupDepth = 0;  ///< the most lines of words a group's block printed together
    /// The last lines of words under a record right before a total (sorted); how many of
    /// them go on none of the record's texts; how many such lines stand elsewhere; the
    /// longest line taken as a note.
    std::vector<int> noteLines;
    int fitNotes = 0;
    int noNotes = 0;
    int noteWidth = 0;
};

/// Gives every line before plan.endLine its role and, with an output, writes every record
/// through the record writer (dates in the regional short date, amounts in the user's
/// notation, codes and texts converted, continuation lines joined, carried fields as the
/// page header last printed them) and feeds records, page starts and total lines to the
/// check in report order. A two-digit year falls in `years`. A long report is read by two
/// threads, written by one.
PassResult runPass(const ReportText& text, const TableLayout& table, const PassPlan& plan,
                   const RegionalSettings& regional, YearWindow years, const RecordOutput& output);

}  // namespace tablamo
