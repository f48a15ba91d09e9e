#pragma once
/// The clean table of a report: every record and nothing else, typed, with the report's own
/// totals as proof; each table a report prints read on its own.

#include <string>
#include <vector>

#include "core/calendar.h"
#include "core/clean_shape.h"
#include "core/grid.h"
#include "core/import_outcome.h"
#include "core/import_settings.h"
#include "core/regional_settings.h"
#include "core/table_location.h"

namespace tablamo {

class ReportText;

/// What a clean reading is asked with.
struct CleanRequest {
    /// The settings: StartRow, LedgerMarks, the column search and, with it off, the widths.
    ReportLayout layout;
    RegionalSettings regional;
    /// Balances with B/A marks once more as one signed number.
    bool signedBalance = false;
    /// A group's opening balances as rows of their own, marked in a "Satır Türü" column.
    bool openings = false;
    /// Today: a two-digit year falls in the 100 years around its year (YearWindow).
    Date today;
};

/// One clean table: row 0 the headings, column 0 the record numbers, and what its check says.
struct CleanTableRead {
    Grid grid;
    CleanShape shape;
    ImportOutcome outcome;
    /// The line that titles it in the report (Windows-1254, "HESAP ÖZETİ"); empty for the
    /// first table, which the report's own title names.
    std::string name;
};

/// The widths a clean table cuts the table at `location` by: with the column search on, the
/// defaults with the widths its line measures over them; else the settings' own.
ReportLayout cleanLayoutFor(const TableLocation& location, ReportLayout layout);

/// A report's clean tables, and what is said of them all.
struct CleanReading {
    std::vector<CleanTableRead> tables;  ///< in print order; none when the first has no record
    /// The first table's outcome with what the others' checks say, each named by its title,
    /// and every table's warnings.
    ImportOutcome outcome;
};

/// Reads the table of `paper` (the report as it stands on paper: without printer codes, in
/// code page 857) at `location` and every further table the report prints, in print order.
/// A first table without a record gives none at all; a further one is said so and left out.
CleanReading readCleanReport(const ReportText& paper, const TableLocation& location,
                             const CleanRequest& request);

}  // namespace tablamo
