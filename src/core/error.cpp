#include "core/error.h"

#include <cstring>

#include "core/encoding.h"

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
    // strerror_r, not strerror: the converter reports from several threads at once.
    char buf[256];
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
    return ::strerror_r(err, buf, sizeof buf);
#else
    if (::strerror_r(err, buf, sizeof buf) != 0) return "Unknown error " + std::to_string(err);
    return buf;
#endif
}

std::string errorBoxText(std::string_view message) {
    std::string text(message);
    // Bytes compare unsigned, as characters do: only "." and what sorts before it
    // (blanks, control characters, "!" to "-") end a text without a full stop added.
    if (text.empty() || static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

}  // namespace tablamo
