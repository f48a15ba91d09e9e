// The part of the platform layer that is the same everywhere: UTF-8 paths to the standard
// library's paths and back. On Windows a path built from char would be read in the ANSI
// code page; built from char8_t it is read as UTF-8.

#include "core/platform/files.h"

namespace tablamo::platform {

std::filesystem::path toFsPath(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string fromFsPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

}  // namespace tablamo::platform
