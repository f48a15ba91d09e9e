#include "app/columns_tab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/report_text_view.h"
#include "core/workspace.h"

namespace tablamo::app {

ColumnsTab::ColumnsTab(QWidget* parent) : QWidget(parent) {
    setObjectName("Sutunlar");
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_automatic = new QPushButton(QStringLiteral("Otomatik"), this);
    m_automatic->setObjectName("Otomatik");
    m_automatic->setToolTip(QStringLiteral("Sütunları yeniden rapordaki çizgiden bul"));
    m_ledgerMarks = new QCheckBox(QStringLiteral("Son sütunda B/A işareti var"), this);
    m_ledgerMarks->setObjectName("SonSutunBA");
    m_saveLayout = new QPushButton(QStringLiteral("Düzeni kaydet…"), this);
    m_saveLayout->setObjectName("DuzeniKaydet");
    m_loadLayout = new QPushButton(QStringLiteral("Düzen yükle…"), this);
    m_loadLayout->setObjectName("DuzenYukle");
    row->addWidget(m_automatic);
    row->addWidget(m_ledgerMarks);
    row->addStretch(1);
    row->addWidget(m_saveLayout);
    row->addWidget(m_loadLayout);
    column->addLayout(row);
    m_note = new QLabel(this);
    m_note->setText(QStringLiteral(
        "Sınırı sürükleyerek taşıyın, çift tıklayarak ekleyin, metnin dışına sürükleyerek "
        "ya da sağ tıklayarak kaldırın."));
    column->addWidget(m_note);
    m_view = new ReportTextView(this);
    column->addWidget(m_view, 1);
}

void ColumnsTab::showReport(const Workspace& ws, bool userColumns) {
    const ReportLayout& layout = ws.settings.layout;
    ColumnWidths widths{};
    for (std::size_t k = 0; k < widths.size(); ++k) {
        if (!tryStrToInt(layout.ColumnWidths[k], widths[k])) widths[k] = 0;
    }
    m_view->setReport(&ws.text, ws.settings.readout.line);
    m_view->setWidths(widths);
    const QSignalBlocker quiet(m_ledgerMarks);
    m_ledgerMarks->setChecked(layout.LedgerMarks);
    const int line = ws.settings.readout.line;
    setNote(userColumns ? QStringLiteral("Sütunları siz belirlediniz; rapordaki çizgiye dönmek "
                                         "için: Otomatik")
            : line >= 0 ? QStringLiteral("Sütunlar %1. satırdaki çizgiden bulundu (işaretli "
                                         "satır). Sınırı sürükleyerek taşıyın, çift tıklayarak "
                                         "ekleyin, metnin dışına sürükleyerek ya da sağ tıklayarak "
                                         "kaldırın.")
                              .arg(line + 1)
                        : QStringLiteral("Sütun genişlikleri ayarlardaki gibi."));
}

void ColumnsTab::setNote(const QString& note) { m_note->setText(note); }

QString ColumnsTab::note() const { return m_note->text(); }

}  // namespace tablamo::app
