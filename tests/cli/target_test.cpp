// What the converter writes to: never a file no one may write.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

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

TargetRun convertInto(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "'" + std::string(TABLAMO_CONVERT) + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " 2>'" + dir / "err" + "' >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(dir / "err")};
}

TEST(ConverterTarget, AReadOnlyTargetIsLeftAsItIs) {
    const struct {
        const char* name;
        const char* target;  // made read-only beforehand
        std::vector<std::string> options;
    } cases[] = {
        {"an output", "a.csv", {}},
        {"a saved layout", "a.json", {"--save-profile", "a.json"}},
        {"a merged book", "ay.xlsx", {"--clean", "--merge", "ay.xlsx"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "a.txt", readBytes(std::string(TABLAMO_SAMPLES) + "/muavin.txt"));
        writeBytes(dir / c.target, "eski");
        fs::permissions(dir / c.target, fs::perms::owner_read | fs::perms::others_read);
        std::vector<std::string> args;
        for (const std::string& o : c.options) args.push_back(o.rfind("--", 0) == 0 ? o : dir / o);
        args.push_back(dir / "a.txt");
        const TargetRun run = convertInto(dir, args);
        EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
        EXPECT_NE(
            run.err.find("\"" + dir / c.target + "\" salt okunur bir dosya; yerine yazılmadı"),
            std::string::npos)
            << c.name << ": " << run.err;
        EXPECT_EQ(readBytes(dir / c.target), "eski") << c.name;
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
