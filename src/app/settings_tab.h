#pragma once
/// The settings tab "Ayarlar": every import setting as a field with its caption, the
/// read-outs of the last column detection, and the buttons "Dosyayı Aktar", "Sütun Ara"
/// and "Sütun Ara BG". The tab stays hidden; its fields mirror the workspace's settings.

#include <QWidget>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tablamo {
struct ImportSettings;
}

namespace tablamo::app {

class SettingsTab : public QWidget {
    Q_OBJECT
public:
    explicit SettingsTab(QWidget* parent = nullptr);

    /// Shows the settings' texts, check states and read-outs.
    void refreshFrom(const ImportSettings& settings);
    /// Takes the fields' texts and check states into the settings (not the read-outs,
    /// which nothing reads back; not OpenExcelAfterSave, which lives on the command bar).
    /// A field changed to hold a character the Windows-1254 code page lacks raises an
    /// error naming the field.
    void readInto(ImportSettings& settings) const;

    QPushButton* importButton() const { return m_import; }        ///< "Dosyayı Aktar", Button2
    QPushButton* findColumnsButton() const { return m_find; }     ///< "Sütun Ara", Button4
    QPushButton* findFrameButton() const { return m_findFrame; }  ///< "Sütun Ara BG", Button10

    QLineEdit* startRow() const { return m_startRow; }
    QLineEdit* startColumn() const { return m_startColumn; }
    QLineEdit* searchCriterion() const { return m_searchCriterion; }
    QLineEdit* fieldSeparator() const { return m_fieldSeparator; }
    QLineEdit* frameCriterion() const { return m_frameCriterion; }
    QLineEdit* frameSeparator() const { return m_frameSeparator; }
    QLineEdit* columnWidth(int k) const { return m_widths[static_cast<std::size_t>(k - 1)]; }
    QCheckBox* autoColumnSearch() const { return m_autoColumnSearch; }
    QCheckBox* ledgerMarks() const { return m_ledgerMarks; }
    QLineEdit* searchResultLine() const { return m_searchResult; }
    QLineEdit* widthList() const { return m_widthList; }

private:
    QLineEdit* m_startRow;
    QLineEdit* m_startColumn;
    QLineEdit* m_searchCriterion;
    QLineEdit* m_fieldSeparator;
    QLineEdit* m_frameCriterion;
    QLineEdit* m_frameSeparator;
    std::array<QLineEdit*, 20> m_widths{};
    QCheckBox* m_autoColumnSearch;
    QCheckBox* m_ledgerMarks;
    QLineEdit* m_searchResult;
    QLineEdit* m_preceding;
    QLineEdit* m_widthList;
    QPushButton* m_import;
    QPushButton* m_find;
    QPushButton* m_findFrame;
};

}  // namespace tablamo::app
