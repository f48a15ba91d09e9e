#pragma once
/// The table model over the core grid. Grid row 0 (the column letters) and grid column 0
/// (the row numbers) are the fixed cells: they are the view's headers, read from the grid
/// like every other cell. Model (row, column) is grid cell (column + 1, row + 1). A clean
/// table's amounts and dates are shown as the region writes them, each cell when it is
/// asked for; the cells themselves, and what is edited, stay as they are.

#include <QAbstractTableModel>
#include <QLocale>
#include <QUndoStack>
#include <string>

#include "core/column_kind.h"

namespace tablamo {
class Grid;
struct Workspace;
}  // namespace tablamo

namespace tablamo::app {

/// A Windows-1254 text as a QString.
QString fromWin1254(std::string_view text);

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// Ids of the undo stack's steps: a cell edit, a change of the columns that imports the
    /// report again.
    static constexpr int kCellEditId = 1;
    static constexpr int kColumnsEditId = 2;

    /// Shows the workspace's grid, a clean table's amounts and dates as QLocale::system()
    /// writes them.
    explicit GridModel(Workspace& ws, QObject* parent = nullptr);

    /// The locale whose thousands separator and short date a clean table is shown with.
    void setDisplayLocale(const QLocale& locale);
    /// The grid holds a clean table.
    bool isCleanTable() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// Writes an edited cell back as Windows-1254, as a step that can be undone. A text
    /// holding a character that the code page lacks is refused: the cell keeps its text and
    /// editRefused() names the character.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Wraps a command that rewrites the grid: the views drop everything they knew of it,
    /// and the edits before it can no longer be undone (`keepHistory`: they stay on the
    /// stack, for a step of the stack that imports again).
    template <class Command>
    void rewrite(Command&& command, bool keepHistory = false) {
        if (!keepHistory) m_edits.clear();
        beginResetModel();
        struct End {
            GridModel* m;
            ~End() { m->endResetModel(); }
        } end{this};
        command();
    }

    Grid& grid();
    /// The cell edits, for undo (Ctrl+Z) and redo (Ctrl+Y).
    QUndoStack* edits() { return &m_edits; }
    /// Writes grid cell (col, row) and tells the views; the edits' steps use it.
    void writeCell(int col, int row, const std::string& bytes);
    /// Whether the grid holds cell edits that are not undone: those since the last import.
    bool cellsEdited() const;
    /// After the step `columnsEdit` of the stack was undone and the report imported as
    /// before it: the cell edits between the step before it that imported and it are made
    /// again, so the grid is as it was.
    void redoCellEditsBefore(const QUndoCommand* columnsEdit);

    /// The kind of grid column `col` of a clean table; Text for a plain one.
    ColumnKind kindOf(int col) const;

signals:
    /// An edit was refused because `character` has no Windows-1254 byte.
    void editRefused(const QString& character);

private:
    Workspace& m_ws;
    QUndoStack m_edits;
    QLocale m_locale;
    std::string m_group;          ///< the thousands separator, UTF-8
    QString m_dateFormat;         ///< the short date's pattern, every field in full
    mutable std::string m_shown;  ///< an amount as shown, reused from cell to cell
};

}  // namespace tablamo::app
