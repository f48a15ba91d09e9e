#include "export/html_command.h"

#include "core/workspace.h"
#include "export/safe_file.h"

namespace tablamo {

FileDialogRequest htmlDialogRequest(const Workspace& ws) {
    FileDialogRequest r;
    r.title = kSharedSaveDialogTitle;
    r.filters = {{"İnternet Dosya Biçimi", "*.html"}};
    r.fileName = ws.lastSaveName;
    return r;
}

void Button7Click(Workspace& ws, UiPort& ui, std::vector<std::string>& htmlView,
                  const HtmlLayout& layout) {
    GridToHTML(ws.grid, htmlView, 1, layout);
    const auto chosen = ui.askSaveFile(htmlDialogRequest(ws));
    if (!chosen) return;
    ws.lastSaveName = *chosen;
    SafeFile file(htmlFileName(*chosen));
    writeLines(htmlView, file);
    file.commit();
    ui.showMessage(*chosen + kHtmlSavedSuffix);
}

}  // namespace tablamo
