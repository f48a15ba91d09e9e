// The converter over many inputs: folders opened into their reports and mirrored under -o,
// several inputs at once with their lines in order, the summary line and the JSON Lines
// summary, and the memory of a run bounded by the inputs in flight.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <regex>
#include <set>

#include "support/converter_run.h"
#include "support/converter_texts.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using ::testing::MatchesRegex;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string kSamples = TABLAMO_SAMPLES;

using testing::ConverterRun;
using testing::runConverter;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1) {
        lines.push_back(text.substr(from, end - from));
    }
    return lines;
}

// Every file under a folder, relative paths, hidden ones too.
std::set<std::string> filesUnder(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_directory()) files.insert(fs::relative(e.path(), root).string());
    }
    return files;
}

std::string withoutSeconds(const std::string& record) {
    return std::regex_replace(record, std::regex(",\"seconds\":[0-9]+\\.[0-9]{3}\\}"), "}");
}

std::string notAReport(const std::string& in) { return testing::notAReportLines(in); }

// A month end's folder tree: three clients with subfolders, good reports, empty, binary and
// unreadable files mixed, and files the converter must leave alone.
TEST(ConverterFolders, ATreeIsConvertedIntoMirroredFoldersAndEveryBadFileIsReported) {
    TempDir dir;
    const fs::path tree = dir.path() / "ay-sonu";
    const std::string ledger = readBytes(kSamples + "/muavin.txt");
    const std::string frame = readBytes(kSamples + "/framed.txt");
    std::mt19937 gen(13);
    std::string binary(4096, '\0');
    for (char& c : binary) c = static_cast<char>(gen() & 0xFF);

    enum Kind { Ledger, Frame, Empty, Binary, Unreadable, Missing };
    std::map<std::string, Kind> inputs;  // by path under the tree
    const char* const clients[] = {"Müşteri A", "musteri-b", "C"};
    const char* const months[] = {"", "ocak/", "ocak/muavin/", "subat/"};
    for (int i = 0; i < 300; ++i) {
        const std::string folder = std::string(clients[i % 3]) + "/" + months[i / 3 % 4];
        const Kind kind = i % 10 < 7 ? (i % 2 ? Ledger : Frame) : static_cast<Kind>(i % 10 - 5);
        const char* ending = i % 4 == 0   ? ".TXT"
                             : i % 4 == 1 ? ".not"
                             : i % 4 == 2 ? ".Not"
                                          : ".txt";
        inputs[folder + "r" + std::to_string(i) + ending] = kind;
    }
    for (const auto& [name, kind] : inputs) {
        const fs::path path = tree / name;
        fs::create_directories(path.parent_path());
        switch (kind) {
            case Ledger:
                writeBytes(path, ledger);
                break;
            case Frame:
                writeBytes(path, frame);
                break;
            case Empty:
                writeBytes(path, "");
                break;
            case Binary:
                writeBytes(path, binary);
                break;
            case Unreadable:
                fs::create_symlink("/proc/self/mem", path);
                break;  // read gives EIO
            case Missing:
                fs::create_symlink(tree / "yok.txt", path);
                break;
        }
    }
    // Left alone: hidden files and folders, other endings.
    writeBytes(tree / "C/.gizli.txt", ledger);
    fs::create_directories(tree / ".eski");
    writeBytes(tree / ".eski/r.txt", ledger);
    writeBytes(tree / "C/notlar.doc", ledger);
    writeBytes(tree / "C/r.txt.bak", ledger);
    const std::set<std::string> treeBefore = filesUnder(tree);

    // What a single conversion of each good report writes.
    const ConverterRun one =
        runConverter({"-q", "-o", dir / "ledger.csv", kSamples + "/muavin.txt"});
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(runConverter({"-q", "-o", dir / "frame.csv", kSamples + "/framed.txt"}).status, 0);
    const std::string expectedCsv[] = {readBytes(dir / "ledger.csv"), readBytes(dir / "frame.csv")};

    fs::create_directory(dir / "out");
    const ConverterRun run = runConverter(
        {"-j", "2", "--summary", dir / "ozet.jsonl", "-o", dir / "out", tree.string()});
    EXPECT_EQ(run.status, 1);

    // The lines in the inputs' order, every bad file with its reason, the summary last.
    std::vector<std::string> expectedLines, expectedRecords;
    std::set<std::string> expectedOutputs;
    int converted = 0;
    for (const auto& [name, kind] : inputs) {  // sorted as the converter sorts the paths
        const std::string in = (tree / name).string();
        std::string out = (dir.path() / "out" / name).string();
        out = out.substr(0, out.rfind('.')) + ".csv";
        std::string status = "rejected", message;
        int rows = 0;
        switch (kind) {
            case Ledger:
            case Frame: {
                const std::string& csv = expectedCsv[kind];
                EXPECT_EQ(readBytes(out), csv) << name;
                expectedOutputs.insert(fs::relative(out, dir.path() / "out").string());
                expectedLines.push_back(in + " -> " + out);
                status = "converted";
                rows = static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
                ++converted;
                break;
            }
            case Empty:
                message = "Dosya boş: dönüştürülecek satır yok.";
                expectedLines.push_back(in + ": " + message);
                break;
            case Binary:
                for (const std::string& l : linesOf(notAReport(in) + "\n"))
                    expectedLines.push_back(l);
                message = notAReport("").substr(2);
                message = std::regex_replace(message, std::regex("\""), "\\\"");
                message = std::regex_replace(message, std::regex("\n: "), "\\n");
                break;
            case Unreadable:
            case Missing:
                message =
                    "Cannot open file \\\"" + in + "\\\". " +
                    (kind == Unreadable ? "Input/output error." : "No such file or directory.");
                expectedLines.push_back(in + ": " +
                                        std::regex_replace(message, std::regex("\\\\\""), "\""));
                status = "failed";
                break;
        }
        expectedRecords.push_back(
            "{\"input\":\"" + in + "\",\"output\":\"" + out + "\",\"status\":\"" + status +
            "\",\"rows\":" + std::to_string(rows) +
            ",\"warnings\":0,\"unplaced\":0,\"message\":\"" + message + "\"}");
    }
    std::vector<std::string> lines = linesOf(run.err);
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines.back(), MatchesRegex(std::to_string(converted) + " dosya dönüştürüldü, " +
                                           std::to_string(300 - converted) +
                                           " başarısız, 0 uyarı \\([0-9]+\\.[0-9] sn\\)"));
    lines.pop_back();
    EXPECT_EQ(lines, expectedLines);
    EXPECT_EQ(run.err.find('\r'), std::string::npos);  // stderr is no terminal: no progress line

    std::vector<std::string> records = linesOf(readBytes(dir / "ozet.jsonl"));
    for (std::string& r : records) r = withoutSeconds(r);
    EXPECT_EQ(records, expectedRecords);

    // Nothing else written, no temporary file left, the tree as it was.
    EXPECT_EQ(filesUnder(dir.path() / "out"), expectedOutputs);
    EXPECT_EQ(filesUnder(tree), treeBefore);
    // Every file has the mode of a new file, however many were saved at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const std::string& out : expectedOutputs) {
        struct stat st {};
        ASSERT_EQ(::stat((dir.path() / "out" / out).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << out;
    }
}

TEST(ConverterFolders, WithoutOutputEachReportIsWrittenBesideItself) {
    TempDir dir;
    fs::create_directories(dir.path() / "a/b");
    fs::copy_file(kSamples + "/muavin.txt", dir / "a/b/m.txt");
    fs::copy_file(kSamples + "/framed.txt", dir / "a/k.NOT");
    const ConverterRun run = runConverter({"-q", "--to", "html", dir / "a"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(filesUnder(dir.path()),
              (std::set<std::string>{"a/b/m.html", "a/b/m.txt", "a/k.NOT", "a/k.html"}));
}

TEST(ConverterFolders, PrinterFilesAreReportsAndAStatementIsReadAsOne) {
    TempDir dir;
    fs::create_directories(dir.path() / "in");
    fs::create_directories(dir.path() / "out");
    fs::copy_file(kSamples + "/muavin.txt", dir / "in/m.PRN");
    fs::copy_file(kSamples + "/framed.txt", dir / "in/k.lst");
    fs::copy_file(kSamples + "/akbank-ekstre.txt", dir / "in/ekstre.txt");
    const ConverterRun run = runConverter({"-o", dir / "out", dir / "in"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(filesUnder(dir.path() / "out"),
              (std::set<std::string>{"ekstre.csv", "k.csv", "m.csv"}));
    EXPECT_THAT(run.err, ::testing::HasSubstr((dir / "in/ekstre.txt") +
                                              ": Akbank hesap ekstresi olarak okundu\n"));
    EXPECT_THAT(run.err, ::testing::HasSubstr("3 dosya dönüştürüldü, 0 başarısız, 0 uyarı ("));
    // The statement's table is the one --akbank gives it.
    ASSERT_EQ(runConverter({"-q", "--akbank", "-o", dir / "tek.csv", dir / "in/ekstre.txt"}).status,
              0);
    EXPECT_EQ(readBytes(dir / "out/ekstre.csv"), readBytes(dir / "tek.csv"));
}

TEST(ConverterFolders, OutputsThatWouldCollideAreRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    for (const char* f : {"x/rapor.txt", "x/rapor.not", "y/rapor.txt", "z/sub/rapor.txt"}) {
        fs::create_directories((dir.path() / f).parent_path());
        fs::copy_file(kSamples + "/muavin.txt", dir / f);
    }
    fs::create_directory(dir.path() / "out");
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"-o", dir / "out", dir / "x"},
         "'" + (dir / "x/rapor.not") + "' ile '" + (dir / "x/rapor.txt") +
             "' aynı çıktıyı yazacaktı: '" + (dir / "out/rapor.csv") + "'; hiçbir şey yazılmadı"},
        {{"-o", dir / "out", dir / "y", dir / "z/sub"},
         "aynı çıktıyı yazacaktı: '" + (dir / "out/rapor.csv") + "'"},
        {{"--summary", dir / "z/sub/rapor.txt", dir / "z"},
         "--summary: '" + (dir / "z/sub/rapor.txt") + "' dosyası '" + (dir / "z/sub/rapor.txt") +
             "' girdisinin üzerine yazılacaktı"},
        {{"--summary", dir / "z/sub/rapor.csv", dir / "z"},
         "--summary: '" + (dir / "z/sub/rapor.csv") + "', '" + (dir / "z/sub/rapor.txt") +
             "' girdisinin çıktısıyla aynı dosya"},
        {{"-o", dir / "out/yeni", dir / "y"},
         "--output: birden çok girdi ya da bir klasör için var olan bir klasör gerekir"},
    };
    for (const auto& c : cases) {
        const ConverterRun run = runConverter(c.args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_THAT(run.err, ::testing::HasSubstr(c.error));
        EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
        EXPECT_FALSE(fs::exists(dir / "z/sub/rapor.csv"));
    }
}

// An .xls name is written as .xlsx; an ending that names no format is refused unread.
TEST(ConverterOutputNames, XlsBecomesXlsxAndAnUnknownEndingIsAUsageError) {
    TempDir dir;
    ConverterRun run = runConverter({"-q", "-o", dir / "rapor.xls", kSamples + "/muavin.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(filesUnder(dir.path()), std::set<std::string>{"rapor.xlsx"});
    EXPECT_EQ(readBytes(dir / "rapor.xlsx").substr(0, 2), "PK");
    run = runConverter({"-o", dir / "rapor.txt", dir / "yok.txt"});  // the input is never opened
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(
        run.err,
        "tablamo-convert: --output: '" + (dir / "rapor.txt") +
            "' bir klasör değil ve uzantısı bir çıktı biçimi belirtmiyor (.csv, .html, .htm, "
            ".xlsx, .xls); biçimi --to ile belirtin\nAyrıntılar için: tablamo-convert --help\n");
    run = runConverter({"-q", "--to", "csv", "-o", dir / "rapor.txt", kSamples + "/muavin.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(dir / "rapor.txt").substr(0, 4), ",A,B");
}

// Sixteen names of one 8 MB report on two threads: the run holds two reports' texts and
// grids at a time, not sixteen.
TEST(ConverterJobs, MemoryIsBoundedByTheInputsInFlight) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a sanitizer build's memory says nothing about the program";
#endif
    TempDir dir;
    std::string report = readBytes(kSamples + "/muavin.txt");
    const std::string body = report.substr(report.find("01.01.2005"));
    while (report.size() < (std::size_t{8} << 20)) report += body;
    writeBytes(dir / "r.txt", report);
    std::vector<std::string> args = {"-q", "-j", "2", "-o", dir.path().string()};
    fs::create_directory(dir.path() / "in");
    for (int i = 0; i < 16; ++i) {
        const std::string name = dir / ("in/r" + std::to_string(i) + ".txt");
        fs::create_hard_link(dir / "r.txt", name);
        args.push_back(name);
    }
    const ConverterRun run = runConverter(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(dir / "r15.csv").substr(0, 4), ",A,B");
    EXPECT_LT(run.peakBytes, static_cast<long>(2 * 3 * report.size() + (std::size_t{64} << 20)));
}

}  // namespace
}  // namespace tablamo::cli
