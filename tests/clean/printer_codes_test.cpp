#include "clean/printer_codes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tablamo {
namespace {

using namespace std::string_literals;

// What stands on paper: the codes, their commands and parameters go; the lines stay.
TEST(PrinterCodes, TakeNoRoomOnPaper) {
    struct Case {
        const char* name;
        std::string bytes, paper;
    };
    const Case cases[] = {
        {"bold around an amount",
         "  \x1B"
         "E108.395,84\x1B"
         "F  B",
         "  108.395,84  B"},
        {"reset, letter quality and pitch",
         "\x1B@\x1Bx1\x1BM\x0F"
         "FIRMA",
         "FIRMA"},
        {"print mode with a NUL", "\x0E\x1B! MUAVIN\x1B!\0\x14 X"s, "MUAVIN X"},
        {"underline on and off", "\x1B-1GENEL TOPLAM\x1B-0", "GENEL TOPLAM"},
        {"double strike over the headings", "\x1BGTarih No\x1BH", "Tarih No"},
        {"condensed on and off, printer selected",
         "\x0F\x11"
         "a\x12\x13",
         "a"},
        {"two parameters", "\x1B$\x10\x02x", "x"},
        {"page length in inches",
         "\x1B"
         "C\0\x0Bx"s,
         "x"},
        {"a line of nothing but codes is empty", "a\r\n\x1B@\x12\r\nb", "a\r\n\r\nb"},
        {"a line break is no parameter", "a\x1B-\r\nb\x1B\nc", "a\r\nb\nc"},
        {"form feeds, tabs and DLE stay", "\f\tx\x10", "\f\tx\x10"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(holdsPrinterCodes(c.bytes), c.bytes != c.paper) << c.name;
        EXPECT_EQ(withoutPrinterCodes(c.bytes), c.paper) << c.name;
    }
}

// Sixteen bytes at a time and the rest one by one: a code anywhere is seen.
TEST(PrinterCodes, AreSeenWhereverTheyStand) {
    const std::string plain(40, 'x');
    EXPECT_FALSE(holdsPrinterCodes(plain + "\r\n\f\t\x10\x7F\xFF"));
    for (const char code : {'\x1B', '\x0E', '\x0F', '\x11', '\x12', '\x13', '\x14'}) {
        for (const std::size_t at : {0u, 15u, 16u, 31u, 39u}) {
            std::string bytes = plain;
            bytes[at] = code;
            EXPECT_TRUE(holdsPrinterCodes(bytes)) << int(code) << " at " << at;
        }
    }
}

TEST(PaperText, OnlyWhenThereIsSomethingToTakeOut) {
    EXPECT_FALSE(paperText(ReportText("Tarih\r\n01.01.2024\r\n"), false).has_value());
    const auto codes = paperText(ReportText("\x1B"
                                            "ETarih\x1B"
                                            "F\r\n\x0F\r\nx\r\n"),
                                 false);
    ASSERT_TRUE(codes.has_value());
    EXPECT_EQ(codes->lineCount(), 3);
    EXPECT_EQ(codes->line(0), "Tarih");
    EXPECT_EQ(codes->line(1), "");
    // A Windows report's letters where its DOS twin has them, codes gone as well.
    const auto windows = paperText(ReportText("\x1B"
                                              "EA\xE7\xFDklama\r\n"),
                                   true);
    ASSERT_TRUE(windows.has_value());
    EXPECT_EQ(windows->line(0), "A\x87\x8Dklama");
}

// A mapped report keeps its lines without codes in the file and copies the others; it reads
// as the copy of the whole text without its codes does, also past a line of 4096 bytes.
TEST(PaperText, OfAMappedReportReadsAsItsCopy) {
    testing::TempDir dir;
    const std::string bytes =
        "\x0F\x1B"
        "ETarih  Tutar\r\n\r\n01.01.2024  1.234,50\x1B"
        "F\r\n" +
        std::string(5000, 'x') +
        "\x1B-1\r\n\f\x0F"
        "FIRMA\r\nson";
    for (const bool crLf : {true, false}) {
        std::string file = bytes;
        if (!crLf) file.replace(file.find("\r\n"), 2, "\n");
        testing::writeBytes(dir / "r.txt", file);
        const ReportText mapped = ReportText::mapFile(dir / "r.txt");
        const auto paper = paperText(mapped, false);
        ASSERT_TRUE(paper.has_value());
        EXPECT_EQ(paper->linesOfAnother(), crLf);
        const ReportText copy(withoutPrinterCodes(file));
        ASSERT_EQ(paper->lineCount(), copy.lineCount());
        for (int i = 0; i < copy.lineCount(); ++i) {
            EXPECT_EQ(paper->line(i), copy.line(i)) << i;
            EXPECT_EQ(paper->fullLine(i), copy.fullLine(i)) << i;
        }
        EXPECT_EQ(paper->lineOfFirstOccurrence("1.234,50"), 2);
        EXPECT_EQ(paper->lineOfFirstOccurrence("FIRMA\r\nson"), 4);
        EXPECT_EQ(paper->lineOfFirstOccurrence("ETarih"), std::nullopt);
        paper->releasePagesBefore(4);  // a hint: the lines read the same after it
        EXPECT_EQ(paper->line(5), "son");
    }
}

}  // namespace
}  // namespace tablamo
