// "Mutabakat…": the ledger's and the statement's dialogs, the four tables through "Tablo:",
// and the workbook "Excel" saves, the converter's --reconcile's to the byte of every sheet.

#include <QComboBox>

#include "export/xlsx_package.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

const std::string kPair = std::string(TABLAMO_TEST_DATA) + "/reconcile/banka-rapor/";

TEST_F(WindowTest, ReconciliationShownAsFourTablesAndSavedAsTheConverterWritesIt) {
    ws().regional = RegionalSettings::turkish();
    ui.answers = {kPair + "defter.txt", kPair + "ekstre.txt"};
    press(bar().reconcile());
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs[1].title, "Mutabakat: ekstre (karşı tarafın dökümü)");
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("yalnız ekstrede; fark 0,00"), std::string::npos);
    const QComboBox& tables = *bar().table();
    ASSERT_EQ(tables.count(), 4);
    EXPECT_EQ(tables.itemText(3), QStringLiteral("Yalnız Ekstrede"));
    EXPECT_EQ(model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Kalem"));

    press(bar().excel(), path("pencere.xlsx"));
    const std::string command = "cd '" + path("") +
                                "' && '" TABLAMO_CONVERT
                                "' --decimal-separator , --date-separator . --date-order dmy "
                                "--reconcile '" +
                                kPair + "defter.txt' '" + kPair +
                                "ekstre.txt' -o komut.xlsx 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const tablamo::testing::XlsxPackage window(path("pencere.xlsx")), converter(path("komut.xlsx"));
    EXPECT_EQ(window.sheetNames, converter.sheetNames);
    for (int sheet = 0; sheet < 4; ++sheet)
        EXPECT_EQ(window.sheetXml(sheet), converter.sheetXml(sheet)) << sheet;
}

}  // namespace
}  // namespace tablamo::app::testing
