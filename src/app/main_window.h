#pragma once
/// The main window: title bar strip, command bar, the five tabs and the status bar, with
/// every button wired to its command. The window holds the workspace; the commands do the
/// work.

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/help_view.h"
#include "app/window_memory.h"
#include "commands/open_commands.h"
#include "commands/recent_reports.h"
#include "core/column_boundaries.h"
#include "core/workspace.h"
#include "export/html_writer.h"

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLocale;
class QPlainTextEdit;
class QTabWidget;

namespace tablamo {
class UiPort;
}

namespace tablamo::app {

class ColumnsController;
class ColumnsTab;
class CommandBar;
class GridModel;
class GridView;
class HelpView;
class SettingsTab;
class TitleStrip;

/// The window's caption.
inline constexpr const char* kWindowCaption =
    "Zorvik Tablamo (Txt ve Not dosyaları; Excel, CSV ve HTML dosyalarına çevirici)";

/// Indices of the tabs.
enum TabIndex {
    kGridTab = 0,
    kTextTab = 1,
    kHtmlTab = 2,
    kSettingsTab = 3,
    kHelpTab = 4,
    kColumnsTab = 5,  ///< "Sütunlar", after the five of the original window
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// `ui` answers the commands' dialogs and shows their messages; the window's own
    /// dialogs and message boxes when null. The help file is read from `helpFile`. The
    /// choices the user made and the reports opened last are kept in `memory`; with none,
    /// nothing is kept past the window.
    explicit MainWindow(UiPort* ui = nullptr, const std::string& helpFile = kHelpFileName,
                        std::unique_ptr<WindowMemory> memory = nullptr);
    ~MainWindow() override;

    /// "Aç" with `path` as the open dialog's answer: the start option --open. True when the
    /// report was read into the table (false: not read, or refused by the import).
    bool openAtStart(const std::string& path);
    /// "Birleştir…" with these reports (as if dropped together), or with those its dialog
    /// picks when none are given.
    void mergeFiles(const std::vector<std::string>& paths);
    /// The save command of `path`'s format (.xlsx or .xls, .csv, .html or .htm) with `ui`
    /// answering its dialog and its message box: the start option --save. True when the
    /// file was written; false also for a name of no format the window saves.
    bool saveAtStart(const std::string& path, UiPort& ui);
    /// Runs `body` with `ui` answering the commands in place of the window's own port.
    template <class Body>
    void withUi(UiPort& ui, Body&& body) {
        UiPort* const own = m_ui;
        m_ui = &ui;
        struct Restore {
            MainWindow* w;
            UiPort* own;
            ~Restore() { w->m_ui = own; }
        } restore{this, own};
        body();
    }

    Workspace& workspace() { return m_ws; }
    TitleStrip* titleStrip() const { return m_strip; }
    CommandBar* commandBar() const { return m_bar; }
    QTabWidget* tabs() const { return m_tabs; }
    GridView* gridView() const { return m_grid; }
    GridModel* gridModel() const { return m_model; }
    SettingsTab* settingsTab() const { return m_settings; }
    HelpView* helpView() const { return m_help; }
    ColumnsTab* columnsTab() const { return m_columns; }
    /// The status bar's panel of the loaded report.
    QLabel* reportStatus() const { return m_status; }
    /// The reports opened last, newest first ("Son Raporlar").
    const RecentReports& recentReports() const { return m_recent; }
    int helpToggle() const { return m_helpToggle; }
    /// The hidden HTML view: the page the last "HTML" command built (of a very large grid,
    /// its first lines).
    const HtmlView& htmlView() const { return m_htmlView; }

protected:
    /// A file dragged onto the window opens as if picked in "Aç"'s dialog.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The handlers of the command bar's and the settings tab's buttons.
    void Button1Click();   ///< "Aç"
    void Button13Click();  ///< "Akbank Aç"
    void Button8Click();   ///< "Excel"
    void sButton1Click();  ///< "CSV"
    void Button7Click();   ///< "HTML"
    void Button6Click();   ///< "Sıfırla"
    void Button12Click();  ///< "Yardım"
    void Button11Click();  ///< "Kapat"
    void Button2Click();   ///< "Dosyayı Aktar"
    void Button4Click();   ///< "Sütun Ara"
    void Button10Click();  ///< "Sütun Ara BG"
    void mergeClick();     ///< "Birleştir…"
    /// "Mutabakat…"
    void reconcileClick();

    void buildTabs();
    void wireCommands();
    /// Runs a command the way every button does: the settings fields are read into the
    /// workspace first, an error goes to the error box, and the window shows the result.
    template <class Command>
    void command(Command&& body, bool rewritesGrid, bool keepHistory = false);
    void showWorkspace();
    void tabShown(int index);
    void openReport(UiPort& ui);
    /// "Aç" or "Akbank Aç" with `ui` answering the dialog; a file opened joins the list of
    /// recent reports. True when the file's table is in the grid.
    bool openWith(UiPort& ui, Importer importer);
    /// "Aç" or "Akbank Aç" with `path` as the dialog's answer.
    bool openFile(const std::string& path, Importer importer);

    // The remembered choices, the recent reports and the status bar (main_window_state.cpp).
    void restoreMemory();
    /// "Temiz tablo", "İşaretli bakiye" or "Açılışlar" ticked or unticked by the user: asked
    /// first when the grid holds cell edits the import again would drop; remembered.
    void choiceClicked(Choice which, bool on);
    void remember(Choice which, bool on);
    void recentChosen(int index);
    void reportOpened(bool statement);
    void recentChanged();
    /// Tells the user once that the settings file cannot be written.
    void memoryNotWritten();
    /// The status bar's last panel: a profile applied, a UTF-8 reading, the report line of
    /// the current row.
    void showStatus();
    void enterPressed();

    Workspace m_ws;
    std::unique_ptr<WindowMemory> m_memory;
    bool m_memoryFailed = false;  ///< the user was told the settings file is not writable
    RecentReports m_recent;
    std::unique_ptr<UiPort> m_ownUi;
    UiPort* m_ui;
    HtmlView m_htmlView;
    int m_helpToggle = 0;  ///< HelpToggle: 1 when the help tab was brought forward last
    /// The records the clean table reads of the report opened plain (the status bar's hint).
    std::optional<std::size_t> m_cleanHint;

    TitleStrip* m_strip;
    CommandBar* m_bar;
    QTabWidget* m_tabs;
    GridModel* m_model;
    GridView* m_grid;
    QPlainTextEdit* m_textView;
    QPlainTextEdit* m_htmlText;
    SettingsTab* m_settings;
    HelpView* m_help;
    ColumnsTab* m_columns;
    ColumnsController* m_columnsControl;
    QLabel* m_status;
};

}  // namespace tablamo::app
