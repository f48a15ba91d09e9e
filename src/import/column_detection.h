#pragma once
/// Finding a report's column widths from its rule line or its frame line.

#include "core/import_outcome.h"

namespace tablamo {

class ReportText;
struct ReportLayout;
struct DetectionReadout;
struct TableLocation;

/// "Sütun Ara" (Button4Click): finds the rule line of hyphens under the headings (from the
/// line of the search criterion's first occurrence on), measures the distances between its
/// field separators and writes them as the column widths, starting from the default widths.
/// A text without the criterion gives the not-a-report outcome; the widths are then the
/// defaults.
ImportOutcome detectColumnsFromRuleLine(const ReportText& text, ReportLayout& layout,
                                        DetectionReadout& readout);
/// The same for a report whose table is already located (by these settings' criteria).
ImportOutcome detectColumnsFromRuleLine(const ReportText& text, const TableLocation& table,
                                        ReportLayout& layout, DetectionReadout& readout);

/// "Sütun Ara BG" (Button10Click): the same for box-framed reports, from the first line that
/// holds the frame criterion, with the frame separator (the tee) as the column boundary.
ImportOutcome detectColumnsFromFrame(const ReportText& text, ReportLayout& layout,
                                     DetectionReadout& readout);
/// The same for a report whose table is already located (by these settings' criteria).
ImportOutcome detectColumnsFromFrame(const ReportText& text, const TableLocation& table,
                                     ReportLayout& layout, DetectionReadout& readout);

/// The detections an import runs when the column search is on, in its order: from the rule
/// line when the text holds the search criterion, then from the frame when it holds the
/// frame criterion (whose widths are then the ones kept).
void detectColumns(const ReportText& text, const TableLocation& table, ReportLayout& layout,
                   DetectionReadout& readout);

/// The same for a clean table's location: a table only the broader search found has its
/// widths measured at its own line (the rule's blanks, the frame's tees) when the column
/// search is on.
void detectCleanColumns(const ReportText& text, const TableLocation& table, ReportLayout& layout,
                        DetectionReadout& readout);

}  // namespace tablamo
