// The help file's rich text reader on any bytes: it reads or refuses, never crashes, and
// never nests past its bound.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/rtf/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto doc = tablamo::rtf::read(bytes);
    if (doc && !tablamo::rtf::isRichText(bytes)) std::abort();
    if (doc) {
        // Every run holds text, and neighbours differ in format (they are merged otherwise).
        for (std::size_t i = 0; i < doc->runs.size(); ++i) {
            if (doc->runs[i].text.empty()) std::abort();
            if (i > 0 && doc->runs[i].bold == doc->runs[i - 1].bold &&
                doc->runs[i].italic == doc->runs[i - 1].italic &&
                doc->runs[i].underline == doc->runs[i - 1].underline) {
                std::abort();
            }
        }
    }
    return 0;
}
