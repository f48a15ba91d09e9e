#pragma once
/// Layout profiles: a report layout saved as a JSON file, with the heading line of the
/// report it was made for, so that the next report of the same program can be cut the same
/// way. This part reads and writes the JSON text; the files are the commands' business.

#include <string>
#include <string_view>

#include "core/error.h"
#include "core/import_settings.h"

namespace tablamo {

/// A profile that cannot be read: the text names the file and the key.
class ProfileError : public Error {
public:
    using Error::Error;
};

/// What a profile holds. Texts are Windows-1254 in memory and UTF-8 in the file.
struct LayoutProfile {
    /// The only format version this program reads and writes.
    static constexpr int kFormatVersion = 1;

    ReportLayout layout;
    bool cleanTable = false;  ///< the clean-table choice
    /// The report's heading line, as headingFingerprint gives it: how a report is
    /// recognised as one of the program this profile was saved for. Empty: matches nothing.
    std::string fingerprint;

    friend bool operator==(const LayoutProfile&, const LayoutProfile&) = default;
};

/// The profile as a JSON document (UTF-8, two-space indent, a line break at the end): the
/// format version, the fingerprint, every setting of layoutFields() by its name (numbers as
/// JSON whole numbers, the widths as an array of 20), the clean-table choice. Raises "'%s'
/// is not a valid integer value" for a numeric setting that is no whole number.
std::string profileToJson(const LayoutProfile& profile);

/// Reads a profile's JSON text strictly: every key present, no other key, numbers whole,
/// texts in Windows-1254's characters. `fileName` names the file in the ProfileError:
/// "Düzen dosyası "<file>": <key>: <what is wrong>".
LayoutProfile profileFromJson(std::string_view json, std::string_view fileName);

/// The fingerprint of one heading line as the report holds it (code page 857): converted as
/// the import converts text (Turkish letters to Windows-1254, frame characters deleted),
/// trimmed of blanks and control characters, every run of blanks inside made one blank.
std::string headingFingerprint(std::string_view dosLine);

/// The profiles folder: $XDG_CONFIG_HOME/tablamo/profiles when that variable holds an
/// absolute path, else ~/.config/tablamo/profiles. Not created here.
std::string profilesFolder();

/// The name a profile file is shown by: its file name without the folder and ".json".
std::string profileName(std::string_view path);

}  // namespace tablamo
