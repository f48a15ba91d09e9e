#pragma once
/// The clean table's finder: the tables a report prints, each by its rule under the headings
/// or its frame, whatever first column or drawing set it has. The plain import is not
/// changed by it.

#include <string>
#include <vector>

#include "core/table_location.h"

namespace tablamo {

class ReportText;
struct ReportLayout;

/// The table as a clean table finds it: the table the settings' criteria locate (`located`)
/// when its line measures columns;
/// else the first rule under the headings (hyphens or equals signs, any first column; of a
/// rule over the headings and one under them the lower) or the top line of a box frame of
/// single, double or mixed lines, measured at its own tees. The plain import is not
/// changed by it: a table only this search finds is `broader`.
TableLocation locateCleanTable(const ReportText& text, const TableLocation& located,
                               const ReportLayout& layout);

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

}  // namespace tablamo
