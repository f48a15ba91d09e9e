#include "import/column_detection.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/import_settings.h"
#include "core/report_text.h"
#include "import/table_locator.h"

namespace tablamo {
namespace {

// Writes the widths measured in line `j` as widths 1, 2, ... (as many as the settings
// hold) and lists the distances between its separators in the read-outs (the list stays
// as it was when the line has no separator). The located table's own line is measured
// already.
void measureWidths(const ReportText& text, const TableLocation& table, int j,
                   std::string_view separator, ReportLayout& layout, DetectionReadout& readout) {
    const std::vector<std::int32_t> widths =
        j == table.line && separator == table.separator
            ? table.widths
            : measuredWidths(text.line(j), separator, layout.LedgerMarks);
    std::string list;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        list += ' ';
        list += std::to_string(widths[i]);
    }
    if (widths.size() > 1) readout.WidthList = list;
    for (std::size_t i = 0; i < widths.size() && i < std::size_t{ReportLayout::kWidthCount}; ++i) {
        layout.setColumnWidth(static_cast<int>(i) + 1, widths[i]);
    }
}

void showLine(const ReportText& text, int j, DetectionReadout& readout) {
    readout.SearchResultLine = std::string(text.line(j));
    readout.PrecedingLine = std::string(text.line(j - 1));
    readout.line = j;
}

}  // namespace

ImportOutcome detectColumnsFromRuleLine(const ReportText& text, ReportLayout& layout,
                                        DetectionReadout& readout) {
    return detectColumnsFromRuleLine(text, locateTable(text, layout), layout, readout);
}

ImportOutcome detectColumnsFromRuleLine(const ReportText& text, const TableLocation& table,
                                        ReportLayout& layout, DetectionReadout& readout) {
    layout.RestoreDefaultWidths();
    if (!table.criteria.ruleLine) return notAReport();
    // The read-outs show every candidate tried, the last one the line taken.
    const std::optional<int> j = table.ruleLine;
    showLine(text, j ? *j : text.lineCount() - 1, readout);
    if (!j) {  // no acceptable line: the defaults stay
        readout.line = -1;
        return {};
    }
    if (*j != 0) measureWidths(text, table, *j, layout.FieldSeparator, layout, readout);
    return {};
}

ImportOutcome detectColumnsFromFrame(const ReportText& text, ReportLayout& layout,
                                     DetectionReadout& readout) {
    return detectColumnsFromFrame(text, locateTable(text, layout), layout, readout);
}

ImportOutcome detectColumnsFromFrame(const ReportText& text, const TableLocation& table,
                                     ReportLayout& layout, DetectionReadout& readout) {
    layout.RestoreDefaultWidths();
    const std::optional<int> j = table.frameLine;
    if (!j) return notAReport();
    showLine(text, *j, readout);
    if (*j != 0) measureWidths(text, table, *j, layout.FrameSeparator, layout, readout);
    return {};
}

void detectColumns(const ReportText& text, const TableLocation& table, ReportLayout& layout,
                   DetectionReadout& readout) {
    if (!layout.AutoColumnSearch) return;
    if (table.criteria.ruleLine) detectColumnsFromRuleLine(text, table, layout, readout);
    if (table.criteria.frame) detectColumnsFromFrame(text, table, layout, readout);
}

void detectCleanColumns(const ReportText& text, const TableLocation& table, ReportLayout& layout,
                        DetectionReadout& readout) {
    if (!table.broader) return detectColumns(text, table, layout, readout);
    if (!layout.AutoColumnSearch) return;
    layout.RestoreDefaultWidths();
    showLine(text, table.line, readout);
    if (table.line != 0) measureWidths(text, table, table.line, table.separator, layout, readout);
}

}  // namespace tablamo
