#include "import/table_locator.h"

#include "core/dos_text.h"
#include "core/import_settings.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

constexpr std::uint32_t kToTheEnd = 0xFFFF;

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

std::vector<std::int32_t> measuredWidths(std::string_view line, std::string_view separator,
                                         bool ledgerMarks) {
    std::vector<std::int32_t> widths;
    std::string_view rest = line;
    std::int64_t d = 0;
    for (;;) {
        const std::size_t found = separator.empty() ? std::string_view::npos : rest.find(separator);
        if (found == std::string_view::npos) break;
        const auto n = static_cast<std::int64_t>(found) + 1;
        rest = MidChars(line, static_cast<std::uint32_t>(d + n + 2), kToTheEnd);
        d += n;
        widths.push_back(static_cast<std::int32_t>(n));
    }
    if (ledgerMarks) d += 1;
    widths.push_back(static_cast<std::int32_t>(static_cast<std::int64_t>(line.size()) - d));
    return widths;
}

}  // namespace tablamo
