#pragma once
/// Errors that stop a command. Each carries the exact text the user sees (UTF-8).

#include <stdexcept>
#include <string>
#include <string_view>

namespace tablamo {

/// A failure that stops a command; what() is the text shown in the error box.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// "'%s' is not a valid integer value"; `fieldText` is the field's Windows-1254 text.
Error notAValidInteger(std::string_view fieldText);
/// "Cannot open file "%s". %s"
Error cannotOpenFile(std::string_view path, std::string_view reason);
/// "Cannot create file "%s". %s"
Error cannotCreateFile(std::string_view path, std::string_view reason);
/// "Grid index out of range"
Error gridIndexOutOfRange();
/// "Failed to Load Stream"
Error failedToLoadStream();

/// The system's reason for the failure code `err`: errno on POSIX ("No such file or
/// directory"), GetLastError() on Windows.
std::string systemReason(int err);

/// The error box's text: the error's text plus a full stop, unless its last character is
/// "." or a character that sorts before it.
std::string errorBoxText(std::string_view message);

}  // namespace tablamo
