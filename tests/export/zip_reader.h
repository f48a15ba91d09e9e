#pragma once
// Reads a package front to back, as a streaming reader does, checking every member's sizes
// and CRC on the way.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <map>
#include <string>

#include "export/zip_writer.h"

namespace tablamo::testing {

inline std::uint64_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b.at(at + i));
    return v;
}

// The archive read front to back, as a streaming reader reads it: each local header, its
// deflate data up to the stream's end, then its sizes and CRC (from the data descriptor
// when there is one), which must match what was inflated. Ends at the central directory.
inline std::map<std::string, std::string> readFrontToBack(const std::string& zip) {
    std::map<std::string, std::string> members;
    std::size_t at = 0;
    while (le(zip, at, 4) == 0x04034b50) {
        const bool descriptor = le(zip, at + 6, 2) & 8;
        std::uint64_t crc = le(zip, at + 14, 4), compressed = le(zip, at + 18, 4),
                      size = le(zip, at + 22, 4);
        const std::size_t nameSize = le(zip, at + 26, 2), extraSize = le(zip, at + 28, 2);
        const std::string name = zip.substr(at + 30, nameSize);
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
        EXPECT_EQ(rc, Z_STREAM_END) << name;
        const std::uint64_t used = z.total_in;
        inflateEnd(&z);
        at += used;
        if (descriptor) {
            EXPECT_EQ(le(zip, at, 4), 0x08074b50u) << name;
            const int width = zip64 ? 8 : 4;
            crc = le(zip, at + 4, 4);
            compressed = le(zip, at + 8, width);
            size = le(zip, at + 8 + width, width);
            at += 8 + 2 * width;
        }
        EXPECT_EQ(crc, crc32Of(content)) << name;
        EXPECT_EQ(compressed, used) << name;
        EXPECT_EQ(size, content.size()) << name;
        members[name] = content;
    }
    EXPECT_EQ(le(zip, at, 4), 0x02014b50u) << "the central directory after the members";
    return members;
}

}  // namespace tablamo::testing
