#pragma once
/// What the columns tab does to the report: the user's boundaries, "Otomatik", the ledger
/// marks, and the layout profiles' buttons, each ending in the report imported again. A
/// boundary moved, put in or taken out is a step of the grid's undo stack, in one history
/// with the cell edits.

#include <QObject>
#include <array>
#include <functional>
#include <string>

#include "core/column_boundaries.h"

namespace tablamo {
class UiPort;
struct Workspace;
}  // namespace tablamo

namespace tablamo::app {

class ColumnsTab;
class GridModel;

/// What a command run by the columns tab does to the grid.
enum class GridChange {
    None,      ///< leaves it
    Imported,  ///< imports the report again: the edits before can no longer be undone
    Undoable,  ///< imports it again as a step of the undo stack, which stays
};

class ColumnsController : public QObject {
    Q_OBJECT
public:
    /// Runs a command as the window's buttons do.
    using RunCommand = std::function<void(const std::function<void(UiPort&)>&, GridChange)>;

    ColumnsController(Workspace& ws, ColumnsTab* tab, GridModel* model, RunCommand run,
                      QObject* parent = nullptr);

    /// Shows the workspace's report, its boundaries and the line detection took.
    void show();
    /// Before a new report is opened: the column search the user's boundaries switched off
    /// for the last report is on again.
    void beforeOpen();
    /// Imports the loaded text again with the importer that read it; its warnings shown in a
    /// message box only when `warnings` (not after a column change: the status bar says them).
    void importAgain(bool warnings = true);
    bool userColumns() const { return m_userColumns; }

    /// The columns as one step of the undo stack leaves or finds them.
    struct Columns {
        std::array<std::string, 20> widths;
        bool autoSearch = true;
        bool userColumns = false;
    };
    /// Takes `columns` over and imports the report again, keeping the undo stack.
    void applyColumns(const Columns& columns);

private:
    void widthsEdited(const ColumnWidths& widths);
    void automatic();
    Columns current() const;

    Workspace& m_ws;
    ColumnsTab* m_tab;
    GridModel* m_model;
    RunCommand m_run;
    bool m_userColumns = false;  ///< the user's boundaries hold for the loaded report
};

}  // namespace tablamo::app
