#pragma once
/// The violet command bar: the command buttons in their order and the check box
/// "Excel'i kayıt sonrası aç".

#include <QFrame>

class QCheckBox;
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

private:
    QPushButton* addButton(const char* objectName, const QString& caption, int width);
    QCheckBox* addCheckBox(const char* objectName, const QString& caption);

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
};

}  // namespace tablamo::app
