// "Birleştir…": reports picked together as one clean table in the grid.

#include "commands/merge_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/encoding.h"
#include "core/workspace.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

namespace fs = std::filesystem;

TEST(MergeCommand, SourcesAreNamedUnderTheFolderTheyShare) {
    const struct {
        std::vector<std::string> paths;
        std::vector<std::string> labels;
    } cases[] = {
        {{"/a/ay/ocak/m.txt", "/a/ay/subat/m.txt"}, {"ocak/m.txt", "subat/m.txt"}},
        {{"/a/ay/m.txt", "/a/ay/k.txt"}, {"m.txt", "k.txt"}},
        {{"/a/ay/m.txt"}, {"m.txt"}},
        {{"/a/ay/ocak/m.txt", "/a/ayin/k.txt"}, {"ay/ocak/m.txt", "ayin/k.txt"}},
    };
    for (const auto& c : cases) EXPECT_EQ(sourceLabels(c.paths), c.labels) << c.paths[0];
}

TEST(MergeCommand, TheFirstReportsTableWithTheOthersToldOf) {
    testing::TempDir dir;
    const std::string data = std::string(TABLAMO_TEST_DATA) + "/clean/";
    fs::create_directories(dir.path() / "ocak");
    fs::create_directories(dir.path() / "subat");
    fs::copy_file(data + "muavin-tek-hesap/report.txt", dir / "ocak/muavin.txt");
    fs::copy_file(data + "kasa-defteri-cerceveli/report.txt", dir / "ocak/kasa.txt");
    fs::copy_file(data + "muavin-tek-hesap/report.txt", dir / "subat/muavin.txt");
    Workspace ws;
    ws.regional = RegionalSettings::turkish();
    testing::RecordingUi ui;
    const std::vector<std::string> paths = {dir / "ocak/muavin.txt", dir / "ocak/kasa.txt",
                                            dir / "subat/yok.txt", dir / "subat/muavin.txt"};
    ASSERT_TRUE(mergeFilesIntoGrid(ws, ui, paths));
    EXPECT_EQ(ws.grid().rowCount(), 121);
    EXPECT_EQ(ws.grid().cell(1, 0), "Kaynak");
    EXPECT_EQ(ws.grid().cell(1, 120), "subat/muavin.txt");
    ASSERT_TRUE(ws.clean().has_value());
    EXPECT_EQ(ws.clean()->columns.size(), 9u);
    EXPECT_TRUE(ws.text.empty());
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.3 - 120 kayıt, 2 rapordan birleştirildi.");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "2 rapor birleştirildi: 120 kayıt.\r\nTabloya alınmayanlar:\r\n"
              "ocak/kasa.txt: başka biçimde bir rapor (\"KASA DEFTERİ (Ocak - Mart 2005)\")\r\n"
              "subat/yok.txt: Cannot open file \"" +
                  dir / "subat/yok.txt" + "\". No such file or directory.");
    EXPECT_EQ(ui.busyDepth, 0);

    // Nothing merged: the grid keeps its table.
    testing::RecordingUi none;
    EXPECT_FALSE(mergeFilesIntoGrid(ws, none, {dir / "subat/yok.txt"}));
    EXPECT_EQ(ws.grid().rowCount(), 121);
    EXPECT_EQ(none.messages.size(), 1u);
}

TEST(MergeCommand, TheDialogAsksForReportsAndMayBeCancelled) {
    Workspace ws;
    testing::RecordingUi ui;
    EXPECT_FALSE(mergeReportsIntoGrid(ws, ui));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Birleştirilecek raporlar");
    EXPECT_EQ(ui.dialogs[0].filters.size(), 4u);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tablamo
