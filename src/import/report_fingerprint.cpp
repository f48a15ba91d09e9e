#include "import/report_fingerprint.h"

#include <optional>
#include <string_view>

#include "core/layout_profile.h"
#include "core/report_text.h"
#include "import/table_locator.h"

namespace tablamo {
namespace {

// A frame's headings stand on at most this many lines between its top line and the single
// rule (─) under them.
constexpr int kMostFrameHeadingLines = 3;

constexpr char kSingleRule = '\xC4';  // ─, the rule under a frame's headings

// Whether line `j` ends a frame's headings: the rule under them, or a rule line of hyphens
// drawn inside the frame.
bool endsFrameHeadings(std::string_view line, const ReportLayout& layout) {
    return line.find(kSingleRule) != std::string_view::npos ||
           (!layout.SearchCriterion.empty() &&
            line.find(layout.SearchCriterion) != std::string_view::npos) ||
           (!layout.FrameCriterion.empty() &&
            line.find(layout.FrameCriterion) != std::string_view::npos);
}

// The heading lines of a frame whose top line is `top`, joined by a blank: the lines below
// it up to the rule under them. Without such a rule near the top only the first line is
// taken, as the lines after it may already be entries.
std::string frameHeadings(const ReportText& text, int top, const ReportLayout& layout) {
    std::string heading;
    for (int j = top + 1; j <= top + kMostFrameHeadingLines && j < text.lineCount(); ++j) {
        if (endsFrameHeadings(text.line(j), layout)) return headingFingerprint(heading);
        heading += text.line(j);
        heading += ' ';
    }
    return headingFingerprint(text.line(top + 1));
}

// A detected line the widths are measured from: line 0 measures none.
std::optional<int> takenLine(std::optional<int> line) {
    return line && *line != 0 ? line : std::nullopt;
}

}  // namespace

std::string reportFingerprint(const ReportText& text, const ReportLayout& layout) {
    const TableLocation table = locateTable(text, layout);
    if (const auto frame = takenLine(table.frameLine)) {
        return frameHeadings(text, *frame, layout);
    }
    if (const auto rule = takenLine(table.ruleLine)) {
        return headingFingerprint(text.line(*rule - 1));
    }
    return {};
}

}  // namespace tablamo
