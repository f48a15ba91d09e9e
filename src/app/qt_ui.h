#pragma once
/// The UI port on screen: message boxes titled "Tablamo", the file dialogs, the hourglass
/// and the desktop's default program.

#include <QString>

#include "core/ui_port.h"

class QWidget;

namespace tablamo::app {

/// The window's application title, the title of every message box.
inline constexpr const char* kAppTitle = "Tablamo";

/// A dialog filter as Qt reads it: the caption, then the patterns in parentheses, which
/// the dialog is told not to show (the captions already name their patterns).
QString qtNameFilter(const FileFilter& filter);

/// Loads Qt's own Turkish texts (the file dialogs, the standard buttons: "Aç", "Kaydet",
/// "İptal") into the application. False when the translations are not installed.
bool installTurkishTranslations();

class QtUi : public UiPort {
public:
    explicit QtUi(QWidget* parent) : m_parent(parent) {}

    void showMessage(std::string_view text) override;
    void showError(std::string_view text) override;
    std::optional<std::string> askOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override;
    std::optional<std::vector<std::string>> askOpenFiles(const FileDialogRequest& request) override;
    void setBusy(bool busy) override;
    bool openWithDefaultProgram(const std::string& path) override;
    bool askYesNo(std::string_view question) override;

private:
    enum class Pick { OneToOpen, SeveralToOpen, OneToSave };
    std::vector<std::string> askFiles(const FileDialogRequest& request, Pick pick);

    QWidget* m_parent;
};

}  // namespace tablamo::app
