#pragma once
/// The clean import's pass over the report: every line given its role, every record typed
/// into the grid, every total line into the totals check, in report order; and what the
/// records hold, gathered to check the decisions the pass was made with.

#include <array>
#include <string>
#include <vector>

#include "clean/clean_grid.h"
#include "clean/column_typing.h"
#include "clean/totals_check.h"
#include "core/calendar.h"
#include "core/regional_settings.h"
#include "import/clean_layout.h"
#include "import/record_selection.h"

namespace tablamo {

class ReportText;

/// A column of the clean table: a page-header field carried into every record (by its
/// label), or a field of the report's lines.
struct OutColumn {
    std::string label;  ///< carried: the field's label as printed (Windows-1254)
    int field = -1;     ///< else the field it is cut from
    ColumnDecision kind;
    friend bool operator==(const OutColumn&, const OutColumn&) = default;
};

/// The decisions a pass is made with.
struct PassPlan {
    Kinds kinds;
    Keys keys{};
    std::vector<OutColumn> columns;
    std::vector<int> summed;  ///< the amount fields, in the totals check's order
    int marks = -1;           ///< the field of the B/A marks
    int levels = -1;          ///< the field of account codes of several levels
    int topPoints = 0;        ///< the points of a top-level account code
    int firstLine = 0;        ///< StartRow: records from here on
    int endLine = 0;          ///< lines before this one are read
};

/// A page-header field as the pass met it.
struct HeaderLabel {
    std::string label;                ///< as first printed
    std::vector<std::string> values;  ///< its different values, at most two
    bool pageOnly = false;            ///< it numbers or dates the page
    ColumnStats stats;                ///< of every value it printed
};

/// What the records and continuation lines of a pass hold.
struct PassResult {
    std::array<ColumnStats, CutLine::kFields> stats;
    int records = 0;
    std::vector<HeaderLabel> labels;
    int nestedField = -1;  ///< the key code column whose accounts nest (120, 120.01)
};

/// Where the lines of the pass go: nothing (a pass that only reads), or the grid, the
/// check and the shape.
struct PassOutput {
    CleanGrid* grid = nullptr;
    TotalsCheck* check = nullptr;
    CleanShape* shape = nullptr;
};

/// Gives every line before plan.endLine its role and, with an output, writes every record
/// (dates in the regional short date, amounts in the user's notation, codes and texts
/// converted, a text column's continuation lines joined with one blank, or with none where
/// the column cuts words and the line above was full, carried fields as the page header
/// last printed them) and feeds records, page starts and total lines to the check in report
/// order. A two-digit year falls in `years`. A long report is read by two threads, written
/// by one.
PassResult runPass(const ReportText& text, const TableLayout& table, const PassPlan& plan,
                   const RegionalSettings& regional, YearWindow years, const PassOutput& output);

}  // namespace tablamo
