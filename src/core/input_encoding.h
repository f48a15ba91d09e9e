#pragma once
/// How a report file's bytes are read: as the DOS code page 857 they normally are, as UTF-8
/// re-coded to code page 857 before the report is cut, or as the Windows-1254 a later Windows
/// program saved.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tablamo {

/// The reading the user asks for.
enum class InputEncoding {
    Auto,    ///< UTF-8 when the bytes are valid UTF-8 holding a multi-byte character
    Cp857,   ///< always the bytes as they are
    Utf8,    ///< always UTF-8
    Cp1254,  ///< always Windows-1254
};

/// How the loaded text was read: shown in the window's status bar and by the converter.
struct InputReading {
    bool readAsUtf8 = false;   ///< the file was UTF-8 and re-coded to code page 857
    std::size_t replaced = 0;  ///< characters code page 857 lacks (or bytes that were no
                               ///< UTF-8, when UTF-8 was asked for), each now "?"
    /// The file is Windows-1254. Its bytes stay as they are: the plain import's conversion
    /// passes its letters through, and the clean table re-codes them (windows1254ToCp857).
    bool windows1254 = false;
};

/// Whether the bytes are valid UTF-8 (no overlong form, no surrogate, nothing past
/// U+10FFFF) and hold at least one character of two bytes or more.
bool isMultiByteUtf8(std::string_view bytes);

/// Whether the bytes are Windows-1254 rather than code page 857: the Turkish letters of
/// Windows-1254 (0xDD İ, 0xFD ı, 0xDE Ş, 0xFE ş, 0xD0 Ğ, 0xF0 ğ, Ç, Ö, Ü …) stand beside
/// the ASCII letters of words many times more often than those of code page 857 do.
bool looksLikeWindows1254(std::string_view bytes);

/// Windows-1254 bytes re-coded to code page 857, one byte for each (a character code page
/// 857 lacks becomes "?"): a Windows report is cut and converted as its DOS twin would be.
std::string windows1254ToCp857(std::string bytes);

/// The bytes re-coded to code page 857 when `encoding` calls for it (Auto: only when
/// isMultiByteUtf8), `reading` saying what was done; nothing when they stay as they are.
/// A byte-order mark at the start is dropped. Each character becomes one byte, so a line
/// keeps its columns: code page 857's own characters take their bytes, and the box-drawing
/// characters it lacks take the bytes DOS programs print them with (╤ 0xD1, ╟ 0xC7, …), so
/// frames are found as in the DOS file. Any other character becomes "?". Windows-1254 bytes
/// (Cp1254, or Auto when looksLikeWindows1254) stay as they are, `reading` saying so.
std::optional<std::string> recodeReportBytes(std::string_view bytes, InputEncoding encoding,
                                             InputReading& reading);

/// The note on a reading from UTF-8 or Windows-1254 (UTF-8, for the converter and the status
/// bar); empty for a file read as code page 857.
std::string inputReadingNote(const InputReading& reading);

}  // namespace tablamo
