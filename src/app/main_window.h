#pragma once
/// The main window: title bar strip, command bar, the five tabs and the status bar, with
/// every button wired to its command. The window holds the workspace; the commands do the
/// work.

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/help_view.h"
#include "core/workspace.h"
#include "export/html_writer.h"

class QLocale;
class QPlainTextEdit;
class QTabWidget;

namespace tablamo {
class UiPort;
}

namespace tablamo::app {

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
enum TabIndex { kGridTab = 0, kTextTab = 1, kHtmlTab = 2, kSettingsTab = 3, kHelpTab = 4 };

/// The user's regional settings as the system locale gives them.
RegionalSettings regionalFromLocale(const QLocale& locale);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// `ui` answers the commands' dialogs and shows their messages; the window's own
    /// dialogs and message boxes when null. The help file is read from `helpFile`.
    explicit MainWindow(UiPort* ui = nullptr, const std::string& helpFile = kHelpFileName);
    ~MainWindow() override;

    /// "Aç" with `path` as the open dialog's answer: the start option --open.
    void openAtStart(const std::string& path);

    Workspace& workspace() { return m_ws; }
    TitleStrip* titleStrip() const { return m_strip; }
    CommandBar* commandBar() const { return m_bar; }
    QTabWidget* tabs() const { return m_tabs; }
    GridView* gridView() const { return m_grid; }
    GridModel* gridModel() const { return m_model; }
    SettingsTab* settingsTab() const { return m_settings; }
    HelpView* helpView() const { return m_help; }
    int helpToggle() const { return m_helpToggle; }
    /// The hidden HTML view: the page the last "HTML" command built (of a very large grid,
    /// its first lines).
    const HtmlView& htmlView() const { return m_htmlView; }

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

    void buildTabs();
    void wireCommands();
    /// Runs a command the way every button does: the settings fields are read into the
    /// workspace first, an error goes to the error box, and the window shows the result.
    template <class Command>
    void command(Command&& body, bool rewritesGrid);
    void showWorkspace();
    void tabShown(int index);
    void openReport(UiPort& ui);
    void enterPressed();

    Workspace m_ws;
    std::unique_ptr<UiPort> m_ownUi;
    UiPort* m_ui;
    HtmlView m_htmlView;
    int m_helpToggle = 0;  ///< HelpToggle: 1 when the help tab was brought forward last

    TitleStrip* m_strip;
    CommandBar* m_bar;
    QTabWidget* m_tabs;
    GridModel* m_model;
    GridView* m_grid;
    QPlainTextEdit* m_textView;
    QPlainTextEdit* m_htmlText;
    SettingsTab* m_settings;
    HelpView* m_help;
};

}  // namespace tablamo::app
