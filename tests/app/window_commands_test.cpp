// The command bar and the settings tab's buttons, driven through a scripted UI port.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <fstream>
#include <iterator>

#include "app/grid_view.h"
#include "app/settings_tab.h"
#include "app/title_strip.h"
#include "core/grid.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString loadedStrip(const std::string& path) {
    return QString::fromStdString("Zorvik Tablamo ver. 1.3 - " + path + " dosyası yüklendi.");
}

class CommandsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ws().regional = RegionalSettings::turkish();
    }
    void openLedger() {
        press(bar().open(), testReport("muavin.txt"));
        ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    }
};

TEST_F(CommandsTest, OpenImportsTheReportThroughTheOpenDialog) {
    openLedger();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    const FileDialogRequest& d = ui.dialogs[0];
    ASSERT_EQ(d.filters.size(), 4u);
    EXPECT_EQ(d.filters[0].caption, "Text Dosyalar (*.txt, *.not)");
    EXPECT_EQ(d.selectedFilter, 0);

    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(testReport("muavin.txt")));
    EXPECT_EQ(ws().grid().rowCount(), 9);  // nine report lines
    EXPECT_EQ(model().rowCount(), 8);
    // The heading line as text, the following lines cut into their columns and converted.
    const struct {
        int col, row;
        const char* text;
    } cells[] = {
        {1, 1, "Tarih"},
        {2, 1, "Fiş No"},
        {3, 1, "Açıklama"},
        {1, 3, "01.01.2005"},
        {3, 3, "Açılış fişi"},
        {3, 4, "Şubat kirası ödendi"},
        {3, 6, "Öğle yemeği gideri"},
        {3, 8, "TOPLAM"},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(shown(c.col, c.row), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(model().headerData(7, Qt::Vertical).toString(), QStringLiteral("8"));
    // Column detection wrote the widths; the view shows seven pixels per character.
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(window->gridView()->columnWidth(k - 1), 7 * ws().settings.layout.columnWidth(k));
        EXPECT_EQ(window->settingsTab()->columnWidth(k)->text(),
                  QString::fromStdString(
                      ws().settings.layout.ColumnWidths[static_cast<std::size_t>(k - 1)]));
    }
    EXPECT_EQ(window->gridView()->columnWidth(2), 7 * 31);
    EXPECT_FALSE(window->settingsTab()->widthList()->text().isEmpty());
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_GT(ui.busyCalls, 0);
}

TEST_F(CommandsTest, OpenAtStartTakesThePathInPlaceOfTheDialog) {
    window->openAtStart(testReport("cerceve.txt"));
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(testReport("cerceve.txt")));
    EXPECT_EQ(shown(2, 3), QStringLiteral("Kırtasiye alımı"));  // between the frame bars
}

TEST_F(CommandsTest, CancelledOpenChangesNothing) {
    openLedger();
    const std::string before(ws().grid().cell(3, 3));
    press(bar().open());  // cancelled
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(testReport("muavin.txt")));
    EXPECT_EQ(ws().grid().cell(3, 3), before);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommandsTest, AFileThatIsNotAReportShowsTheMessageAndTheStripStillNamesIt) {
    openLedger();
    const std::string report = testReport("gecersiz.txt");
    press(bar().open(), report);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "Excel e aktarmaya çalıştığınız dosya formatı geçerli değil.\r\n"
              "Lütfen açıklamalar doğrultusunda geçerli\r\n"
              "dosyalarla işleme devam edin.");
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(report));
    EXPECT_EQ(shown(3, 3), QStringLiteral("Açılış fişi"));  // the table stays
    EXPECT_EQ(ws().grid().rowCount(), 9);
}

TEST_F(CommandsTest, AnUnreadableFileShowsTheErrorAndKeepsTextGridAndStrip) {
    openLedger();
    const std::string missing = path("yok.txt");
    press(bar().open(), missing);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "Cannot open file \"" + missing + "\". No such file or directory.");
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(testReport("muavin.txt")));
    EXPECT_EQ(ws().text.lineCount(), 9);
    EXPECT_EQ(shown(3, 3), QStringLiteral("Açılış fişi"));
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(CommandsTest, ResetAfterAnImportEmptiesTheGridAndRestoresTheWidths) {
    openLedger();
    window->settingsTab()->startRow()->setText("0");  // kept by the reset
    press(bar().reset());
    ASSERT_EQ(model().rowCount(), 24);
    for (int r = 1; r <= 24; ++r) {
        for (int c = 1; c <= 20; ++c) ASSERT_EQ(shown(c, r), QString()) << c << "," << r;
        EXPECT_EQ(model().headerData(r - 1, Qt::Vertical).toString(), QString::number(r));
    }
    const char* defaults[] = {"10", "12", "39", "19", "19", "19", "19", "19", "19", "19",
                              "10", "10", "10", "10", "10", "10", "10", "10", "10", "10"};
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(window->settingsTab()->columnWidth(k)->text(),
                  QString::fromLatin1(defaults[k - 1]));
        EXPECT_EQ(window->gridView()->columnWidth(k - 1), 100);
    }
    EXPECT_EQ(window->settingsTab()->startRow()->text(), QStringLiteral("0"));
    EXPECT_EQ(ws().settings.layout.StartRow, "0");
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(testReport("muavin.txt")));
}

TEST_F(CommandsTest, SettingsFieldsAreReadBeforeACommandRuns) {
    openLedger();
    SettingsTab* s = window->settingsTab();
    s->autoColumnSearch()->setChecked(false);
    s->columnWidth(4)->setText("1 4 ");
    press(s->importButton());
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], "'1 4 ' is not a valid integer value.");
    EXPECT_FALSE(ws().settings.layout.AutoColumnSearch);
    // A field edited to hold a letter the code page lacks stops the command before it runs.
    ui.errors.clear();
    s->searchCriterion()->setText(QStringLiteral("✓✓"));
    press(s->importButton());
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ws().settings.layout.SearchCriterion, "----------");
}

TEST_F(CommandsTest, ColumnSearchButtonsWriteTheReadOutsShownOnTheSettingsTab) {
    openLedger();
    SettingsTab* s = window->settingsTab();
    ws().settings.layout.RestoreDefaultWidths();
    s->refreshFrom(ws().settings);
    press(s->findColumnsButton());
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(s->searchResultLine()->text().left(10), QStringLiteral("----------"));
    EXPECT_EQ(s->columnWidth(3)->text(), QStringLiteral("31"));
    press(bar().open(), testReport("cerceve.txt"));
    ws().settings.layout.RestoreDefaultWidths();
    s->refreshFrom(ws().settings);
    press(s->findFrameButton());
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(s->searchResultLine()->text().left(3), QStringLiteral("\u00C9\u00CD\u00CD"));
}

TEST_F(CommandsTest, CsvIsWrittenThroughItsOwnDialog) {
    openLedger();
    press(bar().csv(), path("rapor"));
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"CSV Dosyası Kaydedildi!"});
    ASSERT_EQ(ui.dialogs.back().filters.size(), 1u);
    EXPECT_EQ(ui.dialogs.back().filters[0].caption, "CSV Dosyası (*.csv)");
    const std::string csv = readFile(path("rapor.csv"));
    EXPECT_EQ(csv.substr(0, 42), ",A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T\r\n");
    EXPECT_NE(csv.find("\"A\xE7\xFDl\xFD\xFE fi\xFEi\""), std::string::npos);
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(testReport("muavin.txt")));
}

TEST_F(CommandsTest, HtmlIsBuiltIntoTheHiddenViewThenSaved) {
    openLedger();
    press(bar().html());  // cancelled: the view holds the page all the same
    ASSERT_FALSE(window->htmlView().lines.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("sayfa.html"))));
    press(bar().html(), path("sayfa"));
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{path("sayfa") + "...İnternet Dosyası Kaydedildi!"});
    const std::string page = readFile(path("sayfa.html"));
    std::string lines;
    for (const std::string& l : window->htmlView().lines) lines += l + "\r\n";
    EXPECT_EQ(page, lines);
    // The table carries the grid view's size on screen.
    const std::string size = "width=\"" + std::to_string(window->gridView()->width()) + "\"";
    EXPECT_NE(page.find(size), std::string::npos);
    EXPECT_EQ(ui.dialogs.back().title, "Tablamo Excel Dosya Kaydı");
    // The hidden HTML view shows the same page should its tab ever come forward.
    window->tabs()->setCurrentIndex(kHtmlTab);
    auto* memo = window->findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->toPlainText().count(QLatin1Char('\n')),
              static_cast<qsizetype>(window->htmlView().lines.size()));
    EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("<html>\n")));
}

TEST_F(CommandsTest, ExcelSavesTheWorkbookNamesItInTheStripAndOpensItWhenTicked) {
    openLedger();
    for (const bool openAfter : {true, false}) {
        SCOPED_TRACE(openAfter);
        ui.messages.clear();
        ui.opened.clear();
        bar().openExcelAfterSave()->setChecked(openAfter);
        const std::string book = path(openAfter ? "acik.xlsx" : "kapali.xlsx");
        press(bar().excel(), book);
        ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Excel Dosyası Kaydedildi!"});
        EXPECT_EQ(readFile(book).substr(0, 2), "PK");  // a zip package
        EXPECT_EQ(
            window->titleStrip()->text(),
            QString::fromStdString("Zorvik Tablamo ver. 1.3 - " + book + " dosyası kayıt edildi."));
        EXPECT_EQ(ui.opened.size(), openAfter ? 1u : 0u);
    }
}

TEST_F(CommandsTest, AFileThatCannotBeCreatedShowsTheErrorAndNoSuccessMessage) {
    openLedger();
    const std::string blocked = path("yok/klasor/rapor.csv");
    press(bar().csv(), blocked);
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].rfind("Cannot create file \"" + blocked + "\". ", 0), 0u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(CommandsTest, AkbankOpenImportsTheStatementAndNamesTheFile) {
    const std::string statement =
        std::string(TABLAMO_TEST_DATA) + "/../../samples/akbank-ekstre.txt";
    if (!QFile::exists(QString::fromStdString(statement))) GTEST_SKIP() << "no sample statement";
    press(bar().openBank(), statement);
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    EXPECT_EQ(window->titleStrip()->text(), loadedStrip(statement));
    const char* fixed[] = {"4", "9", "7", "10", "8", "24", "24", "5", "36"};
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(window->settingsTab()->columnWidth(k)->text(), QString::fromLatin1(fixed[k - 1]));
        EXPECT_EQ(window->gridView()->columnWidth(k - 1), 7 * std::stoi(fixed[k - 1]));
    }
}

}  // namespace
}  // namespace tablamo::app::testing
