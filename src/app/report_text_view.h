#pragma once
/// The loaded report's lines as they stand in the file, with a ruler of character positions
/// and the column boundaries drawn as vertical lines that the user drags, adds and removes.
/// Only the lines on screen are laid out, so a million-line report scrolls as fast as a
/// short one.

#include <QAbstractScrollArea>
#include <optional>

#include "core/column_boundaries.h"

namespace tablamo {
class ReportText;
}

namespace tablamo::app {

class ReportTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReportTextView(QWidget* parent = nullptr);

    /// Shows `text` (null: nothing), with the line at `highlighted` (the rule or frame line
    /// detection took; -1: none) marked.
    void setReport(const ReportText* text, int highlighted);
    /// The boundaries drawn: where each column ends.
    void setWidths(const ColumnWidths& widths);
    const ColumnWidths& widths() const { return m_widths; }

    /// Character position (from 1) under the view's x coordinate.
    int positionAt(int x) const;
    /// The view's x coordinate of the boundary after character `position`.
    int xOfBoundary(int position) const;
    /// The column (1 to 19) whose end lies within a few pixels of x, if any.
    std::optional<int> boundaryNear(int x) const;
    int rulerHeight() const { return m_rulerHeight; }
    /// The view's y coordinate below the last line of text in sight (the ruler's bottom
    /// when there is none): where the boundaries end.
    int textBottom() const;
    int lineHeight() const { return m_lineHeight; }

signals:
    /// The user moved, added or removed a boundary: the new widths.
    void widthsEdited(const tablamo::ColumnWidths& widths);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void updateScrollBars();
    void paintRuler(QPainter& p);

    const ReportText* m_text = nullptr;
    int m_highlighted = -1;
    int m_longest = 0;  // characters of the longest line, for the horizontal scroll bar
    ColumnWidths m_widths{};
    int m_charWidth = 8;
    int m_lineHeight = 16;
    int m_rulerHeight = 32;
    std::optional<int> m_dragged;  // the column whose end is being dragged
    int m_dragX = 0;
};

}  // namespace tablamo::app
