#include "cli/convert.h"

#include "commands/clean_tables.h"
#include "commands/open_commands.h"
#include "commands/profile_commands.h"
#include "commands/report_reading.h"
#include "commands/report_title.h"
#include "commands/save_guard.h"
#include "commands/table_book.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/workspace.h"

namespace tablamo::cli {
namespace {

// --sheet-per: the records of each table that has the column named on a sheet (or in a file)
// per value of it, each with its totals; a table without the column, or with too many values
// in it, is written whole. Returns how many sheets were written; when no table is split the
// book is written as without --sheet-per, with a warning: 0 then.
std::size_t writeSheetPerGroup(const Job& job, const Workspace& ws, const WriteOptions& options,
                               const std::string& output, UiPort& ui, const TargetCheck& check) {
    const std::string field = "\"" + win1254ToUtf8(job.sheetPer) + "\"";
    const std::vector<BookTable> book = cleanBook(ws, options.print);
    std::vector<std::vector<TableGroup>> groups(book.size());
    bool split = false, crowded = false;
    for (std::size_t t = 0; t < book.size(); ++t) {
        if (const std::optional<int> column = columnHeaded(*book[t].grid, job.sheetPer)) {
            groups[t] = groupsOf(*book[t].grid, *book[t].shape, *column);
            crowded = crowded || groups[t].empty();
            split = split || !groups[t].empty();
        }
    }
    if (crowded) {
        ui.showMessage("uyarı: --sheet-per: " + field + " sütununda " + std::to_string(kMaxGroups) +
                       " değerden çoğu var; tablo tek sayfada yazıldı");
    }
    if (!split) {
        if (!crowded) {
            ui.showMessage("uyarı: --sheet-per: " + field +
                           " başlıklı sütun yok; tablo tek sayfada yazıldı");
        }
        if (book.size() > 1) {
            saveCleanTables(ws, job.format, output, options, check);
        } else {
            if (check) check(output);
            formatInfo(job.format).write(ws.grid(), options, output);
        }
        return 0;
    }
    SheetNames taken;
    std::vector<BookTable> tables;
    for (std::size_t t = 0; t < book.size(); ++t) {
        if (groups[t].empty()) {
            tables.push_back(book[t]);
            tables.back().name = taken.unique(book[t].name, book[t].name);
            continue;
        }
        for (const TableGroup& group : groups[t]) {
            tables.push_back({taken.unique(group.value, "(bo\xFE)"), &group.grid, &group.shape,
                              options.print, true});
        }
    }
    saveBook(tables, job.format, output, options, check);
    return tables.size();
}

}  // namespace

bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step, ConvertedFile* converted, bool recogniseStatements,
                RunFiles* runFiles) {
    // A file no one may write stays as it is: the rename into place would replace it.
    for (const std::string& target : {output, job.saveProfile}) refuseUnwritable(target);
    // The further files of a book (rapor-2.csv …, a file per group) are known once the report
    // is read: each passes before the first is written, so a refused one leaves no half set.
    const TargetCheck check = [&input, runFiles](const std::string& file) {
        if (sameFile(file, input)) throw Error(replacesInputMessage(file, input));
        if (runFiles) runFiles->claim(file, input);
        refuseUnwritable(file);
    };
    Workspace ws;
    ReadRequest request;
    request.path = input;
    request.layout = job.layout;
    request.clean = job.clean;
    request.signedBalance = job.signedBalance;
    request.openings = job.openings;
    request.regional = job.regional;
    request.inputEncoding = job.inputEncoding;
    request.importer = job.akbank ? Importer::Statement : Importer::Report;
    request.recogniseStatement = recogniseStatements;
    request.mapped = true;  // a large report's second copy in memory spared
    request.quiet = job.quiet;
    request.lineNumbers = job.lineNumbers;
    const ImportOutcome outcome = readReport(ws, request, ui);
    // An input that shrinks while its tables are written fails its own conversion.
    const InputWatch watch(ws.text, input);
    showOutcome(ui, outcome);
    if (!outcome.reason.empty()) ui.showMessage(outcome.reason);
    if (outcome.status == ImportStatus::EmptyText) ui.showMessage(kEmptyInputMessage);
    if (!outcome.imported()) return false;
    if (step) step(ws.text.bytes().size());
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
            std::to_string(written) + (formatInfo(job.format).bookInOneFile ? " sayfa" : " dosya");
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
    // Every table of the book counts: its records and the lines it could not place.
    const int unplaced = static_cast<int>(ws.book.unplacedCount());
    if (converted) {
        converted->written = true;
        converted->rows = 0;
        for (const Book::Table& table : ws.book.tables)
            converted->rows += table.grid.rowCount() - 1;
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
