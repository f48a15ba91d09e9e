// The converter's layout profiles and input encoding, end to end.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "cli/job.h"
#include "commands/profile_commands.h"
#include "support/converter_run.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::string kData = TABLAMO_TEST_DATA;
const std::string kSamples = TABLAMO_SAMPLES;

using testing::ConverterRun;

// Runs the real converter with the decimal separator fixed; stderr is captured.
ConverterRun convert(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal-separator", ","});
    return testing::runConverter(args);
}

TEST(ProfileConvert, ASavedProfileConvertsAsTheOptionsItHolds) {
    TempDir dir;
    const std::string report = kSamples + "/muavin.txt";
    const std::vector<std::string> options = {
        "--widths",    "11,8,30", "--no-auto-columns", "--no-ledger-marks",
        "--start-row", "3",       "--start-column",    "2"};
    std::vector<std::string> first = options;
    first.insert(first.end(),
                 {"--save-profile", dir / "p.json", "-o", dir / "options.csv", report});
    ASSERT_EQ(convert(first).status, 0);
    ASSERT_EQ(convert({"--profile", dir / "p.json", "-o", dir / "profile.csv", report}).status, 0);
    EXPECT_EQ(readBytes(dir / "profile.csv"), readBytes(dir / "options.csv"));

    // Options given as well override the profile.
    ASSERT_EQ(
        convert({"--widths", "11,8,30", "--no-auto-columns", "-o", dir / "o2.csv", report}).status,
        0);
    ASSERT_EQ(convert({"--profile", dir / "p.json", "--start-row", "1", "--start-column", "1", "-o",
                       dir / "p2.csv", report})
                  .status,
              0);
    EXPECT_NE(readBytes(dir / "p2.csv"), readBytes(dir / "options.csv"));
    const LayoutProfile p = loadProfile(dir / "p.json");
    EXPECT_EQ(p.layout.StartRow, "3");
    EXPECT_FALSE(p.layout.LedgerMarks);
}

TEST(ProfileConvert, TheCleanTableChoiceTravelsWithTheProfile) {
    TempDir dir;
    const std::string report = std::string(TABLAMO_TEST_DATA) + "/clean/mizan/report.txt";
    ASSERT_EQ(
        convert({"--clean", "--save-profile", dir / "p.json", "-o", dir / "a.csv", report}).status,
        0);
    EXPECT_TRUE(loadProfile(dir / "p.json").cleanTable);
    ASSERT_EQ(convert({"--profile", dir / "p.json", "-o", dir / "b.csv", report}).status, 0);
    EXPECT_EQ(readBytes(dir / "b.csv"), readBytes(dir / "a.csv"));
}

TEST(ProfileConvert, TheSavedWidthsAreTheOnesTheDetectionFound) {
    TempDir dir;
    for (const std::string name : {"muavin.txt", "kasa-defteri-cerceveli.txt"}) {
        const std::string report = kSamples + "/" + name;
        ASSERT_EQ(
            convert({"--save-profile", dir / "p.json", "-o", dir / "auto.csv", report}).status, 0);
        EXPECT_NE(loadProfile(dir / "p.json").layout.ColumnWidths, ReportLayout().ColumnWidths);
        // The same widths without the detection give the same table.
        ASSERT_EQ(convert({"--profile", dir / "p.json", "--no-auto-columns", "-o",
                           dir / "fixed.csv", report})
                      .status,
                  0);
        EXPECT_EQ(readBytes(dir / "fixed.csv"), readBytes(dir / "auto.csv")) << name;
    }
}

TEST(ProfileConvert, ABadProfileStopsTheRunBeforeAnythingIsConverted) {
    TempDir dir;
    const std::string valid = profileToJson(LayoutProfile{});
    const auto edited = [&](const std::string& from, const std::string& to) {
        std::string json = valid;
        return json.replace(json.find(from), from.size(), to);
    };
    const struct {
        const char* name;
        std::string json;
        std::string what;  // after 'Düzen dosyası "<file>": '
    } cases[] = {
        {"not JSON", "tablo", "JSON değil: 1. satır, 2. sütunda yazım hatası"},
        {"unknown version", edited("\"version\": 1", "\"version\": 7"),
         "\"version\": 7 bu programın okuduğu bir sürüm değil (1)"},
        {"unknown key", edited("\"LedgerMarks\"", "\"Ledger\": true, \"LedgerMarks\""),
         "\"layout.Ledger\" bir düzen dosyası anahtarı değil"},
        {"missing key", edited("\"AutoColumnSearch\": true,", ""),
         "\"layout.AutoColumnSearch\" eksik"},
        {"width not whole", edited("39,", "39.5,"),
         "\"layout.ColumnWidths[2]\": 39.5 bir tam sayı değil"},
    };
    const std::string report = kSamples + "/muavin.txt";
    for (const auto& c : cases) {
        const std::string path = dir / "bad.json";
        writeBytes(path, c.json);
        const ParseResult parsed =
            parseCommandLine({"--profile", path, "-o", dir / "out.csv", report}, ',');
        EXPECT_FALSE(parsed.job) << c.name;
        EXPECT_EQ(parsed.exitCode, 2) << c.name;
        EXPECT_EQ(parsed.err, "tablamo-convert: --profile: Düzen dosyası \"" + path +
                                  "\": " + c.what + "\nAyrıntılar için: tablamo-convert --help\n")
            << c.name;
    }
    // The real converter: status 2, nothing written.
    const ConverterRun run =
        convert({"--profile", dir / "bad.json", "-o", dir / "out.csv", report});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"bad.json"});
}

TEST(ProfileConvert, SaveProfileNeedsOneInputAndItsOwnFile) {
    const std::string report = kSamples + "/muavin.txt";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--save-profile", "p.json", report, kSamples + "/framed.txt"},
         "tek bir girdi gerekir; 2 girdi verildi"},
        {{"--save-profile", report, report},
         "'" + report + "' girdiyle ya da çıktıyla aynı dosya; hiçbir şey yazılmadı"},
        {{"--save-profile", "x.csv", "-o", "./x.csv", report},
         "'x.csv' girdiyle ya da çıktıyla aynı dosya; hiçbir şey yazılmadı"},
    };
    for (const auto& c : cases) {
        const ParseResult parsed = parseCommandLine(c.args, ',');
        EXPECT_EQ(parsed.exitCode, 2);
        EXPECT_EQ(parsed.err, "tablamo-convert: --save-profile: " + c.err +
                                  "\nAyrıntılar için: tablamo-convert --help\n");
    }
}

// `text` with every "D/" naming a file in `dir`.
std::string inFolder(std::string text, const TempDir& dir) {
    for (std::size_t at; (at = text.find("D/")) != std::string::npos;) {
        text.replace(at, 2, dir / "");
    }
    return text;
}

TEST(ProfileConvert, SaveProfileTakesNeitherTheTableWrittenNorTheSummary) {
    const struct {
        const char* name;
        std::vector<std::string> options;
        std::string err;
    } cases[] = {
        {"the output named after the input",
         {"--save-profile", "D/rapor.csv"},
         "'D/rapor.csv', 'D/rapor.txt' girdisinin çıktısıyla aynı dosya"},
        {"the output -o names as a workbook",
         {"--save-profile", "D/tablo.xlsx", "-o", "D/tablo.xls"},
         "'D/tablo.xlsx', 'D/rapor.txt' girdisinin çıktısıyla aynı dosya"},
        {"the summary",
         {"--save-profile", "D/ozet.jsonl", "--summary", "D/ozet.jsonl"},
         "'D/ozet.jsonl', --summary dosyasıyla aynı"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "rapor.txt", readBytes(kSamples + "/muavin.txt"));
        std::vector<std::string> args;
        for (const std::string& o : c.options) args.push_back(inFolder(o, dir));
        args.push_back(dir / "rapor.txt");
        const ConverterRun run = convert(args);
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_NE(
            run.err.find("--save-profile: " + inFolder(c.err, dir) + "; hiçbir şey yazılmadı"),
            std::string::npos)
            << c.name << ": " << run.err;
        EXPECT_EQ(dir.names(), std::vector<std::string>{"rapor.txt"}) << c.name;
    }
}

TEST(InputEncodingConvert, AUtf8ReportConvertsAsItsCodePage857Twin) {
    for (const std::string name : {"ledger-rule-line", "framed-report"}) {
        TempDir dir;
        const std::string utf8 = kData + "/utf8-input/" + name + ".txt";
        const ConverterRun run = convert({"-o", dir / "out.csv", utf8});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), utf8 + ": UTF-8 olarak okundu.");
        EXPECT_EQ(readBytes(dir / "out.csv"), readBytes(kData + "/" + name + "/expected.csv"))
            << name;
        // Read as code page 857 bytes, as before: the letters come out garbled, and the
        // frame is not found at all.
        convert({"--input-encoding", "cp857", "-q", "-o", dir / "raw.csv", utf8});
        EXPECT_NE(readBytes(dir / "raw.csv"), readBytes(dir / "out.csv")) << name;
    }
}

TEST(InputEncodingConvert, CharactersCodePage857LacksAreCounted) {
    TempDir dir;
    writeBytes(dir / "r.txt",
               "Ba\xC5\x9Fl\xC4\xB1k \xE2\x9C\x93 \xE2\x9C\x93\r\nTarih\r\n"
               "----------\r\n01.01.2005\r\n");
    const ConverterRun run = convert({"-q", "-o", dir / "out.csv", dir / "r.txt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, dir / "r.txt" +
                           ": UTF-8 olarak okundu; kod sayfası 857'de karşılığı olmayan 2 "
                           "karakter \"?\" oldu.\n");
}

}  // namespace
}  // namespace tablamo::cli
