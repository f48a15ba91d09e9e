#pragma once
/// The converter's --reconcile: our ledger and the other side's statement into one
/// reconciliation workbook.

#include "cli/command_line.h"
#include "cli/console_ui.h"
#include "cli/job.h"

namespace tablamo::cli {

/// --reconcile, --days, --same-side and --mirror into the job: two inputs, each a file, not
/// the same file nor two copies of one, and -o the output file; the days a whole number of 0
/// or more. Raises UsageError for a
/// combination that cannot run (the other options only go with --reconcile).
void readReconcileOptions(const GivenOptions& given, Job& job);

/// Reads both inputs, reconciles them and writes the four tables to the job's output, every
/// file checked before the first is written. Each side's warnings are said with its name;
/// the last line says how many records paired, how many are left on each side, and the
/// difference. Returns 0 when the difference is 0, 1 when it is not or nothing was written
/// (an output in a folder that does not exist is refused before anything is read), 2 when the
/// ledger is a bank's statement and the statement is not (given the other way round).
int runReconcile(const Job& job, Console& console);

}  // namespace tablamo::cli
