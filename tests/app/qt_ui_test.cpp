// The window's own UI port: its message boxes and file dialogs, answered by a timer.

#include "app/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace tablamo::app {
namespace {

// Runs `inspect` on the modal dialog once it is up; it closes the dialog itself.
void whenModal(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) inspect(modal);
    });
}

TEST(QtUi, MessageAndErrorBoxesAreTitledTablamoWithOneOkButton) {
    QWidget parent;
    QtUi ui(&parent);
    for (const bool error : {false, true}) {
        SCOPED_TRACE(error);
        QString title, text;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            buttons = static_cast<int>(box->buttons().size());
            icon = box->icon();
            box->accept();
        });
        if (error) {
            ui.showError("Grid index out of range.");
        } else {
            ui.showMessage("satır bir\r\nsatır iki");
        }
        EXPECT_EQ(title, QStringLiteral("Tablamo"));
        EXPECT_EQ(text, error ? QStringLiteral("Grid index out of range.")
                              : QStringLiteral("satır bir\nsatır iki"));
        EXPECT_EQ(buttons, 1);
        EXPECT_EQ(icon, error ? QMessageBox::Critical : QMessageBox::NoIcon);
    }
}

TEST(QtUi, FileDialogsCarryTheRequestAndReturnTheChoice) {
    QWidget parent;
    QtUi ui(&parent);
    FileDialogRequest request;
    request.title = "Tablamo Excel Dosya Kaydı";
    request.filters = {{"Text Dosyalar (*.txt, *.not)", "*.txt;*.not"},
                       {"Tüm Dosyalar (*.*)", "*"}};
    request.selectedFilter = 1;
    request.fileName = "/tmp/rapor";

    QStringList filters;
    QString title, selected;
    bool confirmsOverwrite = true;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        title = dialog->windowTitle();
        selected = dialog->selectedNameFilter();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->reject();
    });
    EXPECT_EQ(ui.askSaveFile(request), std::nullopt);  // cancelled
    EXPECT_EQ(title, QStringLiteral("Tablamo Excel Dosya Kaydı"));
    EXPECT_EQ(filters, QStringList({QStringLiteral("Text Dosyalar (*.txt, *.not) (*.txt *.not)"),
                                    QStringLiteral("Tüm Dosyalar (*.*) (*)")}));
    EXPECT_EQ(selected, QStringLiteral("Tüm Dosyalar (*.*)"));  // the caption, as shown
    EXPECT_FALSE(confirmsOverwrite);

    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QStringLiteral("/tmp/rapor.csv"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(ui.askSaveFile(request), std::optional<std::string>("/tmp/rapor.csv"));
}

TEST(QtUi, BusyCursorNestsAndIsRestored) {
    QWidget parent;
    QtUi ui(&parent);
    {
        BusyCursor outer(ui);
        BusyCursor inner(ui);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace tablamo::app
