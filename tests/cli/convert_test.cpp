#include "cli/convert.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "core/encoding.h"
#include "support/converter_run.h"
#include "support/converter_texts.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using testing::readBytes;
using ::testing::StartsWith;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string kData = TABLAMO_TEST_DATA;
const std::string kSamples = TABLAMO_SAMPLES;

struct Outcome {
    int status;
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (const char c : s) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

// Runs the real converter; stderr is captured.
Outcome convert(const std::vector<std::string>& args) {
    const testing::ConverterRun run = testing::runConverter(args);
    return {run.status, run.err};
}

const char* const kCases[] = {"ledger-rule-line", "framed-report"};

TEST(Converter, GoldenCasesComeOutByteForByte) {
    for (const std::string name : kCases) {
        TempDir dir;
        const std::string report = kData + "/" + name + "/report.txt";
        for (const std::string ext : {"csv", "html"}) {
            const Outcome run =
                convert({"--decimal-separator", ",", "-q", "-o", dir / ("out." + ext), report});
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.err, "");
            EXPECT_EQ(readBytes(dir / ("out." + ext)),
                      readBytes(kData + "/" + name + "/expected." + ext))
                << name << " " << ext;
        }
    }
}

TEST(Converter, Utf8OutputIsTheSameTableInUtf8) {
    for (const std::string name : kCases) {
        TempDir dir;
        const std::string report = kData + "/" + name + "/report.txt";
        ASSERT_EQ(convert({"--decimal-separator", ",", "--encoding", "utf-8", "-o", dir / "out.csv",
                           report})
                      .status,
                  0);
        EXPECT_EQ(readBytes(dir / "out.csv"),
                  "\xEF\xBB\xBF" + win1254ToUtf8(readBytes(kData + "/" + name + "/expected.csv")));
        ASSERT_EQ(convert({"--decimal-separator", ",", "--encoding", "utf-8", "-o",
                           dir / "out.html", report})
                      .status,
                  0);
        std::string expected = win1254ToUtf8(readBytes(kData + "/" + name + "/expected.html"));
        const std::string head = "charset=\"windows-1254\"";
        expected.replace(expected.find(head), head.size(), "charset=\"utf-8\"");
        EXPECT_EQ(readBytes(dir / "out.html"), expected);
    }
}

TEST(Converter, WritesBesideTheInputWithTheFormatsExtension) {
    TempDir dir;
    fs::copy_file(kSamples + "/muavin.txt", dir / "muavin.txt");
    fs::copy_file(kSamples + "/framed.txt", dir / "kasa.not");
    const Outcome run = convert({dir / "muavin.txt", dir / "kasa.not"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, StartsWith((dir / "muavin.txt") + " -> " + (dir / "muavin.csv") + "\n" +
                                    (dir / "kasa.not") + " -> " + (dir / "kasa.csv") + "\n" +
                                    "2 dosya dönüştürüldü, 0 başarısız, 0 uyarı ("));
    EXPECT_EQ(dir.names(),
              (std::vector<std::string>{"kasa.csv", "kasa.not", "muavin.csv", "muavin.txt"}));
    ASSERT_EQ(convert({"--to", "html", "-q", dir / "muavin.txt"}).status, 0);
    EXPECT_TRUE(fs::exists(dir / "muavin.html"));
}

TEST(Converter, SeveralInputsGoIntoAnExistingFolder) {
    TempDir dir;
    const Outcome run = convert(
        {"-q", "-o", dir.path().string(), kSamples + "/muavin.txt", kSamples + "/framed.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"framed.csv", "muavin.csv"}));
    const Outcome notAFolder =
        convert({"-o", dir / "x.csv", kSamples + "/muavin.txt", kSamples + "/framed.txt"});
    EXPECT_EQ(notAFolder.status, 2);
    EXPECT_FALSE(fs::exists(dir / "x.csv"));
}

TEST(Converter, InputsThatWouldWriteTheSameFileAreRefusedBeforeAnythingIsWritten) {
    TempDir dir, other;
    fs::copy_file(kSamples + "/muavin.txt", dir / "rapor.txt");
    fs::copy_file(kSamples + "/framed.txt", dir / "rapor.not");
    fs::copy_file(kSamples + "/framed.txt", dir / "tablo.csv");
    fs::copy_file(kSamples + "/framed.txt", other / "rapor.txt");
    const std::vector<std::vector<std::string>> cases = {
        {dir / "rapor.txt", dir / "rapor.not"},
        {dir / "rapor.txt", dir / "../" + dir.path().filename().string() + "/rapor.txt"},
        {"-o", dir.path().string(), dir / "rapor.txt", other / "rapor.txt"},
        {dir / "tablo.csv"},  // its output would replace it
        {"--to", "csv", "-o", dir / "rapor.not",
         dir / "rapor.not"},  // the output named is the input
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&args - cases.data()));
        const Outcome run = convert(args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find("hiçbir şey yazılmadı"), std::string::npos) << run.err;
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"rapor.not", "rapor.txt", "tablo.csv"}));
    }
    EXPECT_EQ(readBytes(dir / "rapor.txt"), readBytes(kSamples + "/muavin.txt"));
}

TEST(Converter, ARejectedInputWritesNothingAndTheOthersAreStillConverted) {
    TempDir dir;
    fs::copy_file(kSamples + "/not-a-report.txt", dir / "mektup.txt");
    fs::copy_file(kSamples + "/muavin.txt", dir / "muavin.txt");
    const Outcome run = convert({"-q", dir / "mektup.txt", dir / "muavin.txt", dir / "yok.txt"});
    EXPECT_EQ(run.status, 1);
    const std::string name = dir / "mektup.txt";
    EXPECT_THAT(run.err, StartsWith(testing::notAReportLines(name) + "\n" + (dir / "yok.txt") +
                                    ": Cannot open file \"" + (dir / "yok.txt") +
                                    "\". No such file or directory.\n" +
                                    "1 dosya dönüştürüldü, 2 başarısız, 0 uyarı ("));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"mektup.txt", "muavin.csv", "muavin.txt"}));
}

TEST(Converter, AnOutputThatCannotBeCreatedFailsThatInputOnly) {
    TempDir dir;
    const Outcome run = convert({"-q", "-o", dir / "yok/rapor.csv", kSamples + "/muavin.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, kSamples + "/muavin.txt: Cannot create file \"" + (dir / "yok/rapor.csv") +
                           "\". No such file or directory.\n");
}

TEST(Converter, AStatementThatCannotBeReadFailsLikeAReport) {
    TempDir dir;
    const Outcome run = convert({"--akbank", "-q", dir / "yok.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, (dir / "yok.txt") + ": Cannot open file \"" + (dir / "yok.txt") +
                           "\". No such file or directory.\n");
}

TEST(Converter, UsageErrorsStopBeforeAnyFileIsRead) {
    TempDir dir;
    const Outcome run = convert({"--widths", "12x", dir / "yok.txt"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "tablamo-convert: --widths: '12x' geçerli bir tam sayı değil\n"
              "Ayrıntılar için: tablamo-convert --help\n");
}

TEST(Converter, ANewFileGetsTheModeOfTheUmaskTheConverterStartedWith) {
    for (const auto& [mask, mode] : {std::pair<const char*, fs::perms>{"022", fs::perms(0644)},
                                     {"002", fs::perms(0664)},
                                     {"077", fs::perms(0600)}}) {
        TempDir dir;
        const std::string command = std::string("umask ") + mask + " && exec " +
                                    quoted(TABLAMO_CONVERT) + " -q -o " + quoted(dir / "out.csv") +
                                    " " + quoted(kSamples + "/muavin.txt");
        ASSERT_EQ(std::system(command.c_str()), 0) << mask;
        EXPECT_EQ(fs::status(dir / "out.csv").permissions(), mode) << mask;
    }
}

TEST(ConvertOne, ImportsWithTheJobsSettingsIntoAFreshWorkspace) {
    TempDir dir;
    // Without detection the default widths cut the line; StartRow 0 takes the first line.
    writeBytes(dir / "r.txt",
               "----------\r\n" + std::string("ab") + std::string(8, ' ') + "12 345.5\r\n");
    Job job;
    job.layout.AutoColumnSearch = false;
    job.layout.StartRow = "0";
    job.layout.ColumnWidths[0] = "10";
    job.layout.ColumnWidths[1] = "8";
    job.regional.decimalSeparator = ',';
    Console console(stderr, false);
    ConsoleUi ui(console, "r.txt");
    ASSERT_TRUE(convertOne(job, dir / "r.txt", dir / "r.csv", ui));
    EXPECT_EQ(readBytes(dir / "r.csv"),
              ",A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T\r\n"
              "1,----------" +
                  std::string(19, ',') +
                  "\r\n"
                  "2,ab,\"12345,5\"" +
                  std::string(18, ',') + "\r\n");
}

}  // namespace
}  // namespace tablamo::cli
