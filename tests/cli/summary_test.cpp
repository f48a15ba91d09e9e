// The texts a run ends with and shows meanwhile: the summary line, the summary file's
// records and the progress line, written in any locale the same.

#include "cli/summary.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/console_ui.h"

namespace tablamo::cli {
namespace {

TEST(Summary, LineCountsTheInputsAndGivesTheSecondsInTheUsersNotation) {
    EXPECT_EQ(summaryLine(302, 3, 1, 12.44, ','),
              "302 dosya dönüştürüldü, 3 başarısız, 1 uyarı (12,4 sn)");
    EXPECT_EQ(summaryLine(0, 1, 0, 0.04, '.'),
              "0 dosya dönüştürüldü, 1 başarısız, 0 uyarı (0.0 sn)");
    EXPECT_EQ(decimalText(1234.5678, 3, ','), "1234,568");
    EXPECT_EQ(decimalText(0.95, 0, ','), "1");
}

TEST(Summary, RecordIsOneJsonObjectOnOneLine) {
    const struct {
        const char* name;
        PlannedFile file;
        FileResult result;
        std::string expected;
    } cases[] = {
        {"converted with a warning",
         {"a/r.txt", "o/r.csv", "", 0, false, {}},
         {FileStatus::Converted, 24, {"Toplam tutmuyor: \"Borç\""}, 0.1234, 1, {}, 3},
         R"({"input":"a/r.txt","output":"o/r.csv","status":"converted","rows":24,"warnings":1,"unplaced":3,)"
         R"("message":"Toplam tutmuyor: \"Borç\"","seconds":0.123})"},
        {"rejected, its message's lines joined",
         {"C:\\r.txt", "r.csv", "", 0, false, {}},
         {FileStatus::Rejected, 0, {"bir\r\niki", "üç"}, 0, 0, {}},
         R"({"input":"C:\\r.txt","output":"r.csv","status":"rejected","rows":0,"warnings":0,"unplaced":0,)"
         R"("message":"bir\niki\nüç","seconds":0.000})"},
        {"a folder that cannot be read: no output",
         {"k\x01l\xFE", "", "Cannot open folder", 0, false, {}},
         {FileStatus::Failed, 0, {"Cannot open folder"}, 0, 0, {}},
         "{\"input\":\"k\\u0001l\xEF\xBF\xBD\",\"output\":null,\"inputBytes\":\"k%01l%FE\","
         "\"status\":\"failed\",\"rows\":0,"
         "\"warnings\":0,\"unplaced\":0,\"message\":\"Cannot open folder\",\"seconds\":0.000}"},
        {"names of another code page kept byte for byte",
         {"ay/r\xFC 100%.txt", "ay/r\xFC 100%.csv", "", 0, false, {}},
         {FileStatus::Converted, 1, {}, 0, 0, {}},
         "{\"input\":\"ay/r\xEF\xBF\xBD 100%.txt\",\"output\":\"ay/r\xEF\xBF\xBD 100%.csv\","
         "\"inputBytes\":\"ay/r%FC%20100%25.txt\",\"outputBytes\":\"ay/r%FC%20100%25.csv\","
         "\"status\":\"converted\",\"rows\":1,\"warnings\":0,\"unplaced\":0,\"message\":\"\","
         "\"seconds\":0.000}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(summaryRecord(c.file, c.result), c.expected + "\n") << c.name;
}

TEST(Console, FileNamesAreShownWithTheirControlCharactersEscaped) {
    const struct {
        const char* name;
        std::string file;
        std::string shown;
    } cases[] = {
        {"a line break", "ay\nsahte: 0 dosya.txt", "ay\\x0asahte: 0 dosya.txt"},
        {"a terminal command", "\x1b]0;x\x07r.txt", "\\x1b]0;x\\x07r.txt"},
        {"a C1 control",
         "r\xC2\x9B"
         "2J.txt",
         "r\\xc2\\x9b2J.txt"},
        {"a byte of another code page", "r\xFC.txt", "r\\xfc.txt"},
        {"Turkish letters stay", "kasa-şubat.txt", "kasa-şubat.txt"},
    };
    for (const auto& c : cases) {
        std::FILE* err = std::tmpfile();
        ASSERT_NE(err, nullptr);
        {
            Console console(err, false);
            console.say(c.file, "Cannot open file \"" + c.file + "\". No such file.\r\nikinci");
            console.say("", printableName(c.file) + " -> x.csv");
        }
        std::rewind(err);
        std::string written;
        for (int ch; (ch = std::fgetc(err)) != EOF;) written += static_cast<char>(ch);
        std::fclose(err);
        EXPECT_EQ(written, c.shown + ": Cannot open file \"" + c.shown + "\". No such file.\n" +
                               c.shown + ": ikinci\n" + c.shown + " -> x.csv\n")
            << c.name;
    }
}

TEST(Summary, ProgressGivesFilesRateAndTimeLeft) {
    const struct {
        int done, total;
        std::uint64_t bytesDone, bytesTotal;
        double elapsed;
        const char* expected;
    } cases[] = {
        {12, 302, 45'300'000, 90'600'000, 1.0,
         "tablamo-convert: 12/302 dosya, 45,3 MB/sn, kalan 0:01"},
        {0, 2, 0, 1'000'000, 1.5, "tablamo-convert: 0/2 dosya, 0,0 MB/sn"},  // no rate yet
        {1, 9, 1'000'000, 4'000'000'000, 1.0,
         "tablamo-convert: 1/9 dosya, 1,0 MB/sn, kalan 1:06:39"},
        {1, 9, 1'000'000, 61'000'000, 1.0, "tablamo-convert: 1/9 dosya, 1,0 MB/sn, kalan 1:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(progressText(c.done, c.total, c.bytesDone, c.bytesTotal, c.elapsed, ','),
                  c.expected);
    }
}

}  // namespace
}  // namespace tablamo::cli
