#pragma once
/// What the columns tab does to the report: the user's boundaries, "Otomatik", the ledger
/// marks, and the layout profiles' buttons, each ending in the report imported again.

#include <QObject>
#include <functional>

#include "core/column_boundaries.h"

namespace tablamo {
class UiPort;
struct Workspace;
}  // namespace tablamo

namespace tablamo::app {

class ColumnsTab;

class ColumnsController : public QObject {
    Q_OBJECT
public:
    /// Runs a command as the window's buttons do: `rewritesGrid` when it imports again.
    using RunCommand = std::function<void(const std::function<void(UiPort&)>&, bool rewritesGrid)>;

    ColumnsController(Workspace& ws, ColumnsTab* tab, RunCommand run, QObject* parent = nullptr);

    /// Shows the workspace's report, its boundaries and the line detection took.
    void show();
    /// Before a new report is opened: the column search the user's boundaries switched off
    /// for the last report is on again.
    void beforeOpen();
    /// Imports the loaded text again with the importer that read it.
    void importAgain();
    bool userColumns() const { return m_userColumns; }

private:
    void widthsEdited(const ColumnWidths& widths);
    void automatic();

    Workspace& m_ws;
    ColumnsTab* m_tab;
    RunCommand m_run;
    bool m_userColumns = false;  ///< the user's boundaries hold for the loaded report
};

}  // namespace tablamo::app
