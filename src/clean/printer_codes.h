#pragma once
/// The printer's control codes that a DOS "print to file" leaves in a report: reset, pitch,
/// condensed and double-width print, bold, double strike, underline. They take no room on
/// paper, so a clean table reads its lines without them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/report_text.h"

namespace tablamo {

/// Whether the bytes hold a printer control code: ESC, or one of the single-byte codes SO,
/// SI, DC1, DC2, DC3, DC4. Looks at sixteen bytes at a time: every report is looked at.
bool holdsPrinterCodes(std::string_view bytes);

/// The bytes without their printer control codes: ESC and its command byte, with the
/// parameter bytes of the commands that take them (ESC - n, ESC W n, ESC ! n, ESC x n,
/// ESC 3 n, ESC $ n1 n2 …), and the single-byte codes. A line break is never taken as a
/// parameter, so the lines stay where they were; a line of nothing but codes comes out
/// empty.
std::string withoutPrinterCodes(std::string_view bytes);

/// The report as a clean table reads it, as it stands on paper: without its printer control
/// codes and, for a Windows-1254 report, re-coded to code page 857 byte for byte (the
/// columns stay where they are); nothing when the text reads as it is.
std::optional<ReportText> paperText(const ReportText& text, bool windows1254);

}  // namespace tablamo
