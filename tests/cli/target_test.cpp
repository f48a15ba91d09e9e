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

TEST(ConverterTarget, AReadOnlyOutputIsLeftAsItIsAndTheOthersAreWritten) {
    TempDir dir;
    for (const char* name : {"a.txt", "b.txt"}) {
        writeBytes(dir / name, readBytes(std::string(TABLAMO_SAMPLES) + "/muavin.txt"));
    }
    writeBytes(dir / "a.csv", "eski");
    fs::permissions(dir / "a.csv", fs::perms::owner_read | fs::perms::others_read);
    const TargetRun run = convertInto(dir, {"-j", "1", dir / "a.txt", dir / "b.txt"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("\"" + dir / "a.csv" + "\" salt okunur bir dosya; yerine yazılmadı"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(readBytes(dir / "a.csv"), "eski");
    EXPECT_TRUE(fs::exists(dir / "b.csv"));
}

}  // namespace
}  // namespace tablamo::cli
