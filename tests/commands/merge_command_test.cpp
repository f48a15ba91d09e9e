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

TEST(MergeCommand, TheMonthsBookATablePerShapeAndTheSummaryLast) {
    testing::TempDir dir;
    const std::string data = std::string(TABLAMO_TEST_DATA) + "/clean/";
    fs::create_directories(dir.path() / "ay/ocak");
    fs::create_directories(dir.path() / "ay/subat");
    fs::copy_file(data + "muavin-tek-hesap/report.txt", dir / "ay/ocak/muavin.txt");
    fs::copy_file(data + "kasa-defteri-cerceveli/report.txt", dir / "ay/ocak/kasa.txt");
    fs::copy_file(data + "muavin-tek-hesap/report.txt", dir / "ay/subat/muavin.txt");
    testing::writeBytes(dir / "ay/subat/notlar.txt", "Toplanti notlari\r\n");
    fs::create_hard_link(dir / "ay/ocak/kasa.txt", dir / "ay/subat/kasa-kopya.txt");
    Workspace ws;
    ws.regional = RegionalSettings::turkish();
    testing::RecordingUi ui;
    // A folder stands for the reports under it; a file named beside it, or linked under
    // another name, is read once.
    ASSERT_TRUE(mergeFilesIntoGrid(ws, ui, {dir / "ay", dir / "ay/ocak/kasa.txt"}));
    const struct {
        const char* name;
        int rows;
        const char* lastSource;
    } tables[] = {
        {"KASA DEFTERİ (Ocak - Mart 2005)", 51, "ocak/kasa.txt"},
        {"MUAVİN DEFTERİ", 121, "subat/muavin.txt"},
        {"Özet", 5, "subat/notlar.txt"},
    };
    ASSERT_EQ(ws.book.tables.size(), std::size(tables));
    for (std::size_t t = 0; t < std::size(tables); ++t) {
        SCOPED_TRACE(t);
        const Book::Table& table = ws.book.tables[t];
        EXPECT_EQ(win1254ToUtf8(table.name), tables[t].name);
        EXPECT_EQ(table.grid.rowCount(), tables[t].rows);
        EXPECT_EQ(table.grid.cell(1, 0), "Kaynak");
        EXPECT_EQ(table.grid.cell(1, tables[t].rows - 1), tables[t].lastSource);
        EXPECT_TRUE(table.clean.has_value() && table.heading.has_value());
        EXPECT_EQ(table.summary, t + 1 == std::size(tables));
    }
    EXPECT_EQ(win1254ToUtf8(ws.book.tables[1].heading->period), "01.01.2005 - 31.12.2005");
    EXPECT_EQ(ws.book.shown, 0u);
    EXPECT_TRUE(ws.text.empty());
    EXPECT_EQ(ws.tablePath, dir / "ay");  // the book is offered as "ay.xlsx" beside it
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.3 - 170 kayıt, 3 rapordan birleştirildi.");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "3 rapor birleştirildi: 170 kayıt, 2 tablo ve \"Özet\":\r\n"
              "  KASA DEFTERİ (Ocak - Mart 2005): 50 kayıt\r\n  MUAVİN DEFTERİ: 120 kayıt\r\n"
              "Tabloları \"Tablo:\" ile seçin; \"Excel\" hepsini tek kitapta kaydeder.\r\n"
              "Kitaba alınmayanlar:\r\nsubat/notlar.txt: Excel e aktarmaya çalıştığınız dosya "
              "formatı geçerli değil. Lütfen açıklamalar doğrultusunda geçerli dosyalarla işleme "
              "devam edin.");
    EXPECT_EQ(ui.busyDepth, 0);

    // Nothing merged: the book stays as it was.
    testing::RecordingUi none;
    EXPECT_FALSE(mergeFilesIntoGrid(ws, none, {dir / "subat/yok.txt"}));
    EXPECT_EQ(ws.book.tables.size(), 3u);
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
