#include "cli/convert.h"

#include "commands/line_numbers.h"
#include "commands/open_commands.h"
#include "commands/profile_commands.h"
#include "core/workspace.h"

namespace tablamo::cli {

bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step, ConvertedFile* converted) {
    Workspace ws;
    ws.settings.layout = job.layout;
    ws.settings.cleanTable = job.clean;
    ws.settings.signedBalance = job.signedBalance;
    ws.regional = job.regional;
    // "Aç" without its dialog: the file into the report buffer, mapped rather than copied,
    // which spares a large report's second copy in memory; then the import.
    loadReport(ws, input, true, job.inputEncoding);
    // Read as UTF-8: said unless --quiet; characters lost on the way are always said.
    const std::string note = inputReadingNote(ws.textReading);
    if (!note.empty() && (!job.quiet || ws.textReading.replaced)) ui.showMessage(note);
    const ImportOutcome outcome =
        runImporter(ws, job.akbank ? Importer::Statement : Importer::Report);
    showOutcome(ui, outcome);
    if (!outcome.reason.empty()) ui.showMessage(outcome.reason);
    if (outcome.status == ImportStatus::EmptyText) ui.showMessage(kEmptyInputMessage);
    if (!outcome.imported()) return false;
    if (step) step(ws.text.bytes().size());
    if (job.lineNumbers) addLineNumberColumn(ws);
    WriteOptions options;
    options.encoding = job.encoding;
    options.regional = ws.regional;
    options.today = Clock().today();
    options.clean = ws.clean ? &*ws.clean : nullptr;
    options.csvSeparator = job.csvSeparator;
    formatInfo(job.format).write(ws.grid, options, output);
    if (!job.saveProfile.empty()) saveProfile(profileOf(ws), job.saveProfile);
    if (step) step(ws.text.bytes().size());
    const int unplaced = ws.clean ? static_cast<int>(ws.clean->unplacedLines.size()) : 0;
    if (converted) {
        converted->rows = ws.grid.rowCount() - 1;
        converted->unplaced = unplaced;
        converted->note = outcome.note;
        converted->warnings =
            static_cast<int>(outcome.warnings.size()) + (ws.textReading.replaced > 0 ? 1 : 0);
    }
    if (job.strict && !outcome.warnings.empty()) {
        ui.showMessage(std::string(kStrictMessage) + output);
        return false;
    }
    if (job.strict && unplaced > 0) {
        ui.showMessage(std::string(kStrictUnplacedMessage) + output);
        return false;
    }
    return true;
}

}  // namespace tablamo::cli
