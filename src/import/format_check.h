#pragma once
/// The report's format check: which of its two markers the text holds.

namespace tablamo {

class ReportText;
struct ReportLayout;

/// Which markers of a report the text holds: the search criterion (the rule line's hyphens)
/// and the frame criterion (the double rule of a box frame).
struct ReportFormat {
    bool ruleLine = false;
    bool frame = false;
    /// A report holds at least one of them.
    bool isReport() const { return ruleLine || frame; }
};

/// Looks for both criteria in the whole text, byte for byte; an empty criterion never occurs.
ReportFormat checkFormat(const ReportText& text, const ReportLayout& layout);

}  // namespace tablamo
