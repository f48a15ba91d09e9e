#include "commands/open_commands.h"

#include <filesystem>

#include "bank/statement_import.h"
#include "core/platform/files.h"
#include "core/workspace.h"
#include "import/column_detection.h"
#include "import/report_import.h"

namespace tablamo {
namespace {

std::string folderOf(const std::string& path) {
    if (path.empty()) return {};
    return platform::fromFsPath(platform::toFsPath(path).parent_path());
}

std::optional<ImportOutcome> openWith(Workspace& ws, UiPort& ui, Importer importer) {
    const auto path = ui.askOpenFile(openDialogRequest(ws));
    if (!path) return std::nullopt;
    ImportOutcome outcome;
    {
        BusyCursor busy(ui);
        loadReport(ws, *path);
        outcome = runImporter(ws, importer);
    }
    showOutcome(ui, outcome);
    ws.titleStrip = loadedStripText(*path);
    return outcome;
}

}  // namespace

FileDialogRequest openDialogRequest(const Workspace& ws) {
    FileDialogRequest r = openDialogRequest();
    r.directory = folderOf(ws.reportPath);
    return r;
}

FileDialogRequest openDialogRequest() {
    FileDialogRequest r;
    r.filters = {
        {"Text Dosyalar (*.txt, *.not)", "*.txt;*.not"},
        {"Text Dosyalar (*.txt)", "*.txt"},
        {"Not Dosyaları (*.not)", "*.not"},
        {"Tüm Dosyalar (*.*)", "*"},
    };
    r.selectedFilter = 0;
    return r;
}

void loadReport(Workspace& ws, const std::string& path, bool mapped) {
    ws.text = mapped ? ReportText::mapFile(path) : ReportText::loadFile(path);
    ws.reportPath = path;
}

ImportOutcome runImporter(Workspace& ws, Importer importer) {
    return importer == Importer::Statement ? importStatement(ws) : importReport(ws);
}

std::string loadedStripText(const std::string& path) {
    return std::string(kTitleStripPrefix) + path + kLoadedSuffix;
}

void showOutcome(UiPort& ui, const ImportOutcome& outcome) {
    if (!outcome.message.empty()) ui.showMessage(outcome.message);
}

std::optional<ImportOutcome> openReport(Workspace& ws, UiPort& ui) {
    return openWith(ws, ui, Importer::Report);
}

std::optional<ImportOutcome> openStatement(Workspace& ws, UiPort& ui) {
    return openWith(ws, ui, Importer::Statement);
}

ImportOutcome importLoadedReport(Workspace& ws, UiPort& ui) {
    const ImportOutcome outcome = importReport(ws);
    showOutcome(ui, outcome);
    return outcome;
}

void findRuleLineColumns(Workspace& ws, UiPort& ui) {
    showOutcome(ui, detectColumnsFromRuleLine(ws.text, ws.settings.layout, ws.settings.readout));
}

void findFrameColumns(Workspace& ws, UiPort& ui) {
    showOutcome(ui, detectColumnsFromFrame(ws.text, ws.settings.layout, ws.settings.readout));
}

void resetGrid(Workspace& ws) {
    ws.settings.layout.RestoreDefaultWidths();
    Grid& grid = ws.grid;
    grid.clearCells();
    grid.setRowCount(Grid::kDefaultRowCount);
    grid.setDefaultColWidth(Grid::kDefaultColWidth);
    grid.setColWidth(0, Grid::kHeaderColWidth);
    NumberGridHeaders(grid);
}

}  // namespace tablamo
