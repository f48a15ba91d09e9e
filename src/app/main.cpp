// tablamo: the window.
//   tablamo [--open REPORT] [--help-tab] [--screenshot PNG]
// --open runs "Aç" on REPORT at start, as if it had been picked in the open dialog;
// --help-tab then presses "Yardım"; --screenshot saves a picture of the window to PNG once
// it is shown, then ends.

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/command_bar.h"
#include "app/main_window.h"
#include "app/qt_ui.h"
#include "core/platform/system.h"

int main(int argc, char* argv[]) {
    // Under a file size limit (ulimit -f) a save past it fails with "File too large" in the
    // error box, the old file intact, instead of ending the program.
    tablamo::platform::keepRunningPastFileSizeLimit();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tablamo::app::kAppTitle));

    QString openPath;
    QString screenshotPath;
    bool helpTab = false;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--open") && i + 1 < args.size()) {
            openPath = args[++i];
        } else if (args[i] == QLatin1String("--help-tab")) {
            helpTab = true;
        } else if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshotPath = args[++i];
        } else {
            std::fprintf(stderr, "usage: tablamo [--open REPORT] [--help-tab] [--screenshot PNG]\n");
            return 2;
        }
    }

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
