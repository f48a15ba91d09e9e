// The open, import, detection and reset commands as the window runs them.

#include "commands/open_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commands/save_commands.h"
#include "core/workspace.h"
#include "support/recording_ui.h"
#include "support/report_lines.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::joinCrLf;

TEST(StatementOpen, CancelLoadFailureAndSuccess) {
    const std::string sample = std::string(TABLAMO_SAMPLES) + "/akbank-ekstre.txt";
    const std::string missing = std::string(TABLAMO_TEST_DATA) + "/no-such-statement.txt";
    struct Case {
        std::optional<std::string> answer;
        bool fails;
        bool loads;
    };
    const Case cases[] = {
        {std::nullopt, false, false}, {missing, true, false}, {sample, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or("cancelled"));
        Workspace ws;
        ws.regional.decimalSeparator = ',';
        testing::RecordingUi ui;
        ui.answers.push_back(c.answer);
        const bool ok = runCommand(ui, [&] { openStatement(ws, ui); });
        EXPECT_EQ(ok, !c.fails);
        EXPECT_EQ(ui.errors.size(), c.fails ? 1u : 0u);
        EXPECT_TRUE(ui.messages.empty());
        ASSERT_EQ(ui.dialogs.size(), 1u);
        EXPECT_EQ(ui.dialogs[0].filters.size(), openDialogRequest().filters.size());
        EXPECT_EQ(ui.busyDepth, 0);
        EXPECT_EQ(ws.titleStrip, c.loads
                                     ? "Zorvik Tablamo ver. 1.3 - " + sample + " dosyası yüklendi."
                                     : "Zorvik Tablamo ver. 1.4");
        EXPECT_EQ(ws.settings.layout.ColumnWidths[0], c.loads ? "4" : "10");
        if (!c.loads) {
            EXPECT_TRUE(ws.text.empty());
            EXPECT_EQ(ws.grid().rowCount(), Grid::kDefaultRowCount);
            continue;
        }
        EXPECT_EQ(ws.grid().rowCount(), ws.text.lineCount());
        // The sample's first transaction: packed dates rebuilt, amounts in "," notation.
        bool found = false;
        for (int r = 1; r < ws.grid().rowCount() && !found; ++r) {
            if (ws.grid().cell(2, r) != "01/02/2010") continue;
            found = true;
            EXPECT_EQ(ws.grid().cell(4, r), "01/02/2010");
            EXPECT_EQ(ws.grid().cell(7, r), "1234,56");
            EXPECT_EQ(ws.grid().cell(9, r), "12500,00");
            EXPECT_EQ(ws.grid().cell(2, r - 2), "TAR\xDDH");
        }
        EXPECT_TRUE(found);
    }
}

TEST(Reset, EmptiesA500RowGridAndRestoresWidthsOnly) {
    Workspace ws;
    ws.grid().setRowCount(500);
    for (int r = 0; r < 500; ++r)
        for (int c = 0; c < 21; ++c) ws.grid().setCell(c, r, "x");
    for (int c = 1; c < 21; ++c) ws.grid().setColWidth(c, 7 * c);
    ws.settings.layout.setColumnWidth(1, 99);
    ws.settings.layout.StartRow = "5";
    ws.settings.layout.SearchCriterion = "==";
    ws.settings.layout.LedgerMarks = false;
    ws.settings.readout.WidthList = " 1 2";

    resetGrid(ws);

    EXPECT_EQ(ws.grid().rowCount(), 25);
    EXPECT_EQ(ws.grid().cell(0, 0), "");
    for (int r = 1; r < 25; ++r) {
        EXPECT_EQ(ws.grid().cell(0, r), std::to_string(r));
        for (int c = 1; c < 21; ++c) EXPECT_EQ(ws.grid().cell(c, r), "");
    }
    EXPECT_EQ(ws.grid().cell(20, 0), "T");
    EXPECT_EQ(ws.grid().colWidth(0), 30);
    EXPECT_EQ(ws.grid().colWidth(7), 100);
    EXPECT_EQ(ws.settings.layout.columnWidth(1), 10);
    EXPECT_EQ(ws.settings.layout.StartRow, "5");
    EXPECT_EQ(ws.settings.layout.SearchCriterion, "==");
    EXPECT_FALSE(ws.settings.layout.LedgerMarks);
    EXPECT_EQ(ws.settings.readout.WidthList, " 1 2");
}

TEST(Reset, AfterDetectionRestoresTheDefaults) {
    Workspace ws;
    ws.text = ReportText(
        joinCrLf({"Tarih      Fis No", "---------- ------------ ------------ ----------------"}));
    testing::RecordingUi ui;
    findRuleLineColumns(ws, ui);
    ASSERT_EQ(ws.settings.layout.columnWidth(1), 11);
    resetGrid(ws);
    EXPECT_EQ(ws.settings.layout.columnWidths(), ReportLayout().columnWidths());
}

TEST(Dialogs, StartInTheReportsFolderAndOfferItsNameWithTheFormatsExtension) {
    Workspace ws;
    testing::RecordingUi ui;
    const std::string folder = std::string(TABLAMO_SAMPLES);
    ui.answers.push_back(folder + "/muavin.txt");
    openReport(ws, ui);
    ui.answers.push_back(std::nullopt);
    openReport(ws, ui);
    EXPECT_EQ(ui.dialogs.at(0).directory, "");  // nothing opened yet: the system's choice
    EXPECT_EQ(ui.dialogs.at(1).directory, folder);
    // Every save offers the report's name, not the name another report was saved under.
    ws.lastSaveName = "/tmp/yevmiye-mart.xlsx";
    EXPECT_EQ(csvDialogRequest(ws).fileName, folder + "/muavin.csv");
    EXPECT_EQ(excelSaveDialogRequest(ws).fileName, folder + "/muavin.xlsx");
    EXPECT_EQ(htmlDialogRequest(ws).fileName, folder + "/muavin.html");
    // Once this table is saved, the file it was saved to.
    testing::TempDir dir;
    ui.answers.push_back(dir / "mart");
    ASSERT_TRUE(runCommand(ui, [&] { saveCsv(ws, ui); }));
    EXPECT_EQ(excelSaveDialogRequest(ws).fileName, dir / "mart.xlsx");
    EXPECT_EQ(htmlDialogRequest(ws).fileName, dir / "mart.html");
    // With no report, the shared dialog's last name.
    Workspace empty;
    empty.lastSaveName = "/tmp/onceki";
    EXPECT_EQ(htmlDialogRequest(empty).fileName, "/tmp/onceki");
    EXPECT_EQ(csvDialogRequest(empty).fileName, "");
}

}  // namespace
}  // namespace tablamo
