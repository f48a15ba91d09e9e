// Times "Aç" in the window (offscreen) against the plain import of the same report.
//   make-report 1000000 > report.txt && window_bench report.txt
// Measures, in one run:
//   - the plain import: load the file, "Dosyayı Aktar" on a bare workspace;
//   - the window: "Aç" pressed with the open dialog answered by the file, then the first
//     paint of the grid;
//   - scrolling the grid to the last row and reading its cells through the model;
//   - the memory each adds, against the file's size.

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_bar.h"
#include "app/grid_model.h"
#include "app/grid_view.h"
#include "app/main_window.h"
#include "commands/open_commands.h"
#include "core/workspace.h"
#include "import/report_import.h"
#include "support/recording_ui.h"

namespace {

// Resident memory now and at its peak, in MiB.
struct Memory {
    double now = 0;
    double peak = 0;
};

Memory memory() {
    Memory m;
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        double kb = 0;
        if (key == "VmRSS:" && in >> kb) m.now = kb / 1024;
        if (key == "VmHWM:" && in >> kb) m.peak = kb / 1024;
    }
    return m;
}

double ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_bench REPORT\n");
        return 2;
    }
    const std::string path = argv[1];
    const double fileMiB = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    std::printf("report: %.1f MiB\n", fileMiB);
    {
        // Both imports read the file from the page cache.
        std::ifstream warm(path, std::ios::binary);
        std::vector<char> chunk(1 << 20);
        while (warm.read(chunk.data(), static_cast<std::streamsize>(chunk.size()))) {
        }
    }

    using tablamo::testing::RecordingUi;
    const Memory base = memory();
    double plainMs = 0;
    {
        tablamo::Workspace ws;
        RecordingUi ui;
        QElapsedTimer t;
        t.start();
        tablamo::loadReport(ws, path);
        tablamo::importReport(ws);
        plainMs = ms(t);
        const Memory after = memory();
        std::printf("plain import:  %8.0f ms   rows %d   memory +%.0f MiB (%.2fx the file)\n",
                    plainMs, ws.grid().rowCount(), after.now - base.now,
                    (after.now - base.now) / fileMiB);
    }

    const Memory before = memory();
    RecordingUi ui;
    tablamo::app::MainWindow window(&ui, "");
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    ui.answers.push_back(path);
    QElapsedTimer t;
    t.start();
    window.commandBar()->open()->click();
    const double openMs = ms(t);
    QApplication::processEvents();  // the first paint of the imported grid
    const double paintedMs = ms(t);
    const Memory opened = memory();
    std::printf(
        "window \"Ac\":   %8.0f ms   (+%.0f ms over the plain import), painted after %.0f ms\n",
        openMs, openMs - plainMs, paintedMs);
    std::printf("window memory: +%.0f MiB (%.2fx the file), peak %.0f MiB\n",
                opened.now - before.now, (opened.now - before.now) / fileMiB, opened.peak);

    tablamo::app::GridView* view = window.gridView();
    t.restart();
    view->scrollToBottom();
    QApplication::processEvents();
    const double scrollMs = ms(t);
    tablamo::app::GridModel* model = window.gridModel();
    t.restart();
    QString last;
    for (int c = 0; c < model->columnCount(); ++c)
        last += model->data(model->index(model->rowCount() - 1, c)).toString();
    const double readUs = ms(t) * 1000;
    std::printf("scroll to the last row and paint: %.1f ms; last row's 20 cells read in %.1f us\n",
                scrollMs, readUs);
    std::printf("errors shown: %zu, messages shown: %zu\n", ui.errors.size(), ui.messages.size());
    return ui.errors.empty() ? 0 : 1;
}
