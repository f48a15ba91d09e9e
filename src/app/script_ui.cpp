#include "app/script_ui.h"

#include <cstdio>

namespace tablamo::app {

void ScriptUi::showMessage(std::string_view text) {
    std::fprintf(stderr, "tablamo: %.*s\n", static_cast<int>(text.size()), text.data());
}

void ScriptUi::showError(std::string_view text) {
    ++m_errors;
    showMessage(text);
}

std::optional<std::string> ScriptUi::askSaveFile(const FileDialogRequest&) {
    if (m_asked) return {};
    m_asked = true;
    return m_savePath;
}

}  // namespace tablamo::app
