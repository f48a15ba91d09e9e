#include "commands/save_commands.h"

#include <filesystem>

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
// workbook or a file of its own (rapor-2.csv …).
void writeTables(const Workspace& ws, OutputFormat format, const WriteOptions& options,
                 const std::string& path) {
    if (cleanTableCount(ws) > 1) {
        saveCleanTables(ws, format, path, options);
    } else {
        formatInfo(format).write(ws.grid(), options, path);
    }
}

// Every file the save writes passes checkSaveTarget, all of them before the first is written:
// a report's further tables go to files beside the one chosen (rapor-2.csv …). Such a file
// the user did not name is written over only when the user says so: it may be another
// report's table.
void checkTargets(const Workspace& ws, UiPort& ui, OutputFormat format, const std::string& path) {
    const std::vector<std::string> files = cleanTableFiles(ws, format, path);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const bool readOnly = isReadOnlyFile(files[i]);  // asked about as such
        checkSaveTarget(ws, ui, files[i]);
        std::error_code ec;
        if (i == 0 || readOnly || !std::filesystem::exists(platform::toFsPath(files[i]), ec))
            continue;
        if (!ui.askYesNo("\"" + files[i] + "\" zaten var. Bu raporun " + std::to_string(i + 1) +
                         ". tablosu yerine yazılsın mı?")) {
            throw Error("\"" + files[i] + "\" zaten var; yerine yazılmadı");
        }
    }
}

}  // namespace

namespace {

// The name of the report the table came from, with the format's extension, in the report's folder.
std::string suggestedName(const Workspace& ws, OutputFormat format) {
    if (ws.tablePath.empty()) return {};
    std::filesystem::path name = platform::toFsPath(ws.tablePath);
    name.replace_extension(platform::toFsPath(formatInfo(format).extension));
    return platform::fromFsPath(name);
}

// The shared dialog offers the last name chosen in it, else the report's name.
std::string sharedDialogName(const Workspace& ws, OutputFormat format) {
    return ws.lastSaveName.empty() ? suggestedName(ws, format) : ws.lastSaveName;
}

}  // namespace

FileDialogRequest csvDialogRequest(const Workspace& ws) {
    FileDialogRequest r = csvDialogRequest();
    r.fileName = suggestedName(ws, OutputFormat::Csv);
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
    r.fileName = sharedDialogName(ws, OutputFormat::Html);
    return r;
}

FileDialogRequest excelSaveDialogRequest(const Workspace& ws) {
    FileDialogRequest r;
    r.title = kSharedSaveDialogTitle;
    r.filters = {{"Microsoft Excel Dosyası (*.xlsx)", "*.xlsx"}};
    r.fileName = sharedDialogName(ws, OutputFormat::Xlsx);
    return r;
}

bool SaveToCSV(Workspace& ws, UiPort& ui) {
    const auto chosen = ui.askSaveFile(csvDialogRequest(ws));
    if (!chosen) return false;
    const OutputFormatInfo& csv = formatInfo(OutputFormat::Csv);
    const std::string path = csv.fileName(*chosen);
    checkTargets(ws, ui, OutputFormat::Csv, path);
    BusyCursor busy(ui);
    writeTables(ws, OutputFormat::Csv, optionsOf(ws), path);
    return true;
}

void saveCsv(Workspace& ws, UiPort& ui) {
    if (SaveToCSV(ws, ui)) ui.showMessage(kCsvSavedMessage);
}

void saveHtml(Workspace& ws, UiPort& ui, HtmlView& htmlView, const HtmlLayout& layout) {
    GridToHtmlView(ws.grid(), htmlView, 1, layout);
    const auto chosen = ui.askSaveFile(htmlDialogRequest(ws));
    if (!chosen) return;
    ws.lastSaveName = *chosen;
    // The page is written from the grid, byte for byte the view's lines (as far as the view
    // holds them): the dialog is modal, so nothing changed the grid meanwhile.
    const OutputFormatInfo& html = formatInfo(OutputFormat::Html);
    const std::string path = html.fileName(*chosen);
    checkTargets(ws, ui, OutputFormat::Html, path);
    WriteOptions options = optionsOf(ws);
    options.html = layout;
    writeTables(ws, OutputFormat::Html, options, path);
    ui.showMessage(*chosen + kHtmlSavedSuffix);
}

void saveExcel(Workspace& ws, UiPort& ui, const Clock& clock) {
    const auto chosen = ui.askSaveFile(excelSaveDialogRequest(ws));
    if (!chosen) return;
    ws.lastSaveName = *chosen;
    const OutputFormatInfo& xlsx = formatInfo(OutputFormat::Xlsx);
    const std::string path = xlsx.fileName(*chosen);
    checkTargets(ws, ui, OutputFormat::Xlsx, path);
    {
        BusyCursor busy(ui);
        WriteOptions options = optionsOf(ws);
        options.today = clock.today();
        writeTables(ws, OutputFormat::Xlsx, options, path);
    }
    // The workbook is already open in the spreadsheet program when the message shows.
    const bool opened = !ws.settings.OpenExcelAfterSave || ui.openWithDefaultProgram(path);
    ui.showMessage(kExcelSavedMessage);
    if (!opened) ui.showMessage(std::string(kNoProgramMessage) + path);
    ws.titleStrip = std::string(kTitleStripPrefix) + path + kSavedSuffix;
}

}  // namespace tablamo
