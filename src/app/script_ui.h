#pragma once
/// The UI port of the window driven from a script (the start options --open and --save):
/// the dialogs answered with the paths given, messages and errors on stderr instead of
/// boxes, no program opened, and a record of whether anything went wrong.

#include <string>

#include "core/ui_port.h"

namespace tablamo::app {

class ScriptUi : public UiPort {
public:
    explicit ScriptUi(std::string savePath) : m_savePath(std::move(savePath)) {}

    void showMessage(std::string_view text) override;
    void showError(std::string_view text) override;
    /// Nothing: --open answers the open dialog through the window's openAtStart().
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return {}; }
    /// The path given with --save, once.
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override;
    void setBusy(bool) override {}
    void openWithDefaultProgram(const std::string&) override {}

    /// How many errors were shown.
    int errors() const { return m_errors; }
    /// Whether the save dialog was answered.
    bool asked() const { return m_asked; }

private:
    std::string m_savePath;
    bool m_asked = false;
    int m_errors = 0;
};

}  // namespace tablamo::app
