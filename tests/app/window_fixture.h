#pragma once
// A main window driven by a scripted UI port, for the window's tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/command_bar.h"
#include "app/grid_model.h"
#include "app/main_window.h"
#include "support/recording_ui.h"

namespace tablamo::app::testing {

inline std::string testReport(const char* name) {
    return std::string(TABLAMO_TEST_DATA) + "/app/" + name;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<MainWindow>(&ui, path("yardim-yok"));
        window->resize(1000, 700);
        window->show();  // lays the widgets out
        QApplication::processEvents();
    }

    std::string path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    Workspace& ws() { return window->workspace(); }
    CommandBar& bar() { return *window->commandBar(); }
    GridModel& model() { return *window->gridModel(); }

    /// Presses a button; `answer` is what the next dialog returns (nothing: cancel).
    void press(QPushButton* button, std::optional<std::string> answer = std::nullopt) {
        if (answer) ui.answers.push_back(answer);
        button->click();
        QApplication::processEvents();
    }
    /// The cell the user sees at grid (column, row), data cells only.
    QString shown(int col, int row) {
        return model().data(model().index(row - 1, col - 1)).toString();
    }

    QTemporaryDir dir;
    tablamo::testing::RecordingUi ui;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tablamo::app::testing
