#include "cli/convert.h"

#include "commands/open_commands.h"
#include "core/workspace.h"

namespace tablamo::cli {

bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step, ConvertedFile* converted) {
    Workspace ws;
    ws.settings.layout = job.layout;
    ws.regional = job.regional;
    // "Aç" without its dialog: the file into the report buffer, mapped rather than copied,
    // which spares a large report's second copy in memory; then the import.
    loadReport(ws, input, true);
    const ImportOutcome outcome = runImporter(ws, job.akbank ? Importer::Statement : Importer::Report);
    showOutcome(ui, outcome);
    if (outcome.status == ImportStatus::EmptyText) ui.showMessage(kEmptyInputMessage);
    if (!outcome.imported()) return false;
    if (step) step(ws.text.bytes().size());
    WriteOptions options;
    options.encoding = job.encoding;
    options.regional = ws.regional;
    options.today = Clock().today();
    formatInfo(job.format).write(ws.grid, options, output);
    if (step) step(ws.text.bytes().size());
    if (converted) converted->rows = ws.grid.rowCount() - 1;
    return true;
}

}  // namespace tablamo::cli
