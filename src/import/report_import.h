#pragma once
/// The fixed-width report import: every report line cut into 20 fields, one grid row each.

#include "core/import_outcome.h"

namespace tablamo {

struct Workspace;

/// "Dosyayı Aktar" (Button2Click): checks that the loaded text is a report (it holds the
/// search or the frame criterion), runs column detection when automatic column search is
/// on, sets the row count and headers, and cuts the lines from StartRow on into the grid
/// rows from StartColumn on: the first line as text, the following ones with number
/// conversion in columns 2 to 20. The table grows so that no line of the text falls off its
/// end. Shows nothing: the outcome says how it ended. A setting that is no whole number
/// raises "'%s' is not a valid integer value" with what was done before left done.
ImportOutcome importReport(Workspace& ws);

struct TableLocation;

/// The same for a text whose table is already located by the settings' criteria.
ImportOutcome importReport(Workspace& ws, const TableLocation& table);

}  // namespace tablamo
