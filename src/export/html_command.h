#pragma once
/// The "HTML" button: build the page into the HTML text view and save it.

#include <string>
#include <vector>

#include "core/ui_port.h"
#include "export/html_writer.h"

namespace tablamo {

struct Workspace;

/// Follows the chosen file name in the message after the page was saved.
inline constexpr const char* kHtmlSavedSuffix = "...İnternet Dosyası Kaydedildi!";
/// The shared save dialog's title, the same for the HTML and the Excel export.
inline constexpr const char* kSharedSaveDialogTitle = "Tablamo Excel Dosya Kaydı";

/// The shared save dialog as the HTML command sets it: the filter "İnternet Dosya Biçimi"
/// (*.html), the window's title, the last chosen name offered again.
FileDialogRequest htmlDialogRequest(const Workspace& ws);

/// "HTML": builds the page into `htmlView` (the window's hidden HTML text view) first, so
/// the view holds it even when the user then cancels; asks for the file with the shared
/// save dialog; appends ".html" unless the name ends in ".html" or ".htm"; saves the view's
/// lines and shows the chosen name followed by "...İnternet Dosyası Kaydedildi!".
/// `layout` carries the grid view's size on screen.
void Button7Click(Workspace& ws, UiPort& ui, std::vector<std::string>& htmlView,
                  const HtmlLayout& layout = {});

}  // namespace tablamo
