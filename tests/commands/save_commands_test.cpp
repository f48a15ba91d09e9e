#include "commands/save_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/workspace.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::readBytes;
using testing::RecordingUi;
using testing::TempDir;

TEST(CsvCommand, AsksWithItsOwnDialogWritesAndConfirms) {
    TempDir dir;
    Workspace ws;
    ws.grid().setCell(2, 3, "a b");
    RecordingUi ui;
    ui.answers.push_back(dir / "rapor");
    runCommand(ui, [&] { saveCsv(ws, ui); });

    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "");
    EXPECT_EQ(ui.dialogs[0].fileName, "");
    ASSERT_EQ(ui.dialogs[0].filters.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filters[0].caption, "CSV Dosyası (*.csv)");
    EXPECT_EQ(ui.dialogs[0].filters[0].patterns, "*.csv");
    // The window's empty sheet of 20 columns and 24 rows, with the one cell written.
    std::string expected = ",A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T\r\n";
    for (int row = 1; row <= 24; ++row) {
        expected += std::to_string(row);
        expected += row == 3 ? ",,\"a b\"" + std::string(18, ',') : std::string(20, ',');
        expected += "\r\n";
    }
    EXPECT_EQ(readBytes(dir / "rapor.csv"), expected);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"CSV Dosyası Kaydedildi!"});
    EXPECT_EQ(ui.busyCalls, 2);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(ws.lastSaveName, "");  // the shared dialog is not touched
}

TEST(CsvCommand, CancelWritesNothingAndSaysNothing) {
    Workspace ws;
    RecordingUi ui;
    ui.answers.push_back(std::nullopt);
    bool result = true;
    runCommand(ui, [&] { result = SaveToCSV(ws, ui); });
    EXPECT_FALSE(result);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.busyCalls, 0);
}

TEST(CsvCommand, AFileThatCannotBeCreatedShowsTheErrorAndNoMessage) {
    TempDir dir;
    Workspace ws;
    RecordingUi ui;
    ui.answers.push_back(dir / "yok/rapor.csv");
    EXPECT_FALSE(runCommand(ui, [&] { saveCsv(ws, ui); }));
    EXPECT_EQ(ui.errors,
              std::vector<std::string>{"Cannot create file \"" + (dir / "yok/rapor.csv") +
                                       "\". No such file or directory."});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(HtmlCommand, BuildsTheViewFirstAndSavesItUnderTheChosenName) {
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {
        {"rapor", "rapor.html"},
        {"rapor.html", "rapor.html"},
        {"rapor.HTM", "rapor.HTM"},
        {"rapor.txt", "rapor.txt.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TempDir dir;
        Workspace ws;
        ws.grid().setCell(1, 1, "<b>");
        RecordingUi ui;
        ui.answers.push_back(dir / c.typed);
        HtmlView view;
        ASSERT_TRUE(runCommand(ui, [&] { saveHtml(ws, ui, view); }));

        std::vector<std::string> page;
        GridToHTML(ws.grid(), page, 1);
        EXPECT_EQ(view.lines, page);
        EXPECT_TRUE(view.whole);
        std::string saved;
        for (const auto& line : page) saved += line + "\r\n";
        EXPECT_EQ(readBytes(dir / c.written), saved) << c.typed;
        EXPECT_EQ(dir.names(), std::vector<std::string>{c.written});
        EXPECT_EQ(ui.messages,
                  std::vector<std::string>{(dir / c.typed) + "...İnternet Dosyası Kaydedildi!"});
        EXPECT_EQ(ws.lastSaveName, dir / c.typed);
    }
}

TEST(HtmlCommand, SetsUpTheSharedDialogAndOffersTheLastName) {
    Workspace ws;
    ws.lastSaveName = "/tmp/onceki.xlsx";
    RecordingUi ui;
    HtmlView view{{"old"}, true, 1};
    ui.answers.push_back(std::nullopt);
    saveHtml(ws, ui, view);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Tablamo Excel Dosya Kaydı");
    ASSERT_EQ(ui.dialogs[0].filters.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filters[0].caption, "İnternet Dosya Biçimi");
    EXPECT_EQ(ui.dialogs[0].filters[0].patterns, "*.html");
    EXPECT_EQ(ui.dialogs[0].fileName, "/tmp/onceki.xlsx");
    // Cancelled: the view holds the new page all the same; nothing else happens.
    EXPECT_EQ(view.lines.size(), 4u + 25 * 23 + 3);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ws.lastSaveName, "/tmp/onceki.xlsx");
}

// A grid whose page is larger than the view holds: the view keeps the page's first lines,
// the file has the whole page, byte for byte.
TEST(HtmlCommand, TheFileHasTheWholePageWhenTheViewHoldsItInPart) {
    TempDir dir;
    Workspace ws;
    ws.grid().setRowCount(20000);
    for (int r = 1; r < 20000; r += 7) ws.grid().setCell(r % 21, r, "<" + std::to_string(r) + ">");
    RecordingUi ui;
    ui.answers.push_back(dir / "buyuk.html");
    HtmlView view;
    ASSERT_TRUE(runCommand(ui, [&] { saveHtml(ws, ui, view); }));
    std::vector<std::string> page;
    GridToHTML(ws.grid(), page, 1);
    EXPECT_FALSE(view.whole);
    EXPECT_EQ(view.pageLines, page.size());
    ASSERT_LT(view.lines.size(), page.size());
    EXPECT_TRUE(std::equal(view.lines.begin(), view.lines.end(), page.begin()));
    std::string saved;
    for (const auto& line : page) saved += line + "\r\n";
    EXPECT_TRUE(readBytes(dir / "buyuk.html") == saved);
}

TEST(HtmlCommand, AFileThatCannotBeCreatedShowsTheErrorAndNoMessage) {
    TempDir dir;
    Workspace ws;
    RecordingUi ui;
    ui.answers.push_back(dir / "yok/rapor");
    HtmlView view;
    EXPECT_FALSE(runCommand(ui, [&] { saveHtml(ws, ui, view); }));
    EXPECT_EQ(ui.errors,
              std::vector<std::string>{"Cannot create file \"" + (dir / "yok/rapor.html") +
                                       "\". No such file or directory."});
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tablamo
