#include "app/command_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "commands/clean_switches.h"

namespace tablamo::app {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 47;

// A switch's check box is labelled as the switch is declared.
QString label(CleanSwitch which) { return QString::fromUtf8(cleanSwitch(which).label); }

// Holds what came to the bar after "Temiz tablo" and its choices. It asks for no width of its own:
// on a screen too narrow for it, it is cut off, and the window stays as wide as the bar before it
// (the HTML page carries the grid's width on screen).
class Squeezable : public QWidget {
public:
    explicit Squeezable(QWidget* parent) : QWidget(parent) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(4);
        row->setSizeConstraint(QLayout::SetNoConstraint);
    }
    QSize minimumSizeHint() const override { return {0, QWidget::minimumSizeHint().height()}; }
};

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
    // No right margin: the stretch fills the bar's end, and the space the bar gives the box
    // of additions below is the margin's.
    row->setContentsMargins(4, 3, 0, 3);
    row->setSpacing(4);
    m_row = row;

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
    // "Temiz tablo" over its two choices, which change only a clean table, in smaller
    // letters: side by side the three would push "Birleştir…" and "Mutabakat…" off a screen
    // 1366 pixels wide.
    auto* choices = new QWidget(this);
    auto* column = new QVBoxLayout(choices);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    row->addWidget(choices);
    m_cleanTable = addCheckBox("TemizTablo", label(CleanSwitch::CleanTable), column);
    m_cleanTable->setToolTip(QStringLiteral(
        "Yalnız kayıtlar: sayfa başlıkları, çizgiler ve toplam satırları olmadan, tarihler ve "
        "tutarlar türleriyle; raporun kendi toplamları kayıtlarla karşılaştırılır"));
    m_signedBalance =
        addCheckBox("IsaretliBakiye", label(CleanSwitch::SignedBalance), column, true);
    m_signedBalance->setToolTip(QStringLiteral(
        "Temiz tabloda B/A işaretli bakiyeyi bir kez daha toplanabilir bir sayı olarak ekler: "
        "B artı, A eksi"));
    m_signedBalance->setEnabled(false);  // only with "Temiz tablo"
    m_openings = addCheckBox("Acilislar", label(CleanSwitch::Openings), column, true);
    m_openings->setToolTip(QStringLiteral(
        "Temiz tabloda açılış bakiyelerini (DEVİR, DEVREDEN BAKİYE) \"Satır Türü\" sütununda "
        "işaretli satırlar olarak tutar: hesaba göre toplamlar raporun hesap toplamını verir"));
    m_openings->setEnabled(false);  // only with "Temiz tablo"

    auto* extras = new Squeezable(this);
    row->addWidget(extras);
    m_row = static_cast<QHBoxLayout*>(extras->layout());

    // A report that prints several tables: which one the grid shows. It stands beside the
    // tabs (tableChoice), where there is room for the tables' names.
    m_tableChoice = new QWidget(this);
    auto* choice = new QHBoxLayout(m_tableChoice);
    choice->setContentsMargins(4, 0, 4, 0);
    auto* label = new QLabel(QStringLiteral("Tablo:"), m_tableChoice);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    m_table = new QComboBox(m_tableChoice);
    m_table->setObjectName("Tablo");
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_table->setToolTip(QStringLiteral(
        "Rapor birden çok tablo basıyor: tabloda gösterilecek olanı seçin; kaydederken hepsi "
        "kaydedilir"));
    choice->addWidget(label);
    choice->addWidget(m_table);
    showTables({}, 0);

    m_row->addSpacing(12);
    // A button like the others, whose menu is the list.
    m_recent = addButton("SonRaporlar", QStringLiteral("Son Raporlar"), 120);
    m_recentMenu = new QMenu(m_recent);
    m_recentMenu->setToolTipsVisible(true);
    m_recent->setMenu(m_recentMenu);
    showRecentReports({});
    m_merge = addButton("Birlestir", QStringLiteral("Birleştir…"), 100);
    m_merge->setToolTip(
        QStringLiteral("Ayın raporlarını (ya da bir klasörü) tek kitapta birleştirir: her biçim "
                       "kendi tablosunda, ilk sütun \"Kaynak\" her kaydın dosyasını söyler, "
                       "\"Özet\" her raporu ve toplamlarını listeler"));
    m_reconcile = addButton("Mutabakat", QStringLiteral("Mutabakat…"), 100);
    m_reconcile->setToolTip(
        QStringLiteral("Defterimizi karşı tarafın ekstresiyle karşılaştırır: eşleşen ve "
                       "eşleşmeyen kayıtlar, mutabakat tablosu"));
    row->addStretch(1);
}

void CommandBar::showTables(const QStringList& names, int current) {
    const QSignalBlocker quiet(m_table);
    m_table->clear();
    const bool several = names.size() > 1;
    if (several) {
        m_table->addItems(names);
        m_table->setCurrentIndex(current);
    }
    m_tableChoice->setVisible(several);
}

void CommandBar::showRecentReports(const std::vector<RecentReport>& reports) {
    m_recentMenu->clear();
    if (reports.empty()) {
        m_recentMenu->addAction(QStringLiteral("Henüz rapor açılmadı"))->setEnabled(false);
        return;
    }
    // A "&" of a name is shown as it is, not taken for the key of the entry.
    auto plain = [](QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); };
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const QString path = QString::fromStdString(reports[i].path);
        const QFileInfo file(path);
        // "&1" .. "&9", "1&0": the digit picks the report from the keyboard.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        QString caption = number + QStringLiteral("  ") + plain(file.fileName());
        if (reports[i].statement) caption += QStringLiteral(" (Akbank)");
        caption += QStringLiteral("  —  ") + plain(file.path());
        QAction* entry = m_recentMenu->addAction(caption);
        entry->setToolTip(path);
        const int index = static_cast<int>(i);
        connect(entry, &QAction::triggered, this, [this, index] { emit recentChosen(index); });
    }
    m_recentMenu->addSeparator();
    connect(m_recentMenu->addAction(QStringLiteral("Listeyi temizle")), &QAction::triggered, this,
            &CommandBar::recentCleared);
}

QCheckBox* CommandBar::addCheckBox(const char* objectName, const QString& caption, QBoxLayout* into,
                                   bool small) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    box->setFocusPolicy(Qt::NoFocus);
    // A white caption on the violet bar; the box and its tick keep their own colours.
    QPalette pal = box->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    box->setPalette(pal);
    QFont bold = box->font();
    bold.setBold(true);
    if (small) bold.setPixelSize(11);
    box->setFont(bold);
    (into ? into : m_row)->addWidget(box);
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
    m_row->addWidget(b);
    return b;
}

}  // namespace tablamo::app
