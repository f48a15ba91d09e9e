#include "export/csv_command.h"

#include "core/workspace.h"
#include "export/csv_writer.h"
#include "export/safe_file.h"

namespace tablamo {

FileDialogRequest csvDialogRequest() {
    FileDialogRequest r;
    r.filters = {{"CSV Dosyası (*.csv)", "*.csv"}};
    return r;
}

bool SaveToCSV(Workspace& ws, UiPort& ui) {
    const auto chosen = ui.askSaveFile(csvDialogRequest());
    if (!chosen) return false;
    const std::string path = csvFileName(*chosen);
    BusyCursor busy(ui);
    SafeFile file(path);
    writeCsv(ws.grid, file);
    file.commit();
    return true;
}

void sButton1Click(Workspace& ws, UiPort& ui) {
    if (SaveToCSV(ws, ui)) ui.showMessage(kCsvSavedMessage);
}

}  // namespace tablamo
