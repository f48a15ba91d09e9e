#pragma once
/// The reports a folder holds, as the converter and the window's "Birleştir…" open a folder:
/// the files old programs print reports to, in every subfolder.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tablamo {

/// Whether a file's name is one a report is printed to: ".txt", ".not", ".prn" or ".lst" in
/// any case, not hidden (a name beginning with ".").
bool isReportName(const std::string& name);

/// What a folder holds of reports.
struct FolderReports {
    /// Each report's path under the folder, in the order of their paths.
    std::vector<std::filesystem::path> found;
    /// The subfolders that could not be read (under the folder; empty: the folder itself),
    /// each with the system's reason.
    std::vector<std::pair<std::filesystem::path, std::string>> unreadable;
};

/// The reports under `folder` (UTF-8) and every subfolder of it, hidden files and folders
/// left out. Symbolic links to folders are not followed (a link back up would never end); a
/// link of a report's name is taken, so that one whose file is gone is reported. Pipes and
/// devices are left out.
FolderReports reportsInFolder(const std::string& folder);

/// The words for a folder that holds no report (UTF-8).
inline constexpr const char* kNoReportInFolder =
    "Klasörde .txt, .not, .prn ya da .lst dosyası yok.";

}  // namespace tablamo
