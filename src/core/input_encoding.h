#pragma once
/// How a report file's bytes are read: as the DOS code page 857 they normally are, or as
/// UTF-8 re-coded to code page 857 before the report is cut.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tablamo {

/// The reading the user asks for.
enum class InputEncoding {
    Auto,   ///< UTF-8 when the bytes are valid UTF-8 holding a multi-byte character
    Cp857,  ///< always the bytes as they are
    Utf8,   ///< always UTF-8
};

/// How the loaded text was read: shown in the window's status bar and by the converter.
struct InputReading {
    bool readAsUtf8 = false;   ///< the file was UTF-8 and re-coded to code page 857
    std::size_t replaced = 0;  ///< characters code page 857 lacks (or bytes that were no
                               ///< UTF-8, when UTF-8 was asked for), each now "?"
};

/// Whether the bytes are valid UTF-8 (no overlong form, no surrogate, nothing past
/// U+10FFFF) and hold at least one character of two bytes or more.
bool isMultiByteUtf8(std::string_view bytes);

/// The bytes re-coded to code page 857 when `encoding` calls for it (Auto: only when
/// isMultiByteUtf8), `reading` saying what was done; nothing when they stay as they are.
/// A byte-order mark at the start is dropped. Each character becomes one byte, so a line
/// keeps its columns: code page 857's own characters take their bytes, and the box-drawing
/// characters it lacks take the bytes DOS programs print them with (╤ 0xD1, ╟ 0xC7, …), so
/// frames are found as in the DOS file. Any other character becomes "?".
std::optional<std::string> recodeReportBytes(std::string_view bytes, InputEncoding encoding,
                                             InputReading& reading);

/// The note on a reading from UTF-8 (UTF-8, for the converter and the status bar); empty for
/// a file read as code page 857.
std::string inputReadingNote(const InputReading& reading);

}  // namespace tablamo
