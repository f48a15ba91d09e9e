#pragma once
/// Finding a report's column widths from its rule line or its frame line.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

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

/// The rule line "Sütun Ara" takes: the first acceptable line from the line of the search
/// criterion's first occurrence on; nothing without the criterion or such a line.
std::optional<int> findRuleLine(const ReportText& text, const ReportLayout& layout);

/// The frame line "Sütun Ara BG" takes: the line of the frame criterion's first occurrence.
std::optional<int> findFrameLine(const ReportText& text, const ReportLayout& layout);

/// Every width the separator scan measures in `line`, the last one (shortened by
/// LedgerMarks) included: more than 20 when the line has more separators than the settings
/// hold widths.
std::vector<std::int32_t> measuredWidths(std::string_view line, std::string_view separator,
                                         bool ledgerMarks);

}  // namespace tablamo
