#pragma once
/// Converting report files the way the window opens and saves them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/console_ui.h"
#include "cli/job.h"

namespace tablamo {
struct Workspace;
}

namespace tablamo::cli {

/// Loads the file into the workspace's report buffer and imports it into the grid; false
/// when the import rejected the text (it has shown its message).
using Importer = bool (*)(Workspace& ws, UiPort& ui, const std::string& path);
/// Writes the workspace's grid to `path` safely.
using Writer = void (*)(const Workspace& ws, const Job& job, const std::string& path);

/// The importer for the job's inputs; nothing when this build has none for them.
Importer importerFor(const Job& job);
/// The writer of a format; nothing when this build has none.
Writer writerFor(OutputFormat format);

/// The output file of every input, in order. Raises UsageError when -o does not fit the
/// inputs, when two inputs would write the same file, or when an output is an input.
std::vector<std::string> planOutputs(const Job& job);

/// Called with the bytes read from the current input after each step of its conversion.
using StepReport = std::function<void(std::uint64_t bytesRead)>;

/// Converts one input in a fresh workspace (default settings plus the job's options, a
/// fresh 25-row grid), as "Aç" loads and imports it, and writes the grid with the same
/// writer the window's button uses. False when the import rejected the text or the file is
/// empty (the import's message is shown): then nothing is written. Errors (a file that
/// cannot be read or written) are raised.
bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step = {});

/// Runs the job: refuses what this build cannot do and colliding outputs before any file
/// is read, then converts every input, going on after a failure. Returns the exit status:
/// 0 all converted, 1 any failed or was rejected, 2 a usage error.
int runJob(const Job& job, Console& console);

}  // namespace tablamo::cli
