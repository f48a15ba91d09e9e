#include "commands/open_commands.h"

#include <algorithm>
#include <filesystem>

#include "bank/clean_statement.h"
#include "bank/statement_import.h"
#include "clean/totals_check.h"
#include "commands/file_kind.h"
#include "commands/merge_command.h"
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
    // A folder is no report, but a month's reports may lie in it: "Birleştir…" is offered.
    std::error_code ec;
    if (std::filesystem::is_directory(platform::toFsPath(*path), ec)) {
        if (ui.askYesNo(folderQuestion(*path))) mergeFilesIntoGrid(ws, ui, {*path});
        return std::nullopt;
    }
    ImportOutcome outcome;
    {
        BusyCursor busy(ui);
        outcome = readReport(ws, requestOf(ws, *path, importer), ui);
    }
    // A file the import refused is said what it is, when its bytes tell.
    if (outcome.status == ImportStatus::NotAReport) {
        if (const std::string help = notAReportHelp(ws.text.bytes()); !help.empty())
            outcome.message += "\r\n\r\n" + help;
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

std::optional<std::size_t> cleanRecordCount(Workspace& ws) {
    if (ws.clean() || ws.text.empty() || ws.text.bytes().size() > kCleanHintBytes) return {};
    // The clean import reads the loaded text in a workspace of its own, the text lent to it.
    Workspace trial;
    trial.settings = ws.settings;
    trial.settings.cleanTable = true;
    trial.regional = ws.regional;
    trial.textReading = ws.textReading;
    trial.text = std::move(ws.text);
    struct GiveBack {
        Workspace& from;
        Workspace& to;
        ~GiveBack() { to.text = std::move(from.text); }
    } giveBack{trial, ws};
    ImportOutcome outcome;
    try {
        outcome = ws.openedAsStatement ? importCleanStatement(trial) : importCleanReport(trial);
    } catch (const std::exception&) {
        return {};  // a hint that cannot be had is not given; the plain table stays
    }
    if (!outcome.imported()) return {};
    std::size_t records = 0;
    for (const Book::Table& table : trial.book.tables) {
        if (table.clean) records += table.clean->recordLines.size();
    }
    if (records == 0) return {};
    return records;
}

std::string cleanOutcomeText(const CleanShape& shape) {
    const std::vector<std::string> warnings = totalsWarnings(shape.totals);
    std::vector<std::string> parts;
    if (!warnings.empty()) {
        constexpr std::string_view kPrefix = "uyarı: ";
        std::string_view first = warnings.front();
        if (first.substr(0, kPrefix.size()) == kPrefix) first.remove_prefix(kPrefix.size());
        parts.push_back(std::to_string(warnings.size()) + " uyarı: " + std::string(first));
    }
    // The checks that held: every total line checked but those a warning names.
    std::vector<int> disagreeing;
    for (const TotalMismatch& m : shape.totals.mismatches) {
        if (m.kind == TotalMismatch::Kind::Total) disagreeing.push_back(m.line);
    }
    std::sort(disagreeing.begin(), disagreeing.end());
    const auto held =
        shape.totals.checked -
        static_cast<int>(std::unique(disagreeing.begin(), disagreeing.end()) - disagreeing.begin());
    if (held > 0) parts.push_back(std::to_string(held) + " denetim tuttu");
    if (shape.totals.unchecked > 0)
        parts.push_back(std::to_string(shape.totals.unchecked) + " toplam denetlenemedi");
    if (const std::string unplaced = unplacedNote(shape.unplacedLines); !unplaced.empty())
        parts.push_back(unplaced);
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
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
