#include "commands/report_reading.h"

#include <filesystem>
#include <optional>

#include "bank/statement_layout.h"
#include "commands/line_numbers.h"
#include "commands/profile_commands.h"
#include "core/error.h"
#include "core/platform/files.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

// The size of a regular file; nothing for a pipe or a file that is gone.
std::optional<std::uintmax_t> regularSize(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = platform::toFsPath(path);
    if (!std::filesystem::is_regular_file(p, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(p, ec);
    if (ec) return std::nullopt;
    return size;
}

}  // namespace

ReadRequest requestOf(const Workspace& ws, const std::string& path, Importer importer) {
    ReadRequest r;
    r.path = path;
    r.layout = ws.settings.layout;
    r.clean = ws.settings.cleanTable;
    r.signedBalance = ws.settings.signedBalance;
    r.openings = ws.settings.openings;
    r.regional = ws.regional;
    r.importer = importer;
    r.profilesFolder = ws.profilesFolder;
    r.sayNotes = false;
    return r;
}

ImportOutcome readReport(Workspace& ws, const ReadRequest& request, UiPort& ui) {
    ws.settings.layout = request.layout;
    ws.settings.cleanTable = request.clean;
    ws.settings.signedBalance = request.signedBalance;
    ws.settings.openings = request.openings;
    ws.regional = request.regional;
    ws.profilesFolder = request.profilesFolder;
    const std::optional<std::uintmax_t> before = regularSize(request.path);
    loadReport(ws, request.path, request.mapped, request.inputEncoding);
    const auto say = [&](const std::string& note, bool lost = false) {
        if (request.sayNotes && !note.empty() && (!request.quiet || lost)) ui.showMessage(note);
    };
    // Read as UTF-8: said unless quiet; characters lost on the way are always said.
    say(inputReadingNote(ws.textReading), ws.textReading.replaced > 0);
    // A folder may hold the office's bank statements beside its reports: cut as a report, a
    // statement would give a table of nothing.
    Importer importer = request.importer;
    if (importer == Importer::Report && request.recogniseStatement && looksLikeStatement(ws.text)) {
        importer = Importer::Statement;
        say(kStatementFoundMessage);
    }
    ws.openedAsStatement = importer == Importer::Statement;
    applyMatchingProfile(ws);
    if (ws.profile) say(profileAppliedText(ws.profile->name));
    ImportOutcome outcome = runImporter(ws, importer);
    // What was cut from a file that changed meanwhile is not the file's.
    const std::optional<std::uintmax_t> after = regularSize(request.path);
    if (ws.text.shrank() || (before && after && *after < *before)) {
        throw cannotOpenFile(request.path, "The file shrank while it was read");
    }
    if (before && after && *after > *before) {
        throw cannotOpenFile(request.path, "The file grew while it was read");
    }
    if (request.lineNumbers && outcome.imported()) addLineNumberColumn(ws);
    return outcome;
}

}  // namespace tablamo
