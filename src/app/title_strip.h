#pragma once
/// The title bar strip: a full-width band across the top of the window with one line of
/// text, shaded from light yellow to orange.

#include <QWidget>

namespace tablamo::app {

class TitleStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 35;

    explicit TitleStrip(QWidget* parent = nullptr);

    /// The strip's text (UTF-8, as the commands write it).
    void setText(const QString& text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

}  // namespace tablamo::app
