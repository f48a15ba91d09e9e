#pragma once
/// A run of the converter: the inputs planned, converted N at once, reported in order.

#include "cli/console_ui.h"
#include "cli/job.h"

namespace tablamo::cli {

/// Runs the job: plans every output and refuses collisions before any file is read, then
/// converts the inputs on job.jobs threads, going on after a failure. Each input's lines
/// (its messages, then "input -> output") come out in the inputs' order; a run of several
/// inputs, or of a folder, ends with the summary line; --summary's file is written last.
/// Returns the exit status: 0 all converted, 1 any failed or was rejected (or the summary
/// file could not be written), 2 a usage error.
int runJob(const Job& job, Console& console);

}  // namespace tablamo::cli
