#pragma once
/// "Birleştir…": several reports as one clean table in the window's grid.

#include <string>
#include <vector>

#include "commands/report_merge.h"
#include "core/ui_port.h"

namespace tablamo {

struct Workspace;

/// The title of "Birleştir…"'s open dialog (UTF-8).
inline constexpr const char* kMergeDialogTitle = "Birleştirilecek raporlar";

/// The "Kaynak" texts of files picked together: each one's path under the folder they all
/// lie in ("ocak/muavin.txt"), with "/" between folders; the name alone when they share
/// their folder.
std::vector<std::string> sourceLabels(const std::vector<std::string>& paths);

/// What "Birleştir…" says when it is through (UTF-8, lines ended by CR LF): the reports and
/// records in the table, then every report left out of it with why (another shape, not
/// read, no report), then what was said of the reports in it (totals that disagree).
std::string mergeMessage(const std::vector<MergedReport>& reports, const std::string& sheet,
                         int records);

/// Reads the reports `paths` as "Aç" reads them with "Temiz tablo" ticked (several at once,
/// with the settings' layout before any profile), and puts the merged table of the first
/// report merged into the grid as a clean table under its column "Kaynak"; the reports of
/// another shape stay out of it. Shows mergeMessage(); the report buffer is emptied (the
/// table is no one report's) and the title bar strip says how many were merged. When no
/// report merges, the grid keeps its table and false is returned.
bool mergeFilesIntoGrid(Workspace& ws, UiPort& ui, const std::vector<std::string>& paths);

/// "Birleştir…": the open dialog for several reports (as "Aç"'s, starting in the folder of
/// the report loaded last), then mergeFilesIntoGrid(). False when cancelled.
bool mergeReportsIntoGrid(Workspace& ws, UiPort& ui);

}  // namespace tablamo
