// A report that prints several tables: each one shown in the grid in turn, and saved all
// together by the window's save commands (a sheet each, or rapor-2.csv …).

#include "commands/clean_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/open_commands.h"
#include "commands/save_commands.h"
#include "core/workspace.h"
#include "export/xlsx_package.h"
#include "support/recording_ui.h"
#include "support/several_tables.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::readBytes;
using testing::RecordingUi;
using testing::TempDir;

class FixedClock : public Clock {
public:
    Date today() const override { return {2026, 12, 8}; }
};

// The three-table report opened as a clean table.
void openSeveral(Workspace& ws, const TempDir& dir) {
    testing::writeBytes(dir / "rapor.txt", testing::severalTablesReport());
    ws.regional = RegionalSettings::turkish();
    ws.settings.cleanTable = true;
    loadReport(ws, dir / "rapor.txt");
    ASSERT_TRUE(runImporter(ws, Importer::Report).imported());
}

TEST(CleanTables, EachTableShownInTurnKeepsItsCellsAndEdits) {
    TempDir dir;
    Workspace ws;
    openSeveral(ws, dir);
    ASSERT_EQ(cleanTableCount(ws), 3u);
    EXPECT_EQ(cleanTableNames(ws),
              (std::vector<std::string>{"MUAV\xDDN DEFTER\xDD", "HESAP \xD6ZET\xDD",
                                        "AYLIK D\xD6K\xDCM"}));
    const struct {
        std::size_t table;
        int rows;  // records
        std::vector<std::string> firstRow;
    } cases[] = {
        {2, 2, {"Ay", "Bor\xE7", "Alacak"}},
        {1, 2, {"Hesap Kodu", "Hesap Ad\xFD", "Bor\xE7", "Alacak"}},
        {0, 3, {"Tarih", "Fi\xFE No", "A\xE7\xFDklama", "Bor\xE7", "Alacak"}},
    };
    ws.grid().setCell(3, 2, "Tahsilat (banka)");  // an edit to the first table
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        showCleanTable(ws, c.table);
        EXPECT_EQ(ws.book.shown, c.table);
        EXPECT_EQ(ws.grid().rowCount(), c.rows + 1);
        ASSERT_EQ(ws.clean()->columns.size(), c.firstRow.size());
        for (std::size_t k = 0; k < c.firstRow.size(); ++k)
            EXPECT_EQ(ws.grid().cell(static_cast<int>(k) + 1, 0), c.firstRow[k]);
    }
    EXPECT_EQ(ws.grid().cell(3, 2), "Tahsilat (banka)");
    EXPECT_EQ(ws.clean()->lineOfRow(3), 9);
    showCleanTable(ws, 7);  // no such table: nothing changes
    EXPECT_EQ(ws.book.shown, 0u);
}

TEST(CleanTables, TheSaveCommandsWriteEveryTable) {
    TempDir dir;
    Workspace ws;
    openSeveral(ws, dir);
    showCleanTable(ws, 1);  // saved in print order whichever is shown
    RecordingUi ui;
    ui.answers.push_back(dir / "out/rapor");
    std::filesystem::create_directory(dir / "out");
    runCommand(ui, [&] { saveCsv(ws, ui); });
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"out", "rapor.txt"}));
    const struct {
        const char* file;
        const char* text;
    } files[] = {
        {"rapor.csv",
         "Tarih;Fi\xFE No;A\xE7\xFDklama;Bor\xE7;Alacak\r\n02.01.2024;0001;Sat\xFD\xFE "
         "faturas\xFD;100,00;\r\n05.01.2024;0002;Tahsilat;;40,00\r\n10.01.2024;0003;Sat\xFD\xFE "
         "faturas\xFD;25,50;\r\n"},
        {"rapor-2.csv",
         "Hesap Kodu;Hesap Ad\xFD;Bor\xE7;Alacak\r\n120.01.001;ALFA LTD.\xDET\xDD.;125,50;40,00\r\n"
         "320.01.002;BETA A.\xDE.;10,00;10,00\r\n"},
        {"rapor-3.csv", "Ay;Bor\xE7;Alacak\r\nOcak;100,00;40,00\r\n\xDEubat;1025,50;0,00\r\n"},
    };
    for (const auto& f : files)
        EXPECT_EQ(readBytes(dir / ("out/" + std::string(f.file))), f.text) << f.file;
    EXPECT_EQ(ui.messages, std::vector<std::string>{"CSV Dosyası Kaydedildi!"});

    ws.settings.OpenExcelAfterSave = false;
    ui.answers.push_back(dir / "out/rapor.xlsx");
    FixedClock clock;
    runCommand(ui, [&] { saveExcel(ws, ui, clock); });
    const testing::XlsxPackage book(dir / "out/rapor.xlsx");
    EXPECT_EQ(book.sheetNames,
              (std::vector<std::string>{"MUAVİN DEFTERİ", "HESAP ÖZETİ", "AYLIK DÖKÜM"}));
    auto months = book.cells(2);
    EXPECT_EQ(months["A3"].value, "Şubat");
    EXPECT_EQ(months["B3"].value, "1025.5");
    EXPECT_EQ(ws.book.shown, 1u);
}

TEST(CleanTables, AFurtherFileThatIsThereIsReplacedOnlyWhenTheUserSaysSo) {
    for (const bool yes : {false, true}) {
        TempDir dir;
        Workspace ws;
        openSeveral(ws, dir);
        testing::writeBytes(dir / "out-2.csv", "another report's table");
        RecordingUi ui;
        ui.answers.push_back(dir / "out.csv");
        ui.replies.push_back(yes);
        // "Hayır" asks for another name; cancelled, nothing is written.
        EXPECT_TRUE(runCommand(ui, [&] { saveCsv(ws, ui); }));
        EXPECT_EQ(ui.questions, std::vector<std::string>{"\"" + dir / "out-2.csv" +
                                                         "\" zaten var. Bu raporun 2. tablosu "
                                                         "yerine yazılsın mı?"});
        EXPECT_EQ(ui.dialogs.size(), yes ? 1u : 2u);
        EXPECT_EQ(readBytes(dir / "out-2.csv") == "another report's table", !yes);
        EXPECT_EQ(std::filesystem::exists(dir / "out.csv"), yes);  // no half set
    }
}

TEST(CleanTables, AFurtherFileThatIsReadOnlyIsAskedAboutBeforeAnyIsWritten) {
    for (const bool yes : {false, true}) {
        TempDir dir;
        Workspace ws;
        openSeveral(ws, dir);
        const std::string third = dir / "out-3.csv";
        testing::writeBytes(third, "eski");
        std::filesystem::permissions(third, std::filesystem::perms::owner_read);
        RecordingUi ui;
        ui.answers.push_back(dir / "out.csv");
        ui.replies.push_back(yes);
        EXPECT_EQ(runCommand(ui, [&] { saveCsv(ws, ui); }), yes);
        EXPECT_EQ(ui.questions, std::vector<std::string>{"\"" + third +
                                                         "\" salt okunur bir dosya. Yerine "
                                                         "yazılsın mı?"});
        EXPECT_EQ(readBytes(third) != "eski", yes);
        EXPECT_EQ(std::filesystem::exists(dir / "out.csv"), yes);  // no half set
    }
    // A further file that is the report itself is refused, as the chosen one would be.
    TempDir dir;
    testing::writeBytes(dir / "rapor-2.csv", testing::severalTablesReport());
    Workspace ws;
    ws.settings.cleanTable = true;
    loadReport(ws, dir / "rapor-2.csv");
    ASSERT_TRUE(runImporter(ws, Importer::Report).imported());
    RecordingUi ui;
    ui.answers.push_back(dir / "rapor");
    EXPECT_FALSE(runCommand(ui, [&] { saveCsv(ws, ui); }));
    EXPECT_EQ(dir.names(), std::vector<std::string>{"rapor-2.csv"});
    EXPECT_EQ(readBytes(dir / "rapor-2.csv"), testing::severalTablesReport());
}

}  // namespace
}  // namespace tablamo
