// The window as a desktop tool: a dropped file, undo and redo of cell edits.

#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "app/title_strip.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

class DesktopTest : public WindowTest {};

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
        for (int r = 0; r < ws().grid.rowCount(); ++r)
            for (const std::string_view cell : ws().grid.row(r)) all.append(cell).append("\t");
        return all;
    }();
    press(bar().open(), report);
    std::string opened;
    for (int r = 0; r < ws().grid.rowCount(); ++r)
        for (const std::string_view cell : ws().grid.row(r)) opened.append(cell).append("\t");
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
    EXPECT_EQ(ws().grid.cell(3, 3), "D\xFCzeltilmi\xFE a\xE7\xFDklama");

    // An import starts afresh: nothing left to undo.
    press(bar().open(), testReport("muavin.txt"));
    EXPECT_FALSE(model().edits()->canUndo());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(3, 3), before);
}

}  // namespace
}  // namespace tablamo::app::testing
