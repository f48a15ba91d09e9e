// A report that prints several tables: "Tablo:" on the command bar picks the one the grid
// shows, and the save buttons write them all.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>

#include "support/several_tables.h"
#include "support/temp_dir.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

class CleanTablesTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ws().regional = RegionalSettings::turkish();
        bar().cleanTable()->setChecked(true);
    }
};

TEST_F(CleanTablesTest, TheTablePickedIsShownAndEveryTableIsSaved) {
    QComboBox& tables = *bar().table();
    EXPECT_FALSE(tables.isVisible());
    tablamo::testing::writeBytes(path("rapor.txt"), tablamo::testing::severalTablesReport());
    press(bar().open(), path("rapor.txt"));
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    ASSERT_TRUE(tables.isVisible());
    ASSERT_EQ(tables.count(), 3);
    EXPECT_EQ(tables.itemText(1), QStringLiteral("HESAP ÖZETİ"));
    EXPECT_EQ(tables.currentIndex(), 0);
    EXPECT_EQ(model().rowCount(), 3);

    const struct {
        int pick, rows;
        const char* heading;
        const char* first;
    } picks[] = {{2, 2, "Ay", "Şubat"}, {1, 2, "Hesap Kodu", "320.01.002"}, {0, 3, "Tarih", ""}};
    for (const auto& p : picks) {
        SCOPED_TRACE(p.pick);
        tables.setCurrentIndex(p.pick);
        emit tables.activated(p.pick);
        QApplication::processEvents();
        EXPECT_EQ(model().rowCount(), p.rows);
        EXPECT_EQ(model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                  QString::fromUtf8(p.heading));
        if (*p.first) {
            EXPECT_EQ(shown(1, 2), QString::fromUtf8(p.first));
        }
        EXPECT_EQ(tables.currentIndex(), p.pick);
    }

    tables.setCurrentIndex(2);
    emit tables.activated(2);
    press(bar().csv(), path("tablolar"));
    for (const char* file : {"tablolar.csv", "tablolar-2.csv", "tablolar-3.csv"})
        EXPECT_TRUE(QFile::exists(QString::fromStdString(path(file)))) << file;
    EXPECT_EQ(tablamo::testing::readBytes(path("tablolar.csv")).substr(0, 6), "Tarih;");

    // A report of one table: the choice goes.
    press(bar().open(), testReport("muavin.txt"));
    EXPECT_FALSE(tables.isVisible());
}

}  // namespace
}  // namespace tablamo::app::testing
