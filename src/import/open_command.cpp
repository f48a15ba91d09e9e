#include "import/open_command.h"

#include "core/workspace.h"
#include "import/report_import.h"

namespace tablamo {

FileDialogRequest openDialogRequest() {
    FileDialogRequest r;
    r.filters = {
        {"Text Dosyalar (*.txt, *.not)", "*.txt;*.not"},
        {"Text Dosyalar (*.txt)", "*.txt"},
        {"Not Dosyaları (*.not)", "*.not"},
        {"Tüm Dosyalar (*.*)", "*"},
    };
    r.selectedFilter = 0;
    return r;
}

void loadReport(Workspace& ws, const std::string& path) { ws.text = ReportText::loadFile(path); }

std::string loadedStripText(const std::string& path) {
    return std::string(kTitleStripPrefix) + path + kLoadedSuffix;
}

void Button1Click(Workspace& ws, UiPort& ui) {
    const auto path = ui.askOpenFile(openDialogRequest());
    if (!path) return;
    {
        BusyCursor busy(ui);
        loadReport(ws, *path);
        Button2Click(ws, ui);
    }
    ws.titleStrip = loadedStripText(*path);
}

}  // namespace tablamo
