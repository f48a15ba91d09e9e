// The platform layer, the same checks on POSIX and on Windows (there under Wine).

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/files.h"
#include "core/platform/system.h"
#include "core/report_text.h"
#include "support/temp_dir.h"

namespace tablamo::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// The UTF-8 names in the folder, sorted.
std::vector<std::string> namesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(fromFsPath(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string pathIn(const TempDir& dir, std::string_view utf8Name) {
    return fromFsPath(dir.path() / toFsPath(utf8Name));
}

TEST(Platform, FileNamesWithTurkishLettersAreWrittenReadAndListed) {
    TempDir dir;
    for (const std::string name : {"MUAVİN ŞUBAT.txt", "çğıöşü ÇĞİÖŞÜ.csv"}) {
        const std::string path = pathIn(dir, name);
        TempFile file;
        ASSERT_TRUE(file.create(path)) << reasonText(file.error());
        ASSERT_TRUE(file.write("abc", 3));
        ASSERT_TRUE(file.replaceTarget()) << reasonText(file.error());
        EXPECT_EQ(readWholeFile(path), "abc") << name;
        EXPECT_EQ(ReportText::mapFile(path).bytes(), "abc") << name;
        EXPECT_TRUE(fileIdentity(path)) << name;
    }
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"MUAVİN ŞUBAT.txt", "çğıöşü ÇĞİÖŞÜ.csv"}));
}

TEST(Platform, ATempFileTakesTheTargetsPlaceInOneStep) {
    TempDir dir;
    writeBytes(dir / "a.csv", "old");
    TempFile file;
    ASSERT_TRUE(file.create(dir / "a.csv"));
    ASSERT_TRUE(file.write("new", 3));
    // Beside the target, named after it, hidden, or without a name where the system
    // allows; the target untouched until the end.
    if (file.path().empty()) {
        EXPECT_EQ(namesIn(dir), std::vector<std::string>{"a.csv"});
    } else {
        EXPECT_EQ(fromFsPath(toFsPath(file.path()).parent_path()), fromFsPath(dir.path()));
        EXPECT_EQ(fromFsPath(toFsPath(file.path()).filename()).rfind(".a.csv.", 0), 0u)
            << file.path();
    }
    EXPECT_EQ(readBytes(dir / "a.csv"), "old");
    ASSERT_TRUE(file.replaceTarget());
    EXPECT_EQ(readBytes(dir / "a.csv"), "new");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"a.csv"});

    {
        TempFile dropped;  // never put in place: the file stays as it is
        ASSERT_TRUE(dropped.create(dir / "a.csv"));
        ASSERT_TRUE(dropped.write("lost", 4));
    }
    EXPECT_EQ(readBytes(dir / "a.csv"), "new");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"a.csv"});
}

TEST(Platform, FailuresCarryTheSystemsCodeAndReason) {
    TempDir dir;
    fs::create_directory(dir / "folder");
    writeBytes(dir / "file", "x");

    TempFile intoFolder;
    EXPECT_FALSE(intoFolder.create(dir / "folder"));
    EXPECT_EQ(intoFolder.error().code, systemError(Failure::IsADirectory).code);
    InputFile missing;
    EXPECT_FALSE(missing.open(dir / "missing"));
    EXPECT_EQ(missing.error().code, systemError(Failure::NotFound).code);

    for (const std::string& path : {dir / "missing/a.csv", dir / "file/a.csv"}) {
        TempFile file;
        EXPECT_FALSE(file.create(path)) << path;
        const std::string reason = reasonText(file.error());
        EXPECT_FALSE(reason.empty()) << path;
        EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
    }
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"file", "folder"}));
}

TEST(Platform, AnOpenedFileTellsWhatItIs) {
    TempDir dir;
    writeBytes(dir / "r.txt", "12345");
    InputFile regular, folder;
    ASSERT_TRUE(regular.open(dir / "r.txt"));
    EXPECT_EQ(regular.kind(), FileKind::Regular);
    EXPECT_EQ(regular.size(), 5u);
    ASSERT_TRUE(folder.open(dir.path().string()));
    EXPECT_EQ(folder.kind(), FileKind::Directory);
    // The system's null device, by its POSIX or its Windows name: a device, never a file.
    int devices = 0;
    for (const char* name : {"/dev/null", "NUL"}) {
        InputFile device;
        if (!device.open(name)) continue;
        EXPECT_EQ(device.kind(), FileKind::Device) << name;
        ++devices;
    }
    EXPECT_GE(devices, 1);
}

TEST(Platform, AFileIsKnownUnderEveryNameAndCaseCountsAsTheFileSystemCounts) {
    TempDir dir;
    fs::create_directory(dir / "sub");
    writeBytes(dir / "Aa.csv", "x");
    writeBytes(dir / "b.csv", "x");
    EXPECT_EQ(fileIdentity(dir / "Aa.csv"), fileIdentity(dir / "sub/../Aa.csv"));
    EXPECT_NE(fileIdentity(dir / "Aa.csv"), fileIdentity(dir / "b.csv"));
    EXPECT_FALSE(fileIdentity(dir / "missing.csv"));
    EXPECT_EQ(fileNameKey("Aa.csv"), fileNameKey("Aa.csv"));
    EXPECT_NE(fileNameKey("Aa.csv"), fileNameKey("b.csv"));
    EXPECT_EQ(fileNameKey("Aa.csv") == fileNameKey("aA.csv"), fs::exists(dir / "aA.csv"));
}

TEST(Platform, FindsBytes) {
    const struct {
        std::string_view hay, needle;
        std::size_t at;
    } cases[] = {
        {"abcabd", "abd", 3},
        {"----------", "---", 0},
        {std::string_view("a\0b", 3), "b", 2},
        {"", "a", std::string_view::npos},
        {"abc", "", std::string_view::npos},
        {"aa", "aaa", std::string_view::npos},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findBytes(c.hay, c.needle), c.at) << c.hay << " / " << c.needle;
}

}  // namespace
}  // namespace tablamo::platform
