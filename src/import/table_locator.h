#pragma once
/// The plain import's table locator: the rule line of hyphens under a report's headings or
/// the top line of its box frame, found once per report by the settings' criteria. The plain
/// import's column detections and the report's fingerprint read the table from here.

#include "core/table_location.h"

namespace tablamo {

class ReportText;
struct ReportLayout;

/// Finds the table: the criteria's first lines, searched once each, and the widths of the
/// table's line.
TableLocation locateTable(const ReportText& text, const ReportLayout& layout);

}  // namespace tablamo
