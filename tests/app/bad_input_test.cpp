// The window's open and save commands given files they cannot read or write, each run as the
// window runs a button: through runCommand, with a scripted UI port. An error shows in the
// error box with its full stop, no success message follows, the table and the title bar strip
// stay as they were, and no file is left half written or lost.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>

#include "commands/open_commands.h"
#include "commands/save_commands.h"
#include "core/workspace.h"
#include "support/failing_disk.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo::app::testing {
namespace {

namespace fs = std::filesystem;
using tablamo::testing::FileSizeLimit;
using tablamo::testing::readBytes;
using tablamo::testing::RecordingUi;
using tablamo::testing::SmallDisk;
using tablamo::testing::snapshot;
using tablamo::testing::TempDir;
using tablamo::testing::writeBytes;
using tablamo::testing::writeLongLedger;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Command = void (*)(Workspace&, UiPort&);
// "Aç" and "Akbank Aç" as their buttons run them.
void openReportAsTheWindowDoes(Workspace& ws, UiPort& ui) { openReport(ws, ui); }
void openStatementAsTheWindowDoes(Workspace& ws, UiPort& ui) { openStatement(ws, ui); }
void saveExcelAsTheWindowDoes(Workspace& ws, UiPort& ui) { saveExcel(ws, ui); }

// Every cell of the table, to see that a failed command left it alone.
std::string tableOf(const Grid& grid) {
    std::string all = std::to_string(grid.rowCount()) + "\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (const std::string_view cell : grid.row(r)) {
            all.append(cell);
            all += '\t';
        }
        all += '\n';
    }
    return all;
}

std::string reason(int err) { return std::string(std::strerror(err)) + "."; }

class WindowBadInput : public ::testing::Test {
protected:
    // A long ledger is open: the table and the strip that a failed command must keep.
    void SetUp() override {
        writeLongLedger(dir / "defter.txt", 3000);
        run(&openReportAsTheWindowDoes, dir / "defter.txt");
        ASSERT_THAT(ui.errors, IsEmpty());
        ASSERT_GT(ws.grid().rowCount(), 3000);
        ui = RecordingUi();
        table = tableOf(ws.grid());
        strip = ws.titleStrip;
    }
    // Presses a button whose dialog answers `path`, as the window does.
    void run(Command command, const std::string& path) {
        ui.answers.push_back(path);
        runCommand(ui, [&] { command(ws, ui); });
    }

    TempDir dir;
    Workspace ws;
    RecordingUi ui;
    std::string table;
    std::string strip;
};

// "Aç" and "Akbank Aç" on what cannot be read: the error box names the file and the reason;
// the table and the strip are kept. A folder is said to be one, with "Birleştir…" offered
// (here declined).
TEST_F(WindowBadInput, OpeningWhatCannotBeReadShowsTheErrorAndKeepsTheTable) {
    fs::create_directory(dir / "klasor.txt");
    for (const Command command : {&openReportAsTheWindowDoes, &openStatementAsTheWindowDoes}) {
        ui = RecordingUi();
        run(command, dir / "klasor.txt");
        EXPECT_THAT(ui.errors, IsEmpty());
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_EQ(ui.questions[0].rfind("\"" + dir / "klasor.txt" + "\" bir klasör", 0), 0u);
        EXPECT_EQ(ws.titleStrip, strip);
        EXPECT_EQ(tableOf(ws.grid()), table);
    }
    const struct {
        const char* path;
        int err;
    } cases[] = {{"yok.txt", ENOENT}, {"/proc/self/mem", EIO}};
    for (const Command command : {&openReportAsTheWindowDoes, &openStatementAsTheWindowDoes}) {
        for (const auto& c : cases) {
            const std::string path = c.path[0] == '/' ? c.path : dir / c.path;
            SCOPED_TRACE(path);
            ui = RecordingUi();
            run(command, path);
            EXPECT_THAT(ui.errors,
                        ElementsAre("Cannot open file \"" + path + "\". " + reason(c.err)));
            EXPECT_THAT(ui.messages, IsEmpty());
            EXPECT_EQ(ui.busyDepth, 0);
            EXPECT_EQ(ws.titleStrip, strip);
            EXPECT_EQ(tableOf(ws.grid()), table);
        }
    }
}

// "Aç" on bytes that are no report: random bytes and NUL bytes get the import's message, an
// empty file nothing at all; the table stays, the strip names the file that was loaded.
TEST_F(WindowBadInput, OpeningWhatIsNoReportKeepsTheTable) {
    std::mt19937 gen(11);
    std::string random(64 << 10, '\0');
    for (char& c : random) c = static_cast<char>(gen() & 0xFF);
    ASSERT_EQ(random.find("----------"), std::string::npos);
    const struct {
        const char* name;
        std::string bytes;
        bool message;
    } cases[] = {
        {"rastgele.bin", random, true},
        {"sifir.txt", std::string(64 << 10, '\0'), true},
        {"satirsonu.txt", "\r\n\n\r\r\n\r\n", true},
        {"bos.txt", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir / c.name, c.bytes);
        ui = RecordingUi();
        run(&openReportAsTheWindowDoes, dir / c.name);
        EXPECT_THAT(ui.errors, IsEmpty());
        const std::vector<std::string> notAReport{
            "Excel e aktarmaya çalıştığınız dosya formatı geçerli değil.\r\n"
            "Lütfen açıklamalar doğrultusunda geçerli\r\ndosyalarla işleme devam edin."};
        EXPECT_EQ(ui.messages, c.message ? notAReport : std::vector<std::string>{});
        EXPECT_EQ(ws.titleStrip,
                  "Zorvik Tablamo ver. 1.3 - " + (dir / c.name) + " dosyası yüklendi.");
        EXPECT_EQ(tableOf(ws.grid()), table);
        EXPECT_EQ(ui.busyDepth, 0);
    }
}

// "Akbank Aç" reads any bytes as a statement: binary, NUL and empty files load without an
// error and the strip names them.
TEST_F(WindowBadInput, OpeningBinaryBytesAsAStatementLoadsThem) {
    std::mt19937 gen(12);
    std::string random(64 << 10, '\0');
    for (char& c : random) c = static_cast<char>(gen() & 0xFF);
    for (const std::string& bytes : {random, std::string(64 << 10, '\0'), std::string()}) {
        writeBytes(dir / "ekstre.txt", bytes);
        ui = RecordingUi();
        run(&openStatementAsTheWindowDoes, dir / "ekstre.txt");
        EXPECT_THAT(ui.errors, IsEmpty());
        EXPECT_THAT(ui.messages, IsEmpty());
        EXPECT_EQ(ws.titleStrip,
                  "Zorvik Tablamo ver. 1.3 - " + (dir / "ekstre.txt") + " dosyası yüklendi.");
        EXPECT_GE(ws.grid().rowCount(), 2);
    }
}

// The three save buttons as the window wires them.
void saveHtmlAsTheWindowDoes(Workspace& ws, UiPort& ui) {
    HtmlView htmlView;
    HtmlLayout layout;
    layout.tableWidth = 1000;
    layout.tableHeight = 700;
    saveHtml(ws, ui, htmlView, layout);
}
const struct {
    const char* extension;
    Command command;
} kSaves[] = {
    {"csv", &saveCsv}, {"html", &saveHtmlAsTheWindowDoes}, {"xlsx", &saveExcelAsTheWindowDoes}};

// Each save where the file cannot be written: the error box names the file and the reason,
// no success message shows, nothing is opened, the strip keeps its text, an existing file
// keeps its bytes and no temporary file is left.
TEST_F(WindowBadInput, SavingWhereTheFileCannotBeWrittenShowsTheErrorAndLosesNothing) {
    writeBytes(dir / "dosya.txt", "bir dosya\r\n");
    SmallDisk disk(dir / "disk", "32k");
    const struct {
        const char* name;
        std::string folder;
        int err;
        rlim_t sizeLimit;
    } cases[] = {
        {"PathUnderAFile", dir / "dosya.txt", ENOTDIR, RLIM_INFINITY},
        {"MissingFolder", dir / "yok", ENOENT, RLIM_INFINITY},
        {"ExistingFileOverTheSizeLimit", dir.path().string(), EFBIG, 16 << 10},
        {"ExistingFileOnAFullDisk", dir / "disk", ENOSPC, RLIM_INFINITY},
    };
    for (const auto& save : kSaves) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " " + save.extension);
            if (c.err == ENOSPC && !disk.ok()) {
                std::printf("no tmpfs can be mounted here (it needs root): %s skipped\n", c.name);
                continue;
            }
            const std::string path = c.folder + "/eski." + save.extension;
            if (fs::is_directory(c.folder)) writeBytes(path, "eski dosya\r\n");
            const auto before = snapshot(dir.path());
            ui = RecordingUi();
            ui.replies.push_back(true);  // the old file may be replaced
            {
                FileSizeLimit limit(c.sizeLimit);
                run(save.command, path);
            }
            EXPECT_THAT(ui.errors,
                        ElementsAre("Cannot create file \"" + path + "\". " + reason(c.err)));
            EXPECT_THAT(ui.messages, IsEmpty());
            EXPECT_THAT(ui.opened, IsEmpty());
            EXPECT_EQ(ui.busyDepth, 0);
            EXPECT_EQ(ws.titleStrip, strip);
            EXPECT_EQ(snapshot(dir.path()), before);
        }
    }
}

}  // namespace
}  // namespace tablamo::app::testing
