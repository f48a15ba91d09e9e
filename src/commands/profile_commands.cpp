#include "commands/profile_commands.h"

#include <algorithm>
#include <filesystem>

#include "commands/save_guard.h"
#include "core/error.h"
#include "core/text_rules.h"
#include "core/ui_port.h"
#include "core/workspace.h"
#include "export/safe_file.h"
#include "import/report_fingerprint.h"

namespace tablamo {
namespace fs = std::filesystem;
namespace {

// A profile is a few hundred bytes: a file much larger is something else picked by mistake,
// and is refused before it is read.
constexpr std::uintmax_t kMostProfileBytes = 1 << 20;

}  // namespace

LayoutProfile loadProfile(const std::string& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) > kMostProfileBytes && !ec) {
        throw ProfileError("Düzen dosyası \"" + path + "\": düzen dosyası değil: 1 MiB'tan büyük");
    }
    const ReportText bytes = ReportText::loadFile(path);
    return profileFromJson(bytes.bytes(), path);
}

void saveProfile(const LayoutProfile& profile, const std::string& path) {
    const std::string json = profileToJson(profile);
    SafeFile file(path);
    file.write(json.data(), json.size());
    file.commit();
}

LayoutProfile profileOf(const Workspace& ws) {
    LayoutProfile profile;
    profile.layout = ws.settings.layout;
    profile.fingerprint = reportFingerprint(ws.text, ws.settings.layout);
    profile.cleanTable = ws.settings.cleanTable;
    return profile;
}

void applyProfile(Workspace& ws, const LayoutProfile& profile) {
    ws.settings.layout = profile.layout;
    ws.settings.cleanTable = profile.cleanTable;
}

void dropAppliedProfile(Workspace& ws) {
    if (!ws.profile) return;
    ws.settings.layout = ws.profile->layoutBefore;
    ws.settings.cleanTable = ws.profile->cleanTableBefore;
    ws.profile.reset();
}

void applyMatchingProfile(Workspace& ws) {
    dropAppliedProfile(ws);
    ws.profileErrors.clear();
    if (ws.profilesFolder.empty() || ws.openedAsStatement) return;
    ProfileSearch search = findMatchingProfile(ws.text, ws.profilesFolder);
    ws.profileErrors = std::move(search.problems);
    if (!search.match) return;
    ws.profile =
        Workspace::AppliedProfile{search.match->name, ws.settings.layout, ws.settings.cleanTable};
    applyProfile(ws, search.match->profile);
}

namespace {

FileDialogRequest profileDialog(const Workspace& ws, const char* title) {
    FileDialogRequest r;
    r.title = title;
    r.filters = {{"Düzen dosyaları (*.json)", "*.json"}};
    r.directory = ws.profilesFolder.empty() ? profilesFolder() : ws.profilesFolder;
    return r;
}

}  // namespace

bool saveLayoutProfile(Workspace& ws, UiPort& ui) {
    FileDialogRequest request = profileDialog(ws, "Düzeni kaydet");
    std::error_code ec;
    fs::create_directories(request.directory, ec);  // the profiles folder, made when missing
    if (!ws.reportPath.empty()) {
        request.fileName =
            (fs::path(request.directory) / fs::path(ws.reportPath).stem().concat(".json")).string();
    }
    auto chosen = ui.askSaveFile(request);
    if (!chosen) return false;
    if (!endsWithNoCase(*chosen, ".json")) *chosen += ".json";
    checkSaveTarget(ws, ui, *chosen);
    saveProfile(profileOf(ws), *chosen);
    return true;
}

bool loadLayoutProfile(Workspace& ws, UiPort& ui) {
    const auto chosen = ui.askOpenFile(profileDialog(ws, "Düzen yükle"));
    if (!chosen) return false;
    const LayoutProfile loaded = loadProfile(*chosen);  // nothing changes when it raises
    const ReportLayout before = ws.profile ? ws.profile->layoutBefore : ws.settings.layout;
    const bool cleanBefore = ws.profile ? ws.profile->cleanTableBefore : ws.settings.cleanTable;
    applyProfile(ws, loaded);
    ws.profile = Workspace::AppliedProfile{profileName(*chosen), before, cleanBefore};
    return true;
}

std::vector<std::string> listProfiles(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeEc;
        if (name.size() > 5 && endsWithNoCase(name, ".json") && it->is_regular_file(typeEc)) {
            paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

ProfileSearch findMatchingProfile(const ReportText& text, const std::string& folder) {
    ProfileSearch search;
    for (const std::string& path : listProfiles(folder)) {
        LayoutProfile profile;
        try {
            profile = loadProfile(path);
        } catch (const Error& e) {
            search.problems.emplace_back(e.what());
            continue;
        }
        if (profile.fingerprint.empty()) continue;
        if (reportFingerprint(text, profile.layout) == profile.fingerprint) {
            search.match = ProfileMatch{profileName(path), path, std::move(profile)};
            break;
        }
    }
    return search;
}

std::string profileAppliedText(std::string_view name) {
    return "Düzen: " + std::string(name) + " uygulandı";
}

}  // namespace tablamo
