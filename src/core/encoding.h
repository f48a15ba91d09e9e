#pragma once
/// Windows-1254 (the grid's code page) to and from UTF-8 (the screen's and the console's).

#include <optional>
#include <string>
#include <string_view>

namespace tablamo {

/// Unicode code point of a Windows-1254 byte; the five unassigned bytes map to the C1
/// control of the same value, as Windows does.
char32_t win1254ToUnicode(unsigned char byte);

/// The Windows-1254 text as UTF-8.
std::string win1254ToUtf8(std::string_view text);

/// The UTF-8 text in Windows-1254, or nothing when it holds a character the code page lacks
/// or is not valid UTF-8.
std::optional<std::string> utf8ToWin1254(std::string_view text);

/// Code point of a byte of a DOS report as the report is shown: code page 857, except that
/// the box-drawing bytes of code page 437 (which DOS programs drew frames with, and of which
/// the report import deletes fourteen) show as their lines.
char32_t dosToUnicode(unsigned char byte);

/// Windows-1254 byte of a code point, or nothing.
std::optional<unsigned char> unicodeToWin1254(char32_t cp);

/// Appends the UTF-8 form of code point `cp` to `out`.
void appendUtf8(std::string& out, char32_t cp);

}  // namespace tablamo
