// The package writer's archives, checked by unzip: members whole and in pieces, plain and in
// ZIP64 form (the limit lowered, so that small archives take the ZIP64 path).

#include "export/zip_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <random>
#include <stdexcept>

#include "export/xlsx_package.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::TempDir;

// unzip's verdict on the archive: its exit status, 0 for an archive without faults.
int unzipTest(const std::string& path) {
    return std::system(("unzip -tq '" + path + "' >/dev/null 2>&1").c_str());
}

std::uint64_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b.at(at + i));
    return v;
}

// The archive read front to back, as a streaming reader reads it: each local header, its
// deflate data up to the stream's end, then its sizes and CRC (from the data descriptor
// when there is one), which must match what was inflated. Ends at the central directory.
std::map<std::string, std::string> readFrontToBack(const std::string& zip) {
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

// Text that compresses poorly, so a piece is more than a few bytes.
std::string noise(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(size, '\0');
    for (char& c : s) c = static_cast<char>('a' + gen() % 26);
    return s;
}

// `text` deflated as one Deflater piece, with its CRC.
struct Piece {
    ByteBuffer deflated;
    std::uint32_t crc = 0;
    std::size_t size = 0;
};
Piece deflated(std::string_view text) {
    Piece p;
    Deflater d;
    d.begin(p.deflated);
    d.add(text.substr(0, text.size() / 2), p.deflated);
    d.add(text.substr(text.size() / 2), p.deflated);
    d.end(p.deflated);
    p.crc = crc32Of(text);
    p.size = text.size();
    return p;
}

TEST(ZipWriter, ArchivesReadBackWholeInPlainAndZip64Form) {
    const std::string small = "<?xml version=\"1.0\"?><a/>";
    const std::string pieces[] = {noise(100000, 1), std::string(300000, 'x'), noise(5, 2)};
    const struct {
        const char* name;
        std::uint64_t limit;
        bool zip64;
    } cases[] = {
        {"plain", ZipWriter::kZip64Limit, false},
        {"every size and offset in ZIP64 form", 0, true},
        {"ZIP64 from the second member's offset on", 100, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StringSink sink;
        ZipWriter zip(sink, c.limit);
        zip.addMember("small.xml", small);
        zip.addMember("empty.xml", "");
        zip.beginMember("dir/pieces.xml", 400100);
        std::string whole;
        for (const std::string& text : pieces) {
            const Piece p = deflated(text);
            zip.appendDeflated(p.deflated.view(), p.crc, p.size);
            whole += text;
        }
        zip.endMember();
        zip.beginMember("nothing.xml", 0);
        zip.endMember();
        zip.finish();

        TempDir dir;
        const std::string path = dir / "a.zip";
        testing::writeBytes(path, sink.bytes());
        EXPECT_EQ(unzipTest(path), 0);
        EXPECT_EQ(testing::readPart(path, "small.xml"), small);
        EXPECT_EQ(testing::readPart(path, "empty.xml"), "");
        EXPECT_EQ(testing::readPart(path, "dir/pieces.xml"), whole);
        EXPECT_EQ(testing::readPart(path, "nothing.xml"), "");
        const std::map<std::string, std::string> streamed = {{"small.xml", small},
                                                             {"empty.xml", ""},
                                                             {"dir/pieces.xml", whole},
                                                             {"nothing.xml", ""}};
        EXPECT_EQ(readFrontToBack(sink.bytes()), streamed);
        EXPECT_EQ(sink.bytes().find("PK\x06\x06") != std::string::npos, c.zip64)
            << "the ZIP64 end record";
    }
}

TEST(ZipWriter, AMemberPastItsSizeBoundIsRefused) {
    // A bound below the ZIP64 limit promised 4-byte sizes that the member then outgrew.
    StringSink sink;
    ZipWriter zip(sink, 1000);
    zip.beginMember("a.xml", 10);
    const std::string text = noise(2000, 3);
    const Piece p = deflated(text);
    zip.appendDeflated(p.deflated.view(), p.crc, p.size);
    EXPECT_THROW(zip.endMember(), std::logic_error);
}

}  // namespace
}  // namespace tablamo
