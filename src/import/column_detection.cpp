#include "import/column_detection.h"

#include <string>
#include <string_view>

#include "core/dos_text.h"
#include "core/import_settings.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

constexpr std::uint32_t kToTheEnd = 0xFFFF;

// Measures the distances between the separators of line `rule` and writes them as widths
// 1, 2, ...; the rest of the line after the last separator gives the last width. The first
// pass resumes two characters after its separator, so the character right after the first
// separator is never looked at; later passes resume right after theirs.
int measureWidths(std::string_view rule, std::string_view separator, ReportLayout& layout,
                  DetectionReadout& readout) {
    std::string_view rest = rule;
    std::int64_t d = 0;
    int i = 0;
    std::string list;
    for (;;) {
        const std::size_t found = separator.empty() ? std::string_view::npos : rest.find(separator);
        if (found == std::string_view::npos) break;
        const auto n = static_cast<std::int64_t>(found) + 1;
        rest = MidChars(rule, static_cast<std::uint32_t>(d + n + 2), kToTheEnd);
        d += n;
        list += ' ';
        list += std::to_string(n);
        readout.WidthList = list;
        ++i;
        if (i <= ReportLayout::kWidthCount) layout.setColumnWidth(i, static_cast<std::int32_t>(n));
    }
    if (layout.LedgerMarks) d += 1;
    ++i;
    if (i <= ReportLayout::kWidthCount) {
        layout.setColumnWidth(
            i, static_cast<std::int32_t>(static_cast<std::int64_t>(rule.size()) - d));
    }
    return i;
}

void showLine(const ReportText& text, int j, DetectionReadout& readout) {
    readout.SearchResultLine = std::string(text.line(j));
    readout.PrecedingLine = std::string(text.line(j - 1));
    readout.line = j;
}

// A rule line has hyphens at characters 4 and 5, and does not stand right under a line
// that begins "    AMORT" or "FONU" (the depreciation tables' own underlines).
bool acceptableRuleLine(const ReportText& text, int j) {
    const std::string_view line = text.line(j);
    const std::string_view above = text.line(j - 1);
    return MidChars(line, 4, 2) == "--" && LeftChars(above, 9) != "    AMORT" &&
           LeftChars(above, 4) != "FONU";
}

}  // namespace

std::optional<int> findRuleLine(const ReportText& text, const ReportLayout& layout) {
    const auto first = text.lineOfFirstOccurrence(layout.SearchCriterion);
    if (!first) return std::nullopt;
    for (int j = *first; j < text.lineCount(); ++j) {
        if (acceptableRuleLine(text, j)) return j;
    }
    return std::nullopt;
}

std::optional<int> findFrameLine(const ReportText& text, const ReportLayout& layout) {
    return text.lineOfFirstOccurrence(layout.FrameCriterion);
}

std::vector<std::int32_t> measuredWidths(std::string_view line, std::string_view separator,
                                         bool ledgerMarks) {
    // The scan of measureWidths, every width kept.
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

ImportOutcome detectColumnsFromRuleLine(const ReportText& text, ReportLayout& layout,
                                        DetectionReadout& readout) {
    layout.RestoreDefaultWidths();
    const auto first = text.lineOfFirstOccurrence(layout.SearchCriterion);
    if (!first) return notAReport();
    // The read-outs show every candidate tried, the last one the line taken.
    const auto j = findRuleLine(text, layout);
    showLine(text, j ? *j : text.lineCount() - 1, readout);
    if (!j) {  // no acceptable line: the defaults stay
        readout.line = -1;
        return {};
    }
    if (*j != 0) measureWidths(text.line(*j), layout.FieldSeparator, layout, readout);
    return {};
}

ImportOutcome detectColumnsFromFrame(const ReportText& text, ReportLayout& layout,
                                     DetectionReadout& readout) {
    layout.RestoreDefaultWidths();
    const auto j = findFrameLine(text, layout);
    if (!j) return notAReport();
    showLine(text, *j, readout);
    if (*j != 0) measureWidths(text.line(*j), layout.FrameSeparator, layout, readout);
    return {};
}

}  // namespace tablamo
