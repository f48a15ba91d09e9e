#include "cli/convert.h"

#include "bank/statement_layout.h"
#include "commands/clean_tables.h"
#include "commands/line_numbers.h"
#include "commands/open_commands.h"
#include "commands/profile_commands.h"
#include "commands/report_title.h"
#include "commands/save_guard.h"
#include "commands/table_book.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/workspace.h"

namespace tablamo::cli {
namespace {

// --sheet-per: the clean table's records on a sheet (or in a file) per value of the column
// named, each with its totals. Returns how many were written; a table without that column,
// or with too many values in it, is written whole with a warning: 0 then.
std::size_t writeSheetPerGroup(const Job& job, const Workspace& ws, const WriteOptions& options,
                               const std::string& output, UiPort& ui, const TargetCheck& check) {
    const std::string field = "\"" + win1254ToUtf8(job.sheetPer) + "\"";
    std::vector<TableGroup> groups;
    bool whole = true;
    if (const std::optional<int> column = columnHeaded(ws.grid(), job.sheetPer)) {
        groups = groupsOf(ws.grid(), *ws.clean(), *column);
        if (groups.empty()) {
            ui.showMessage("uyarı: --sheet-per: " + field + " sütununda " +
                           std::to_string(kMaxGroups) +
                           " değerden çoğu var; tablo tek sayfada yazıldı");
            whole = false;
        }
    } else {
        ui.showMessage("uyarı: --sheet-per: " + field +
                       " başlıklı sütun yok; tablo tek sayfada yazıldı");
        whole = false;
    }
    if (!whole) {
        if (cleanTableCount(ws) > 1) {
            saveCleanTables(ws, job.format, output, options, check);
        } else {
            formatInfo(job.format).write(ws.grid(), options, output);
        }
        return 0;
    }
    std::vector<std::string> taken;
    std::vector<BookTable> tables;
    for (const TableGroup& group : groups) {
        tables.push_back({uniqueSheetName(group.value, "(bo\xFE)", taken), &group.grid,
                          &group.shape, options.print, true});
    }
    // The report's further tables, whole, after the first one's groups.
    const std::vector<BookTable> book = cleanBook(ws, options.print);
    for (std::size_t i = 1; i < book.size(); ++i) {
        tables.push_back(book[i]);
        tables.back().name = uniqueSheetName(book[i].name, book[i].name, taken);
    }
    saveBook(tables, job.format, output, options, check);
    return tables.size();
}

}  // namespace

bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step, ConvertedFile* converted, bool recogniseStatements) {
    // A file no one may write stays as it is: the rename into place would replace it.
    for (const std::string& target : {output, job.saveProfile}) refuseReadOnly(target);
    // The further files of a book (rapor-2.csv …, a file per group) are known once the report
    // is read: each passes before the first is written, so a refused one leaves no half set.
    const TargetCheck check = [&input](const std::string& file) {
        if (sameFile(file, input)) throw Error(replacesInputMessage(file, input));
        refuseReadOnly(file);
    };
    Workspace ws;
    ws.settings.layout = job.layout;
    ws.settings.cleanTable = job.clean;
    ws.settings.signedBalance = job.signedBalance;
    ws.regional = job.regional;
    // "Aç" without its dialog: the file into the report buffer, mapped rather than copied,
    // which spares a large report's second copy in memory; then the import.
    loadReport(ws, input, true, job.inputEncoding);
    // An input that shrinks while it is read fails its own conversion and writes nothing.
    const InputWatch watch(ws.text, input);
    // Read as UTF-8: said unless --quiet; characters lost on the way are always said.
    const std::string note = inputReadingNote(ws.textReading);
    if (!note.empty() && (!job.quiet || ws.textReading.replaced)) ui.showMessage(note);
    // A folder may hold the office's bank statements beside its reports: cut as a report,
    // a statement would give a table of nothing.
    const bool statement = job.akbank || (recogniseStatements && looksLikeStatement(ws.text));
    if (statement && !job.akbank && !job.quiet) ui.showMessage(kStatementFoundMessage);
    const ImportOutcome outcome =
        runImporter(ws, statement ? Importer::Statement : Importer::Report);
    checkWatchedInput();
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
    options.clean = ws.clean() ? &*ws.clean() : nullptr;
    options.csvSeparator = job.csvSeparator;
    if (ws.clean()) options.print = printSetupOf(ws.text);
    int sheetWarnings = 0;
    std::string lineNote = outcome.note;
    if (!job.sheetPer.empty() && ws.clean()) {
        const std::size_t written = writeSheetPerGroup(job, ws, options, output, ui, check);
        if (written == 0) sheetWarnings = 1;
        // The line names the book; the files of a CSV or HTML book bear the groups' names.
        const std::string count =
            std::to_string(written) + (job.format == OutputFormat::Xlsx ? " sayfa" : " dosya");
        if (written > 0) lineNote = count + (lineNote.empty() ? "" : "; " + lineNote);
    } else if (cleanTableCount(ws) > 1) {
        // A report of several tables: a sheet each, or a file each (rapor-2.csv …); the line
        // counts the tables, whether one workbook holds them or a file each.
        saveCleanTables(ws, job.format, output, options, check);
        lineNote = std::to_string(cleanTableCount(ws)) + " tablo" +
                   (lineNote.empty() ? "" : "; " + lineNote);
    } else {
        formatInfo(job.format).write(ws.grid(), options, output);
    }
    if (!job.saveProfile.empty()) saveProfile(profileOf(ws), job.saveProfile);
    if (step) step(ws.text.bytes().size());
    const int unplaced = ws.clean() ? static_cast<int>(ws.clean()->unplacedLines.size()) : 0;
    if (converted) {
        converted->written = true;
        converted->rows = ws.grid().rowCount() - 1;
        converted->unplaced = unplaced;
        converted->note = lineNote;
        converted->warnings = static_cast<int>(outcome.warnings.size()) +
                              (ws.textReading.replaced > 0 ? 1 : 0) + sheetWarnings;
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
