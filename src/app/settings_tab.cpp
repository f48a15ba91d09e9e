#include "app/settings_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/grid_model.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/import_settings.h"

namespace tablamo::app {
namespace {

// The aligned edit field: numbers sit on the right, criteria and separators in the middle.
QLineEdit* alignedEdit(QWidget* parent, const char* objectName, Qt::Alignment alignment) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setAlignment(alignment | Qt::AlignVCenter);
    e->setFixedWidth(90);
    return e;
}

// A field's text back into the setting. A field that still shows the setting keeps the
// setting's bytes exactly; an edited one is converted, and refused when the code page
// lacks one of its characters.
void takeField(const QLineEdit* field, std::string& setting) {
    const QString text = field->text();
    if (text == fromWin1254(setting)) return;
    const auto bytes = utf8ToWin1254(text.toStdString());
    if (!bytes) {
        std::string message = "'";
        message += text.toStdString();
        message += "' alanında Windows-1254 kod sayfasında olmayan bir karakter var";
        throw Error(message);
    }
    setting = *bytes;
}

}  // namespace

SettingsTab::SettingsTab(QWidget* parent) : QWidget(parent) {
    setObjectName("Ayarlar");
    auto* page = new QGridLayout(this);

    auto* general = new QGroupBox(this);
    auto* g = new QGridLayout(general);
    int row = 0;
    auto addRow = [&](const QString& caption, QLineEdit* edit) {
        if (!caption.isEmpty()) g->addWidget(new QLabel(caption, general), row, 0);
        g->addWidget(edit, row, 1);
        ++row;
    };
    const Qt::Alignment right = Qt::AlignRight;
    const Qt::Alignment centre = Qt::AlignHCenter;
    m_startRow = alignedEdit(general, "JEdit8", right);
    m_startColumn = alignedEdit(general, "JEdit7", right);
    m_searchCriterion = alignedEdit(general, "JEdit11", centre);
    m_fieldSeparator = alignedEdit(general, "JEdit12", centre);
    m_frameCriterion = alignedEdit(general, "JEdit21", centre);
    m_frameSeparator = alignedEdit(general, "JEdit22", centre);
    addRow(QStringLiteral("Başlama Satırı"), m_startRow);
    addRow(QStringLiteral("Başlama Sütunu"), m_startColumn);
    addRow(QStringLiteral("Arama Kriteri"), m_searchCriterion);
    addRow(QStringLiteral("Ayıraç"), m_fieldSeparator);
    addRow({}, m_frameCriterion);
    addRow({}, m_frameSeparator);
    m_autoColumnSearch = new QCheckBox(QStringLiteral("Otomatik Sütun Ara"), general);
    m_autoColumnSearch->setObjectName("CheckBox1");
    m_ledgerMarks =
        new QCheckBox(QStringLiteral("Muavin için son satır 'B' ve 'A' yazısı"), general);
    m_ledgerMarks->setObjectName("CheckBox3");
    g->addWidget(m_autoColumnSearch, row++, 0, 1, 2);
    g->addWidget(m_ledgerMarks, row++, 0, 1, 2);
    m_import = new QPushButton(QStringLiteral("Dosyayı Aktar"), general);
    m_import->setObjectName("Button2");
    m_find = new QPushButton(QStringLiteral("Sütun Ara"), general);
    m_find->setObjectName("Button4");
    m_findFrame = new QPushButton(QStringLiteral("Sütun Ara BG"), general);
    m_findFrame->setObjectName("Button10");
    g->addWidget(m_import, row++, 0, 1, 2);
    g->addWidget(m_find, row++, 0, 1, 2);
    g->addWidget(m_findFrame, row++, 0, 1, 2);
    g->setRowStretch(row, 1);
    page->addWidget(general, 0, 0);

    auto* widths = new QGroupBox(this);
    auto* w = new QGridLayout(widths);
    for (int k = 1; k <= 20; ++k) {
        const std::string name = "JustaEdit" + std::to_string(k);
        auto* edit = alignedEdit(widths, name.c_str(), right);
        m_widths[static_cast<std::size_t>(k - 1)] = edit;
        const int r = (k - 1) % 10;
        const int c = (k - 1) / 10 * 2;
        w->addWidget(new QLabel(QStringLiteral("Sütun %1").arg(k), widths), r, c);
        w->addWidget(edit, r, c + 1);
    }
    page->addWidget(widths, 0, 1);

    // The read-outs of the last column detection, the first under its (hidden) caption.
    auto* found = new QGroupBox(this);
    auto* f = new QGridLayout(found);
    auto* caption = new QLabel(QStringLiteral("Arama Sonucu"), found);
    caption->setVisible(false);
    m_searchResult = new QLineEdit(found);
    m_searchResult->setObjectName("Edit1");
    m_preceding = new QLineEdit(found);
    m_preceding->setObjectName("Edit3");
    m_widthList = new QLineEdit(found);
    m_widthList->setObjectName("Edit4");
    f->addWidget(caption, 0, 0);
    f->addWidget(m_searchResult, 1, 0);
    f->addWidget(m_preceding, 2, 0);
    f->addWidget(m_widthList, 3, 0);
    page->addWidget(found, 1, 0, 1, 2);
    page->setColumnStretch(2, 1);
    page->setRowStretch(2, 1);
}

void SettingsTab::refreshFrom(const ImportSettings& s) {
    m_startRow->setText(fromWin1254(s.layout.StartRow));
    m_startColumn->setText(fromWin1254(s.layout.StartColumn));
    m_searchCriterion->setText(fromWin1254(s.layout.SearchCriterion));
    m_fieldSeparator->setText(fromWin1254(s.layout.FieldSeparator));
    m_frameCriterion->setText(fromWin1254(s.layout.FrameCriterion));
    m_frameSeparator->setText(fromWin1254(s.layout.FrameSeparator));
    for (std::size_t k = 0; k < m_widths.size(); ++k)
        m_widths[k]->setText(fromWin1254(s.layout.ColumnWidths[k]));
    m_autoColumnSearch->setChecked(s.layout.AutoColumnSearch);
    m_ledgerMarks->setChecked(s.layout.LedgerMarks);
    m_searchResult->setText(fromWin1254(s.readout.SearchResultLine));
    m_preceding->setText(fromWin1254(s.readout.PrecedingLine));
    m_widthList->setText(fromWin1254(s.readout.WidthList));
}

void SettingsTab::readInto(ImportSettings& s) const {
    takeField(m_startRow, s.layout.StartRow);
    takeField(m_startColumn, s.layout.StartColumn);
    takeField(m_searchCriterion, s.layout.SearchCriterion);
    takeField(m_fieldSeparator, s.layout.FieldSeparator);
    takeField(m_frameCriterion, s.layout.FrameCriterion);
    takeField(m_frameSeparator, s.layout.FrameSeparator);
    for (std::size_t k = 0; k < m_widths.size(); ++k)
        takeField(m_widths[k], s.layout.ColumnWidths[k]);
    s.layout.AutoColumnSearch = m_autoColumnSearch->isChecked();
    s.layout.LedgerMarks = m_ledgerMarks->isChecked();
}

}  // namespace tablamo::app
