// tablamo: the window.
//   tablamo [--open REPORT] [--help-tab] [--screenshot PNG]
//   tablamo --open REPORT --save FILE
// --open runs "Aç" on REPORT at start, as if it had been picked in the open dialog;
// --help-tab then presses "Yardım"; --screenshot saves a picture of the window to PNG once
// it is shown, then ends. --save then presses the save button FILE's ending names ("Excel"
// for .xlsx and .xls, "CSV", "HTML") with FILE as the dialog's answer and ends: exit status
// 0 when it was written, 1 when anything failed (messages go to stderr, no box is shown).

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>

#include "app/command_bar.h"
#include "app/main_window.h"
#include "app/qt_ui.h"
#include "app/script_ui.h"
#include "export/output_formats.h"

namespace {

// --open REPORT --save FILE: the window's own open and save, driven without a dialog or box.
int openAndSave(const QString& openPath, const QString& savePath) {
    using namespace tablamo;
    const OutputFormatInfo* format = formatOfFileName(savePath.toStdString());
    if (!format) {
        std::fprintf(stderr,
                     "tablamo: --save: the file's ending names no format (.xlsx, .csv, .html)\n");
        return 2;
    }
    app::ScriptUi ui(savePath.toStdString());
    app::MainWindow window(&ui);
    window.show();
    QApplication::processEvents();
    // A help file that cannot be read is reported, but takes nothing from the save.
    const int atStart = ui.errors();
    if (!openPath.isEmpty()) window.openAtStart(openPath.toStdString());
    if (ui.errors() > atStart) return 1;
    app::CommandBar* bar = window.commandBar();
    QPushButton* button = format->format == OutputFormat::Xlsx  ? bar->excel()
                          : format->format == OutputFormat::Csv ? bar->csv()
                                                                : bar->html();
    button->click();
    QApplication::processEvents();
    return ui.asked() && ui.errors() == atStart ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Under a file size limit (ulimit -f) a save past it fails with "File too large" in the
    // error box, the old file intact, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // QApplication took the user's C library locale; its numbers stay the C locale's, so no
    // library that prints a number with printf (the workbook writer's cell values) writes
    // "404,4" under a Turkish locale. The window's own regional settings come from QLocale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromLatin1(tablamo::app::kAppTitle));

    QString openPath;
    QString screenshotPath;
    QString savePath;
    bool helpTab = false;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--open") && i + 1 < args.size()) {
            openPath = args[++i];
        } else if (args[i] == QLatin1String("--help-tab")) {
            helpTab = true;
        } else if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshotPath = args[++i];
        } else if (args[i] == QLatin1String("--save") && i + 1 < args.size()) {
            savePath = args[++i];
        } else {
            std::fprintf(stderr,
                         "usage: tablamo [--open REPORT] [--help-tab] [--screenshot PNG]\n"
                         "       tablamo --open REPORT --save FILE\n");
            return 2;
        }
    }
    if (!savePath.isEmpty()) return openAndSave(openPath, savePath);

    tablamo::app::MainWindow window;
    // Without a window manager (a virtual screen) "maximised" is the screen's free area.
    if (const QScreen* screen = QApplication::primaryScreen()) {
        window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
    if (!openPath.isEmpty()) window.openAtStart(openPath.toStdString());
    if (helpTab) window.commandBar()->help()->click();
    if (!screenshotPath.isEmpty()) {
        QTimer::singleShot(1500, &window, [&] {
            const bool saved = window.grab().save(screenshotPath, "PNG");
            if (!saved) std::fprintf(stderr, "tablamo: cannot write %s\n", qPrintable(screenshotPath));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
