#pragma once
/// Where a report's table is: the rule line of hyphens under its headings or the top line
/// of its box frame, found once per report. The plain import's column detections, the clean
/// table's layout and the report's fingerprint all read the table from here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

class ReportText;
struct ReportLayout;

/// Which markers of a report the text holds, byte for byte (an empty criterion never
/// occurs): the search criterion (the rule line's hyphens) and the frame criterion (the
/// double rule of a box frame).
struct ReportFormat {
    bool ruleLine = false;
    bool frame = false;
    /// A report holds at least one of them.
    bool isReport() const { return ruleLine || frame; }
};

/// What the table is read by.
enum class TableFormat {
    None,      ///< the text holds neither criterion
    RuleLine,  ///< a rule line of hyphens under the headings
    Frame,     ///< a box frame whose top line holds the frame criterion
};

/// A report's table as the layout's criteria find it.
struct TableLocation {
    ReportFormat criteria;  ///< which criteria the text holds
    /// The rule line "Sütun Ara" takes: the first line from the search criterion's first
    /// occurrence on with hyphens at characters 4 and 5 (not under a depreciation table's
    /// "    AMORT" or "FONU").
    std::optional<int> ruleLine;
    /// The frame line "Sütun Ara BG" takes: the line of the frame criterion's first
    /// occurrence.
    std::optional<int> frameLine;
    /// The line the table is read by: the frame's when the text holds the frame criterion
    /// and the column search is on (its widths are the ones the import keeps) or there is
    /// no rule line; else the rule line.
    TableFormat format = TableFormat::None;
    int line = -1;          ///< that line; -1 when the criterion has no such line
    std::string separator;  ///< its column boundary: the field or the frame separator
    /// Every width the separator scan measures in the line (more than the settings' 20 when
    /// it has more columns); none for line 0, which gives no widths.
    std::vector<std::int32_t> widths;
    /// Found by the clean table's broader search only: the plain import takes no such table.
    bool broader = false;

    bool isReport() const { return criteria.isReport(); }
    /// A table is there to read: the criteria's, or one the broader search found.
    bool found() const { return isReport() || broader; }
};

/// Finds the table: the criteria's first lines, searched once each, and the widths of the
/// table's line.
TableLocation locateTable(const ReportText& text, const ReportLayout& layout);

/// The table as a clean table finds it: the located table when its line measures columns;
/// else the first rule under the headings (hyphens or equals signs, any first column; of a
/// rule over the headings and one under them the lower) or the top line of a box frame of
/// single, double or mixed lines, measured at its own tees. The plain import is not
/// changed by it: a table only this search finds is `broader`.
TableLocation locateCleanTable(const ReportText& text, const ReportLayout& layout);

/// One of the tables a report prints one after the other (a sub-ledger, then a summary under
/// other headings): its line and widths, the lines that belong to it, and its title.
struct ReportTable {
    TableLocation location;
    int firstLine = 0;   ///< its first line: its title, else its headings
    int endLine = 0;     ///< the line after its last: the next table's first, or the end
    int titleLine = -1;  ///< the line that names it; -1 when none stands over its headings
    std::string title;   ///< that line's words, code page 857 as printed
};

/// The tables of a report in print order, the located one among them (a table printed
/// before it comes first): a table begins at a rule under headings or a frame's top line
/// that parts its columns elsewhere than the table before it (the same table's rule on
/// every page, a total's underline or a rule within the records begin none).
std::vector<ReportTable> reportTables(const ReportText& text, const TableLocation& first,
                                      const ReportLayout& layout);

/// Every width the separator scan measures in `line`, the last one (shortened by
/// LedgerMarks) included: more than 20 when the line has more separators than the settings
/// hold widths. The scan resumes two characters after its first separator, so the character
/// right after it is never looked at; later scans resume right after theirs.
std::vector<std::int32_t> measuredWidths(std::string_view line, std::string_view separator,
                                         bool ledgerMarks);

}  // namespace tablamo
