#pragma once
/// What a run converts: every input file, folders opened into the reports they hold, each
/// with the file it writes. Planned whole before any file is read or written.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/job.h"

namespace tablamo::cli {

/// One input of the run.
struct PlannedFile {
    std::string input;
    std::string output;       ///< the file written; empty when `problem` is set
    std::string problem;      ///< why there is nothing to convert (a folder that cannot be read)
    std::uint64_t bytes = 0;  ///< the input's size when planned, for the progress line
    /// The output's folder is made when missing: a subfolder mirrored under -o.
    bool makeFolder = false;
    /// The input named as the merge's "Kaynak" column names it: its path under the folder
    /// given (with "/" between folders), or the file as given.
    std::string source;
    /// Found in a folder given as an input, rather than named.
    bool inFolder = false;
};

/// Every file the job's inputs name, in order: a file as given, a folder as the .txt, .not,
/// .prn and .lst files under it (any case, recursively, hidden files and folders left out, in the
/// order of their paths). A folder that cannot be read, or holds no report, is an entry of
/// its own with its problem.
std::vector<PlannedFile> listInputs(const Job& job);

/// The inputs with their outputs: beside each input with the format's extension, in -o's
/// folder (a folder's subfolders mirrored), or -o itself for one input file (under the
/// format's own ending: ".xls" becomes ".xlsx"). Raises UsageError when -o does not fit the
/// inputs, when two inputs would write the same file, when an output or the summary file is
/// an input, or when the summary file is an output.
std::vector<PlannedFile> planOutputs(const Job& job);

/// The one file a merge writes (--merge, under the format's own ending as -o gets it), once
/// checked against the inputs: raises UsageError when it or the summary file would replace
/// an input, or when they are the same file.
std::string planMerge(const Job& job, const std::vector<PlannedFile>& files);

}  // namespace tablamo::cli
