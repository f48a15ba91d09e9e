#pragma once
/// "Birleştir…": a month's reports as one book in the window, as the converter's --merge makes it.

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
/// records in the book, its tables with their records, then every report left out of it
/// with why (not read, no report, no record told apart), then what was said of the reports
/// in it (totals that disagree).
std::string mergeMessage(const std::vector<MergedReport>& reports, const Book& book);

/// Reads the reports `paths` stand for (a folder: the reports under it, as the converter's
/// --merge opens one) as "Aç" reads them with "Temiz tablo" ticked (several at once, with the
/// settings' layout before any profile, in the order of their paths), and makes the month's
/// book of them in the workspace, as --merge makes it: a table per shape of report under its
/// column "Kaynak", statements told by their lines, "Özet" last; the first table is shown.
/// Shows mergeMessage(); the report buffer is emptied (the book is no one report's), the
/// book's saves are offered under the name of the folder the reports share, and the title
/// bar strip says how many were merged. When no report merges, the book stays as it was and
/// false is returned.
bool mergeFilesIntoGrid(Workspace& ws, UiPort& ui, const std::vector<std::string>& paths);

/// "Birleştir…": the open dialog for several reports (as "Aç"'s, starting in the folder of
/// the report loaded last), then mergeFilesIntoGrid(). False when cancelled.
bool mergeReportsIntoGrid(Workspace& ws, UiPort& ui);

}  // namespace tablamo
