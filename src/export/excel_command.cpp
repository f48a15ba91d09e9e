#include "export/excel_command.h"

#include <string>

#include "core/workspace.h"
#include "export/xlsx_writer.h"

namespace tablamo {

FileDialogRequest excelSaveDialogRequest(const Workspace& ws) {
    FileDialogRequest r;
    r.title = "Tablamo Excel Dosya Kaydı";
    r.filters = {{"Microsoft Excel Dosyası (*.xlsx)", "*.xlsx"}};
    r.fileName = ws.lastSaveName;
    return r;
}

void Button8Click(Workspace& ws, UiPort& ui, const Clock& clock) {
    const auto chosen = ui.askSaveFile(excelSaveDialogRequest(ws));
    if (!chosen) return;
    ws.lastSaveName = *chosen;
    const std::string path = xlsxFileName(*chosen);
    {
        BusyCursor busy(ui);
        SaveToExcel(ws.grid, kExcelSheetName, path, ws.regional, clock.today());
    }
    // The workbook is already open in the spreadsheet program when the message shows.
    if (ws.settings.OpenExcelAfterSave) ui.openWithDefaultProgram(path);
    ui.showMessage("Excel Dosyası Kaydedildi!");
    ws.titleStrip = std::string(kTitleStripPrefix) + path + kSavedSuffix;
}

}  // namespace tablamo
