#pragma once
// Reads a package front to back, as a streaming reader does: each local header, its deflate
// data up to the stream's end, then its sizes and CRC (from the data descriptor when there
// is one), which must match what was inflated; up to the central directory. Anything amiss
// raises std::runtime_error naming it. Used by the tests and the workbook's fuzz target.

#include <zlib.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tablamo::testing {

inline void zipExpect(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("zip: " + what);
}

inline std::uint64_t le(std::string_view b, std::size_t at, int bytes) {
    zipExpect(at + static_cast<std::size_t>(bytes) <= b.size(), "cut short");
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

inline std::map<std::string, std::string> readFrontToBack(std::string_view zip) {
    std::map<std::string, std::string> members;
    std::size_t at = 0;
    while (le(zip, at, 4) == 0x04034b50) {
        const bool descriptor = le(zip, at + 6, 2) & 8;
        std::uint64_t crc = le(zip, at + 14, 4), compressed = le(zip, at + 18, 4),
                      size = le(zip, at + 22, 4);
        const std::size_t nameSize = le(zip, at + 26, 2), extraSize = le(zip, at + 28, 2);
        const std::string name(zip.substr(at + 30, nameSize));
        const bool zip64 = extraSize >= 20 && le(zip, at + 30 + nameSize, 2) == 1;
        if (zip64 && !descriptor) {
            size = le(zip, at + 34 + nameSize, 8);
            compressed = le(zip, at + 42 + nameSize, 8);
        }
        at += 30 + nameSize + extraSize;
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + at));
        z.avail_in = static_cast<uInt>(zip.size() - at);
        std::string content;
        int rc = Z_OK;
        while (rc == Z_OK) {
            char out[1 << 16];
            z.next_out = reinterpret_cast<Bytef*>(out);
            z.avail_out = sizeof out;
            rc = inflate(&z, Z_NO_FLUSH);
            content.append(out, sizeof out - z.avail_out);
        }
        const std::uint64_t used = z.total_in;
        inflateEnd(&z);
        zipExpect(rc == Z_STREAM_END, name + ": deflate data without its end");
        at += used;
        if (descriptor) {
            zipExpect(le(zip, at, 4) == 0x08074b50, name + ": no data descriptor");
            const int width = zip64 ? 8 : 4;
            crc = le(zip, at + 4, 4);
            compressed = le(zip, at + 8, width);
            size = le(zip, at + 8 + width, width);
            at += 8 + 2 * width;
        }
        const auto* bytes = reinterpret_cast<const Bytef*>(content.data());
        zipExpect(crc == crc32(0, bytes, static_cast<uInt>(content.size())), name + ": CRC");
        zipExpect(compressed == used, name + ": compressed size");
        zipExpect(size == content.size(), name + ": size");
        zipExpect(members.emplace(name, std::move(content)).second, name + ": twice");
    }
    zipExpect(le(zip, at, 4) == 0x02014b50, "no central directory after the members");
    return members;
}

}  // namespace tablamo::testing
