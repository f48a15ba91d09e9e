#include "app/columns_controller.h"

#include <QCheckBox>
#include <QPushButton>
#include <QUndoCommand>

#include "app/columns_tab.h"
#include "app/grid_model.h"
#include "app/report_text_view.h"
#include "commands/open_commands.h"
#include "commands/profile_commands.h"
#include "core/workspace.h"

namespace tablamo::app {
namespace {

// A boundary moved, put in or taken out: undone, the report is imported with the columns
// before it and the cell edits made in that table come back.
class ColumnsEdit : public QUndoCommand {
public:
    ColumnsEdit(ColumnsController& control, GridModel& model, ColumnsController::Columns before,
                ColumnsController::Columns after)
        : QUndoCommand(QStringLiteral("Sütun sınırı")),
          m_control(control),
          m_model(model),
          m_before(std::move(before)),
          m_after(std::move(after)) {}
    void redo() override { m_control.applyColumns(m_after); }
    void undo() override {
        m_control.applyColumns(m_before);
        m_model.redoCellEditsBefore(this);
    }
    int id() const override { return GridModel::kColumnsEditId; }

private:
    ColumnsController& m_control;
    GridModel& m_model;
    ColumnsController::Columns m_before, m_after;
};

}  // namespace

ColumnsController::ColumnsController(Workspace& ws, ColumnsTab* tab, GridModel* model,
                                     RunCommand run, QObject* parent)
    : QObject(parent), m_ws(ws), m_tab(tab), m_model(model), m_run(std::move(run)) {
    connect(tab->view(), &ReportTextView::widthsEdited, this, &ColumnsController::widthsEdited);
    connect(tab->automatic(), &QPushButton::clicked, this, &ColumnsController::automatic);
    connect(tab->ledgerMarks(), &QCheckBox::toggled, this, [this](bool on) {
        m_ws.settings.layout.LedgerMarks = on;
        importAgain(false);
    });
    connect(tab->saveLayout(), &QPushButton::clicked, this, [this] {
        m_run([this](UiPort& ui) { saveLayoutProfile(m_ws, ui); }, GridChange::None);
    });
    connect(tab->loadLayout(), &QPushButton::clicked, this, [this] {
        m_run(
            [this](UiPort& ui) {
                if (loadLayoutProfile(m_ws, ui) && !m_ws.text.empty()) {
                    m_userColumns = false;
                    tablamo::importAgain(m_ws, ui);
                }
            },
            GridChange::Imported);
    });
}

void ColumnsController::show() { m_tab->showReport(m_ws, m_userColumns); }

void ColumnsController::importAgain(bool warnings) {
    if (m_ws.text.empty()) return;
    m_run([this, warnings](UiPort& ui) { tablamo::importAgain(m_ws, ui, warnings); },
          GridChange::Imported);
}

ColumnsController::Columns ColumnsController::current() const {
    const ReportLayout& layout = m_ws.settings.layout;
    Columns c;
    std::copy(layout.ColumnWidths.begin(), layout.ColumnWidths.end(), c.widths.begin());
    c.autoSearch = layout.AutoColumnSearch;
    c.userColumns = m_userColumns;
    return c;
}

void ColumnsController::applyColumns(const Columns& columns) {
    ReportLayout& layout = m_ws.settings.layout;
    std::copy(columns.widths.begin(), columns.widths.end(), layout.ColumnWidths.begin());
    layout.AutoColumnSearch = columns.autoSearch;
    m_userColumns = columns.userColumns;
    if (m_ws.text.empty()) {
        show();
        return;
    }
    m_run([this](UiPort& ui) { tablamo::importAgain(m_ws, ui, false); }, GridChange::Undoable);
}

void ColumnsController::widthsEdited(const ColumnWidths& widths) {
    const Columns before = current();
    Columns after = before;
    for (int k = 1; k <= ReportLayout::kWidthCount; ++k)
        after.widths[static_cast<std::size_t>(k - 1)] = std::to_string(widths[k - 1]);
    after.autoSearch = false;
    after.userColumns = true;
    // Pushed, the step is done: the report is imported with the new columns.
    m_model->edits()->push(new ColumnsEdit(*this, *m_model, before, after));
}

void ColumnsController::automatic() {
    // Back to the column search: the user's boundaries, and a profile applied to this
    // report, give way.
    m_userColumns = false;
    dropAppliedProfile(m_ws);
    m_ws.settings.layout.AutoColumnSearch = true;
    importAgain(false);
}

void ColumnsController::beforeOpen() {
    if (!m_userColumns) return;
    m_userColumns = false;
    m_ws.settings.layout.AutoColumnSearch = true;
}

}  // namespace tablamo::app
