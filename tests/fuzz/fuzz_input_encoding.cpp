// Re-coding a report's bytes from UTF-8, on any bytes and under each reading.

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/input_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool utf8 = isMultiByteUtf8(bytes);
    for (const InputEncoding encoding :
         {InputEncoding::Auto, InputEncoding::Utf8, InputEncoding::Cp857}) {
        InputReading reading;
        const auto out = recodeReportBytes(bytes, encoding, reading);
        const bool expected =
            encoding == InputEncoding::Utf8 || (encoding == InputEncoding::Auto && utf8);
        if (out.has_value() != expected || reading.readAsUtf8 != expected) std::abort();
        if (!out) continue;
        // One byte a character at most, and the line breaks, being ASCII, all kept: the
        // report keeps its lines.
        if (out->size() > bytes.size() || reading.replaced > out->size()) std::abort();
        for (const char brk : {'\r', '\n'}) {
            if (std::count(out->begin(), out->end(), brk) !=
                std::count(bytes.begin(), bytes.end(), brk)) {
                std::abort();
            }
        }
    }
    return 0;
}
