// The package writer's archives, checked by unzip: members whole and in pieces, plain and in
// ZIP64 form (the limit lowered, so that small archives take the ZIP64 path).

#include "export/zip_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <random>
#include <stdexcept>

#include "export/xlsx_package.h"
#include "export/zip_reader.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::readFrontToBack;
using testing::TempDir;

// unzip's verdict on the archive: its exit status, 0 for an archive without faults.
int unzipTest(const std::string& path) {
    return std::system(("unzip -tq '" + path + "' >/dev/null 2>&1").c_str());
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
