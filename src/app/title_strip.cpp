#include "app/title_strip.h"

#include <QLinearGradient>
#include <QPainter>

namespace tablamo::app {

TitleStrip::TitleStrip(QWidget* parent) : QWidget(parent) {
    setObjectName("JvXPBar1");
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(13);
    setFont(f);
}

void TitleStrip::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    update();
}

void TitleStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient shade(rect().topLeft(), rect().topRight());
    shade.setColorAt(0.0, QColor(255, 255, 128));
    shade.setColorAt(1.0, QColor(255, 128, 64));
    p.fillRect(rect(), shade);
    p.setPen(Qt::black);
    const QRect textRect = rect().adjusted(10, 0, -10, 0);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(m_text, Qt::ElideMiddle, textRect.width()));
}

}  // namespace tablamo::app
