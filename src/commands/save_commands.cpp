#include "commands/save_commands.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "commands/clean_tables.h"
#include "commands/report_title.h"
#include "commands/save_guard.h"
#include "core/error.h"
#include "core/platform/files.h"
#include "core/workspace.h"
#include "export/output_formats.h"

namespace tablamo {
namespace {

// What every writer is told of the workspace: the user's notation and the clean table.
WriteOptions optionsOf(const Workspace& ws) {
    WriteOptions options;
    options.regional = ws.regional;
    options.clean = ws.clean() ? &*ws.clean() : nullptr;
    if (ws.clean()) options.print = printSetupOf(ws.text);
    if (!ws.book.printTitle.empty()) options.print.title = ws.book.printTitle;
    return options;
}

// The grid to `path`; a report's several clean tables all of them, each a sheet of the
// workbook or a file of its own (rapor-2.csv …). Returns the files written.
std::vector<std::string> writeTables(const Workspace& ws, OutputFormat format,
                                     const WriteOptions& options, const std::string& path) {
    if (cleanTableCount(ws) > 1) return saveCleanTables(ws, format, path, options);
    formatInfo(format).write(ws.grid(), options, path);
    return {path};
}

// What tells the table apart from another: the report it came from and its tables' names (a
// plain table, a clean one, a merge, a reconciliation of the same report differ).
std::string tableKey(const Workspace& ws) {
    std::string key = ws.tablePath;
    for (const std::string& name : cleanTableNames(ws)) key += '\n' + name;
    return key;
}

bool savedBefore(const Workspace& ws, const std::string& file) {
    if (ws.lastSaved.table != tableKey(ws)) return false;
    return std::any_of(ws.lastSaved.files.begin(), ws.lastSaved.files.end(),
                       [&](const std::string& saved) { return sameFile(saved, file); });
}

// Every file the save writes passes checkSaveTarget, all of them before the first is written:
// a report's further tables go to files beside the one chosen (rapor-2.csv …). A file that is
// there and holds no earlier save of this table may be another report's: it is written over
// only when the user says so. False when the user says no: the dialog asks again.
bool targetsMayBeWritten(const Workspace& ws, UiPort& ui, OutputFormat format,
                         const std::string& path) {
    const std::vector<std::string> files = cleanTableFiles(ws, format, path);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const bool readOnly = isReadOnlyFile(files[i]);  // asked about as such
        checkSaveTarget(ws, ui, files[i]);
        std::error_code ec;
        if (readOnly || !std::filesystem::exists(platform::toFsPath(files[i]), ec) ||
            savedBefore(ws, files[i]))
            continue;
        const std::string question =
            "\"" + files[i] + "\" zaten var. " +
            (i == 0 || ws.book.isMerge()
                 ? std::string("Yerine yazılsın mı?")
                 : "Bu raporun " + std::to_string(i + 1) + ". tablosu yerine yazılsın mı?");
        if (!ui.askReplace(files[i], question)) return false;
    }
    return true;
}

// The name of the report the table came from, with the format's extension, in the report's
// folder; a merge of a folder's reports names its book after the folder, beside it.
std::string suggestedName(const Workspace& ws, OutputFormat format) {
    if (ws.tablePath.empty()) return {};
    std::filesystem::path name = platform::toFsPath(ws.tablePath);
    if (!name.has_filename()) name = name.parent_path();
    name.replace_extension(platform::toFsPath(formatInfo(format).extension));
    return platform::fromFsPath(name);
}

// What a save dialog offers: the file this table was saved to last, with the format's ending,
// else the name of the report it came from, else (the shared dialog) the last name chosen.
std::string offeredName(const Workspace& ws, OutputFormat format, bool shared) {
    if (ws.lastSaved.table == tableKey(ws) && !ws.lastSaved.files.empty()) {
        std::filesystem::path name = platform::toFsPath(ws.lastSaved.files.front());
        name.replace_extension(platform::toFsPath(formatInfo(format).extension));
        return platform::fromFsPath(name);
    }
    const std::string report = suggestedName(ws, format);
    return report.empty() && shared ? ws.lastSaveName : report;
}

// The dialog's answer under the format's suffix rule, asked again until the user names a file
// the save may write; nothing when cancelled. `chosen` gets the name as the dialog gave it.
std::optional<std::string> askTarget(const Workspace& ws, UiPort& ui,
                                     const FileDialogRequest& request, OutputFormat format,
                                     std::string* chosen = nullptr) {
    for (;;) {
        const auto answer = ui.askSaveFile(request);
        if (!answer) return std::nullopt;
        if (chosen) *chosen = *answer;
        const std::string path = formatInfo(format).fileName(*answer);
        if (targetsMayBeWritten(ws, ui, format, path)) return path;
    }
}

}  // namespace

FileDialogRequest csvDialogRequest(const Workspace& ws) {
    FileDialogRequest r = csvDialogRequest();
    r.fileName = offeredName(ws, OutputFormat::Csv, false);
    return r;
}

FileDialogRequest csvDialogRequest() {
    FileDialogRequest r;
    r.filters = {{"CSV Dosyası (*.csv)", "*.csv"}};
    return r;
}

FileDialogRequest htmlDialogRequest(const Workspace& ws) {
    FileDialogRequest r;
    r.title = kSharedSaveDialogTitle;
    r.filters = {{"İnternet Dosya Biçimi", "*.html"}};
    r.fileName = offeredName(ws, OutputFormat::Html, true);
    return r;
}

FileDialogRequest excelSaveDialogRequest(const Workspace& ws) {
    FileDialogRequest r;
    r.title = kSharedSaveDialogTitle;
    r.filters = {{"Microsoft Excel Dosyası (*.xlsx)", "*.xlsx"}};
    r.fileName = offeredName(ws, OutputFormat::Xlsx, true);
    return r;
}

bool SaveToCSV(Workspace& ws, UiPort& ui) {
    const auto path = askTarget(ws, ui, csvDialogRequest(ws), OutputFormat::Csv);
    if (!path) return false;
    BusyCursor busy(ui);
    ws.lastSaved = {tableKey(ws), writeTables(ws, OutputFormat::Csv, optionsOf(ws), *path)};
    return true;
}

void saveCsv(Workspace& ws, UiPort& ui) {
    if (SaveToCSV(ws, ui)) ui.showMessage(kCsvSavedMessage);
}

void saveHtml(Workspace& ws, UiPort& ui, HtmlView& htmlView, const HtmlLayout& layout) {
    GridToHtmlView(ws.grid(), htmlView, 1, layout);
    std::string chosen;
    const auto path = askTarget(ws, ui, htmlDialogRequest(ws), OutputFormat::Html, &chosen);
    if (!path) return;
    ws.lastSaveName = chosen;
    // The page is written from the grid, byte for byte the view's lines (as far as the view
    // holds them): the dialog is modal, so nothing changed the grid meanwhile.
    WriteOptions options = optionsOf(ws);
    options.html = layout;
    ws.lastSaved = {tableKey(ws), writeTables(ws, OutputFormat::Html, options, *path)};
    ui.showMessage(chosen + kHtmlSavedSuffix);
}

void saveExcel(Workspace& ws, UiPort& ui, const Clock& clock) {
    std::string chosen;
    const auto target = askTarget(ws, ui, excelSaveDialogRequest(ws), OutputFormat::Xlsx, &chosen);
    if (!target) return;
    ws.lastSaveName = chosen;
    const std::string& path = *target;
    {
        BusyCursor busy(ui);
        WriteOptions options = optionsOf(ws);
        options.today = clock.today();
        ws.lastSaved = {tableKey(ws), writeTables(ws, OutputFormat::Xlsx, options, path)};
    }
    // The workbook is already open in the spreadsheet program when the message shows.
    const bool opened = !ws.settings.OpenExcelAfterSave || ui.openWithDefaultProgram(path);
    ui.showMessage(kExcelSavedMessage);
    if (!opened) ui.showMessage(std::string(kNoProgramMessage) + path);
    ws.titleStrip = std::string(kTitleStripPrefix) + path + kSavedSuffix;
}

}  // namespace tablamo
