#pragma once
/// The columns tab "Sütunlar": the loaded report as text with its column boundaries, which
/// the user moves, adds and removes; "Otomatik" goes back to the column search; the ledger
/// marks check box; and the layout profiles' two buttons.

#include <QWidget>

#include "core/column_boundaries.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tablamo {
struct Workspace;
}

namespace tablamo::app {

class ReportTextView;

class ColumnsTab : public QWidget {
    Q_OBJECT
public:
    explicit ColumnsTab(QWidget* parent = nullptr);

    ReportTextView* view() const { return m_view; }
    QPushButton* automatic() const { return m_automatic; }    ///< "Otomatik"
    QCheckBox* ledgerMarks() const { return m_ledgerMarks; }  ///< LedgerMarks
    QPushButton* saveLayout() const { return m_saveLayout; }  ///< "Düzeni kaydet…"
    QPushButton* loadLayout() const { return m_loadLayout; }  ///< "Düzen yükle…"
    /// Shows the workspace's report, its boundaries, the line detection took and the ledger
    /// marks setting; `userColumns`: the boundaries are the user's.
    void showReport(const Workspace& ws, bool userColumns);
    /// The line under the buttons: where the columns come from.
    void setNote(const QString& note);
    QString note() const;

private:
    ReportTextView* m_view;
    QPushButton* m_automatic;
    QCheckBox* m_ledgerMarks;
    QPushButton* m_saveLayout;
    QPushButton* m_loadLayout;
    QLabel* m_note;
};

}  // namespace tablamo::app
