#pragma once
/// The fixed-width report import: every report line cut into 20 fields, one grid row each.

namespace tablamo {

struct Workspace;
class UiPort;

/// How an import ended when it raised no error.
enum class ImportStatus {
    Imported,    ///< the text was cut into the grid
    EmptyText,   ///< there was no line: nothing changed, nothing was shown
    NotAReport,  ///< neither criterion occurs: the message was shown, nothing changed
};

/// "Dosyayı Aktar": checks that the loaded text is a report (it holds the search or the
/// frame criterion), runs column detection when automatic column search is on, sets the
/// row count and headers, and cuts the lines from StartRow on into the grid rows from
/// StartColumn on: the first line as text, the following ones with number conversion in
/// columns 2 to 20. The table grows so that no line of the text falls off its end.
ImportStatus Button2Click(Workspace& ws, UiPort& ui);

/// The maximum number of rows the import lets the table grow to.
inline constexpr int kMaxGrownRows = 1 << 24;

}  // namespace tablamo
