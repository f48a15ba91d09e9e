#include "app/command_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace tablamo::app {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 47;

}  // namespace

CommandBar::CommandBar(QWidget* parent) : QFrame(parent) {
    setObjectName("CommandBar");
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Violet with a lighter border; the style sheet names this frame alone, so the buttons
    // keep the platform's look.
    setStyleSheet(
        "#CommandBar { background-color: rgb(128, 0, 255); border: 2px solid rgb(191, 128, 255); "
        "}");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(4);

    m_open = addButton("Button1", QStringLiteral("Aç"), kButtonWidth);
    m_openBank = addButton("Button13", QStringLiteral("Akbank Aç"), 90);
    m_excel = addButton("Button8", QStringLiteral("Excel"), 72);
    m_csv = addButton("sButton1", QStringLiteral("CSV"), kButtonWidth);
    m_html = addButton("Button7", QStringLiteral("HTML"), kButtonWidth);
    m_reset = addButton("Button6", QStringLiteral("Sıfırla"), kButtonWidth);
    m_help = addButton("Button12", QStringLiteral("Yardım"), kButtonWidth);
    m_close = addButton("Button11", QStringLiteral("Kapat"), kButtonWidth);

    row->addSpacing(12);
    m_openExcel = addCheckBox("CheckBox4", QStringLiteral("Excel'i kayıt sonrası aç"));
    m_openExcel->setChecked(true);
    row->addSpacing(12);
    m_cleanTable = addCheckBox("TemizTablo", QStringLiteral("Temiz tablo"));
    m_cleanTable->setToolTip(QStringLiteral(
        "Yalnız kayıtlar: sayfa başlıkları, çizgiler ve toplam satırları olmadan, tarihler ve "
        "tutarlar türleriyle; raporun kendi toplamları kayıtlarla karşılaştırılır"));
    row->addStretch(1);
}

QCheckBox* CommandBar::addCheckBox(const char* objectName, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    box->setFocusPolicy(Qt::NoFocus);
    // A white caption on the violet bar; the box and its tick keep their own colours.
    QPalette pal = box->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    box->setPalette(pal);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    static_cast<QHBoxLayout*>(layout())->addWidget(box);
    return box;
}

QPushButton* CommandBar::addButton(const char* objectName, const QString& caption, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(objectName);
    b->setFixedSize(width, kButtonHeight);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);  // the grid keeps the keyboard while commands run
    QFont f = b->font();
    f.setBold(true);
    f.setPixelSize(13);
    b->setFont(f);
    static_cast<QHBoxLayout*>(layout())->addWidget(b);
    return b;
}

}  // namespace tablamo::app
