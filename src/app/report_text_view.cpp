#include "app/report_text_view.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "core/encoding.h"
#include "core/report_text.h"

namespace tablamo::app {
namespace {

constexpr int kGrab = 4;  // pixels either side of a boundary that take hold of it
const QColor kBoundary(200, 30, 30);
const QColor kHighlight(255, 244, 170);
const QColor kRuler(235, 235, 240);

QString dosLine(std::string_view bytes) {
    QString s;
    s.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        // Control characters (a form feed, a tab) take one cell like every other byte.
        const auto b = static_cast<unsigned char>(c);
        s.append(b < 0x20 ? QChar(0x00B7) : QChar(static_cast<char16_t>(dosToUnicode(b))));
    }
    return s;
}

}  // namespace

ReportTextView::ReportTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("ReportTextView");
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    viewport()->setFont(fixed);
    const QFontMetrics fm(fixed);
    m_charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('M')));
    m_lineHeight = fm.height();
    m_rulerHeight = 2 * m_lineHeight;
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ReportTextView::setReport(const ReportText* text, int highlighted) {
    m_text = text;
    m_highlighted = highlighted;
    m_longest = 0;
    if (text) {
        for (int i = 0; i < text->lineCount(); ++i) {
            m_longest = std::max(m_longest, static_cast<int>(text->line(i).size()));
        }
    }
    updateScrollBars();
    viewport()->update();
}

void ReportTextView::setWidths(const ColumnWidths& widths) {
    m_widths = widths;
    updateScrollBars();
    viewport()->update();
}

int ReportTextView::positionAt(int x) const {
    const int col = (x + horizontalScrollBar()->value()) / m_charWidth;
    return std::max(col + 1, 1);
}

int ReportTextView::xOfBoundary(int position) const {
    return position * m_charWidth - horizontalScrollBar()->value();
}

std::optional<int> ReportTextView::boundaryNear(int x) const {
    const ColumnWidths ends = columnEnds(m_widths);
    std::optional<int> best;
    int bestDistance = kGrab + 1;
    for (int k = 1; k < ReportLayout::kWidthCount; ++k) {
        const int d = std::abs(xOfBoundary(ends[static_cast<std::size_t>(k - 1)]) - x);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

void ReportTextView::updateScrollBars() {
    const int lines = m_text ? m_text->lineCount() : 0;
    const int visible = std::max(1, (viewport()->height() - m_rulerHeight) / m_lineHeight);
    verticalScrollBar()->setRange(0, std::max(0, lines - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    const int lastEnd = columnEnds(m_widths).back();
    const int chars = std::max(m_longest, std::min(lastEnd, std::max(m_longest, 1) * 2)) + 2;
    horizontalScrollBar()->setRange(0, std::max(0, chars * m_charWidth - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(m_charWidth);
}

void ReportTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ReportTextView::paintRuler(QPainter& p) {
    p.fillRect(QRect(0, 0, viewport()->width(), m_rulerHeight), kRuler);
    p.setPen(Qt::darkGray);
    const int first = positionAt(0);
    const int last = positionAt(viewport()->width()) + 1;
    for (int pos = first; pos <= last; ++pos) {
        const int x = (pos - 1) * m_charWidth - horizontalScrollBar()->value();
        const int tick = pos % 10 == 0 ? m_lineHeight / 2 : pos % 5 == 0 ? m_lineHeight / 3 : 3;
        p.drawLine(x + m_charWidth / 2, m_rulerHeight - tick, x + m_charWidth / 2, m_rulerHeight);
        if (pos % 10 == 0) {
            p.drawText(QRect(x - 3 * m_charWidth, 0, 7 * m_charWidth, m_lineHeight),
                       Qt::AlignCenter, QString::number(pos));
        }
    }
}

int ReportTextView::textBottom() const {
    const int lines = m_text ? m_text->lineCount() - verticalScrollBar()->value() : 0;
    const int below = m_rulerHeight + std::max(lines, 0) * m_lineHeight;
    return std::min(below, viewport()->height());
}

void ReportTextView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().base());
    paintRuler(p);
    const int top = verticalScrollBar()->value();
    const int rows = (viewport()->height() - m_rulerHeight) / m_lineHeight + 1;
    const int dx = horizontalScrollBar()->value();
    p.setPen(palette().text().color());
    for (int r = 0; m_text && r < rows; ++r) {
        const int i = top + r;
        if (i >= m_text->lineCount()) break;
        const int y = m_rulerHeight + r * m_lineHeight;
        if (i == m_highlighted) {
            p.fillRect(QRect(0, y, viewport()->width(), m_lineHeight), kHighlight);
        }
        // Only the characters in sight are laid out.
        const std::string_view line = m_text->line(i);
        const auto from = static_cast<std::size_t>(std::max(0, dx / m_charWidth));
        if (from >= line.size()) continue;
        const auto count = static_cast<std::size_t>(viewport()->width() / m_charWidth + 2);
        const QString shown = dosLine(line.substr(from, count));
        for (qsizetype c = 0; c < shown.size(); ++c) {
            const int x = static_cast<int>(from + static_cast<std::size_t>(c)) * m_charWidth - dx;
            p.drawText(QRect(x, y, m_charWidth, m_lineHeight), Qt::AlignCenter, QString(shown[c]));
        }
    }
    // The boundaries, the one being dragged where the mouse is, from the ruler down to the
    // last line of the text.
    const ColumnWidths ends = columnEnds(m_widths);
    const int bottom = textBottom();
    for (int k = 1; k < ReportLayout::kWidthCount; ++k) {
        const bool dragged = m_dragged && *m_dragged == k;
        const int x = dragged ? m_dragX : xOfBoundary(ends[static_cast<std::size_t>(k - 1)]);
        p.setPen(QPen(kBoundary, dragged ? 2 : 1, dragged ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(x, 0, x, bottom - 1);
    }
}

void ReportTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    // Below the text no boundary is drawn, so none is taken hold of there.
    if (at.y() >= textBottom()) return;
    m_dragged = boundaryNear(at.x());
    m_dragX = event->position().toPoint().x();
    if (m_dragged) viewport()->setCursor(Qt::SplitHCursor);
}

void ReportTextView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_dragged) {
        m_dragX = at.x();
        viewport()->update();
        return;
    }
    const bool onBoundary = at.y() < textBottom() && boundaryNear(at.x());
    viewport()->setCursor(onBoundary ? Qt::SplitHCursor : Qt::IBeamCursor);
}

void ReportTextView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragged || event->button() != Qt::LeftButton) return;
    const int k = *m_dragged;
    m_dragged.reset();
    viewport()->unsetCursor();
    const QPoint at = event->position().toPoint();
    // Dragged off the text (above or below it, or out of the view): the boundary goes.
    if (!viewport()->rect().contains(at) || at.y() >= textBottom()) {
        emit widthsEdited(removeBoundary(m_widths, k));
        return;
    }
    const int position = (at.x() + horizontalScrollBar()->value() + m_charWidth / 2) / m_charWidth;
    if (const auto moved = moveBoundary(m_widths, k, position)) {
        emit widthsEdited(*moved);
    } else {
        viewport()->update();
    }
}

void ReportTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (at.y() >= textBottom() || boundaryNear(at.x())) return;
    const int position = (at.x() + horizontalScrollBar()->value() + m_charWidth / 2) / m_charWidth;
    if (const auto added = addBoundary(m_widths, position)) emit widthsEdited(*added);
}

void ReportTextView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->pos().y() >= textBottom()) return;
    const auto k = boundaryNear(event->pos().x());
    if (!k) return;
    QMenu menu(this);
    QAction* remove = menu.addAction(QStringLiteral("Sınırı kaldır"));
    if (menu.exec(event->globalPos()) == remove) emit widthsEdited(removeBoundary(m_widths, *k));
}

}  // namespace tablamo::app
