#pragma once
/// The clean table's one record writer, for reports and statements alike. An importer's line
/// classifier says what each line is; the writer takes it in two steps: a RecordTyper (on any
/// thread, record_typer.h) types records with their continuation lines, total lines, page
/// starts and header fields into a chunk of cells and amounts; the RecordWriter takes the
/// chunks in report order into the grid and the totals check.

#include <string>
#include <string_view>
#include <vector>

#include "clean/clean_grid.h"
#include "clean/column_typing.h"
#include "clean/record_chunk.h"
#include "clean/record_typer.h"
#include "clean/totals_check.h"
#include "clean/voucher_runs.h"
#include "core/calendar.h"

namespace tablamo {

/// A page-header or group field as the writer met it.
struct HeaderLabel {
    std::string label;                ///< as first printed
    std::vector<std::string> values;  ///< its different values, at most two
    bool pageOnly = false;            ///< it numbers or dates the page
    ColumnStats stats;                ///< of every value it printed
    /// A field of a group's block under the headings, not of a page header: its place among
    /// the group fields (0: first met, the outermost group); -1 for a page-header field.
    int level = -1;
    std::string first;    ///< a group's field: the value of its first group
    bool blocks = false;  ///< a group's field whose groups print different values
    /// A group's field first printed after the table's records began, its label by no line
    /// before them: what closes a group ("Gruptaki ürün sayısı : 15", an average due date),
    /// no field of the records under it.
    bool closing = false;
};

/// Where the records go: nothing (a pass that only reads the header fields), or the grid,
/// the check and the shape.
struct RecordOutput {
    CleanGrid* grid = nullptr;
    TotalsCheck* check = nullptr;
    CleanShape* shape = nullptr;
    VoucherRuns* runs = nullptr;  ///< columns printed once a voucher, when looked for
};

/// Takes the typed chunks in report order: the header fields as the values carried into the
/// records, each record into the grid (numbered from 1) and its line into the shape, records,
/// page starts and total lines into the check; the lines of the body that are none of these
/// into the shape's lines not placed when a record or total follows them on their page (else
/// they were its footer).
class RecordWriter {
public:
    /// A two-digit year of a header field falls in `years`; with `regional`, a carried field
    /// of a date column is written as its short date.
    RecordWriter(const RecordPlan& plan, const RecordOutput& output, YearWindow years,
                 const RegionalSettings* regional = nullptr);

    void take(const Chunk& chunk);
    /// Every header field met so far, in the order first met.
    const std::vector<HeaderLabel>& labels() const { return m_labels; }

private:
    void field(std::string_view label, std::string_view value, bool group);
    static void keepValue(HeaderLabel& label, std::string_view value);
    void endBlock();
    void headGroups();
    void placeOthers();
    void startGroup();
    void endFieldLine();
    void amounts(const Chunk& chunk, const Chunk::Item& item, bool printed);
    void record(const Chunk& chunk, const Chunk::Item& item);
    void opening(std::string_view label, const Chunk::Item& item);
    void note(std::string_view text, const Chunk::Item& item);

    const RecordPlan& m_plan;
    RecordOutput m_out;
    YearWindow m_years;
    std::vector<HeaderLabel> m_labels;
    LineAmounts m_amounts;
    std::vector<std::string_view> m_cells;
    std::vector<std::string> m_opening;  // an opening row's cells
    std::vector<int> m_columnLabel;
    std::vector<std::string> m_current;
    std::vector<std::int32_t> m_pendingOther;  // lines of the page not placed yet (1-based)
    std::vector<char> m_unset;                 // group fields a new block has not printed (yet)
    std::vector<char> m_unplaced;           // fields of a line once not placed (a signature line's)
    std::vector<std::size_t> m_lineFields;  // the fields of the line of fields being read
    // Group fields whose value no record has taken yet: a group's value only once a record
    // follows (a footer's line after the last total begins no group).
    std::vector<char> m_untaken;
    bool m_anyUntaken = false;
    std::vector<const ColumnDecision*> m_dateOf;  // per label: its column's, when a date
    const RegionalSettings* m_regional;
    std::vector<int> m_levelOf;  // per label: its place among the carried columns; -1: none
    bool m_inBlock = false, m_blockChanged = false;
    int m_groups = 0;  // group fields met
    static constexpr int kNoGroup = 1 << 30;
    int m_groupLevel = kNoGroup;  // the outermost carried field changed since the last record
    int m_levelsColumn = -1;      // the column of the account codes of several levels
    int m_fieldLine = -1;         // the line of group fields under way (0-based)
    bool m_fieldLinePlaced = false, m_anyRecord = false;
    bool m_pageTop = false;  // a page began, no record under it yet
    int m_runFirst = 0;      // the first row of the group's records since its start or a total
};

}  // namespace tablamo
