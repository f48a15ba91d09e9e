#include "commands/merge_command.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "commands/merge_reading.h"
#include "commands/open_commands.h"
#include "core/encoding.h"
#include "core/platform/files.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

namespace fs = std::filesystem;

// What was said of a report, on one line.
std::string oneLine(const std::vector<std::string>& messages) {
    std::string line;
    for (const std::string& m : messages) {
        if (!line.empty()) line += ' ';
        for (const char c : m) {
            if (c != '\r') line += c == '\n' ? ' ' : c;
        }
    }
    return line;
}

// Whether the report's records went, in part at least, to the first merged table: the grid's.
bool inGrid(const MergedReport& r) {
    return std::any_of(r.placed.begin(), r.placed.end(),
                       [](const MergedReport::Placed& p) { return p.table == 0; });
}

}  // namespace

std::vector<std::string> sourceLabels(const std::vector<std::string>& paths) {
    std::vector<fs::path> absolute;
    for (const std::string& p : paths) {
        std::error_code ec;
        absolute.push_back(fs::absolute(platform::toFsPath(p), ec).lexically_normal());
    }
    // The folder every file lies in.
    fs::path common = absolute.empty() ? fs::path() : absolute.front().parent_path();
    for (const fs::path& p : absolute) {
        while (!common.empty() &&
               std::mismatch(common.begin(), common.end(), p.begin(), p.end()).first !=
                   common.end()) {
            common = common.parent_path() == common ? fs::path() : common.parent_path();
        }
    }
    std::vector<std::string> labels;
    for (const fs::path& p : absolute) {
        std::string label = platform::fromFsPath(common.empty() ? p : p.lexically_relative(common));
        if (fs::path::preferred_separator == '\\')
            std::replace(label.begin(), label.end(), '\\', '/');
        labels.push_back(std::move(label));
    }
    return labels;
}

std::string mergeMessage(const std::vector<MergedReport>& reports, const std::string& sheet,
                         int records) {
    int merged = 0;
    std::string left, said;
    for (const MergedReport& r : reports) {
        if (r.status == MergeStatus::Merged && !sheet.empty() && inGrid(r)) {
            ++merged;
            for (const std::string& m : r.messages) said += "\r\n" + r.source + ": " + oneLine({m});
        } else if (r.status == MergeStatus::Merged) {
            left += "\r\n" + r.source + ": başka biçimde bir rapor (\"" + win1254ToUtf8(r.sheet) +
                    "\")";
        } else {
            left += "\r\n" + r.source + ": " + oneLine(r.messages);
        }
    }
    std::string text =
        std::to_string(merged) + " rapor birleştirildi: " + std::to_string(records) + " kayıt.";
    if (!left.empty()) text += "\r\nTabloya alınmayanlar:" + left;
    return text + said;
}

bool mergeFilesIntoGrid(Workspace& ws, UiPort& ui, const std::vector<std::string>& paths) {
    if (paths.empty()) return false;
    const std::vector<std::string> labels = sourceLabels(paths);
    std::vector<MergeSource> sources;
    // Read as "Aç" reads them: a statement among them as a statement, each with the saved
    // layout that matches it.
    for (std::size_t i = 0; i < paths.size(); ++i)
        sources.push_back({paths[i], labels[i], {}, 0, true});
    MergeReading reading;
    // The columns of each report are its own: a profile the last report brought stays out.
    reading.layout = ws.profile ? ws.profile->layoutBefore : ws.settings.layout;
    reading.regional = ws.regional;
    reading.signedBalance = ws.settings.signedBalance;
    reading.profilesFolder = ws.profilesFolder;
    reading.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    ReportMerge merge;
    std::vector<MergedReport> reports;
    {
        BusyCursor busy(ui);
        reports = mergeReports(sources, reading, merge, {});
    }
    if (merge.size() == 0) {
        ui.showMessage(mergeMessage(reports, {}, 0));
        return false;
    }
    const std::string sheet = merge.tables().front().name;
    CleanShape shape;
    ws.grid() = merge.takeGrid(0, shape);
    const int records = ws.grid().rowCount() - 1;
    ws.clean() = std::move(shape);
    ws.text = ReportText();
    ws.textReading = {};
    ws.openedAsStatement = false;
    ws.profile.reset();
    ws.reportPath = paths.front();
    ws.tablePath = paths.front();
    ws.titleStrip =
        std::string(kTitleStripPrefix) + std::to_string(records) + " kayıt, " +
        std::to_string(std::count_if(reports.begin(), reports.end(),
                                     [&](const MergedReport& r) { return inGrid(r); })) +
        " rapordan birleştirildi.";
    ui.showMessage(mergeMessage(reports, sheet, records));
    return true;
}

bool mergeReportsIntoGrid(Workspace& ws, UiPort& ui) {
    FileDialogRequest request = openDialogRequest(ws);
    request.title = kMergeDialogTitle;
    const auto paths = ui.askOpenFiles(request);
    if (!paths) return false;
    return mergeFilesIntoGrid(ws, ui, *paths);
}

}  // namespace tablamo
