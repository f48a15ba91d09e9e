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

/// The profiles folder (profilesFolder()), created when missing; raises "Cannot create
/// file" when it cannot be.
std::string ensureProfilesFolder();

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

/// The status bar's note on a profile applied: "Düzen: <name> uygulandı".
std::string profileAppliedText(std::string_view name);

}  // namespace tablamo
