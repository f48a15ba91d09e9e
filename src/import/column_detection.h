#pragma once
/// Finding a report's column widths from its rule line or its frame line.

#include <optional>

#include "core/import_outcome.h"

namespace tablamo {

class ReportText;
struct ReportLayout;
struct DetectionReadout;

/// "Sütun Ara" (Button4Click): finds the rule line of hyphens under the headings (from the
/// line of the search criterion's first occurrence on), measures the distances between its
/// field separators and writes them as the column widths, starting from the default widths.
/// A text without the criterion gives the not-a-report outcome; the widths are then the
/// defaults.
ImportOutcome detectColumnsFromRuleLine(const ReportText& text, ReportLayout& layout,
                                        DetectionReadout& readout);

/// "Sütun Ara BG" (Button10Click): the same for box-framed reports, from the first line that
/// holds the frame criterion, with the frame separator (the tee) as the column boundary.
ImportOutcome detectColumnsFromFrame(const ReportText& text, ReportLayout& layout,
                                     DetectionReadout& readout);

/// The line "Sütun Ara" measures: the first acceptable rule line from the search criterion's
/// first occurrence on. Nothing when there is none or it is line 0 (then no width is measured).
std::optional<int> ruleLineTaken(const ReportText& text, const ReportLayout& layout);

/// The line "Sütun Ara BG" measures: the first line holding the frame criterion. Nothing
/// when there is none or it is line 0.
std::optional<int> frameLineTaken(const ReportText& text, const ReportLayout& layout);

}  // namespace tablamo
