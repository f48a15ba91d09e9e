#pragma once
/// What a run converts: every input file, folders opened into the reports they hold, each
/// with the file it writes. Planned whole before any file is read or written.

#include <cstdint>
#include <memory>
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

/// Every file a run has named (its inputs, their outputs, the summary, the saved layout) and
/// every further file an input's book adds once it is read (rapor-2.csv, a file per group):
/// no file is written twice in one run, nor over an input or another's output. Shared by
/// the threads of a run.
class RunFiles {
public:
    RunFiles();
    ~RunFiles();
    RunFiles(const RunFiles&) = delete;
    RunFiles& operator=(const RunFiles&) = delete;

    /// The files the plan names: each input and its output, the summary file, the layout
    /// saved (--save-profile).
    void reserve(const std::vector<PlannedFile>& files, const Job& job);
    /// Takes `file` for `input`'s book. Raises an Error naming both when the file is an input,
    /// another's output, held by another's book, or the summary or layout file. `whose`
    /// names the book in the message; by default "'input' girdisinin".
    void claim(const std::string& file, const std::string& input, const std::string& whose = {});

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// The inputs without those that name a file named before (the same path twice, a link, a
/// file and its folder), each dropped one with the words that say so in `said` (UTF-8).
std::vector<PlannedFile> withoutRepeats(std::vector<PlannedFile> files,
                                        std::vector<std::pair<std::string, std::string>>& said);

/// The one file a merge writes (--merge, under the format's own ending as -o gets it), once
/// checked against the inputs: raises UsageError when it or the summary file would replace
/// an input, when they are the same file, or when its name does not end as the format's
/// files do (a book named "c.txt" would be read as a report by a later run).
std::string planMerge(const Job& job, const std::vector<PlannedFile>& files);

}  // namespace tablamo::cli
