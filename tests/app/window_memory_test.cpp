// What the window keeps between starts: the choices the user made on the command bar and
// the reports opened last; and the question before a choice drops cell edits.

#include "app/window_memory.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>

#include "app/title_strip.h"
#include "commands/report_reading.h"
#include "core/grid.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

const std::string kLedger = std::string(TABLAMO_TEST_DATA) + "/clean/muavin-tek-hesap/report.txt";

class MemoryTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        restart();
    }
    /// Ends the window and starts a new one on the same settings file.
    void restart() {
        window.reset();
        window = std::make_unique<MainWindow>(&ui, path("yardim-yok"),
                                              std::make_unique<WindowMemory>(memoryFile()));
        ws().regional = RegionalSettings::turkish();
        window->show();
        QApplication::processEvents();
    }
    QString memoryFile() const { return dir.path() + "/ayarlar/tablamo.ini"; }
    QStringList menuEntries() {
        QStringList entries;
        for (QAction* a : bar().recentMenu()->actions()) {
            if (!a->isSeparator()) entries << a->text();
        }
        return entries;
    }
    void pickRecent(int index) {
        bar().recentMenu()->actions().at(index)->trigger();
        QApplication::processEvents();
    }
};

TEST_F(MemoryTest, ChoicesAreKeptOnceTheUserMakesThem) {
    // The first start is the plain window, and a start stores nothing.
    EXPECT_FALSE(bar().cleanTable()->isChecked());
    EXPECT_FALSE(bar().signedBalance()->isEnabled());
    restart();
    EXPECT_FALSE(QFile::exists(memoryFile()));

    struct Step {
        QCheckBox* (CommandBar::*box)() const;
        bool clean, signedBalance, openings;  // after the click and after a restart
    };
    const Step steps[] = {
        {&CommandBar::cleanTable, true, false, false},
        {&CommandBar::signedBalance, true, true, false},
        {&CommandBar::openings, true, true, true},
        {&CommandBar::cleanTable, false, true, true},  // kept, but off with the plain table
        {&CommandBar::cleanTable, true, true, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(&s - steps);
        (bar().*s.box)()->click();
        restart();
        EXPECT_EQ(bar().cleanTable()->isChecked(), s.clean);
        EXPECT_EQ(bar().signedBalance()->isChecked(), s.signedBalance);
        EXPECT_EQ(bar().openings()->isChecked(), s.openings);
        EXPECT_EQ(bar().signedBalance()->isEnabled(), s.clean);
        EXPECT_EQ(bar().openings()->isEnabled(), s.clean);
        EXPECT_EQ(ws().settings.cleanTable, s.clean);
        EXPECT_EQ(ws().settings.signedBalance, s.signedBalance);
        EXPECT_EQ(ws().settings.openings, s.openings);
    }
    // The remembered choices are the ones the first report is read with.
    press(bar().open(), kLedger);
    ASSERT_TRUE(ws().clean());
    EXPECT_TRUE(requestOf(ws(), kLedger, Importer::Report).openings);
    EXPECT_EQ(window->reportStatus()->text().section(QStringLiteral("  ·  "), 0, 0).toStdString(),
              "Temiz tablo, işaretli bakiye, açılışlar: " +
                  std::to_string(ws().clean()->recordLines.size()) + " kayıt");
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(MemoryTest, AChoiceThatWouldDropCellEditsIsAskedFirst) {
    press(bar().open(), kLedger);
    const std::string plain(ws().grid().cell(3, 4));
    // No edit: nothing to ask. Unticked again, the report comes back plain.
    bar().cleanTable()->click();
    bar().cleanTable()->click();
    EXPECT_TRUE(ui.questions.empty());
    // An edit undone is no edit either.
    model().setData(model().index(3, 2), QStringLiteral("düzeltme"));
    model().edits()->undo();
    bar().cleanTable()->click();
    bar().cleanTable()->click();
    EXPECT_TRUE(ui.questions.empty());

    model().setData(model().index(3, 2), QStringLiteral("düzeltme"));
    struct Case {
        bool yes;
        bool clean;      // the box and the table after the answer
        bool editStays;  // the edited cell
    };
    for (const Case& c : {Case{false, false, true}, Case{true, true, false}}) {
        SCOPED_TRACE(c.yes);
        ui.questions.clear();
        ui.replies.push_back(c.yes);
        bar().cleanTable()->click();
        QApplication::processEvents();
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_EQ(ui.questions[0],
                  "Tablodaki hücrelerde yaptığınız değişiklikler, rapor yeniden aktarılınca "
                  "kaybolacak.\r\nYine de devam edilsin mi?");
        EXPECT_EQ(bar().cleanTable()->isChecked(), c.clean);
        EXPECT_EQ(ws().clean().has_value(), c.clean);
        EXPECT_EQ(ws().grid().cell(3, 4) == "d\xFCzeltme", c.editStays);
    }
    restart();
    EXPECT_TRUE(bar().cleanTable()->isChecked());  // "Hayır" remembered nothing; "Evet" did
    EXPECT_NE(plain, "");
}

TEST_F(MemoryTest, RecentReportsOpenAgainWithOneClickAcrossStarts) {
    EXPECT_EQ(menuEntries(), QStringList{QStringLiteral("Henüz rapor açılmadı")});
    const std::string statement = std::string(TABLAMO_SAMPLES) + "/akbank-ekstre.txt";
    const std::string moved = path("gecici.txt");
    ASSERT_TRUE(QFile::copy(QString::fromStdString(testReport("cerceve.txt")),
                            QString::fromStdString(moved)));
    press(bar().open(), testReport("muavin.txt"));
    press(bar().openBank(), statement);
    press(bar().open(), moved);
    press(bar().open());                   // cancelled: nothing joins the list
    press(bar().open(), path("yok.txt"));  // not read: neither
    ASSERT_EQ(ui.errors.size(), 1u);
    restart();
    const QStringList entries = menuEntries();
    ASSERT_EQ(entries.size(), 4);  // three reports and "Listeyi temizle"
    EXPECT_EQ(entries[0], QStringLiteral("&1  gecici.txt  —  ") + dir.path());
    EXPECT_TRUE(entries[1].startsWith(QStringLiteral("&2  akbank-ekstre.txt (Akbank)  —  ")));
    EXPECT_TRUE(entries[2].startsWith(QStringLiteral("&3  muavin.txt  —  ")));

    // The statement opens as a statement, and comes first.
    pickRecent(1);
    EXPECT_EQ(window->titleStrip()->text().toStdString(),
              "Zorvik Tablamo ver. 1.3 - " + statement + " dosyası yüklendi.");
    EXPECT_TRUE(ws().openedAsStatement);
    EXPECT_TRUE(menuEntries()[0].startsWith(QStringLiteral("&1  akbank-ekstre.txt (Akbank)")));

    // A report gone since: said so, and out of the list, also for the next start.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(moved)));
    ui.messages.clear();
    pickRecent(1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "\"" + moved +
                               "\" dosyası bulunamadı; taşınmış ya da silinmiş olabilir.\r\n"
                               "Son raporlar listesinden çıkarıldı."});
    EXPECT_TRUE(ws().openedAsStatement);  // the table shown stays
    restart();
    EXPECT_EQ(menuEntries().size(), 3);
    EXPECT_FALSE(menuEntries().join('\n').contains(QStringLiteral("gecici.txt")));

    bar().recentMenu()->actions().last()->trigger();  // "Listeyi temizle"
    restart();
    EXPECT_EQ(menuEntries(), QStringList{QStringLiteral("Henüz rapor açılmadı")});
}

TEST_F(MemoryTest, ASettingsFileThatCannotBeWrittenIsSaidOnce) {
    // A file where the settings folder should be: nothing can be written under it.
    QFile blocker(dir.path() + "/ayarlar");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    bar().cleanTable()->click();
    press(bar().open(), testReport("muavin.txt"));
    EXPECT_EQ(ui.errors, std::vector<std::string>{
                             "Seçimleriniz ve son raporlar listesi kaydedilemedi; Tablamo bir "
                             "sonraki açılışta bunları hatırlamayacak."});
    EXPECT_TRUE(bar().cleanTable()->isChecked());  // the choice holds for this run
    EXPECT_EQ(window->recentReports().entries().size(), 1u);
}

// A choice is kept under the converter's option name; a file written when the keys were
// others is still read, and its old key goes once the choice is made again.
TEST(WindowMemoryKeys, AChoiceIsKeptUnderItsOptionsNameAndTheFormerKeyIsRead) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/tablamo.ini";
    const struct {
        Choice which;
        const char* option;
        const char* key;
        const char* formerLine;  // as the window wrote it under [window]
        bool formerValue;
    } cases[] = {
        {Choice::CleanTable, "--clean", "window/clean", "cleanTable=true", true},
        {Choice::SignedBalance, "--signed-balance", "window/signed-balance", "signedBalance=false",
         false},
        {Choice::Openings, "--openings", "window/openings", "openings=true", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_STREQ(cleanSwitch(c.which).option, c.option);
        QFile former(file);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write(QByteArray("[window]\r\n") + c.formerLine + "\r\n");
        former.close();
        EXPECT_EQ(WindowMemory(file).choice(c.which), c.formerValue);

        EXPECT_TRUE(WindowMemory(file).setChoice(c.which, !c.formerValue));
        const QSettings written(file, QSettings::IniFormat);
        EXPECT_EQ(written.allKeys(), QStringList{QString::fromUtf8(c.key)});
        EXPECT_EQ(written.value(c.key).toBool(), !c.formerValue);
        EXPECT_EQ(WindowMemory(file).choice(c.which), !c.formerValue);
    }
}

}  // namespace
}  // namespace tablamo::app::testing
