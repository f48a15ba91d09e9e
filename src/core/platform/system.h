#pragma once
/// The process's setting as the program uses it, the same on POSIX and on Windows: its
/// arguments, the console, the user's regional settings, the local time, signals.

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/regional_settings.h"

namespace tablamo::platform {

/// The program's arguments in UTF-8, without its name. On Windows they come from the wide
/// command line, whatever the console's code page.
std::vector<std::string> commandLineArguments(int argc, char** argv);

/// While it lives, the console shows the UTF-8 text the program writes and the progress
/// line's escape sequences (Windows: the output code page and the console mode are set, and
/// restored at the end; POSIX: nothing to do).
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned m_oldCodePage = 0;
    unsigned long m_oldMode = 0;
    bool m_modeSet = false;
};

/// Whether `stream` is a terminal that shows the progress line.
bool isTerminal(std::FILE* stream);

/// The folder of the user's own settings (UTF-8): $XDG_CONFIG_HOME when it is an absolute
/// path, else ~/.config on POSIX; %APPDATA% on Windows. Empty when none can be told.
std::string userConfigFolder();

/// A write past the process's file size limit fails as a write ("File too large") instead
/// of ending the process (POSIX; Windows has no such limit).
void keepRunningPastFileSizeLimit();

/// The user's regional settings where the system keeps them apart from the locale's name:
/// on Windows the decimal separator and the short date format of the user's regional
/// settings (GetLocaleInfoEx), read as the window reads its locale's (a decimal separator
/// outside ASCII gives "."). Nothing on POSIX, where they follow the locale the environment
/// names.
std::optional<RegionalSettings> systemRegionalSettings();

/// The language the user's system shows its texts in, as a locale name ("tr-TR"); empty on
/// POSIX, where the environment names it.
std::string userLanguage();

/// The local calendar time of `t`.
std::tm localTime(std::time_t t);
/// The calendar time of `t` in UTC.
std::tm utcTime(std::time_t t);

/// Where `needle` first occurs in `hay`; npos when it does not, also when it is empty.
std::size_t findBytes(std::string_view hay, std::string_view needle);

/// Asks for the pages of a block about to be written to be made present at once (a hint).
void prefaultForWriting(void* data, std::size_t size);

/// Gives back the pages a read-only view of a file holds (a hint): read again, they come
/// from the file as it stands, as pages never read do.
void releaseViewPages(const void* data, std::size_t size);

}  // namespace tablamo::platform
