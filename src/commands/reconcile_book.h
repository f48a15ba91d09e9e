#pragma once
/// A reconciliation as four clean tables: the statement ("Mutabakat"), the records paired
/// ("Eşleşenler"), and those only in the ledger or only in the statement; shown in the window
/// through "Tablo:", saved as one workbook or a file each.

#include <string>
#include <vector>

#include "commands/reconcile_sides.h"
#include "commands/table_book.h"
#include "export/output_formats.h"
#include "reconcile/reconciliation.h"

namespace tablamo {

struct Workspace;

/// A reconciliation done: both sides as read, and what pairs and what is left.
struct Reconciliation {
    std::string ledgerPath, statementPath;
    ReadSide ledger, statement;
    reconcile::Result result;
};

/// Puts the reconciliation into the workspace as four clean tables, "Mutabakat" in the grid
/// and the others to be picked ("Eşleşenler", "Yalnız Defterde", "Yalnız Ekstrede"): amounts
/// from our side in the user's notation, dates in the regional short date, report lines as
/// codes. The report buffer is emptied: the tables are no one report's.
void showReconciliation(Workspace& ws, const Reconciliation& done);

/// The files the four tables go to as CSV or HTML: `path` without its ending, then
/// "-mutabakat", "-eslesenler", "-yalniz-defterde", "-yalniz-ekstrede" and the format's
/// extension; a workbook: `path` alone.
std::vector<std::string> reconciliationFiles(const std::string& path, OutputFormat format);

/// Saves the reconciliation in the workspace (showReconciliation): the workbook as the
/// window's "Excel" saves it, or a CSV or HTML file per table (reconciliationFiles). `check`,
/// when given, passes every file before the first is written. Returns the files written.
std::vector<std::string> saveReconciliation(const Workspace& ws, OutputFormat format,
                                            const std::string& path, const WriteOptions& options,
                                            const TargetCheck& check = {});

/// The printed page's header title of the reconciliation's sheets (Windows-1254): our firm
/// over "Mutabakat: " and the account (the one picked of several, else the ledger's header
/// line naming it) with the date of our closing balance; showReconciliation keeps it in the
/// book for the window's "Excel" and the converter alike.
std::string reconciliationTitle(const Reconciliation& done);

/// The closing line (UTF-8): "12 eşleşti, 3 yalnız defterde, 4 yalnız ekstrede; fark 0,00",
/// the difference in the user's notation, grouped.
std::string reconciliationSummary(const reconcile::Result& result, char decimalSeparator);

}  // namespace tablamo
