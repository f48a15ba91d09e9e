#pragma once
/// Layout profiles as files: saved, loaded, and looked up in the profiles folder for the
/// report just opened.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/layout_profile.h"

namespace tablamo {

class ReportText;
class UiPort;
struct Workspace;

/// Reads a profile file. Raises "Cannot open file "%s". %s" when it cannot be read, and a
/// ProfileError naming the file and the key when it is no valid profile.
LayoutProfile loadProfile(const std::string& path);

/// Writes the profile into a temporary file beside `path` and renames it into place
/// (SafeFile); raises "Cannot create file" on failure, the old file then unchanged.
void saveProfile(const LayoutProfile& profile, const std::string& path);

/// The profile of what the workspace holds: its layout (after an import, the widths the
/// import used) and the fingerprint of its loaded report.
LayoutProfile profileOf(const Workspace& ws);

/// Puts the profile's layout into the workspace's settings.
void applyProfile(Workspace& ws, const LayoutProfile& profile);

/// The profile files of a folder: its regular files named "*.json", by file name in byte
/// order. None when the folder is missing or cannot be read.
std::vector<std::string> listProfiles(const std::string& folder);

/// A profile whose fingerprint is the report's.
struct ProfileMatch {
    std::string name;  ///< profileName(path): "Düzen: <name> uygulandı"
    std::string path;
    LayoutProfile profile;
};

/// What a look-up found: the match, if any, and the profiles that could not be read (each
/// its error text; they are passed over, not fatal).
struct ProfileSearch {
    std::optional<ProfileMatch> match;
    std::vector<std::string> problems;
};

/// The first profile of the folder, by file name, whose fingerprint is not empty and equals
/// the report's fingerprint taken under that profile's own layout (its criteria find its
/// program's rule or frame line).
ProfileSearch findMatchingProfile(const ReportText& text, const std::string& folder);

/// Before a report is imported: the settings a profile applied to the report before
/// are given back, then the first profile of `ws.profilesFolder` whose fingerprint the
/// loaded report has (a report, not a statement) is applied and named in `ws.profile`.
void applyMatchingProfile(Workspace& ws);

/// "Otomatik" after a profile: the settings it replaced come back for this report.
void dropAppliedProfile(Workspace& ws);

/// "Düzeni kaydet…": a save dialog in the profiles folder offering the report's name, then
/// the workspace's layout saved there as a profile. False when the dialog was cancelled.
bool saveLayoutProfile(Workspace& ws, UiPort& ui);

/// "Düzen yükle…": an open dialog in the profiles folder, then the profile applied to the
/// loaded report (and named in `ws.profile`). False when cancelled; a file that is no valid
/// profile raises its message and changes nothing.
bool loadLayoutProfile(Workspace& ws, UiPort& ui);

/// The status bar's note on a profile applied: "Düzen: <name> uygulandı".
std::string profileAppliedText(std::string_view name);

}  // namespace tablamo
