// tablamo: the window.
//   tablamo [--open REPORT | REPORT] [--save PATH] [--help-tab] [--screenshot PNG] [--help-file]
// --open runs "Aç" on REPORT at start, as if it had been picked in the open dialog (a REPORT
// named alone, as the desktop passes a file, does the same);
// --save then runs the save command of PATH's format (.xlsx, .csv, .html) as if PATH had been
// picked in its dialog, answers its message box and ends: exit status 0 only when the file
// was written, 1 without writing when REPORT was not read into the table, 2 for an empty
// PATH, one of no such format or REPORT itself; --help-tab presses "Yardım"; --columns-tab
// brings the columns tab forward;
// --recent-menu opens the list "Son Raporlar"; --merge REPORT (once per report) runs
// "Birleştir…" on the reports at start, as if they had been dropped together;
// --screenshot saves a picture of the window to PNG once it is shown (with --recent-menu, of
// the screen, where the list is a window of its own), then ends; --help-file
// prints the help file the window read and ends, with status 0 only when the help tab shows
// its text (the installed package's check); --no-profiles matches no saved layout against
// the reports opened (a run with --save names on stderr the one it applied).
// The choices the user makes on the command bar and the reports opened last are kept in
// tablamo.ini in the user's settings folder ($XDG_CONFIG_HOME/tablamo, else
// ~/.config/tablamo); a run with --save, a script's, neither reads nor writes them.

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <optional>
#include <string>

#include "app/command_bar.h"
#include "app/help_view.h"
#include "app/main_window.h"
#include "app/qt_ui.h"
#include "app/window_memory.h"
#include "commands/profile_commands.h"
#include "commands/save_guard.h"
#include "core/layout_profile.h"
#include "core/platform/system.h"
#include "core/ui_port.h"
#include "export/output_formats.h"

namespace {

// The UI port of a scripted run: the open and save dialogs answer the paths given, every
// message and error goes to stderr, nothing is opened. A question is said and answered
// "Hayır", but for replacing the file --save names (under its format's ending), which the
// script asked for.
class ScriptUi : public tablamo::UiPort {
public:
    ScriptUi(std::string open, std::string save)
        : m_open(std::move(open)), m_save(std::move(save)) {
        if (const auto* format = tablamo::formatOfFileName(m_save))
            m_named = format->fileName(m_save);
    }
    bool askYesNo(std::string_view question) override {
        say(std::string(question) + " Hayır");
        return false;
    }
    bool askReplace(const std::string& path, std::string_view question) override {
        return path == m_named || askYesNo(question);
    }
    void showMessage(std::string_view text) override { say(text); }
    void showError(std::string_view text) override { say(text); }
    std::optional<std::string> askOpenFile(const tablamo::FileDialogRequest&) override {
        return m_open;
    }
    std::optional<std::string> askSaveFile(const tablamo::FileDialogRequest&) override {
        return m_save;
    }
    void setBusy(bool) override {}
    bool openWithDefaultProgram(const std::string&) override { return true; }

private:
    // A line per line of the text; a control character (a file name's escape that would
    // move the cursor or send the terminal a command) as \xNN.
    static void say(std::string_view text) {
        std::string line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            const auto c = static_cast<unsigned char>(text[i]);
            if ((c < 0x20 && c != '\n') || c == 0x7F) {
                char code[8];
                std::snprintf(code, sizeof code, "\\x%02X", c);
                line += code;
            } else {
                line += text[i];
            }
        }
        std::fprintf(stderr, "tablamo: %s\n", line.c_str());
    }
    std::string m_open;
    std::string m_save;
    std::string m_named;  // the file the save writes
};

}  // namespace

int main(int argc, char* argv[]) {
    // Under a file size limit (ulimit -f) a save past it fails with "File too large" in the
    // error box, the old file intact, instead of ending the program.
    tablamo::platform::keepRunningPastFileSizeLimit();
    QApplication app(argc, argv);
    // QApplication takes the C library's locale from the environment; numbers written and
    // read by the libraries must not follow it (a Turkish locale makes 0.35 "0,35"). The
    // user's regional settings are read from QLocale, not from here.
    std::setlocale(LC_NUMERIC, "C");
    tablamo::app::installTurkishTranslations();
    QApplication::setApplicationName(QString::fromLatin1(tablamo::app::kAppTitle));

    QString openPath;
    QString savePath;
    bool saveGiven = false;  // --save "" is a mistake, not a run without --save
    QString screenshotPath;
    bool helpTab = false;
    bool columnsTab = false;
    bool recentMenu = false;
    bool helpFile = false;
    bool profiles = true;
    std::vector<std::string> mergePaths;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--open") && i + 1 < args.size()) {
            openPath = args[++i];
        } else if (args[i] == QLatin1String("--save") && i + 1 < args.size()) {
            savePath = args[++i];
            saveGiven = true;
        } else if (args[i] == QLatin1String("--help-tab")) {
            helpTab = true;
        } else if (args[i] == QLatin1String("--columns-tab")) {
            columnsTab = true;
        } else if (args[i] == QLatin1String("--recent-menu")) {
            recentMenu = true;
        } else if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshotPath = args[++i];
        } else if (args[i] == QLatin1String("--merge") && i + 1 < args.size()) {
            mergePaths.push_back(args[++i].toStdString());
        } else if (args[i] == QLatin1String("--help-file")) {
            helpFile = true;
        } else if (args[i] == QLatin1String("--no-profiles")) {
            profiles = false;
        } else if (!args[i].startsWith(QLatin1Char('-')) && openPath.isEmpty()) {
            openPath = args[i];
        } else {
            std::fprintf(stderr,
                         "usage: tablamo [--open REPORT | REPORT] [--save PATH] [--help-tab] "
                         "[--columns-tab] [--recent-menu] [--merge REPORT]... [--screenshot PNG] "
                         "[--help-file] [--no-profiles]\n");
            return 2;
        }
    }

    if (saveGiven) {
        const std::string problem =
            tablamo::saveOptionProblem(openPath.toStdString(), savePath.toStdString());
        if (!problem.empty()) {
            std::fprintf(stderr, "tablamo: %s\n", problem.c_str());
            return 2;
        }
    }

    const std::string help =
        tablamo::app::findHelpFile(QCoreApplication::applicationDirPath().toStdString());
    // A script's run starts from the defaults, whatever the user chose in the window.
    std::unique_ptr<tablamo::app::WindowMemory> memory;
    const QString memoryFile = tablamo::app::WindowMemory::userFile();
    if (savePath.isEmpty() && !helpFile && !memoryFile.isEmpty()) {
        memory = std::make_unique<tablamo::app::WindowMemory>(memoryFile);
    }
    tablamo::app::MainWindow window(nullptr, help, std::move(memory));
    if (helpFile) {
        std::printf("%s\n", help.c_str());
        return window.helpView()->textView()->document()->isEmpty() ? 1 : 0;
    }
    // Without a window manager (a virtual screen) "maximised" is the screen's free area.
    if (const QScreen* screen = QApplication::primaryScreen()) {
        window.setGeometry(screen->availableGeometry());
    }
    // Each report opened is matched against the layouts saved by the user, unless told not to.
    if (profiles) window.workspace().profilesFolder = tablamo::profilesFolder();
    window.showMaximized();
    if (saveGiven) {
        // A scripted run: the dialogs take the paths given, messages go to stderr. A report
        // not read into the table writes nothing: the target keeps what it holds.
        ScriptUi script(openPath.toStdString(), savePath.toStdString());
        bool opened = true;
        if (!openPath.isEmpty())
            window.withUi(script, [&] { opened = window.openAtStart(openPath.toStdString()); });
        if (!opened) {
            std::fprintf(stderr, "tablamo: %s yazılmadı\n", qPrintable(savePath));
            return 1;
        }
        // A saved layout changes what is written: a script is told which one.
        if (const auto& applied = window.workspace().profile)
            script.showMessage(tablamo::profileAppliedText(applied->name));
        return window.saveAtStart(savePath.toStdString(), script) ? 0 : 1;
    }
    if (!openPath.isEmpty()) window.openAtStart(openPath.toStdString());
    // From the event loop: the merge's message box then waits over a window already shown.
    if (!mergePaths.empty()) QTimer::singleShot(0, &window, [&] { window.mergeFiles(mergePaths); });
    if (helpTab) window.commandBar()->help()->click();
    if (columnsTab) window.tabs()->setCurrentIndex(tablamo::app::kColumnsTab);
    if (recentMenu) {
        QTimer::singleShot(500, &window, [&] {
            const QPushButton* list = window.commandBar()->recent();
            window.commandBar()->recentMenu()->popup(list->mapToGlobal(QPoint(0, list->height())));
        });
    }
    if (!screenshotPath.isEmpty()) {
        QTimer::singleShot(1500, &window, [&] {
            QScreen* screen = QApplication::primaryScreen();
            const QPixmap shot = recentMenu && screen ? screen->grabWindow(0) : window.grab();
            const bool saved = shot.save(screenshotPath, "PNG");
            if (!saved)
                std::fprintf(stderr, "tablamo: cannot write %s\n", qPrintable(screenshotPath));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
