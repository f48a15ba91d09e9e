#pragma once
/// The "Excel" command: save the grid as a workbook.

#include "core/ui_port.h"
#include "export/cell_value.h"

namespace tablamo {

struct Workspace;

/// The shared save dialog as "Excel" sets it up: its title, the workbook filter and the
/// last file name the dialog returned.
FileDialogRequest excelSaveDialogRequest(const Workspace& ws);

/// "Excel": save dialog, the workbook under xlsxFileName() of the chosen name (busy cursor
/// meanwhile), then with OpenExcelAfterSave the workbook opened in the desktop's program,
/// the message "Excel Dosyası Kaydedildi!" and the title bar strip naming the file. A
/// failure raises its error: no message, and the strip keeps its text.
void Button8Click(Workspace& ws, UiPort& ui, const Clock& clock = Clock());

}  // namespace tablamo
