#pragma once
/// The clean table's column of report line numbers (the converter's --line-numbers).

namespace tablamo {

struct Workspace;

/// The heading of the column --line-numbers adds (Windows-1254).
inline constexpr const char* kLineNumberHeading = "Sat\xFDr";

/// Adds a last column "Satır" to the workspace's clean table (to each of a report's several):
/// the report line each record starts on. Nothing when the table is not a clean one.
void addLineNumberColumn(Workspace& ws);

}  // namespace tablamo
