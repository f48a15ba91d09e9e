#include "app/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/columns_controller.h"
#include "app/columns_tab.h"
#include "app/command_bar.h"
#include "app/grid_model.h"
#include "app/grid_view.h"
#include "app/help_view.h"
#include "app/locale_settings.h"
#include "app/qt_ui.h"
#include "app/report_text_view.h"
#include "app/settings_tab.h"
#include "app/title_strip.h"
#include "commands/clean_tables.h"
#include "commands/merge_command.h"
#include "commands/open_commands.h"
#include "commands/reconcile_command.h"
#include "commands/save_commands.h"
#include "core/platform/files.h"
#include "core/ui_port.h"

namespace tablamo::app {
namespace {

// The tab bar draws its tabs as flat buttons.
constexpr const char* kFlatTabs =
    "QTabWidget::pane { border: 1px solid rgb(160, 160, 160); top: -1px; }"
    "QTabBar::tab { border: 1px solid transparent; padding: 4px 10px; margin: 2px 2px 2px 0px;"
    " background: transparent; }"
    "QTabBar::tab:hover { border: 1px solid rgb(160, 160, 160); }"
    "QTabBar::tab:selected { border: 1px solid rgb(120, 120, 120);"
    " background: rgb(210, 210, 210); }";

}  // namespace

MainWindow::MainWindow(UiPort* ui, const std::string& helpFile,
                       std::unique_ptr<WindowMemory> memory)
    : m_memory(std::move(memory)) {
    if (!ui) {
        m_ownUi = std::make_unique<QtUi>(this);
        ui = m_ownUi.get();
    }
    m_ui = ui;
    m_ws.regional = regionalFromLocale(QLocale::system());
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(kWindowCaption));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_strip = new TitleStrip(central);
    m_bar = new CommandBar(central);
    m_tabs = new QTabWidget(central);
    column->addWidget(m_strip);
    column->addWidget(m_bar);
    column->addWidget(m_tabs, 1);
    m_tabs->setCornerWidget(m_bar->tableChoice(), Qt::TopRightCorner);
    setCentralWidget(central);

    auto* notice = new QLabel(QStringLiteral("DOS raporlarını tabloya çevirir"), this);
    notice->setFixedWidth(250);
    auto* second = new QLabel(this);
    second->setFixedWidth(84);
    statusBar()->addWidget(notice);
    statusBar()->addWidget(second);
    // What the window tells of the loaded report: a profile applied, a UTF-8 reading, the
    // report line of the current row.
    m_status = new QLabel(this);
    m_status->setObjectName("ReportStatus");
    statusBar()->addWidget(m_status, 1);

    buildTabs();
    wireCommands();
    setAcceptDrops(true);
    // Ctrl+Z and Ctrl+Y undo and redo the grid's cell edits.
    QAction* undo = m_model->edits()->createUndoAction(this, QStringLiteral("Geri al"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = m_model->edits()->createRedoAction(this, QStringLiteral("Yinele"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys.prepend(Qt::CTRL | Qt::Key_Y);
    redo->setShortcuts(redoKeys);
    addAction(undo);
    addAction(redo);
    restoreMemory();
    showWorkspace();
    // A help file that cannot be read is reported; the window starts all the same.
    runCommand(*m_ui, [&] { m_help->loadFile(helpFile); });
}

MainWindow::~MainWindow() {
    // The widgets read the workspace until they are gone, and the workspace is a member:
    // the widgets go first.
    delete centralWidget();
    delete m_model;
}

void MainWindow::buildTabs() {
    m_tabs->setObjectName("PageControl1");
    m_tabs->setStyleSheet(kFlatTabs);
    m_tabs->setDocumentMode(false);

    m_model = new GridModel(m_ws, this);
    m_grid = new GridView(m_tabs);
    m_grid->setGridModel(m_model);
    m_textView = new QPlainTextEdit(m_tabs);
    m_textView->setObjectName("RichEdit1");
    m_textView->setReadOnly(true);
    m_textView->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textView->setFont(QFont(QStringLiteral("Courier New")));
    m_textView->setVisible(false);
    m_htmlText = new QPlainTextEdit(m_tabs);
    m_htmlText->setObjectName("Memo1");
    m_settings = new SettingsTab(m_tabs);
    m_help = new HelpView(m_tabs);

    m_tabs->addTab(m_grid, QStringLiteral("    Tablamo     "));
    m_tabs->addTab(m_textView, QStringLiteral("TextEditör"));
    m_tabs->addTab(m_htmlText, QStringLiteral("HTML"));
    m_tabs->addTab(m_settings, QStringLiteral("Ayarlar"));
    m_tabs->addTab(m_help, QStringLiteral("    Açıklama    "));
    m_columns = new ColumnsTab(m_tabs);
    m_tabs->addTab(m_columns, QStringLiteral("Sütunlar"));
    m_columnsControl = new ColumnsController(
        m_ws, m_columns, m_model,
        [this](const std::function<void(UiPort&)>& body, GridChange change) {
            // The controller changed the workspace's settings; the fields the command
            // reads first must show them.
            m_settings->refreshFrom(m_ws.settings);
            command([&] { body(*m_ui); }, change != GridChange::None,
                    change == GridChange::Undoable);
        },
        this);
    for (const int hidden : {kTextTab, kHtmlTab, kSettingsTab})
        m_tabs->setTabVisible(hidden, false);
    m_tabs->setCurrentIndex(kGridTab);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::tabShown);
}

template <class Command>
void MainWindow::command(Command&& body, bool rewritesGrid, bool keepHistory) {
    runCommand(*m_ui, [&] {
        m_settings->readInto(m_ws.settings);
        m_ws.settings.OpenExcelAfterSave = m_bar->openExcelAfterSave()->isChecked();
        m_ws.settings.cleanTable = m_bar->cleanTable()->isChecked();
        m_ws.settings.signedBalance = m_bar->signedBalance()->isChecked();
        m_ws.settings.openings = m_bar->openings()->isChecked();
        if (rewritesGrid) {
            m_model->rewrite(body, keepHistory);
        } else {
            body();
        }
    });
    // What the command changed before it stopped stays changed, and is shown.
    showWorkspace();
}

void MainWindow::showWorkspace() {
    m_strip->setText(QString::fromStdString(m_ws.titleStrip));
    m_settings->refreshFrom(m_ws.settings);
    m_bar->openExcelAfterSave()->setChecked(m_ws.settings.OpenExcelAfterSave);
    m_columnsControl->show();
    // Set from the settings (a layout profile may carry "Temiz tablo"), not clicked: the
    // boxes' click handlers import again and remember the user's choice.
    m_bar->cleanTable()->setChecked(m_ws.settings.cleanTable);
    m_bar->signedBalance()->setChecked(m_ws.settings.signedBalance);
    m_bar->signedBalance()->setEnabled(m_ws.settings.cleanTable);
    m_bar->openings()->setChecked(m_ws.settings.openings);
    m_bar->openings()->setEnabled(m_ws.settings.cleanTable);
    QStringList tables;
    for (const std::string& name : cleanTableNames(m_ws)) tables << fromWin1254(name);
    m_bar->showTables(tables, static_cast<int>(m_ws.book.shown));
    showStatus();
}

void MainWindow::wireCommands() {
    connect(m_bar->open(), &QPushButton::clicked, this, &MainWindow::Button1Click);
    connect(m_bar->openBank(), &QPushButton::clicked, this, &MainWindow::Button13Click);
    connect(m_bar->excel(), &QPushButton::clicked, this, &MainWindow::Button8Click);
    connect(m_bar->csv(), &QPushButton::clicked, this, &MainWindow::sButton1Click);
    connect(m_bar->html(), &QPushButton::clicked, this, &MainWindow::Button7Click);
    connect(m_bar->reset(), &QPushButton::clicked, this, &MainWindow::Button6Click);
    connect(m_bar->help(), &QPushButton::clicked, this, &MainWindow::Button12Click);
    connect(m_bar->close(), &QPushButton::clicked, this, &MainWindow::Button11Click);
    connect(m_bar->merge(), &QPushButton::clicked, this, &MainWindow::mergeClick);
    connect(m_bar->reconcile(), &QPushButton::clicked, this, &MainWindow::reconcileClick);
    connect(m_settings->importButton(), &QPushButton::clicked, this, &MainWindow::Button2Click);
    connect(m_settings->findColumnsButton(), &QPushButton::clicked, this,
            &MainWindow::Button4Click);
    connect(m_settings->findFrameButton(), &QPushButton::clicked, this, &MainWindow::Button10Click);

    // Ticked or unticked with a report loaded, the report comes again the other way.
    connect(m_bar->cleanTable(), &QCheckBox::clicked, this,
            [this](bool on) { choiceClicked(Choice::CleanTable, on); });
    connect(m_bar->signedBalance(), &QCheckBox::clicked, this,
            [this](bool on) { choiceClicked(Choice::SignedBalance, on); });
    connect(m_bar->openings(), &QCheckBox::clicked, this,
            [this](bool on) { choiceClicked(Choice::Openings, on); });
    // Another of the report's tables into the grid: the model drops what it knew of the rows.
    connect(m_bar->table(), &QComboBox::activated, this, [this](int index) {
        command([&] { showCleanTable(m_ws, static_cast<std::size_t>(index)); }, true);
    });
    connect(m_bar, &CommandBar::recentChosen, this, &MainWindow::recentChosen);
    connect(m_bar, &CommandBar::recentCleared, this, [this] {
        m_recent.clear();
        recentChanged();
    });
    connect(m_grid, &GridView::currentRowChanged, this, &MainWindow::showStatus);
    connect(m_grid, &GridView::enterPressed, this, &MainWindow::enterPressed);
    // Shown after the editor has closed, not from inside the model's write.
    connect(
        m_model, &GridModel::editRefused, this,
        [this](const QString& ch) {
            m_ui->showMessage(("\"" + ch +
                               "\" karakteri Windows-1254 kod sayfasında yok; "
                               "hücre değiştirilmedi.")
                                  .toStdString());
        },
        Qt::QueuedConnection);
}

void MainWindow::Button1Click() { openReport(*m_ui); }

void MainWindow::Button13Click() { openWith(*m_ui, Importer::Statement); }

void MainWindow::Button8Click() {
    command([&] { saveExcel(m_ws, *m_ui); }, false);
}

void MainWindow::sButton1Click() {
    command([&] { saveCsv(m_ws, *m_ui); }, false);
}

void MainWindow::Button7Click() {
    HtmlLayout layout;
    layout.tableWidth = m_grid->width();
    layout.tableHeight = m_grid->height();
    command([&] { saveHtml(m_ws, *m_ui, m_htmlView, layout); }, false);
    if (m_tabs->currentIndex() == kHtmlTab) tabShown(kHtmlTab);
}

void MainWindow::Button6Click() {
    command([&] { resetGrid(m_ws); }, true);
}

void MainWindow::Button12Click() {
    // The tab's own show handler sets the caption and HelpToggle.
    m_tabs->setCurrentIndex(m_helpToggle != 1 ? kHelpTab : kGridTab);
    tabShown(m_tabs->currentIndex());
}

void MainWindow::Button11Click() { close(); }

void MainWindow::Button2Click() {
    command([&] { importLoadedReport(m_ws, *m_ui); }, true);
}

void MainWindow::Button4Click() {
    command([&] { findRuleLineColumns(m_ws, *m_ui); }, false);
}

void MainWindow::Button10Click() {
    command([&] { findFrameColumns(m_ws, *m_ui); }, false);
}

void MainWindow::openReport(UiPort& ui) { openWith(ui, Importer::Report); }

bool MainWindow::openWith(UiPort& ui, Importer importer) {
    m_columnsControl->beforeOpen();
    bool opened = false;
    bool tabled = false;
    command(
        [&] {
            const auto outcome = importer == Importer::Statement ? tablamo::openStatement(m_ws, ui)
                                                                 : tablamo::openReport(m_ws, ui);
            opened = outcome.has_value();
            tabled = opened && (outcome->imported() || outcome->status == ImportStatus::NoRecords);
            // Opened plain: the status bar tells what the clean table would read of it.
            m_cleanHint.reset();
            if (opened && outcome->imported()) m_cleanHint = cleanRecordCount(m_ws);
        },
        true);
    // A file refused as no report does not join the list of reports.
    if (tabled) reportOpened(importer == Importer::Statement);
    return tabled;
}

void MainWindow::mergeClick() { mergeFiles({}); }

void MainWindow::mergeFiles(const std::vector<std::string>& paths) {
    m_columnsControl->beforeOpen();
    command(
        [&] {
            if (paths.empty()) {
                mergeReportsIntoGrid(m_ws, *m_ui);
            } else {
                mergeFilesIntoGrid(m_ws, *m_ui, paths);
            }
        },
        true);
}

void MainWindow::reconcileClick() {
    m_columnsControl->beforeOpen();
    command([&] { reconcileIntoGrid(m_ws, *m_ui); }, true);
}

void MainWindow::tabShown(int index) {
    if (index == kGridTab) {
        m_bar->help()->setText(QStringLiteral("Yardım"));
        m_helpToggle = 0;
    } else if (index == kHelpTab) {
        m_bar->help()->setText(QStringLiteral("Tablamo"));
        m_helpToggle = 1;
    } else if (index == kTextTab) {
        // The report stays in the workspace; the text view is filled only when shown.
        m_textView->setPlainText(fromWin1254(m_ws.text.bytes()));
    } else if (index == kHtmlTab) {
        QString page;
        for (const std::string& line : m_htmlView.lines) {
            page += fromWin1254(line) + QLatin1Char('\n');
        }
        if (!m_htmlView.whole) {
            // The page of a very large grid is held in part; the saved file has it whole.
            page += QStringLiteral(
                        "<!-- Sayfanın ilk %1 / %2 satırı; kaydedilen dosya sayfanın "
                        "tamamını taşır. -->\n")
                        .arg(m_htmlView.lines.size())
                        .arg(m_htmlView.pageLines);
        }
        m_htmlText->setPlainText(page);
    }
}

void MainWindow::enterPressed() {
    runCommand(*m_ui, [&] { moveOnEnter(m_ws.grid()); });
    m_grid->showGridCurrentCell();
}

}  // namespace tablamo::app
