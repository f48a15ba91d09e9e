#include "import/table_locator.h"

#include <optional>

#include "core/dos_text.h"
#include "core/import_settings.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

// A rule line has hyphens at characters 4 and 5, and does not stand right under a line
// that begins "    AMORT" or "FONU" (the depreciation tables' own underlines).
bool acceptableRuleLine(const ReportText& text, int j) {
    const std::string_view line = text.line(j);
    const std::string_view above = text.line(j - 1);
    return MidChars(line, 4, 2) == "--" && LeftChars(above, 9) != "    AMORT" &&
           LeftChars(above, 4) != "FONU";
}

std::optional<int> ruleLineFrom(const ReportText& text, int first) {
    for (int j = first; j < text.lineCount(); ++j) {
        if (acceptableRuleLine(text, j)) return j;
    }
    return std::nullopt;
}

}  // namespace

TableLocation locateTable(const ReportText& text, const ReportLayout& layout) {
    TableLocation at;
    const std::optional<int> search = text.lineOfFirstOccurrence(layout.SearchCriterion);
    at.frameLine = text.lineOfFirstOccurrence(layout.FrameCriterion);
    at.criteria = {search.has_value(), at.frameLine.has_value()};
    if (search) at.ruleLine = ruleLineFrom(text, *search);
    if (at.criteria.frame && (layout.AutoColumnSearch || !at.ruleLine)) {
        at.format = TableFormat::Frame;
        at.line = *at.frameLine;
        at.separator = layout.FrameSeparator;
    } else if (at.criteria.ruleLine) {
        at.format = TableFormat::RuleLine;
        at.line = at.ruleLine.value_or(-1);
        at.separator = layout.FieldSeparator;
    }
    if (at.line > 0) {
        at.widths = measuredWidths(text.line(at.line), at.separator, layout.LedgerMarks);
    }
    return at;
}

}  // namespace tablamo
