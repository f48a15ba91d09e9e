#include "core/input_encoding.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/temp_dir.h"

namespace tablamo {
namespace {

struct RecodeCase {
    const char* name;
    std::string bytes;
    InputEncoding encoding;
    std::optional<std::string> expected;  // nothing: the bytes stay as they are
    std::size_t replaced;
};

TEST(RecodeReportBytes, ReadsOnlyMultiByteUtf8AsUtf8) {
    using E = InputEncoding;
    const RecodeCase cases[] = {
        {"ASCII stays", "Tarih Borc\r\n", E::Auto, std::nullopt, 0},
        {"code page 857 stays", "A\x87\x8Dklama", E::Auto, std::nullopt, 0},
        {"UTF-8 letters", "A\xC3\xA7\xC4\xB1klama", E::Auto, "A\x87\x8Dklama", 0},
        {"byte-order mark dropped", "\xEF\xBB\xBF\xC5\x9E\r\n", E::Auto, "\x9E\r\n", 0},
        {"frame lines keep their DOS bytes", "\xE2\x95\x94\xE2\x95\x90\xE2\x95\xA4\xE2\x95\x97",
         E::Auto, "\xC9\xCD\xD1\xBB", 0},
        {"tee and side of the heading rule", "\xE2\x95\x9F\xE2\x94\x80\xE2\x95\xA2", E::Auto,
         "\xC7\xC4\xB6", 0},
        {"characters code page 857 lacks", "\xE2\x9C\x93x\xE2\x82\xAC", E::Auto, "?x?", 2},
        {"a four-byte character is one",
         "a\xF0\x9F\x98\x80"
         "b",
         E::Auto, "a?b", 1},
        {"overlong form is no UTF-8", "\xC0\xAF\xC3\xA7", E::Auto, std::nullopt, 0},
        {"surrogate is no UTF-8", "\xED\xA0\x80\xC3\xA7", E::Auto, std::nullopt, 0},
        {"cut sequence is no UTF-8", "\xC3\xA7\xC3", E::Auto, std::nullopt, 0},
        {"cp857 asked: UTF-8 stays", "\xC3\xA7", E::Cp857, std::nullopt, 0},
        {"utf-8 asked: ASCII re-read", "abc", E::Utf8, "abc", 0},
        {"utf-8 asked: stray bytes become ?",
         "\x87"
         "a\xC3(",
         E::Utf8, "?a?(", 2},
    };
    for (const RecodeCase& c : cases) {
        InputReading reading;
        reading.replaced = 99;
        const auto out = recodeReportBytes(c.bytes, c.encoding, reading);
        EXPECT_EQ(out, c.expected) << c.name;
        EXPECT_EQ(reading.readAsUtf8, c.expected.has_value()) << c.name;
        EXPECT_EQ(reading.replaced, c.replaced) << c.name;
    }
}

TEST(RecodeReportBytes, EveryCodePage857CharacterTakesItsByte) {
    // Both files are made by Python's own code page 857 codec.
    const std::string dir = std::string(TABLAMO_TEST_DATA) + "/utf8-input/";
    const std::string utf8 = testing::readBytes(dir + "cp857-all.utf8");
    ASSERT_FALSE(utf8.empty());
    InputReading reading;
    EXPECT_EQ(recodeReportBytes(utf8, InputEncoding::Auto, reading),
              testing::readBytes(dir + "cp857-all.txt"));
    EXPECT_EQ(reading.replaced, 0u);
}

// Windows-1254 is told by its Turkish letters beside the ASCII letters of words; its bytes
// stay as they are.
TEST(RecodeReportBytes, TellsWindows1254ByItsLetters) {
    struct Case {
        const char* name;
        std::string bytes;
        InputEncoding encoding;
        bool windows1254;
    };
    const Case cases[] = {
        {"Windows letters", "SATI\xDE FATURASI\r\nA\xE7\xFDklama", InputEncoding::Auto, true},
        {"code page 857 letters", "SATI\x9E FATURASI\r\nA\x87\x8Dklama", InputEncoding::Auto,
         false},
        {"a statement's one Windows heading among DOS letters",
         "TAR\xDDH A\x87\x8Dklama \x98STANBUL \x9EUBES\x98 KADIK\x99Y", InputEncoding::Auto, false},
        {"frames and signs beside blanks", "\xC7\xC4\xC4\xB6 \xFD \xDD 12\xF0", InputEncoding::Auto,
         false},
        {"ASCII", "Tarih Borc", InputEncoding::Auto, false},
        {"asked for", "Tarih Borc", InputEncoding::Cp1254, true},
        {"code page 857 asked for", "SATI\xDE", InputEncoding::Cp857, false},
    };
    for (const Case& c : cases) {
        InputReading reading;
        EXPECT_EQ(recodeReportBytes(c.bytes, c.encoding, reading), std::nullopt) << c.name;
        EXPECT_EQ(reading.windows1254, c.windows1254) << c.name;
        EXPECT_FALSE(reading.readAsUtf8) << c.name;
    }
}

TEST(Windows1254ToCp857, KeepsEachByteWhereItStands) {
    EXPECT_EQ(windows1254ToCp857("A\xE7\xFDklama \xDD\xDE\xD0\xF0 \xC7\xD6\xDC\r\n"),
              "A\x87\x8Dklama \x98\x9E\xA6\xA7 \x80\x99\x9A\r\n");
    EXPECT_EQ(windows1254ToCp857("\x80 \x93x\x94"), "? ?x?");  // € and quotes: none in 857
}

TEST(InputReadingNote, SaysWhatWasDone) {
    EXPECT_EQ(inputReadingNote({false, 0}), "");
    EXPECT_EQ(inputReadingNote({true, 0}), "UTF-8 olarak okundu.");
    EXPECT_EQ(inputReadingNote({true, 3}),
              "UTF-8 olarak okundu; kod sayfası 857'de karşılığı olmayan 3 karakter \"?\" oldu.");
    EXPECT_EQ(inputReadingNote({false, 0, true}), "Windows-1254 olarak okundu.");
}

}  // namespace
}  // namespace tablamo
