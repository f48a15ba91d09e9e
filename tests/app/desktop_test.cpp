// The window as a desktop tool: a dropped file, undo and redo of cell edits.

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "app/columns_tab.h"
#include "app/command_bar.h"
#include "app/grid_view.h"
#include "app/report_text_view.h"
#include "app/title_strip.h"
#include "core/column_boundaries.h"
#include "import/report_import.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

class DesktopTest : public WindowTest {};

std::string cellsOf(const Grid& grid) {
    std::string all;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (const std::string_view cell : grid.row(r)) all.append(cell).append("\t");
        all += '\n';
    }
    return all;
}

TEST_F(DesktopTest, ADroppedFileOpensAsIfPickedInTheOpenDialog) {
    const std::string report = testReport("muavin.txt");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(report))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);

    // The same table and strip as "Aç" on that file gives.
    const std::string dropped = [&] {
        std::string all;
        for (int r = 0; r < ws().grid().rowCount(); ++r)
            for (const std::string_view cell : ws().grid().row(r)) all.append(cell).append("\t");
        return all;
    }();
    press(bar().open(), report);
    std::string opened;
    for (int r = 0; r < ws().grid().rowCount(); ++r)
        for (const std::string_view cell : ws().grid().row(r)) opened.append(cell).append("\t");
    EXPECT_EQ(dropped, opened);
    EXPECT_EQ(window->titleStrip()->text().toStdString(),
              "Zorvik Tablamo ver. 1.3 - " + report + " dosyası yüklendi.");
    EXPECT_TRUE(ui.errors.empty());

    QMimeData text;
    text.setText(QStringLiteral("no file"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(DesktopTest, ReportsDroppedTogetherOrPickedInBirlestirAreMerged) {
    const std::string report = testReport("muavin.txt");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(report)),
                  QUrl::fromLocalFile(QString::fromStdString(testReport("cerceve.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(report))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_TRUE(ws().clean().has_value());
    // The sub-ledger named twice is read once; the cash book without records stays out. The
    // book: the sub-ledger's table, then "Özet", picked in "Tablo:".
    const int records = static_cast<int>(ws().clean()->recordLines.size());
    EXPECT_EQ(ws().grid().rowCount(), records + 1);
    EXPECT_EQ(model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kaynak"));
    EXPECT_EQ(shown(1, records), QStringLiteral("muavin.txt"));
    EXPECT_EQ(bar().table()->count(), 2);
    EXPECT_EQ(bar().table()->itemText(1), QStringLiteral("Özet"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("1 rapor birleştirildi", 0), 0u);
    EXPECT_NE(ui.messages[0].find("Kitaba alınmayanlar:\r\ncerceve.txt: Temiz tablo: raporda "
                                  "kayıt satırı ayırt edilemedi; birleştirilmedi."),
              std::string::npos)
        << ui.messages[0];
    // "Özet" picked: the status bar counts its reports.
    bar().table()->activated(1);
    EXPECT_EQ(window->reportStatus()->text(), QStringLiteral("Özet: 2 rapor"));
    bar().table()->activated(0);

    // "Birleştir…" asks for the reports; cancelled, the table stays.
    press(bar().merge());
    EXPECT_EQ(ui.dialogs.back().title, "Birleştirilecek raporlar");
    EXPECT_EQ(ws().grid().rowCount(), records + 1);
}

TEST_F(DesktopTest, CtrlZAndCtrlYUndoAndRedoCellEditsUntilTheNextImport) {
    press(bar().open(), testReport("muavin.txt"));
    const QString before = shown(3, 3);
    ASSERT_FALSE(before.isEmpty());
    model().setData(model().index(2, 2), QStringLiteral("Düzeltilmiş açıklama"));
    model().setData(model().index(2, 3), QStringLiteral("99,00"));
    EXPECT_EQ(shown(3, 3), QStringLiteral("Düzeltilmiş açıklama"));

    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(3, 3), before);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shown(3, 3), QStringLiteral("Düzeltilmiş açıklama"));
    EXPECT_EQ(ws().grid().cell(3, 3), "D\xFCzeltilmi\xFE a\xE7\xFDklama");

    // An import starts afresh: nothing left to undo.
    press(bar().open(), testReport("muavin.txt"));
    EXPECT_FALSE(model().edits()->canUndo());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(3, 3), before);
}

TEST_F(DesktopTest, BoundariesMovedAddedAndRemovedImportAsTheseWidthsWould) {
    const std::string report = testReport("muavin.txt");
    press(bar().open(), report);
    window->tabs()->setCurrentIndex(kColumnsTab);
    QApplication::processEvents();
    ReportTextView* view = window->columnsTab()->view();
    QWidget* port = view->viewport();
    const int charWidth = view->xOfBoundary(1) - view->xOfBoundary(0);
    const int y = view->rulerHeight() + 3 * view->lineHeight();
    // The grid the plain import gives for these widths with the column search off, as the
    // converter's --widths and --no-auto-columns give it.
    auto importedWith = [&](const ColumnWidths& widths) {
        Workspace reference;
        reference.regional = ws().regional;
        reference.text = ReportText::loadFile(report);
        for (int k = 1; k <= 20; ++k) reference.settings.layout.setColumnWidth(k, widths[k - 1]);
        reference.settings.layout.AutoColumnSearch = false;
        importReport(reference);
        return cellsOf(reference.grid());
    };
    const ColumnWidths detected = view->widths();
    const ColumnWidths ends = columnEnds(detected);

    // Column 2's end dragged three characters to the right.
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(view->xOfBoundary(ends[1]), y));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(view->xOfBoundary(ends[1] + 3), y));
    const auto moved = moveBoundary(detected, 2, ends[1] + 3);
    ASSERT_TRUE(moved);
    EXPECT_EQ(view->widths(), *moved);
    EXPECT_FALSE(ws().settings.layout.AutoColumnSearch);
    EXPECT_EQ(cellsOf(ws().grid()), importedWith(*moved));

    // A boundary put in the middle of column 3 by a double-click.
    const int inside = columnEnds(*moved)[1] + 5;
    QTest::mouseDClick(port, Qt::LeftButton, {}, QPoint(view->xOfBoundary(inside), y));
    const auto added = addBoundary(*moved, inside);
    ASSERT_TRUE(added);
    EXPECT_EQ(view->widths(), *added);
    EXPECT_EQ(cellsOf(ws().grid()), importedWith(*added));

    // Dragged off the text, it goes again.
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(view->xOfBoundary(inside), y));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(view->xOfBoundary(inside), -20));
    EXPECT_EQ(view->widths(), removeBoundary(*added, 3));
    EXPECT_EQ(cellsOf(ws().grid()), importedWith(removeBoundary(*added, 3)));
    EXPECT_GT(charWidth, 0);

    // "Otomatik" goes back to the column search.
    window->columnsTab()->automatic()->click();
    QApplication::processEvents();
    EXPECT_TRUE(ws().settings.layout.AutoColumnSearch);
    EXPECT_EQ(view->widths(), detected);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DesktopTest, TemizTabloImportsTheLoadedReportAgainTheOtherWayAndNamesItsLines) {
    ws().regional = RegionalSettings::turkish();
    const std::string report = std::string(TABLAMO_TEST_DATA) + "/clean/mizan/report.txt";
    EXPECT_FALSE(bar().cleanTable()->isChecked());
    press(bar().open(), report);
    const std::string plain = cellsOf(ws().grid());
    EXPECT_FALSE(ws().clean());
    // Opened plain, the status bar tells what the clean table would read of it.
    EXPECT_EQ(window->reportStatus()->text().section(QStringLiteral("  ·  "), 0, 0),
              QStringLiteral("Temiz tablo: 50 kayıt — işaretleyin"));

    bar().cleanTable()->click();
    QApplication::processEvents();
    ASSERT_TRUE(ws().clean());
    EXPECT_EQ(ws().grid().colCount(), static_cast<int>(ws().clean()->columns.size()) + 1);
    EXPECT_EQ(model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Hesap Kodu"));
    window->gridView()->setCurrentIndex(model().index(2, 1));  // grid row 3
    // The records, what the totals check says, then the report line of the current row.
    EXPECT_THAT(
        window->reportStatus()->text().toStdString(),
        ::testing::AllOf(::testing::StartsWith(
                             "Temiz tablo: " + std::to_string(ws().clean()->recordLines.size()) +
                             " kayıt  ·  6 denetim tuttu"),
                         ::testing::EndsWith("  ·  Rapor satırı: " +
                                             std::to_string(*ws().clean()->lineOfRow(3)))));

    bar().cleanTable()->click();
    QApplication::processEvents();
    EXPECT_FALSE(ws().clean());
    EXPECT_EQ(cellsOf(ws().grid()), plain);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DesktopTest, ASavedLayoutIsAppliedToTheNextReportOfItsKindUntilOtomatik) {
    ws().profilesFolder = path("duzenler");
    const std::string report = testReport("muavin.txt");
    press(bar().open(), report);
    const ColumnWidths detected = window->columnsTab()->view()->widths();
    const auto edited = moveBoundary(detected, 1, columnEnds(detected)[0] + 2);
    ASSERT_TRUE(edited);
    emit window->columnsTab()->view()->widthsEdited(*edited);
    ui.answers.push_back(path("duzenler") + "/muavin-2005");
    window->columnsTab()->saveLayout()->click();
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();

    press(bar().open(), testReport("cerceve.txt"));  // another kind: nothing applied
    EXPECT_FALSE(ws().profile);
    press(bar().open(), report);
    ASSERT_TRUE(ws().profile);
    EXPECT_TRUE(
        window->reportStatus()->text().contains(QStringLiteral("Düzen: muavin-2005 uygulandı")));
    EXPECT_EQ(window->columnsTab()->view()->widths(), *edited);

    window->columnsTab()->automatic()->click();
    QApplication::processEvents();
    EXPECT_FALSE(ws().profile);
    EXPECT_EQ(window->columnsTab()->view()->widths(), detected);
}

TEST_F(DesktopTest, BoundaryMovesAreUndoneAndRedoneInOneHistoryWithCellEdits) {
    press(bar().open(), testReport("muavin.txt"));
    ReportTextView* view = window->columnsTab()->view();
    const ColumnWidths detected = view->widths();
    const std::string imported = cellsOf(ws().grid());
    model().setData(model().index(2, 2), QStringLiteral("Düzeltilmiş açıklama"));
    const std::string edited = cellsOf(ws().grid());
    const auto moved = moveBoundary(detected, 2, columnEnds(detected)[1] + 3);
    ASSERT_TRUE(moved);
    emit view->widthsEdited(*moved);
    const std::string afterMove = cellsOf(ws().grid());
    model().setData(model().index(3, 2), QStringLiteral("ikinci"));
    const std::string editedAfterMove = cellsOf(ws().grid());
    ASSERT_NE(afterMove, edited);

    auto key = [&](Qt::Key k) {
        QTest::keyClick(window.get(), k, Qt::ControlModifier);
        QApplication::processEvents();
    };
    struct Step {
        Qt::Key key;
        const std::string& cells;
        const ColumnWidths& widths;
        bool automatic;  // the column search is on again
    };
    const Step steps[] = {
        {Qt::Key_Z, afterMove, *moved, false}, {Qt::Key_Z, edited, detected, true},
        {Qt::Key_Z, imported, detected, true}, {Qt::Key_Y, edited, detected, true},
        {Qt::Key_Y, afterMove, *moved, false}, {Qt::Key_Y, editedAfterMove, *moved, false},
        {Qt::Key_Z, afterMove, *moved, false}, {Qt::Key_Z, edited, detected, true},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(&st - steps);
        key(st.key);
        EXPECT_EQ(cellsOf(ws().grid()), st.cells);
        EXPECT_EQ(view->widths(), st.widths);
        EXPECT_EQ(ws().settings.layout.AutoColumnSearch, st.automatic);
    }
    // The edit the columns' undo brought back is one the next choice asks about.
    ui.replies.push_back(false);
    bar().cleanTable()->click();
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(cellsOf(ws().grid()), edited);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(DesktopTest, BoundaryLinesEndWithTheText) {
    press(bar().open(), testReport("muavin.txt"));
    window->tabs()->setCurrentIndex(kColumnsTab);
    QApplication::processEvents();
    ReportTextView* view = window->columnsTab()->view();
    ASSERT_EQ(view->textBottom(), view->rulerHeight() + 9 * view->lineHeight());
    ASSERT_LT(view->textBottom() + 10, view->viewport()->height());
    const QImage shot = view->viewport()->grab().toImage();
    const int x = view->xOfBoundary(columnEnds(view->widths())[0]);
    const QColor red(200, 30, 30);
    EXPECT_EQ(shot.pixelColor(x, view->textBottom() - 2), red);
    EXPECT_NE(shot.pixelColor(x, view->textBottom() + 5), red);
    // Below the text nothing is taken hold of: a drag there moves no boundary.
    const ColumnWidths before = view->widths();
    const int below = view->textBottom() + 5;
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(x, below));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(x + 40, below));
    EXPECT_EQ(view->widths(), before);
}

TEST_F(DesktopTest, ALayoutThatTicksTemizTabloImportsTheReportOnce) {
    ws().profilesFolder = path("duzenler");
    const std::string report = testReport("muavin.txt");
    bar().cleanTable()->click();
    press(bar().open(), report);
    ui.answers.push_back(path("duzenler") + "/temiz");
    window->columnsTab()->saveLayout()->click();
    bar().cleanTable()->click();
    ASSERT_FALSE(ws().clean());
    ui.busyCalls = 0;
    press(bar().open(), report);
    EXPECT_TRUE(bar().cleanTable()->isChecked());
    EXPECT_TRUE(ws().clean());
    EXPECT_EQ(ui.busyCalls, 2);  // one import, under one hourglass
    EXPECT_TRUE(ui.errors.empty());
}

}  // namespace
}  // namespace tablamo::app::testing
