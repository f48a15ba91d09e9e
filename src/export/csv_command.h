#pragma once
/// The "CSV" button: save the whole grid as a CSV file.

#include "core/ui_port.h"

namespace tablamo {

struct Workspace;

/// The message after the file was written.
inline constexpr const char* kCsvSavedMessage = "CSV Dosyası Kaydedildi!";

/// The CSV command's own save dialog: the one filter "CSV Dosyası (*.csv)", nothing else.
FileDialogRequest csvDialogRequest();

/// Asks for the file (its own dialog, not the shared one), appends ".csv" when the name
/// lacks it, writes the grid under the hourglass and returns true; false when the user
/// cancelled. A file that cannot be written raises "Cannot create file".
bool SaveToCSV(Workspace& ws, UiPort& ui);

/// "CSV": SaveToCSV, then the message "CSV Dosyası Kaydedildi!" when it wrote the file.
void sButton1Click(Workspace& ws, UiPort& ui);

}  // namespace tablamo
