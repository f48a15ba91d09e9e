#include "commands/profile_commands.h"

#include <algorithm>
#include <filesystem>

#include "core/error.h"
#include "core/text_rules.h"
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
        throw ProfileError("Layout profile \"" + path +
                           "\": not a layout profile: larger than 1 MiB");
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

std::string ensureProfilesFolder() {
    const std::string folder = profilesFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw cannotCreateFile(folder, systemReason(ec.value()));
    return folder;
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
