#pragma once
/// The violet command bar: the command buttons in their order and the check box
/// "Excel'i kayıt sonrası aç"; then the clean table's check boxes and the list of the
/// reports opened last.

#include <QFrame>
#include <QStringList>
#include <vector>

#include "commands/recent_reports.h"

class QCheckBox;
class QComboBox;
class QBoxLayout;
class QHBoxLayout;
class QMenu;
class QPushButton;

namespace tablamo::app {

class CommandBar : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 54;

    explicit CommandBar(QWidget* parent = nullptr);

    QPushButton* open() const { return m_open; }                   ///< "Aç", Button1
    QPushButton* openBank() const { return m_openBank; }           ///< "Akbank Aç", Button13
    QPushButton* excel() const { return m_excel; }                 ///< "Excel", Button8
    QPushButton* csv() const { return m_csv; }                     ///< "CSV", sButton1
    QPushButton* html() const { return m_html; }                   ///< "HTML", Button7
    QPushButton* reset() const { return m_reset; }                 ///< "Sıfırla", Button6
    QPushButton* help() const { return m_help; }                   ///< "Yardım", Button12
    QPushButton* close() const { return m_close; }                 ///< "Kapat", Button11
    QCheckBox* openExcelAfterSave() const { return m_openExcel; }  ///< CheckBox4
    QCheckBox* cleanTable() const { return m_cleanTable; }         ///< "Temiz tablo", off at start
    QCheckBox* signedBalance() const { return m_signedBalance; }   ///< "İşaretli bakiye"
    QCheckBox* openings() const { return m_openings; }             ///< "Açılışlar"
    QComboBox* table() const { return m_table; }                   ///< "Tablo:", of several
    /// "Tablo:" with its list, for the window to place (beside the tabs).
    QWidget* tableChoice() const { return m_tableChoice; }
    QPushButton* recent() const { return m_recent; }  ///< "Son Raporlar"
    QPushButton* merge() const { return m_merge; }    ///< "Birleştir…"
    /// "Mutabakat…"
    QPushButton* reconcile() const { return m_reconcile; }
    QMenu* recentMenu() const { return m_recentMenu; }

    /// Offers the report's tables by name in "Tablo:", `current` picked; hidden for fewer
    /// than two.
    void showTables(const QStringList& names, int current);

    /// Lists the reports in "Son Raporlar"'s menu, newest first.
    void showRecentReports(const std::vector<RecentReport>& reports);

signals:
    /// A report of the list was picked: its place in the list.
    void recentChosen(int index);
    /// "Listeyi temizle" was picked.
    void recentCleared();

private:
    QPushButton* addButton(const char* objectName, const QString& caption, int width);
    QCheckBox* addCheckBox(const char* objectName, const QString& caption,
                           QBoxLayout* into = nullptr, bool small = false);

    QHBoxLayout* m_row;  ///< where addButton and addCheckBox put the next one, but for `into`
    QPushButton* m_open;
    QPushButton* m_openBank;
    QPushButton* m_excel;
    QPushButton* m_csv;
    QPushButton* m_html;
    QPushButton* m_reset;
    QPushButton* m_help;
    QPushButton* m_close;
    QCheckBox* m_openExcel;
    QCheckBox* m_cleanTable;
    QCheckBox* m_signedBalance;
    QCheckBox* m_openings;
    QWidget* m_tableChoice;
    QComboBox* m_table;
    QPushButton* m_recent;
    QPushButton* m_merge;
    QPushButton* m_reconcile;
    QMenu* m_recentMenu;
};

}  // namespace tablamo::app
