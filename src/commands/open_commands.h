#pragma once
/// The commands that load a file and import it, run the import or a column detection on
/// the loaded text, and reset the grid.

#include <cstddef>
#include <optional>
#include <string>

#include "core/import_outcome.h"
#include "core/input_encoding.h"
#include "core/ui_port.h"

namespace tablamo {

struct Workspace;
struct CleanShape;

/// The words for a file that holds no line, when it is read without the window (UTF-8).
inline constexpr const char* kEmptyInputMessage = "Dosya boş: dönüştürülecek satır yok.";

/// The importers a file can be read with.
enum class Importer {
    Report,     ///< the fixed-width report import ("Aç")
    Statement,  ///< the Akbank statement import ("Akbank Aç")
};

/// The open dialog of "Aç" and "Akbank Aç": four filters, the first selected.
FileDialogRequest openDialogRequest();
/// The same, starting in the folder of the report loaded last.
FileDialogRequest openDialogRequest(const Workspace& ws);

/// Loads the file into the report buffer: read whole, or mapped from the file when `mapped`
/// (the converter's way; the file must not shrink meanwhile). The bytes stay as they are,
/// but for a UTF-8 file (as `encoding` decides, recodeReportBytes), re-coded to code page
/// 857; `ws.textReading` says which. On an error ("Cannot open file") the buffer and the
/// reading keep what they held.
void loadReport(Workspace& ws, const std::string& path, bool mapped = false,
                InputEncoding encoding = InputEncoding::Auto);

/// Runs the importer on the loaded text: the clean table's when "Temiz tablo" is ticked
/// (ImportSettings::cleanTable), the plain one otherwise.
ImportOutcome runImporter(Workspace& ws, Importer importer);

/// Imports the loaded text again with the importer it was opened with ("Aç" or "Akbank
/// Aç"), the clean or the plain way as the settings now say: for ticking or unticking
/// "Temiz tablo" with a report loaded. Its message is shown, and its warnings unless
/// `warnings` is false (a column moved: the clean table's status line tells them).
ImportOutcome importAgain(Workspace& ws, UiPort& ui, bool warnings = true);

/// The largest report cleanRecordCount() reads on top of the plain import.
inline constexpr std::size_t kCleanHintBytes = 8u << 20;

/// How many records the clean table reads of the loaded report, while the grid holds its
/// plain table: what the status bar tells a user who opened it plain. Read in a workspace of
/// its own; `ws` keeps its table and settings. Nothing when the clean table reads none, the
/// grid is clean already, or the report is larger than kCleanHintBytes.
std::optional<std::size_t> cleanRecordCount(Workspace& ws);

/// The clean table's outcome for the status bar (UTF-8): the warnings about its totals (how
/// many, the first of them), the checks that held ("41 denetim tuttu"), the totals not
/// checked and the lines not placed. Empty when there is nothing to tell.
std::string cleanOutcomeText(const CleanShape& shape);

/// The clean import's warnings as one message text, one "uyarı: …" line each (CR LF).
std::string warningsText(const ImportOutcome& outcome);

/// The title bar strip after a file was loaded.
std::string loadedStripText(const std::string& path);

/// Shows the outcome's message, when it has one, then its warnings in one message box.
void showOutcome(UiPort& ui, const ImportOutcome& outcome);

/// "Aç" (Button1Click): dialog, load, the report import with its message shown, then the
/// title bar strip names the file (also when the import rejected the text; not when it
/// stopped with an error). Nothing when the dialog is cancelled.
std::optional<ImportOutcome> openReport(Workspace& ws, UiPort& ui);

/// "Akbank Aç" (Button13Click): the same with the statement import.
std::optional<ImportOutcome> openStatement(Workspace& ws, UiPort& ui);

/// "Dosyayı Aktar" (Button2Click): the report import on the loaded text, its message shown.
ImportOutcome importLoadedReport(Workspace& ws, UiPort& ui);

/// "Sütun Ara" (Button4Click): the rule line's column detection, its message shown.
void findRuleLineColumns(Workspace& ws, UiPort& ui);

/// "Sütun Ara BG" (Button10Click): the frame line's column detection, its message shown.
void findFrameColumns(Workspace& ws, UiPort& ui);

/// "Sıfırla" (Button6Click): default widths, an empty 25-row grid of 21 columns with the
/// default column widths, and fresh headers. Nothing else changes.
void resetGrid(Workspace& ws);

}  // namespace tablamo
