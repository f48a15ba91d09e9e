// What the converter writes to: never a file no one may write.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/converter_run.h"
#include "support/several_tables.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

struct TargetRun {
    int status;
    std::string err;
};

TargetRun convertInto(const TempDir&, const std::vector<std::string>& args) {
    const testing::ConverterRun run = testing::runConverter(args);
    return {run.status, run.err};
}

TEST(ConverterTarget, AReadOnlyTargetIsLeftAsItIs) {
    const std::string ledger = std::string(TABLAMO_SAMPLES) + "/muavin.txt";
    const std::string accounts =
        std::string(TABLAMO_TEST_DATA) + "/clean/muavin-cok-hesap/report.txt";
    const struct {
        const char* name;
        std::string report;  // its bytes converted from a.txt
        const char* target;  // made read-only beforehand
        std::vector<std::string> options;
        std::vector<std::string> written;  // what the run writes all the same
    } cases[] = {
        {"an output", ledger, "a.csv", {}, {}},
        {"a saved layout", ledger, "a.json", {"--save-profile", "a.json"}, {}},
        {"a merged book", ledger, "ay.xlsx", {"--clean", "--merge", "ay.xlsx"}, {}},
        {"a report's third table", "", "a-3.csv", {"--clean"}, {}},
        {"a merged sheet's file", ledger, "ay-Özet.csv", {"--clean", "--merge", "ay.csv"}, {}},
        {"an account's file",
         accounts,
         "a-320.01.55242.csv",
         {"--clean", "--sheet-per", "Hesap Kodu"},
         {}},
        {"the summary", ledger, "s.jsonl", {"--summary", "s.jsonl"}, {"a.csv"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "a.txt",
                   c.report.empty() ? testing::severalTablesReport() : readBytes(c.report));
        writeBytes(dir / c.target, "eski");
        fs::permissions(dir / c.target, fs::perms::owner_read | fs::perms::others_read);
        std::vector<std::string> args;
        for (const std::string& o : c.options) {
            args.push_back(o.find('.') == std::string::npos ? o : dir / o);
        }
        args.push_back(dir / "a.txt");
        const TargetRun run = convertInto(dir, args);
        EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
        EXPECT_NE(
            run.err.find("\"" + dir / c.target + "\" salt okunur bir dosya; yerine yazılmadı"),
            std::string::npos)
            << c.name << ": " << run.err;
        EXPECT_EQ(readBytes(dir / c.target), "eski") << c.name;
        // No half set of files: the others of the book were not written either.
        std::vector<std::string> names = {"a.txt", c.target};
        names.insert(names.end(), c.written.begin(), c.written.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(dir.names(), names) << c.name;
    }
}

TEST(ConverterTarget, TheOtherFilesOfTheBatchAreWritten) {
    TempDir dir;
    for (const char* name : {"a.txt", "b.txt"}) {
        writeBytes(dir / name, readBytes(std::string(TABLAMO_SAMPLES) + "/muavin.txt"));
    }
    writeBytes(dir / "a.csv", "eski");
    fs::permissions(dir / "a.csv", fs::perms::owner_read | fs::perms::others_read);
    EXPECT_EQ(convertInto(dir, {"-j", "1", dir / "a.txt", dir / "b.txt"}).status, 1);
    EXPECT_EQ(readBytes(dir / "a.csv"), "eski");
    EXPECT_TRUE(fs::exists(dir / "b.csv"));
}

}  // namespace
}  // namespace tablamo::cli
