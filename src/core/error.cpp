#include "core/error.h"

#include "core/encoding.h"
#include "core/platform/files.h"

namespace tablamo {

Error notAValidInteger(std::string_view fieldText) {
    return Error("'" + win1254ToUtf8(fieldText) + "' is not a valid integer value");
}

Error cannotOpenFile(std::string_view path, std::string_view reason) {
    return Error("Cannot open file \"" + std::string(path) + "\". " + std::string(reason));
}

Error cannotCreateFile(std::string_view path, std::string_view reason) {
    return Error("Cannot create file \"" + std::string(path) + "\". " + std::string(reason));
}

Error gridIndexOutOfRange() { return Error("Grid index out of range"); }

Error failedToLoadStream() { return Error("Failed to Load Stream"); }

std::string systemReason(int err) {
    return platform::reasonText({static_cast<unsigned long>(err)});
}

std::string errorBoxText(std::string_view message) {
    std::string text(message);
    // Bytes compare unsigned, as characters do: only "." and what sorts before it
    // (blanks, control characters, "!" to "-") end a text without a full stop added.
    if (text.empty() || static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

}  // namespace tablamo
