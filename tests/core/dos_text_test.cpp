#include "core/dos_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tablamo {
namespace {

struct ConversionCase {
    std::string in;
    std::string text;   // DosToWinText
    std::string comma;  // DosToWinNumber with ","
    std::string point;  // DosToWinNumber with "."
};

TEST(DosToWin, ConvertsLettersDropsFramesAndAdaptsNumbers) {
    const ConversionCase cases[] = {
        {"", "", "", ""},
        {"\xC9\xCD\xCD\xD1\xCD\xBB", "", "", ""},
        {std::string(30, '\xC4'), "", "", ""},
        {"\x98STANBUL", "\xDDSTANBUL", "\xDDSTANBUL", "\xDDSTANBUL"},
        {"\x80\x9E\x9A\x99\xA6\xA7\x9F\x87\x94\x81\x8D",
         "\xC7\xDE\xDC\xD6\xD0\xF0\xFE\xE7\xF6\xFC\xFD",
         "\xC7\xDE\xDC\xD6\xD0\xF0\xFE\xE7\xF6\xFC\xFD",
         "\xC7\xDE\xDC\xD6\xD0\xF0\xFE\xE7\xF6\xFC\xFD"},
        {"\xB3 12.50 \xB3", " 12.50 ", "12,50", "12.50"},
        {"-5.00", "-5.00", "-5,00", "-5.00"},
        {" -5.00", " -5.00", " -5,00", " -5.00"},              // negative: its blanks stay
        {"0.00 ", "0.00 ", "0,00 ", "0.00 "},                  // zero: its blanks stay
        {"1.234,56 ", "1.234,56 ", "1,234,56 ", "1.234,56 "},  // not a number with ","
        {"01.02.2014", "01.02.2014", "01,02,2014", "01.02.2014"},
        {"12 345", "12 345", "12345", "12345"},
        {"AB 12", "AB 12", "AB 12", "AB 12"},
        {"+ 7", "+ 7", "+7", "+7"},
        {"1 e 3", "1 e 3", "1e3", "1e3"},
        {"1 e - 3", "1 e - 3", "1e-3", "1e-3"},
        {"1e 99999", "1e 99999", "1e 99999", "1e 99999"},      // too large: not a number
        {"1e -99999", "1e -99999", "1e -99999", "1e -99999"},  // underflows to 0
        {"1 e", "1 e", "1 e", "1 e"},
        {"1\t 2", "1\t 2", "1\t 2", "1\t 2"},  // only the blank goes, and a tab is no digit
        {"\xC7\xDD \xC9", "\xC7\xDD ", "\xC7\xDD ",
         "\xC7\xDD "},  // Windows "Ç", "İ" stay; "É" goes
        {". 5", ". 5", ",5", ".5"},
        {"5 ,", "5 ,", "5,", "5 ,"},
        {"1 . 2 . 3", "1 . 2 . 3", "1 , 2 , 3", "1 . 2 . 3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DosToWinText(c.in), c.text) << c.in;
        EXPECT_EQ(DosToWinNumber(c.in, ','), c.comma) << c.in;
        EXPECT_EQ(DosToWinNumber(c.in, '.'), c.point) << c.in;
    }
}

TEST(DosToWin, EveryByteOutsideTheTablesPassesUnchanged) {
    const std::string letters = "\x98\x80\x9E\x9A\x99\xA6\xA7\x9F\x87\x94\x81\x8D";
    const std::string frames = "\xC9\xCD\xD1\xB3\xBA\xC3\xC4\xC2\xC5\xB6\xC8\xCF\xBC\xBB";
    for (int b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        if (letters.find(ch) != std::string::npos || frames.find(ch) != std::string::npos) continue;
        EXPECT_EQ(DosToWinText(std::string(1, ch)), std::string(1, ch)) << b;
    }
    for (char f : frames) EXPECT_EQ(DosToWinText(std::string("a") + f + "b"), "ab");
}

// The clean table's texts: every letter of code page 857 that Windows-1254 has; one printed
// where code page 437 draws frames only beside a letter, the frame's characters going still.
TEST(DosToWinLetters, KeepsEveryLetterAndDropsFrames) {
    const std::pair<std::string, std::string> cases[] = {
        {"K\xB6R", "K\xC2R"},  // KÂR
        {"\xB6"
         "DEM \xB6",
         "\xC2"
         "DEM "},                                          // ÂDEM, a frame's ╢ alone
        {"k\x83r mill\x8C \x96", "k\xE2r mill\xEE \xFB"},  // kâr millî û
        {"\xD7LKE \x90ZEL \xA4", "\xCELKE \xC9ZEL \xF1"},  // ÎLKE ÉZEL ñ
        {"\xBA\xC4\xC4\xB6\xC7\xC4\xB3", "\xC7"},  // ║──╢╟─│: ╟ as DosToWinText
        {"\x98STANBUL \x80\x9E", "\xDDSTANBUL \xC7\xDE"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(DosToWinLetters(in), out) << in;
}

TEST(ReadDecimal, FollowsTheNumberRule) {
    const std::pair<const char*, bool> cases[] = {
        {"12", true},
        {"-12,5", true},
        {"+,5", true},
        {"5,", true},
        {",", true},
        {" 7 ", true},
        {"1e5", true},
        {"1E+5", true},
        {",e5", true},
        {"", false},
        {"-", false},
        {"1,2,3", false},
        {"1e", false},
        {"e5", false},
        {"1.5", false},
        {"1 2", false},
        {"0x10", false},
        {"1e5000", false},
        {"12a", false},
        // The edges of the extended range, the same on every platform.
        {"1,1897e4932", true},
        {"1,1898e4932", false},
        {"11897e4928", true},
        {"0,0001e4936", true},
        {"1e-6000", true},
        {"-2e4932", false},
    };
    for (const auto& [text, reads] : cases) EXPECT_EQ(readDecimal(text, ','), reads) << text;
}

TEST(DosToWinNumber, DropsBlanksOnlyOfNumbersWithinTheExtendedRange) {
    const std::pair<const char*, const char*> cases[] = {
        {"2023 E 3960", "2023E3960"},  // a document number that reads as 2023 x 10^3960
        {"2 E 4932", "2 E 4932"},      // beyond the range: no number
        {"1 E 4932", "1E4932"},
        {"5 E -4951", "5E-4951"},    // the smallest values above 0 still count
        {"3 E -4951", "3 E -4951"},  // too small: reads as 0, which keeps its blanks
    };
    for (const auto& [text, converted] : cases)
        EXPECT_EQ(DosToWinNumber(text, ','), converted) << text;
}

TEST(StringHelpers, CutBy16BitPositions) {
    struct Case {
        std::string text;
        std::uint32_t from, count;
        std::string mid;
    };
    const Case cases[] = {
        {"", 1, 5, ""},          {"ABC", 0, 2, "AB"}, {"ABC", 4, 1, ""},     {"ABC", 2, 100, "BC"},
        {"ABC", 65537, 2, "AB"}, {"ABC", 2, 0, ""},   {"ABC", 3, 65536, ""}, {"ABC", 65536, 1, "A"},
        {"ABC", 1, 65538, "AB"}, {"ABC", 3, 1, "C"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MidChars(c.text, c.from, c.count), c.mid) << c.from << "," << c.count;
    EXPECT_EQ(LeftChars("ABC", 5), "ABC");
    EXPECT_EQ(LeftChars("ABC", 0), "");
    EXPECT_EQ(LeftChars("ABC", 65538), "AB");
    EXPECT_EQ(LeftChars("", 3), "");
    EXPECT_EQ(TrimControl("\t \x01"
                          "a b\x1F \x20"),
              "a b");
    EXPECT_EQ(TrimControl(" \xB3 "), "\xB3");
}

}  // namespace
}  // namespace tablamo
