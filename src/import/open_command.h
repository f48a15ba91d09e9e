#pragma once
/// "Aç": pick a report, load it into the report buffer and import it.

#include <string>

#include "core/ui_port.h"

namespace tablamo {

struct Workspace;

/// The open dialog of "Aç" and "Akbank Aç": four filters, the first selected.
FileDialogRequest openDialogRequest();

/// Loads the file into the report buffer, bytes unchanged. On an error ("Cannot open file")
/// the buffer keeps what it held.
void loadReport(Workspace& ws, const std::string& path);

/// The title bar strip after a file was loaded.
std::string loadedStripText(const std::string& path);

/// "Aç": dialog, load, "Dosyayı Aktar", then the title bar strip names the file (also when
/// the import rejected the text with its message; not when it stopped with an error).
void Button1Click(Workspace& ws, UiPort& ui);

}  // namespace tablamo
