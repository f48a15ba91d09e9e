// Start-up state, the help toggle and the settings tab's mirror of the settings.

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStatusBar>
#include <QTabWidget>

#include "app/grid_view.h"
#include "app/locale_settings.h"
#include "app/qt_ui.h"
#include "app/settings_tab.h"
#include "app/title_strip.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

TEST_F(WindowTest, StartsWithCaptionStripAndCommandBarInOrder) {
    EXPECT_EQ(
        window->windowTitle(),
        QStringLiteral(
            "Zorvik Tablamo (Txt ve Not dosyaları; Excel, CSV ve HTML dosyalarına çevirici)"));
    EXPECT_EQ(window->titleStrip()->text(), QStringLiteral("Zorvik Tablamo ver. 1.4"));
    EXPECT_EQ(window->titleStrip()->height(), 35);
    EXPECT_EQ(bar().height(), 54);

    struct ButtonCase {
        QPushButton* button;
        const char* caption;
        int width;
    };
    const ButtonCase buttons[] = {
        {bar().open(), "Aç", 75},     {bar().openBank(), "Akbank Aç", 90},
        {bar().excel(), "Excel", 72}, {bar().csv(), "CSV", 75},
        {bar().html(), "HTML", 75},   {bar().reset(), "Sıfırla", 75},
        {bar().help(), "Yardım", 75}, {bar().close(), "Kapat", 75},
    };
    int left = -1;
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.caption);
        EXPECT_EQ(b.button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(b.button->width(), b.width);
        EXPECT_EQ(b.button->height(), 47);
        EXPECT_TRUE(b.button->font().bold());
        EXPECT_EQ(b.button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_GT(b.button->x(), left);  // left to right in this order
        left = b.button->x();
    }
    EXPECT_EQ(bar().openExcelAfterSave()->text(), QStringLiteral("Excel'i kayıt sonrası aç"));
    EXPECT_TRUE(bar().openExcelAfterSave()->isChecked());
    EXPECT_GT(bar().openExcelAfterSave()->x(), left);
}

TEST_F(WindowTest, StartsWithFiveTabsOfWhichOnlyGridAndHelpShowThenTheColumnsTab) {
    QTabWidget* tabs = window->tabs();
    ASSERT_EQ(tabs->count(), 6);
    const char* captions[] = {"    Tablamo     ", "TextEditör",       "HTML",
                              "Ayarlar",          "    Açıklama    ", "Sütunlar"};
    const bool visible[] = {true, false, false, false, true, true};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tabs->tabText(i), QString::fromUtf8(captions[i]));
        EXPECT_EQ(tabs->isTabVisible(i), visible[i]);
    }
    EXPECT_EQ(tabs->currentIndex(), kGridTab);
}

TEST_F(WindowTest, StartsWithALabelledGridOf25RowsAnd21Columns) {
    ASSERT_EQ(model().rowCount(), 24);  // grid rows 1..24; row 0 is the header
    ASSERT_EQ(model().columnCount(), 20);
    for (int r = 1; r <= 24; ++r) {
        EXPECT_EQ(model().headerData(r - 1, Qt::Vertical).toString(), QString::number(r));
    }
    for (int c = 1; c <= 20; ++c) {
        EXPECT_EQ(model().headerData(c - 1, Qt::Horizontal).toString(),
                  QString(QChar('A' + c - 1)));
        EXPECT_EQ(window->gridView()->columnWidth(c - 1), 100);
        EXPECT_EQ(shown(c, 1), QString());
    }
    GridView* view = window->gridView();
    EXPECT_EQ(view->verticalHeader()->width(), 30);
    EXPECT_EQ(view->rowHeight(0), 24);
    EXPECT_EQ(view->horizontalHeader()->height(), 24);
    EXPECT_EQ(view->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(view->font().pixelSize(), 13);
}

TEST_F(WindowTest, StatusBarHasTwoPanelsOf250And84PixelsThenTheReportsPanel) {
    const auto panels =
        window->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(panels[0]->width(), 250);
    EXPECT_FALSE(panels[0]->text().isEmpty());
    EXPECT_EQ(panels[1]->width(), 84);
    EXPECT_EQ(panels[2], window->reportStatus());
    EXPECT_TRUE(panels[2]->text().isEmpty());  // no report yet
}

TEST_F(WindowTest, HelpButtonTogglesAndAlwaysNamesTheTabItWillBringForward) {
    QTabWidget* tabs = window->tabs();
    struct Step {
        const char* action;  // "button", or a tab index clicked by the user
        int tab;
        const char* caption;
        int toggle;
    };
    const Step steps[] = {
        {"button", kHelpTab, "Tablamo", 1}, {"button", kGridTab, "Yardım", 0},
        {"tab4", kHelpTab, "Tablamo", 1},   {"button", kGridTab, "Yardım", 0},
        {"button", kHelpTab, "Tablamo", 1}, {"tab0", kGridTab, "Yardım", 0},
        {"button", kHelpTab, "Tablamo", 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.action);
        if (std::string(s.action) == "button") {
            press(bar().help());
        } else {
            tabs->tabBar()->setCurrentIndex(s.action[3] - '0');
        }
        EXPECT_EQ(tabs->currentIndex(), s.tab);
        EXPECT_EQ(bar().help()->text(), QString::fromUtf8(s.caption));
        EXPECT_EQ(window->helpToggle(), s.toggle);
    }
}

TEST_F(WindowTest, CloseButtonClosesTheWindow) {
    window->show();
    ASSERT_TRUE(window->isVisible());
    press(bar().close());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, SettingsTabShowsEveryDefaultWithItsAlignment) {
    SettingsTab* s = window->settingsTab();
    struct FieldCase {
        QLineEdit* field;
        QString text;
        Qt::Alignment horizontal;
    };
    const FieldCase fields[] = {
        {s->startRow(), "1", Qt::AlignRight},
        {s->startColumn(), "1", Qt::AlignRight},
        {s->searchCriterion(), "----------", Qt::AlignHCenter},
        {s->fieldSeparator(), " ", Qt::AlignHCenter},
        {s->frameCriterion(), QString(12, QChar(0xCD)), Qt::AlignHCenter},  // "Í" in 1254
        {s->frameSeparator(), QString(QChar(0xD1)), Qt::AlignHCenter},
        {s->columnWidth(1), "10", Qt::AlignRight},
        {s->columnWidth(2), "12", Qt::AlignRight},
        {s->columnWidth(3), "39", Qt::AlignRight},
        {s->columnWidth(10), "19", Qt::AlignRight},
        {s->columnWidth(11), "10", Qt::AlignRight},
        {s->columnWidth(20), "10", Qt::AlignRight},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.field->objectName().toStdString());
        EXPECT_EQ(f.field->text(), f.text);
        EXPECT_EQ(f.field->alignment() & Qt::AlignHorizontal_Mask, f.horizontal);
    }
    EXPECT_TRUE(s->autoColumnSearch()->isChecked());
    EXPECT_TRUE(s->ledgerMarks()->isChecked());
    EXPECT_EQ(s->ledgerMarks()->text(), QStringLiteral("Muavin için son satır 'B' ve 'A' yazısı"));
}

TEST_F(WindowTest, UntouchedSettingsFieldsKeepTheirBytesExactly) {
    // The frame criterion's bytes are not letters of the report's code page; shown and read
    // back, they must stay the same bytes.
    ImportSettings& s = ws().settings;
    s.layout.FrameCriterion = std::string("\xCD\x81\x00\xFF", 4);
    window->settingsTab()->refreshFrom(s);
    window->settingsTab()->readInto(s);
    EXPECT_EQ(s.layout.FrameCriterion, std::string("\xCD\x81\x00\xFF", 4));
}

TEST(RegionalFromLocale, SeparatorsAndOrderFollowTheLocale) {
    struct Case {
        const char* locale;
        char decimal;
        char date;
        DateOrder order;
    };
    const Case cases[] = {
        {"tr_TR", ',', '.', DateOrder::DayMonthYear},
        {"en_US", '.', '/', DateOrder::MonthDayYear},
        {"de_DE", ',', '.', DateOrder::DayMonthYear},
        {"ja_JP", '.', '/', DateOrder::YearMonthDay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const RegionalSettings r = regionalFromLocale(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(r.decimalSeparator, c.decimal);
        EXPECT_EQ(r.dateSeparator, c.date);
        EXPECT_EQ(r.dateOrder, c.order);
    }
}

TEST(QtNameFilter, PatternsFollowTheCaptionInParenthesesSeparatedByBlanks) {
    EXPECT_EQ(qtNameFilter({"Text Dosyalar (*.txt, *.not)", "*.txt;*.not"}),
              QStringLiteral("Text Dosyalar (*.txt, *.not) (*.txt *.not)"));
    EXPECT_EQ(qtNameFilter({"Tüm Dosyalar (*.*)", "*"}), QStringLiteral("Tüm Dosyalar (*.*) (*)"));
}

}  // namespace
}  // namespace tablamo::app::testing
