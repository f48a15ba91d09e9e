#pragma once
/// Where a report's table is: the rule line of hyphens under its headings or the top line of
/// its box frame, as the plain import's locator and the clean table's finder both give it,
/// and the widths its separators measure.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

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
    Data,      ///< no rule parts the columns: they are read from the record lines themselves
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
    /// A table drawn with bars alone or parted by colons, no frame line over it: its line is
    /// its first line of bars.
    bool barsAlone = false;
    /// Data: where each column's values stand within its field (0-based, inclusive), read
    /// from the records.
    std::vector<std::int32_t> runFrom, runTo;

    bool isReport() const { return criteria.isReport(); }
    /// A table is there to read: the criteria's, or one the broader search found.
    bool found() const { return isReport() || broader; }
};

/// Every width the separator scan measures in `line`, the last one (shortened by
/// LedgerMarks) included: more than 20 when the line has more separators than the settings
/// hold widths. The scan resumes two characters after its first separator, so the character
/// right after it is never looked at; later scans resume right after theirs.
std::vector<std::int32_t> measuredWidths(std::string_view line, std::string_view separator,
                                         bool ledgerMarks);

}  // namespace tablamo
