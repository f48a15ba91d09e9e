// Reading a layout profile from any text: a ProfileError or a profile that writes and reads
// back the same; no other exception.

#include <cstdlib>
#include <string_view>

#include "core/layout_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LayoutProfile profile;
    try {
        profile = profileFromJson(text, "fuzz.json");
    } catch (const ProfileError&) {
        return 0;
    }
    if (!(profileFromJson(profileToJson(profile), "fuzz.json") == profile)) std::abort();
    return 0;
}
