#pragma once
/// A run of the converter with --merge: every input's records into one book.

#include "cli/console_ui.h"
#include "cli/job.h"

namespace tablamo::cli {

/// Runs a --merge job: plans the inputs and the merged file (refusing one that would replace
/// an input), reads the inputs job.jobs at once and merges them in their order, then writes
/// the book (a workbook, or a CSV or HTML file per sheet) and --summary's file. Each input's
/// lines come out in order, then the closing summary line and the files written. Returns
/// the exit status: 0 every input merged, 1 any was not (it is listed in "Özet" with why), a
/// total disagreed with --strict, or a file could not be written; 2 a usage error.
int runMerge(const Job& job, Console& console);

}  // namespace tablamo::cli
