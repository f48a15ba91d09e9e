#include <gtest/gtest.h>

#include <filesystem>

#include "commands/save_commands.h"
#include "core/workspace.h"
#include "export/xlsx_package.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

namespace fs = std::filesystem;

class FixedClock : public Clock {
public:
    Date today() const override { return {2026, 12, 8}; }
};

// Records the order of what the user sees as well.
class OrderedUi : public testing::RecordingUi {
public:
    std::vector<std::string> events;
    void showMessage(std::string_view text) override {
        events.push_back("message");
        RecordingUi::showMessage(text);
    }
    bool openWithDefaultProgram(const std::string& path) override {
        events.push_back("open");
        return RecordingUi::openWithDefaultProgram(path);
    }
};

class ExcelCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = m_folder.path();
        ws.regional = RegionalSettings::turkish();
        ws.grid().setCell(1, 1, "31.12.2005");
        ws.grid().setCell(2, 1, "150,75");
    }
    bool run() {
        return runCommand(ui, [&] { saveExcel(ws, ui, clock); });
    }

    testing::TempDir m_folder;
    fs::path m_dir;
    Workspace ws;
    OrderedUi ui;
    FixedClock clock;
};

TEST_F(ExcelCommand, SavesOpensConfirmsAndNamesTheFile) {
    const std::string chosen = (m_dir / "rapor.xls").string();
    const std::string saved = (m_dir / "rapor.xlsx").string();
    ws.lastSaveName = "onceki.html";
    ui.answers.push_back(chosen);
    ASSERT_TRUE(run());

    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Tablamo Excel Dosya Kaydı");
    ASSERT_EQ(ui.dialogs[0].filters.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filters[0].caption, "Microsoft Excel Dosyası (*.xlsx)");
    EXPECT_EQ(ui.dialogs[0].filters[0].patterns, "*.xlsx");
    EXPECT_EQ(ui.dialogs[0].fileName, "onceki.html");

    const testing::XlsxPackage book(saved);
    EXPECT_EQ(book.sheetNames, std::vector<std::string>{"Tablamo"});
    const auto cells = book.cells(0);
    EXPECT_EQ(cells.at("A1").format, "dd\\.mm\\.yyyy");
    EXPECT_EQ(cells.at("B1").value, "150.75");

    EXPECT_EQ(ui.events, (std::vector<std::string>{"open", "message"}));
    EXPECT_EQ(ui.opened, std::vector<std::string>{saved});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Excel Dosyası Kaydedildi!"});
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.3 - " + saved + " dosyası kayıt edildi.");
    EXPECT_EQ(ws.lastSaveName, chosen);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(ui.busyCalls, 2);
}

TEST_F(ExcelCommand, OpensNothingWhenTheSettingIsOff) {
    ws.settings.OpenExcelAfterSave = false;
    ui.answers.push_back((m_dir / "rapor.xlsx").string());
    ASSERT_TRUE(run());
    EXPECT_TRUE(fs::exists(m_dir / "rapor.xlsx"));
    EXPECT_EQ(ui.events, std::vector<std::string>{"message"});
}

TEST_F(ExcelCommand, SaysSoWhenNoProgramOpensTheWorkbook) {
    const std::string saved = (m_dir / "rapor.xlsx").string();
    ui.canOpen = false;
    ui.answers.push_back(saved);
    ASSERT_TRUE(run());
    EXPECT_EQ(
        ui.messages,
        (std::vector<std::string>{
            "Excel Dosyası Kaydedildi!",
            "Çalışma kitabı kaydedildi, ancak onu açacak bir program bulunamadı:\r\n" + saved}));
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.3 - " + saved + " dosyası kayıt edildi.");
}

TEST_F(ExcelCommand, CancelDoesNothing) {
    ASSERT_TRUE(run());
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(ui.busyCalls, 0);
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.4");
    EXPECT_TRUE(fs::is_empty(m_dir));
}

TEST_F(ExcelCommand, AFailedSaveShowsTheErrorAndNothingElse) {
    const std::string target = (m_dir / "yok" / "rapor.xlsx").string();
    ui.answers.push_back(target);
    EXPECT_FALSE(run());
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Cannot create file \"" + target +
                                                  "\". No such file or directory."});
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.4");
    EXPECT_EQ(ui.busyDepth, 0);
}

}  // namespace
}  // namespace tablamo
