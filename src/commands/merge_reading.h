#pragma once
/// The reports of a merge read, several at once, each in a workspace of its own, and added
/// to the merge in their order: memory holds the reports being read and the merged rows.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "commands/report_merge.h"
#include "core/import_settings.h"
#include "core/input_encoding.h"
#include "core/regional_settings.h"

namespace tablamo {

/// How the reports of a merge are read: as "Aç" reads them with "Temiz tablo" ticked.
struct MergeReading {
    ReportLayout layout;
    RegionalSettings regional;
    InputEncoding inputEncoding = InputEncoding::Auto;
    bool statements = false;     ///< read as Akbank statements ("Akbank Aç")
    bool lineNumbers = false;    ///< a last column "Satır" (the converter's --line-numbers)
    bool signedBalance = false;  ///< the window's "İşaretli bakiye"
    bool openings = false;       ///< the window's "Açılışlar"
    bool mapped = false;         ///< files mapped rather than read (the converter's way)
    bool quiet = false;          ///< a UTF-8 report is said only when characters were lost
    /// The saved layouts matched against each report ("Aç"'s); empty: none.
    std::string profilesFolder;
    int threads = 1;  ///< reports read at once
};

/// One report to merge.
struct MergeSource {
    std::string path;     ///< UTF-8
    std::string label;    ///< the "Kaynak" text: its path under the input folder
    std::string problem;  ///< why there is nothing to read (a folder that cannot be read)
    std::uint64_t bytes = 0;
    /// Found among reports in a folder: an Akbank statement is told by its own lines and
    /// read as one, with a line that says so.
    bool recogniseStatement = false;
};

/// Called in the sources' order as each report is added (from the reading threads, one
/// at a time).
using MergeProgress = std::function<void(std::size_t index, const MergedReport& report)>;

/// Reads every source and adds each clean table to `merge`, in the sources' order. A report
/// that cannot be read, is no report, is empty or has no record told apart is listed with
/// what was said of it and merges nothing; none stops the others. Errors of the merge itself
/// (memory) are raised once the threads have stopped.
std::vector<MergedReport> mergeReports(const std::vector<MergeSource>& sources,
                                       const MergeReading& reading, ReportMerge& merge,
                                       const MergeProgress& progress = {});

}  // namespace tablamo
