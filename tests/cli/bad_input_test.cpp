// The converter given files it cannot read, cannot write or should not convert: each run
// says what went wrong, ends with the right status and by itself, leaves no partial output
// or temporary file, keeps an existing output intact, and stays within a few times the
// input's size in memory.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <random>

#include "export/xlsx_package.h"
#include "support/converter_run.h"
#include "support/converter_texts.h"
#include "support/failing_disk.h"
#include "support/temp_dir.h"

namespace tablamo::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Matcher;
using ::testing::StartsWith;

const std::string kLedger = std::string(TABLAMO_SAMPLES) + "/muavin.txt";

using Outcome = testing::ConverterRun;

// A file size limit set for the converter alone.
Outcome runConverter(const std::vector<std::string>& args, rlim_t fileSizeLimit = RLIM_INFINITY) {
    return testing::runConverter(args, {{}, fileSizeLimit, {}});
}

// The workbook library prints its own "[ERROR]" lines ahead of the converter's message.
std::string withoutLibraryLines(const std::string& err) {
    std::string out;
    std::size_t from = 0;
    while (from < err.size()) {
        const std::size_t end = std::min(err.find('\n', from), err.size() - 1) + 1;
        if (err.compare(from, 7, "[ERROR]") != 0) out.append(err, from, end - from);
        from = end;
    }
    return out;
}

// The most memory a conversion may take: the input three times over and the program itself.
// A sanitizer build keeps shadow memory and freed blocks in quarantine: there the bound
// says nothing about the program, so it is not held to it.
long peakBound(std::uintmax_t inputBytes) {
#if defined(__SANITIZE_ADDRESS__)
    (void)inputBytes;
    return std::numeric_limits<long>::max();
#else
    return static_cast<long>(inputBytes * 3 + (std::uintmax_t{64} << 20));
#endif
}

std::string cannotOpen(const std::string& in, int err) {
    return in + ": Cannot open file \"" + in + "\". " + std::strerror(err) + ".\n";
}
std::string cannotCreate(const std::string& in, const std::string& out, int err) {
    return in + ": Cannot create file \"" + out + "\". " + std::strerror(err) + ".\n";
}
std::string notAReport(const std::string& in) { return testing::notAReportLines(in) + "\n"; }

std::string emptyInput(const std::string& in) {
    return in + ": Dosya boş: dönüştürülecek satır yok.\n";
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(gen() & 0xFF);
    return bytes;
}

// A workbook that a spreadsheet program reads: its sheet holds no control character that
// XML forbids, whatever bytes the cells came from.
bool readableWorkbook(const std::string& bytes) {
    TempDir t;
    writeBytes(t / "book.xlsx", bytes);
    const std::string sheet = readPart(t / "book.xlsx", "xl/worksheets/sheet1.xml");
    return sheet.find("<sheetData") != std::string::npos &&
           std::none_of(sheet.begin(), sheet.end(), [](char c) {
               const auto u = static_cast<unsigned char>(c);
               return u < 0x20 && u != '\t' && u != '\n' && u != '\r';
           });
}

Matcher<const std::string&> outputOf(const std::string& format) {
    if (format == "csv") return StartsWith(",A,B,C,D");
    if (format == "html") return StartsWith("<html>");
    return ::testing::Truly(readableWorkbook);
}

struct Expect {
    std::vector<std::string> args;
    int status = 1;
    Matcher<const std::string&> err = ::testing::Eq("");
    std::map<std::string, Matcher<const std::string&>> written;  // new files in the folder
    rlim_t fileSizeLimit = RLIM_INFINITY;
    std::shared_ptr<void> keep;  // a mount that lasts for the run
    std::string skip;            // why this machine cannot make the case
};

Expect skipped(std::string reason) {
    Expect e;
    e.skip = std::move(reason);
    return e;
}

struct Case {
    const char* name;
    std::function<Expect(const TempDir& dir)> setup;
};

Expect inputFails(const std::string& in, const std::string& out, Matcher<const std::string&> err,
                  std::vector<std::string> options = {}) {
    Expect e;
    e.args = std::move(options);
    for (const char* a : {"-q", "-o"}) e.args.push_back(a);
    e.args.push_back(out);
    e.args.push_back(in);
    e.err = std::move(err);
    return e;
}

Expect converted(const std::string& in, const std::string& format,
                 std::vector<std::string> options = {}) {
    Expect e;
    e.args = std::move(options);
    for (const char* a : {"-q", "--to"}) e.args.push_back(a);
    e.args.push_back(format);
    e.args.push_back(in);
    e.status = 0;
    e.written.emplace(fs::path(in).stem().string() + "." + format, outputOf(format));
    return e;
}

// A long ledger that cannot be written: the existing output must come through as it was.
Expect writeFailsOverExistingFile(const TempDir& dir, const std::string& folder,
                                  const std::string& format, int err) {
    const std::string in = dir / "defter.txt";
    writeLongLedger(in, 20000);
    const std::string out = folder + "/eski." + format;
    writeBytes(out, "eski dosya\r\n");
    return inputFails(in, out, cannotCreate(in, out, err), {"--to", format});
}

Expect efbig(const TempDir& dir, const std::string& format, rlim_t limit = 16 << 10) {
    Expect e = writeFailsOverExistingFile(dir, dir.path().string(), format, EFBIG);
    e.fileSizeLimit = limit;
    return e;
}

// The workbook fits under the limit but for its last bytes, the package's directory.
Expect efbigInTheSheetsPart(const TempDir& dir) {
    TempDir whole;
    writeLongLedger(whole / "defter.txt", 20000);
    runConverter({"-q", "--to", "xlsx", whole / "defter.txt"});
    return efbig(dir, "xlsx", fs::file_size(whole / "defter.xlsx") - 40);
}

Expect diskFull(const TempDir& dir, const std::string& format) {
    auto disk = std::make_shared<SmallDisk>(dir / "disk", "64k");
    if (!disk->ok()) return skipped("no tmpfs can be mounted here (it needs root)");
    Expect e = writeFailsOverExistingFile(dir, dir / "disk", format, ENOSPC);
    e.keep = disk;
    return e;
}

const Case kCases[] = {
    // Inputs that cannot be read.
    {"MissingFile",
     [](const TempDir& d) {
         return inputFails(d / "yok.txt", d / "o.csv", cannotOpen(d / "yok.txt", ENOENT));
     }},
    {"FolderWithoutReportsAsInput",  // a folder is opened into its reports: here none
     [](const TempDir& d) {
         fs::create_directory(d / "klasor.txt");
         Expect e;
         e.args = {"-q", d / "klasor.txt"};
         e.err = ::testing::AllOf(
             StartsWith((d / "klasor.txt") +
                        ": Klasörde .txt, .not, .prn ya da .lst dosyası yok.\n"),
             ::testing::HasSubstr("\n0 dosya dönüştürüldü, 1 başarısız, 0 uyarı ("));
         return e;
     }},
    {"FileWithoutReadPermission",
     [](const TempDir& d) {
         if (::geteuid() == 0) {
             return skipped(
                 "root reads a file whatever its mode; FileWhoseReadFails covers a failing read");
         }
         writeBytes(d / "kilitli.txt", readBytes(kLedger));
         ::chmod((d / "kilitli.txt").c_str(), 0);
         return inputFails(d / "kilitli.txt", d / "o.csv", cannotOpen(d / "kilitli.txt", EACCES));
     }},
    {"FileWhoseReadFails",  // opens, but reading its first page gives EIO
     [](const TempDir& d) {
         return inputFails("/proc/self/mem", d / "o.csv", cannotOpen("/proc/self/mem", EIO));
     }},
    // Inputs that are no report: nothing is written.
    {"EmptyFile",
     [](const TempDir& d) {
         writeBytes(d / "bos.txt", "");
         return inputFails(d / "bos.txt", d / "o.csv", emptyInput(d / "bos.txt"));
     }},
    {"EmptyStatement",
     [](const TempDir& d) {
         writeBytes(d / "bos.txt", "");
         return inputFails(d / "bos.txt", d / "o.csv", emptyInput(d / "bos.txt"), {"--akbank"});
     }},
    {"NamedPipeWithoutAWriter",  // waited on for its writer a while, then read as empty
     [](const TempDir& d) {
         ::mkfifo((d / "boru").c_str(), 0600);
         return inputFails(d / "boru", d / "o.csv", emptyInput(d / "boru"));
     }},
    {"RandomBytes",
     [](const TempDir& d) {
         const std::string bytes = randomBytes(64 << 10, 7);
         if (bytes.find("----------") != std::string::npos) {
             ADD_FAILURE() << "the criterion turned up";
         }
         writeBytes(d / "rastgele.bin", bytes);
         return inputFails(d / "rastgele.bin", d / "o.csv", notAReport(d / "rastgele.bin"));
     }},
    {"NulBytes",
     [](const TempDir& d) {
         writeBytes(d / "sifir.txt", std::string(64 << 10, '\0'));
         return inputFails(d / "sifir.txt", d / "o.csv", notAReport(d / "sifir.txt"));
     }},
    {"OnlyLineBreaks",
     [](const TempDir& d) {
         std::string breaks;
         while (breaks.size() < (64 << 10)) breaks += "\r\n\n\r\r\n\r";
         writeBytes(d / "satirsonu.txt", breaks);
         return inputFails(d / "satirsonu.txt", d / "o.csv", notAReport(d / "satirsonu.txt"));
     }},
    // Binary bytes around the criterion are a report: every writer takes the cells they give.
    {"BinaryBytesAroundTheCriterionAsCsv",
     [](const TempDir& d) {
         writeBytes(d / "ikili.txt", randomBytes(32 << 10, 1) + "\r\n----------\r\n" +
                                         std::string(300, '\0') + "\r\n" +
                                         randomBytes(32 << 10, 2));
         return converted(d / "ikili.txt", "csv");
     }},
    {"BinaryBytesAroundTheCriterionAsHtml",
     [](const TempDir& d) {
         writeBytes(d / "ikili.txt",
                    randomBytes(32 << 10, 3) + "\r\n----------\r\n" + randomBytes(32 << 10, 4));
         return converted(d / "ikili.txt", "html");
     }},
    {"BinaryBytesAroundTheCriterionAsWorkbook",
     [](const TempDir& d) {
         writeBytes(d / "ikili.txt", randomBytes(32 << 10, 5) + "\r\n----------\r\n" +
                                         std::string(300, '\x01') + "\r\n" +
                                         randomBytes(32 << 10, 6));
         return converted(d / "ikili.txt", "xlsx");
     }},
    {"BinaryBytesAsAStatement",
     [](const TempDir& d) {
         writeBytes(d / "ikili.txt", randomBytes(64 << 10, 8));
         return converted(d / "ikili.txt", "csv", {"--akbank"});
     }},
    {"CrOnlyLineEnds",  // the same table as the report with CR LF
     [](const TempDir& d) {
         std::string bytes = readBytes(kLedger);
         for (std::size_t p; (p = bytes.find("\r\n")) != std::string::npos;) bytes.erase(p + 1, 1);
         writeBytes(d / "cr.txt", bytes);
         TempDir crlf;
         runConverter({"-q", "-o", crlf / "muavin.csv", kLedger});
         Expect e = converted(d / "cr.txt", "csv");
         e.written.at("cr.csv") = readBytes(crlf / "muavin.csv");
         return e;
     }},
    // Outputs that cannot be written.
    {"OutputFolderMissing",
     [](const TempDir& d) {
         return inputFails(kLedger, d / "yok/o.csv",
                           cannotCreate(kLedger, d / "yok/o.csv", ENOENT));
     }},
    {"SeveralInputsIntoAMissingFolder",
     [](const TempDir& d) {
         Expect e = inputFails(kLedger, d / "yok",
                               "tablamo-convert: --output: birden çok girdi ya da bir klasör "
                               "için var olan bir klasör gerekir: '" +
                                   (d / "yok") + "'\n");
         e.args.push_back(std::string(TABLAMO_SAMPLES) + "/framed.txt");
         e.status = 2;
         return e;
     }},
    {"OutputFolderNotWritable",
     [](const TempDir& d) {
         auto folder = std::make_shared<ReadOnlyFolder>(d / "salt-okunur");
         if (!folder->ok()) return skipped("no folder can be made read-only here");
         Expect e = inputFails(
             kLedger, d / "salt-okunur/o.csv",
             cannotCreate(kLedger, d / "salt-okunur/o.csv", ReadOnlyFolder::expectedErrno()));
         e.keep = folder;
         return e;
     }},
    {"OutputParentIsAFile",
     [](const TempDir& d) {
         writeBytes(d / "dosya.txt", "bir dosya\r\n");
         return inputFails(kLedger, d / "dosya.txt/o.csv",
                           cannotCreate(kLedger, d / "dosya.txt/o.csv", ENOTDIR));
     }},
    {"ExistingCsvWhenTheWriteFails", [](const TempDir& d) { return efbig(d, "csv"); }},
    {"ExistingHtmlWhenTheWriteFails", [](const TempDir& d) { return efbig(d, "html"); }},
    {"ExistingWorkbookWhenTheWriteFails", [](const TempDir& d) { return efbig(d, "xlsx"); }},
    {"ExistingWorkbookWhenTheSheetsPartFails",
     [](const TempDir& d) { return efbigInTheSheetsPart(d); }},
    {"ExistingCsvOnAFullDisk", [](const TempDir& d) { return diskFull(d, "csv"); }},
    {"ExistingHtmlOnAFullDisk", [](const TempDir& d) { return diskFull(d, "html"); }},
    {"ExistingWorkbookOnAFullDisk", [](const TempDir& d) { return diskFull(d, "xlsx"); }},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ConverterBadInput : public ::testing::TestWithParam<Case> {};

TEST_P(ConverterBadInput, SaysWhatWentWrongAndLeavesNoFileBehind) {
    TempDir dir;
    const Expect e = GetParam().setup(dir);
    if (!e.skip.empty()) GTEST_SKIP() << e.skip;
    const auto before = snapshot(dir.path());
    std::uintmax_t inputBytes = 0;
    for (const std::string& a : e.args) {
        std::error_code ec;
        if (fs::is_regular_file(a, ec)) inputBytes += fs::file_size(a, ec);
    }

    const Outcome run = runConverter(e.args, e.fileSizeLimit);
    ASSERT_EQ(run.signal, 0) << "ended by " << ::strsignal(run.signal) << "\n" << run.err;
    EXPECT_EQ(run.status, e.status) << run.err;
    EXPECT_THAT(withoutLibraryLines(run.err), e.err);
    auto after = snapshot(dir.path());
    for (const auto& [name, matcher] : e.written) {
        const auto it = after.find(name);
        if (it == after.end()) {
            ADD_FAILURE() << name << " was not written";
            continue;
        }
        EXPECT_THAT(readBytes(dir / name), matcher) << name;
        after.erase(it);
    }
    EXPECT_EQ(after, before);  // nothing else written, no temporary file, old files intact
    EXPECT_LE(run.peakBytes, peakBound(inputBytes));
}

INSTANTIATE_TEST_SUITE_P(Converter, ConverterBadInput, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A single line of 100 MB, the criterion at its very end, read by both imports and written
// in every format. Converted, and in memory within three times the input.
TEST(ConverterHugeInput, AHundredMegabyteLineIsConvertedWithinItsMemoryBound) {
    TempDir dir;
    const std::string in = dir / "uzun.txt";
    const std::uintmax_t size = std::uintmax_t{100} << 20;
    {
        std::ofstream out(in, std::ios::binary);
        const std::string chunk(1 << 20, 'x');
        for (std::uintmax_t left = size - 10; left > 0;) {
            const std::uintmax_t n = std::min<std::uintmax_t>(left, chunk.size());
            out.write(chunk.data(), static_cast<std::streamsize>(n));
            left -= n;
        }
        out << "----------";
    }
    ASSERT_EQ(fs::file_size(in), size);
    const struct {
        const char* format;
        bool statement;
    } runs[] = {{"csv", false}, {"html", false}, {"xlsx", false}, {"csv", true}};
    for (const auto& r : runs) {
        SCOPED_TRACE(std::string(r.format) + (r.statement ? " statement" : " report"));
        const std::string out = dir / (std::string("uzun.") + r.format);
        std::vector<std::string> args = {"-q", "--start-row", "0", "--to", r.format, in};
        if (r.statement) args.insert(args.begin(), "--akbank");
        const Outcome run = runConverter(args);
        ASSERT_EQ(run.signal, 0) << ::strsignal(run.signal);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_THAT(readBytes(out), outputOf(r.format));
        EXPECT_LE(run.peakBytes, peakBound(size)) << "peak " << (run.peakBytes >> 20) << " MB";
        RecordProperty(std::string("peak_mb_") + r.format + (r.statement ? "_statement" : ""),
                       std::to_string(run.peakBytes >> 20));
        fs::remove(out);
        EXPECT_EQ(dir.names(), std::vector<std::string>{"uzun.txt"});
    }
}

}  // namespace
}  // namespace tablamo::testing
