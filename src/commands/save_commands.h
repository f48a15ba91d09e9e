#pragma once
/// The save commands "CSV", "HTML" and "Excel": a dialog, the file written by its format's
/// writer, and a message.

#include <string>
#include <vector>

#include "core/ui_port.h"
#include "export/cell_value.h"
#include "export/html_writer.h"

namespace tablamo {

struct Workspace;

/// The message after the CSV file was written.
inline constexpr const char* kCsvSavedMessage = "CSV Dosyası Kaydedildi!";
/// Follows the chosen file name in the message after the page was saved.
inline constexpr const char* kHtmlSavedSuffix = "...İnternet Dosyası Kaydedildi!";
/// The message after the workbook was written.
inline constexpr const char* kExcelSavedMessage = "Excel Dosyası Kaydedildi!";
/// Says that "Excel'i kayıt sonrası aç" found no program for the saved workbook; the path follows.
inline constexpr const char* kNoProgramMessage =
    "Çalışma kitabı kaydedildi, ancak onu açacak bir program bulunamadı:\r\n";
/// The shared save dialog's title, the same for the HTML and the Excel export.
inline constexpr const char* kSharedSaveDialogTitle = "Tablamo Excel Dosya Kaydı";

/// The CSV command's own save dialog: the one filter "CSV Dosyası (*.csv)", nothing else.
FileDialogRequest csvDialogRequest();
/// The same, offering the file the table was saved to last with ".csv", else the name of the
/// report the table came from with ".csv" in its folder (a merge's: its folder's name).
FileDialogRequest csvDialogRequest(const Workspace& ws);
/// The shared save dialog as the HTML command sets it: the filter "İnternet Dosya Biçimi"
/// (*.html), the window's title, and the name offered as the CSV dialog offers it with
/// ".html" (with neither a save nor a report, the last name chosen in it).
FileDialogRequest htmlDialogRequest(const Workspace& ws);
/// The shared save dialog as "Excel" sets it up: its title, the workbook filter and the name
/// offered as the HTML dialog offers it, with ".xlsx".
FileDialogRequest excelSaveDialogRequest(const Workspace& ws);

/// Every save asks for its file again when the one chosen (or a further table's beside it)
/// is there and is not a file this table was saved to last, and the user does not want it
/// replaced (UiPort::askReplace). The files written are kept as the table's last save.

/// Asks for the file (its own dialog, not the shared one), appends ".csv" when the name
/// lacks it, writes the grid under the hourglass and returns true; false when the user
/// cancelled. A file that cannot be written raises "Cannot create file".
bool SaveToCSV(Workspace& ws, UiPort& ui);

/// "CSV" (sButton1Click): SaveToCSV, then the message "CSV Dosyası Kaydedildi!".
void saveCsv(Workspace& ws, UiPort& ui);

/// "HTML" (Button7Click): builds the page into `htmlView` (the window's hidden HTML text
/// view) first, so the view holds it even when the user then cancels (the page of a grid
/// too large for the view only in part: GridToHtmlView); asks for the file with the shared
/// save dialog; appends ".html" unless the name ends in ".html" or ".htm"; saves the whole
/// page, written from the grid, and shows the chosen name followed by "...İnternet Dosyası
/// Kaydedildi!". `layout` carries the grid view's size on screen.
void saveHtml(Workspace& ws, UiPort& ui, HtmlView& htmlView, const HtmlLayout& layout = {});

/// "Excel" (Button8Click): save dialog, the workbook under xlsxFileName() of the chosen name
/// (busy cursor meanwhile), then with OpenExcelAfterSave the workbook opened in the
/// desktop's program, the message "Excel Dosyası Kaydedildi!" and the title bar strip
/// naming the file. A failure raises its error: no message, and the strip keeps its text.
void saveExcel(Workspace& ws, UiPort& ui, const Clock& clock = Clock());

}  // namespace tablamo
