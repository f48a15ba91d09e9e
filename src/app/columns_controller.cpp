#include "app/columns_controller.h"

#include <QCheckBox>
#include <QPushButton>

#include "app/columns_tab.h"
#include "app/report_text_view.h"
#include "commands/open_commands.h"
#include "commands/profile_commands.h"
#include "core/workspace.h"

namespace tablamo::app {

ColumnsController::ColumnsController(Workspace& ws, ColumnsTab* tab, RunCommand run,
                                     QObject* parent)
    : QObject(parent), m_ws(ws), m_tab(tab), m_run(std::move(run)) {
    connect(tab->view(), &ReportTextView::widthsEdited, this, &ColumnsController::widthsEdited);
    connect(tab->automatic(), &QPushButton::clicked, this, &ColumnsController::automatic);
    connect(tab->ledgerMarks(), &QCheckBox::toggled, this, [this](bool on) {
        m_ws.settings.layout.LedgerMarks = on;
        importAgain();
    });
    connect(tab->saveLayout(), &QPushButton::clicked, this,
            [this] { m_run([this](UiPort& ui) { saveLayoutProfile(m_ws, ui); }, false); });
    connect(tab->loadLayout(), &QPushButton::clicked, this, [this] {
        m_run(
            [this](UiPort& ui) {
                if (loadLayoutProfile(m_ws, ui) && !m_ws.text.empty()) {
                    m_userColumns = false;
                    tablamo::importAgain(m_ws, ui);
                }
            },
            true);
    });
}

void ColumnsController::show() { m_tab->showReport(m_ws, m_userColumns); }

void ColumnsController::importAgain() {
    if (m_ws.text.empty()) return;
    m_run([this](UiPort& ui) { tablamo::importAgain(m_ws, ui); }, true);
}

void ColumnsController::widthsEdited(const ColumnWidths& widths) {
    ReportLayout& layout = m_ws.settings.layout;
    for (int k = 1; k <= ReportLayout::kWidthCount; ++k) layout.setColumnWidth(k, widths[k - 1]);
    layout.AutoColumnSearch = false;
    m_userColumns = true;
    importAgain();
}

void ColumnsController::automatic() {
    // Back to the column search: the user's boundaries, and a profile applied to this
    // report, give way.
    m_userColumns = false;
    dropAppliedProfile(m_ws);
    m_ws.settings.layout.AutoColumnSearch = true;
    importAgain();
}

void ColumnsController::beforeOpen() {
    if (!m_userColumns) return;
    m_userColumns = false;
    m_ws.settings.layout.AutoColumnSearch = true;
}

}  // namespace tablamo::app
