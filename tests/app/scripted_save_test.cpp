// `tablamo --open REPORT --save PATH`, a script's run of the window: a report that is not
// read writes nothing, a --save that cannot run says why with status 2, and no run writes
// over the report or a read-only file.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

namespace tablamo::app {
namespace {

namespace fs = std::filesystem;
using tablamo::testing::readBytes;
using tablamo::testing::TempDir;
using tablamo::testing::writeBytes;

struct WindowRun {
    int status;
    std::string err;
};

// The window run as a script runs it, on no screen, with the settings folder in `dir` (no
// layouts saved but those a case puts there); "D/" in an argument names a file in `dir`.
WindowRun runWindow(const TempDir& dir, const std::vector<std::string>& args) {
    // A run that hangs ends with timeout's status 124, which no case expects.
    std::string command = "timeout 60 env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME='" +
                          dir / "conf" + "' '" + std::string(TABLAMO_WINDOW) + "'";
    for (std::string a : args) {
        if (a.rfind("D/", 0) == 0) a = dir / a.substr(2);
        command += " '" + a + "'";
    }
    command += " 2>'" + dir / "err" + "' </dev/null >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(dir / "err")};
}

TEST(ScriptedSave, AReportNotReadWritesNothing) {
    const struct {
        const char* name;
        std::string bytes;  // the input's; "*" for no file, "/" for a folder, "|…" for a
                            // named pipe and what a writer puts into it ("|" alone: none)
        const char* said;   // a part of what the run says
    } cases[] = {
        {"missing", "*", "No such file or directory"},
        {"folder", "/", "bir klasör, bir rapor dosyası değil"},
        {"empty", "", "D/keep.xlsx yazılmadı"},
        {"binary",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0\xff\xfe",
                     14),
         "geçerli değil"},
        {"a letter", readBytes(std::string(TABLAMO_SAMPLES) + "/not-a-report.txt"),
         "geçerli değil"},
        {"a pipe no one writes to", "|", "D/keep.xlsx yazılmadı"},
        {"a pipe whose writer goes without a word", "|:", "D/keep.xlsx yazılmadı"},
        {"a pipe that brings a letter",
         "|" + readBytes(std::string(TABLAMO_SAMPLES) + "/not-a-report.txt"), "geçerli değil"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        if (c.bytes == "/") {
            fs::create_directory(dir.path() / "in.txt");
        } else if (c.bytes.rfind("|", 0) == 0) {
            ASSERT_EQ(::mkfifo((dir / "in.txt").c_str(), 0600), 0);
            if (c.bytes.size() > 1) {
                // The writer waits in the background for the window to open the pipe (":"
                // opens it and closes it again), no longer than the window may take.
                writeBytes(dir / "feed", c.bytes.substr(1));
                const std::string feed = c.bytes == "|:" ? ":" : "cat '" + dir / "feed" + "'";
                const std::string writer =
                    "timeout 60 sh -c \"" + feed + " >'" + dir / "in.txt" + "'\" >/dev/null 2>&1 &";
                ASSERT_EQ(std::system(writer.c_str()), 0);
            }
        } else if (c.bytes != "*") {
            writeBytes(dir / "in.txt", c.bytes);
        }
        writeBytes(dir / "keep.xlsx", "kept");
        const WindowRun run = runWindow(dir, {"--open", "D/in.txt", "--save", "D/keep.xlsx"});
        EXPECT_EQ(run.status, 1) << c.name << ": " << run.err;
        std::string said = c.said;
        if (said.rfind("D/", 0) == 0) said = dir / said.substr(2);
        EXPECT_NE(run.err.find(said), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(run.err.find("Kaydedildi"), std::string::npos) << c.name;
        EXPECT_EQ(readBytes(dir / "keep.xlsx"), "kept") << c.name;
    }
}

TEST(ScriptedSave, ASaveThatCannotRunEndsWithStatusTwoBeforeReading) {
    const struct {
        const char* save;
        const char* said;
    } cases[] = {
        {"", "tablamo: --save: boş bir dosya adı verildi\n"},
        {"D/tablo.pdf", "adının uzantısı kaydedilen bir biçim değil"},
        {"D/tablo.txt", "adının uzantısı kaydedilen bir biçim değil"},
        {"D/rapor.csv", "girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı"},
        {"D/./rapor.csv", "girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeBytes(dir / "rapor.csv", "Tarih;Tutar\r\n");
        const WindowRun run = runWindow(dir, {"--open", "D/rapor.csv", "--save", c.save});
        EXPECT_EQ(run.status, 2) << c.save << ": " << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.save << ": " << run.err;
        EXPECT_EQ(readBytes(dir / "rapor.csv"), "Tarih;Tutar\r\n") << c.save;
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"err", "rapor.csv"})) << c.save;
    }
}

TEST(ScriptedSave, AReadOnlyTargetIsLeftAsItIs) {
    TempDir dir;
    writeBytes(dir / "kilitli.csv", "eski");
    fs::permissions(dir / "kilitli.csv", fs::perms::owner_read);
    const WindowRun run = runWindow(
        dir, {"--open", std::string(TABLAMO_SAMPLES) + "/muavin.txt", "--save", "D/kilitli.csv"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("salt okunur bir dosya; yerine yazılmadı"), std::string::npos)
        << run.err;
    EXPECT_EQ(readBytes(dir / "kilitli.csv"), "eski");
}

TEST(ScriptedSave, ASavedLayoutAppliedIsSaidAndNoProfilesTurnsMatchingOff) {
    TempDir dir;
    const std::string report = std::string(TABLAMO_SAMPLES) + "/muavin.txt";
    fs::create_directories(dir.path() / "conf/tablamo/profiles");
    // A layout of the ledger's headings with widths of its own.
    ASSERT_EQ(std::system(("'" + std::string(TABLAMO_CONVERT) +
                           "' -q --no-auto-columns --widths 4,4,4 --save-profile '" +
                           dir / "conf/tablamo/profiles/kasa-ocak.json" + "' -o '" +
                           dir / "duzen.csv" + "' '" + report + "'")
                              .c_str()),
              0);
    const WindowRun applied = runWindow(dir, {"--open", report, "--save", "D/a.csv"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_NE(applied.err.find("tablamo: Düzen: kasa-ocak uygulandı\n"), std::string::npos)
        << applied.err;
    const WindowRun plain =
        runWindow(dir, {"--no-profiles", "--open", report, "--save", "D/b.csv"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err.find("Düzen"), std::string::npos) << plain.err;
    EXPECT_NE(readBytes(dir / "a.csv"), readBytes(dir / "b.csv"));
}

}  // namespace
}  // namespace tablamo::app
