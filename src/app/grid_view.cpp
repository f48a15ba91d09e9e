#include "app/grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <functional>

#include "app/grid_model.h"
#include "core/grid.h"
#include "export/column_fit.h"

namespace tablamo::app {
namespace {

// Text sits 2 pixels in from the cell's left and top edges.
constexpr int kTextInset = 2;

QColor fontColor(const Grid& grid) {
    const std::uint32_t c = grid.font().color;
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

// The fixed cells: row numbers and column letters, centred on light blue with the text's
// top 2 pixels below the cell's top, clipped to the cell.
class FixedHeader : public QHeaderView {
public:
    FixedHeader(Qt::Orientation o, QWidget* parent) : QHeaderView(o, parent) {
        setSectionsClickable(true);
        setHighlightSections(false);
        setSectionResizeMode(QHeaderView::Interactive);
        setMinimumSectionSize(0);
    }
    QColor textColor = QColor(0x00, 0x66, 0xCC);

protected:
    void paintSection(QPainter* p, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid()) return;
        p->save();
        p->setClipRect(rect);
        p->fillRect(rect, GridView::kFixedColor);
        p->setPen(QColor(0, 0, 0));
        p->drawLine(rect.topRight(), rect.bottomRight());
        p->drawLine(rect.bottomLeft(), rect.bottomRight());
        const QString text =
            model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
        p->setPen(textColor);
        p->setFont(font());
        const QRect textRect(rect.left(), rect.top() + kTextInset, rect.width(),
                             rect.height() - kTextInset);
        p->drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
        p->restore();
    }
};

// Data cells, and their editor, whose Enter key is the grid's Enter key.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(GridView* view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        p->save();
        p->setClipRect(option.rect);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        p->setFont(option.font);
        p->setPen(selected ? pal.highlightedText().color() : fontColor(m_view->grid()));
        // A clean table's amounts stand right, as far from the right edge as text from the
        // left; every other cell as the grid draws it.
        const QVariant align = index.data(Qt::TextAlignmentRole);
        const bool right = align.isValid() && (align.value<Qt::Alignment>() & Qt::AlignRight);
        const QRect textRect =
            option.rect.adjusted(kTextInset, kTextInset, right ? -kTextInset - 1 : 0, 0);
        p->drawText(textRect,
                    (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            p->setPen(QPen(selected ? pal.highlightedText().color() : pal.text().color(), 1,
                           Qt::DotLine));
            p->drawRect(option.rect.adjusted(1, 1, -2, -2));
        }
        p->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setFont(option.font);
        edit->setTextMargins(kTextInset - 1, 0, 0, 0);
        return edit;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
            // Enter while a cell is edited: the text is kept, the editor closes, and the
            // grid's Enter rule moves the current cell.
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                emit m_view->enterPressed();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    GridView* m_view;  // its grid is the table shown, whichever of a book's
};

// Column 0 and row 0 are the headers, so their size is the header's width and height; the
// header's far edge can be dragged like any other cell border.
class HeaderEdgeDrag : public QObject {
public:
    using Apply = std::function<void(int)>;
    HeaderEdgeDrag(QHeaderView* header, Apply apply)
        : QObject(header), m_header(header), m_apply(std::move(apply)) {
        header->viewport()->installEventFilter(this);
        header->viewport()->setMouseTracking(true);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const auto type = event->type();
        if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
            type != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* e = static_cast<QMouseEvent*>(event);
        const int along = across(e->position().toPoint());
        if (type == QEvent::MouseMove && m_dragging) {
            m_apply(std::max(along + 1, kMinimum));
            return true;
        }
        if (type == QEvent::MouseButtonRelease && m_dragging) {
            m_dragging = false;
            return true;
        }
        if (!nearEdge(along)) {
            if (type == QEvent::MouseMove && m_cursorSet) {
                m_header->viewport()->unsetCursor();
                m_cursorSet = false;
            }
            return false;
        }
        if (type == QEvent::MouseButtonPress && e->button() == Qt::LeftButton) m_dragging = true;
        m_header->viewport()->setCursor(vertical() ? Qt::SplitHCursor : Qt::SplitVCursor);
        m_cursorSet = true;
        return true;
    }

private:
    static constexpr int kGrip = 3;
    static constexpr int kMinimum = 4;  // a narrower header could not be caught again

    bool vertical() const { return m_header->orientation() == Qt::Vertical; }
    int across(QPoint p) const { return vertical() ? p.x() : p.y(); }
    bool nearEdge(int along) const {
        const int size = vertical() ? m_header->width() : m_header->height();
        return along >= size - kGrip;
    }

    QHeaderView* m_header;
    Apply m_apply;
    bool m_dragging = false;
    bool m_cursorSet = false;
};

}  // namespace

QFont gridQFont(const Grid& grid) {
    const GridFont& gf = grid.font();
    QFont f(QString::fromStdString(gf.face));
    f.setPixelSize(gf.heightPx);
    f.setBold(gf.bold);
    f.setItalic(gf.italic);
    f.setUnderline(gf.underline);
    return f;
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setObjectName("StringGrid1");
    setHorizontalHeader(new FixedHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedHeader(Qt::Vertical, this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setStyleSheet(
        "QTableCornerButton::section { background-color: rgb(146, 148, 231);"
        " border: 0px; border-right: 1px solid black; border-bottom: 1px solid black; }");
    new HeaderEdgeDrag(verticalHeader(), [this](int px) { resizeHeaderCell(true, px); });
    new HeaderEdgeDrag(horizontalHeader(), [this](int px) { resizeHeaderCell(false, px); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &GridView::columnResized);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, &GridView::rowResized);
}

void GridView::setGridModel(GridModel* model) {
    m_model = model;
    setModel(model);
    setItemDelegate(new CellDelegate(this));
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        applyGridLayout();
        showGridCurrentCell();
    });
    applyGridLayout();
    showGridCurrentCell();
}

Grid& GridView::grid() const { return m_model->grid(); }

namespace {

// The records whose words a clean table's columns are fitted to: a long table's first ones.
constexpr int kRowsFitted = 200000;

}  // namespace

void GridView::applyGridLayout() {
    if (!m_model) return;
    const Grid& g = grid();
    m_applying = true;
    const QFont f = gridQFont(g);
    setFont(f);
    for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
        h->setFont(f);
        static_cast<FixedHeader*>(h)->textColor = fontColor(g);
    }
    // Column 0 and row 0 are the headers: their size is the header's width and height. A
    // clean table's headings are bold, and its record numbers have room for seven digits;
    // the grid keeps its own width of column 0 (the HTML page reads it).
    int numbersWidth = std::max(g.colWidth(0), 0);
    if (m_model->isCleanTable()) {
        QFont bold = f;
        bold.setBold(true);
        horizontalHeader()->setFont(bold);
        const int sevenDigits = QFontMetrics(f).horizontalAdvance(QStringLiteral("0000000"));
        numbersWidth = std::max(numbersWidth, sevenDigits + 4 * kTextInset);
    }
    verticalHeader()->setFixedWidth(numbersWidth);
    horizontalHeader()->setFixedHeight(std::max(g.rowHeight(0), 0));
    verticalHeader()->setDefaultSectionSize(Grid::kDefaultRowHeight);
    // A clean table's column is at least as wide as its bold heading, its widest text (up
    // to forty letters: no "MAHSU" for "MAHSUP", the whole of a name the report printed in
    // capitals) and its amounts with their thousands grouped; the grid keeps the report's
    // width.
    const QFontMetrics heading(horizontalHeader()->font());
    const QFontMetrics cells(f);
    const std::vector<ColumnFit> fits =
        m_model->isCleanTable() ? columnFits(g, kRowsFitted) : std::vector<ColumnFit>();
    const int widestWord = cells.horizontalAdvance(QString(40, QLatin1Char('n')));
    for (int c = 1; c < g.colCount(); ++c) {
        int width = std::max(g.colWidth(c), 0);
        if (m_model->isCleanTable() && width > 0) {
            const QString text = m_model->headerData(c - 1, Qt::Horizontal).toString();
            width = std::max(width, heading.horizontalAdvance(text) + 4 * kTextInset);
            const ColumnFit& fit = fits[static_cast<std::size_t>(c - 1)];
            const int words =
                m_model->kindOf(c) == ColumnKind::Amount
                    ? cells.horizontalAdvance(QString(groupedLength(fit.text), QLatin1Char('0')))
                    : std::min(widestWord, cells.horizontalAdvance(fromWin1254(fit.text)));
            width = std::max(width, words + 4 * kTextInset);
        }
        setColumnWidth(c - 1, width);
    }
    // Only rows the user resized differ from the default height.
    for (int r = 1; r < g.rowCount(); ++r) {
        const int h = g.rowHeight(r);
        if (h != Grid::kDefaultRowHeight) setRowHeight(r - 1, std::max(h, 0));
    }
    m_applying = false;
}

void GridView::showGridCurrentCell() {
    if (!m_model) return;
    const QModelIndex i = m_model->index(grid().currentRow() - 1, grid().currentCol() - 1);
    if (i.isValid()) {
        setCurrentIndex(i);
        scrollTo(i);
    }
}

void GridView::columnResized(int section, int, int newSize) {
    if (!m_applying && m_model) grid().setColWidth(section + 1, newSize);
}

void GridView::rowResized(int section, int, int newSize) {
    if (!m_applying && m_model) grid().setRowHeight(section + 1, newSize);
}

void GridView::resizeHeaderCell(bool column0, int px) {
    if (!m_model) return;
    if (column0) {
        grid().setColWidth(0, px);
        verticalHeader()->setFixedWidth(px);
    } else {
        grid().setRowHeight(0, px);
        horizontalHeader()->setFixedHeight(px);
    }
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event) && state() != QAbstractItemView::EditingState) {
        emit enterPressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_model && current.isValid()) {
        grid().setCurrentCell(current.column() + 1, current.row() + 1);
        emit currentRowChanged();
    }
}

}  // namespace tablamo::app
