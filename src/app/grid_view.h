#pragma once
/// StringGrid1 on screen: a table view over GridModel whose headers are the grid's fixed
/// cells, drawn centred on light blue; data cells left-aligned 2 pixels in. Dragged column
/// widths and row heights are written back into the grid, which the HTML page reads.

#include <QTableView>

namespace tablamo {
class Grid;
}

namespace tablamo::app {

class GridModel;

class GridView : public QTableView {
    Q_OBJECT
public:
    /// Light blue of the fixed cells.
    static inline const QColor kFixedColor{146, 148, 231};

    explicit GridView(QWidget* parent = nullptr);

    /// Shows the model's grid; call once.
    void setGridModel(GridModel* model);

    /// Takes the grid's column widths, row heights, font and current cell over into the
    /// view, after a command has rewritten the grid.
    void applyGridLayout();
    /// Moves the view's current cell to the grid's current cell.
    void showGridCurrentCell();
    /// Column 0's width or row 0's height, dragged at the header's far edge: written into
    /// the grid and shown.
    void resizeHeaderCell(bool column0, int px);
    /// The grid of the table shown.
    Grid& grid() const;

signals:
    /// The Enter key (character 13) was pressed in the grid or in its cell editor.
    void enterPressed();
    /// The current cell moved (the grid's current cell follows it).
    void currentRowChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void columnResized(int section, int oldSize, int newSize);
    void rowResized(int section, int oldSize, int newSize);

    GridModel* m_model = nullptr;
    bool m_applying = false;  // sizes set from the grid are not written back to it
};

/// The grid's font as a QFont.
QFont gridQFont(const Grid& grid);

}  // namespace tablamo::app
