#include "commands/merge_command.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <thread>
#include <utility>

#include "commands/merge_reading.h"
#include "commands/open_commands.h"
#include "commands/report_folder.h"
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

fs::path absolutePath(const std::string& path) {
    std::error_code ec;
    return fs::absolute(platform::toFsPath(path), ec).lexically_normal();
}

// The folder every path lies in; empty when they share none.
fs::path commonFolder(const std::vector<fs::path>& paths) {
    fs::path common = paths.empty() ? fs::path() : paths.front().parent_path();
    for (const fs::path& p : paths) {
        while (!common.empty() &&
               std::mismatch(common.begin(), common.end(), p.begin(), p.end()).first !=
                   common.end()) {
            common = common.parent_path() == common ? fs::path() : common.parent_path();
        }
    }
    return common;
}

// The files the paths picked stand for, in the order of their paths: a file as it is, a folder
// as the reports under it; a folder that cannot be read or holds none is a source with its
// problem.
std::vector<MergeSource> sourcesOf(const std::vector<std::string>& picked) {
    std::vector<std::string> files;
    std::vector<MergeSource> problems;
    for (const std::string& path : picked) {
        std::error_code ec;
        if (!fs::is_directory(platform::toFsPath(path), ec)) {
            files.push_back(path);
            continue;
        }
        const FolderReports reports = reportsInFolder(path);
        for (const auto& [folder, reason] : reports.unreadable) {
            const std::string name =
                folder.empty() ? path : platform::fromFsPath(platform::toFsPath(path) / folder);
            problems.push_back({name, name, "Cannot open folder \"" + name + "\". " + reason});
        }
        if (reports.found.empty() && reports.unreadable.empty())
            problems.push_back({path, path, kNoReportInFolder});
        for (const fs::path& relative : reports.found)
            files.push_back(platform::fromFsPath(platform::toFsPath(path) / relative));
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    // One file named twice, through its folder and by itself ("ay\ocak\kasa.txt" beside
    // "ay/ocak/kasa.txt"), or through a link: read once.
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    std::erase_if(files, [&](const std::string& f) {
        const auto id = platform::fileIdentity(f);
        return id && !seen.insert({id->volume, id->file}).second;
    });
    const std::vector<std::string> labels = sourceLabels(files);
    std::vector<MergeSource> sources;
    // Read as "Aç" reads them: a statement among them as a statement, each with the saved
    // layout that matches it.
    for (std::size_t i = 0; i < files.size(); ++i)
        sources.push_back({files[i], labels[i], {}, 0, true});
    sources.insert(sources.end(), problems.begin(), problems.end());
    return sources;
}

}  // namespace

std::vector<std::string> sourceLabels(const std::vector<std::string>& paths) {
    std::vector<fs::path> absolute;
    for (const std::string& p : paths) absolute.push_back(absolutePath(p));
    const fs::path common = commonFolder(absolute);
    std::vector<std::string> labels;
    for (const fs::path& p : absolute) {
        std::string label = platform::fromFsPath(common.empty() ? p : p.lexically_relative(common));
        if (fs::path::preferred_separator == '\\')
            std::replace(label.begin(), label.end(), '\\', '/');
        labels.push_back(std::move(label));
    }
    return labels;
}

std::string mergeMessage(const std::vector<MergedReport>& reports, const Book& book) {
    int merged = 0, records = 0;
    std::string left, said;
    for (const MergedReport& r : reports) {
        if (r.status == MergeStatus::Merged) {
            ++merged;
            records += r.records;
            for (const std::string& m : r.messages) said += "\r\n" + r.source + ": " + oneLine({m});
        } else {
            left += "\r\n" + r.source + ": " + oneLine(r.messages);
        }
    }
    std::string text =
        std::to_string(merged) + " rapor birleştirildi: " + std::to_string(records) + " kayıt";
    const std::size_t tables = book.isMerge() ? book.tables.size() - 1 : 0;
    if (tables > 0) {
        text += ", " + std::to_string(tables) + " tablo ve \"Özet\":";
        for (std::size_t t = 0; t < tables; ++t)
            text += "\r\n  " + win1254ToUtf8(book.tables[t].name) + ": " +
                    std::to_string(book.tables[t].grid.rowCount() - 1) + " kayıt";
        text += "\r\nTabloları \"Tablo:\" ile seçin; \"Excel\" hepsini tek kitapta kaydeder.";
    } else {
        text += ".";
    }
    if (!left.empty()) text += "\r\nKitaba alınmayanlar:" + left;
    return text + said;
}

bool mergeFilesIntoGrid(Workspace& ws, UiPort& ui, const std::vector<std::string>& paths) {
    if (paths.empty()) return false;
    const std::vector<MergeSource> sources = sourcesOf(paths);
    MergeReading reading;
    // The columns of each report are its own: a profile the last report brought stays out.
    reading.layout = ws.profile ? ws.profile->layoutBefore : ws.settings.layout;
    reading.regional = ws.regional;
    reading.signedBalance = ws.settings.signedBalance;
    reading.openings = ws.settings.openings;
    reading.profilesFolder = ws.profilesFolder;
    reading.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    ReportMerge merge;
    std::vector<MergedReport> reports;
    {
        BusyCursor busy(ui);
        reports = mergeReports(sources, reading, merge, {});
    }
    if (merge.size() == 0) {
        ui.showMessage(mergeMessage(reports, Book{}));
        return false;
    }
    merge.intoBook(reports, ws.book);
    ws.text = ReportText();
    ws.textReading = {};
    ws.openedAsStatement = false;
    ws.profile.reset();
    ws.reportPath = sources.front().path;
    // The book is named after the folder its reports share, beside it.
    std::vector<fs::path> absolute;
    for (const MergeSource& s : sources) absolute.push_back(absolutePath(s.path));
    ws.tablePath = platform::fromFsPath(commonFolder(absolute));
    int records = 0, merged = 0;
    for (const MergedReport& r : reports) {
        if (r.status != MergeStatus::Merged) continue;
        records += r.records;
        ++merged;
    }
    ws.titleStrip = std::string(kTitleStripPrefix) + std::to_string(records) + " kayıt, " +
                    std::to_string(merged) + " rapordan birleştirildi.";
    ui.showMessage(mergeMessage(reports, ws.book));
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
