#pragma once
/// One way to read a report, for the window's "Aç", the converter and the merge alike: the
/// same encoding detection, statement recognition, saved layouts, watch over the file and
/// messages.

#include <string>

#include "commands/open_commands.h"
#include "core/import_outcome.h"
#include "core/import_settings.h"
#include "core/input_encoding.h"
#include "core/regional_settings.h"
#include "core/ui_port.h"

namespace tablamo {

struct Workspace;

/// What reading one report depends on.
struct ReadRequest {
    std::string path;  ///< UTF-8
    ReportLayout layout;
    bool clean = false;          ///< "Temiz tablo"
    bool signedBalance = false;  ///< "İşaretli bakiye"
    bool openings = false;       ///< "Açılışlar": opening balances kept as rows
    RegionalSettings regional;
    InputEncoding inputEncoding = InputEncoding::Auto;
    /// Statement: read as an Akbank statement ("Akbank Aç", --akbank).
    Importer importer = Importer::Report;
    /// A report that its own lines show to be a statement is read as one, with a line that
    /// says so (a file found in a folder, a report of a merge).
    bool recogniseStatement = false;
    /// The saved layouts matched against the report, the first by file name winning; empty:
    /// none (--no-profiles, the converter without --profile's folder).
    std::string profilesFolder;
    bool mapped = false;  ///< the file mapped rather than read (the converter's way)
    /// The notes of how the file was read (UTF-8, a statement found, a layout applied) are
    /// said through the port, unless `quiet` (then only characters lost are); the window
    /// shows them on its status bar instead.
    bool sayNotes = true;
    bool quiet = false;
    bool lineNumbers = false;  ///< a last column "Satır" in every clean table
};

/// The request "Aç" makes of the window's settings for `path`.
ReadRequest requestOf(const Workspace& ws, const std::string& path, Importer importer);

/// Reads the report into `ws`: its settings become the request's (a matching saved layout's
/// on top), the file is loaded (re-coded from UTF-8 when it is UTF-8), told as a statement
/// when it is one, imported, and checked: a file that shrank or grew while it was read
/// raises "Cannot open file "…". The file shrank (grew) while it was read". Returns the
/// import's outcome, which the caller shows as its front end does.
ImportOutcome readReport(Workspace& ws, const ReadRequest& request, UiPort& ui);

}  // namespace tablamo
