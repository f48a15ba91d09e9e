#include "commands/open_commands.h"

#include <filesystem>

#include "bank/clean_statement.h"
#include "bank/statement_import.h"
#include "clean/totals_check.h"
#include "commands/profile_commands.h"
#include "commands/report_reading.h"
#include "core/platform/files.h"
#include "core/workspace.h"
#include "import/clean_import.h"
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
        outcome = readReport(ws, requestOf(ws, *path, importer), ui);
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

void loadReport(Workspace& ws, const std::string& path, bool mapped, InputEncoding encoding) {
    ReportText text = mapped ? ReportText::mapFile(path) : ReportText::loadFile(path);
    InputReading reading;
    // A UTF-8 report is cut as its code page 857 twin would be: one byte per character.
    if (auto recoded = recodeReportBytes(text.bytes(), encoding, reading)) {
        text = ReportText(std::move(*recoded));
    }
    ws.text = std::move(text);
    ws.textReading = reading;
    ws.reportPath = path;
}

namespace {

// A refused text leaves the grid as it was, and with it the name its saves offer.
ImportOutcome tabled(Workspace& ws, ImportOutcome outcome) {
    if (outcome.imported() || outcome.status == ImportStatus::NoRecords)
        ws.tablePath = ws.reportPath;
    return outcome;
}

}  // namespace

ImportOutcome runImporter(Workspace& ws, Importer importer) {
    if (ws.settings.cleanTable) {
        return tabled(
            ws, importer == Importer::Statement ? importCleanStatement(ws) : importCleanReport(ws));
    }
    return tabled(ws, importer == Importer::Statement ? importStatement(ws) : importReport(ws));
}

ImportOutcome importAgain(Workspace& ws, UiPort& ui, bool warnings) {
    ImportOutcome outcome;
    {
        BusyCursor busy(ui);
        outcome = runImporter(ws, ws.openedAsStatement ? Importer::Statement : Importer::Report);
    }
    if (warnings) {
        showOutcome(ui, outcome);
    } else if (!outcome.message.empty()) {
        ui.showMessage(outcome.message);
    }
    return outcome;
}

std::string cleanOutcomeText(const CleanShape& shape) {
    const std::vector<std::string> warnings = totalsWarnings(shape.totals);
    std::string text;
    if (!warnings.empty()) {
        constexpr std::string_view kPrefix = "uyarı: ";
        std::string_view first = warnings.front();
        if (first.substr(0, kPrefix.size()) == kPrefix) first.remove_prefix(kPrefix.size());
        text = std::to_string(warnings.size()) + " uyarı: " + std::string(first);
    }
    for (const std::string& part : {totalsNote(shape.totals), unplacedNote(shape.unplacedLines)}) {
        if (part.empty()) continue;
        if (!text.empty()) text += "; ";
        text += part;
    }
    return text;
}

std::string warningsText(const ImportOutcome& outcome) {
    std::string text;
    for (const std::string& line : outcome.warnings) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

std::string loadedStripText(const std::string& path) {
    return std::string(kTitleStripPrefix) + path + kLoadedSuffix;
}

void showOutcome(UiPort& ui, const ImportOutcome& outcome) {
    if (!outcome.message.empty()) ui.showMessage(outcome.message);
    if (!outcome.warnings.empty()) ui.showMessage(warningsText(outcome));
}

std::optional<ImportOutcome> openReport(Workspace& ws, UiPort& ui) {
    return openWith(ws, ui, Importer::Report);
}

std::optional<ImportOutcome> openStatement(Workspace& ws, UiPort& ui) {
    return openWith(ws, ui, Importer::Statement);
}

ImportOutcome importLoadedReport(Workspace& ws, UiPort& ui) {
    const ImportOutcome outcome = tabled(ws, importReport(ws));
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
    Grid& grid = ws.grid();
    grid.clearCells();
    grid.setColCount(Grid::kColumnCount);  // a clean table may have had more
    ws.clean().reset();
    grid.setRowCount(Grid::kDefaultRowCount);
    grid.setDefaultColWidth(Grid::kDefaultColWidth);
    grid.setColWidth(0, Grid::kHeaderColWidth);
    NumberGridHeaders(grid);
}

}  // namespace tablamo
