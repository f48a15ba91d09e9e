#pragma once
/// A report's fingerprint: the heading line that tells one program's reports from another's,
/// the same from one month to the next.

#include <string>

namespace tablamo {

class ReportText;
struct ReportLayout;

/// The fingerprint of the report under the layout's criteria (Windows-1254, as
/// headingFingerprint makes it), taken from the headings over the columns that the column
/// detection measures. In a framed report these stand inside the frame: the lines right
/// below its top line up to the rule (─) under them, at most three, joined by a blank (only
/// the first line when no such rule follows that closely). In a report with a rule line they
/// are the line right above it. The frame comes first, as its widths are the ones the import
/// keeps when a report has both. The title above, with its dates and page numbers, is left
/// out, so the same program's reports match across months. Empty for a text with neither
/// line: such a report matches no profile.
std::string reportFingerprint(const ReportText& text, const ReportLayout& layout);

}  // namespace tablamo
