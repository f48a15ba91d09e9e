// The process's setting on Windows.

#include <windows.h>
// After windows.h, which they build on.
#include <io.h>
#include <shellapi.h>

#include <cstring>

#include "core/date_patterns.h"
#include "core/platform/system.h"
#include "core/platform/windows_text.h"

namespace tablamo::platform {

std::string userConfigFolder() {
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    return appData ? narrow(appData) : std::string();
}

namespace {

HANDLE consoleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
}

// One of the user's locale values in UTF-8; empty when there is none.
std::string localeValue(LCTYPE type) {
    wchar_t value[128];
    const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, value, 128);
    return n > 1 ? narrow(std::wstring_view(value, static_cast<std::size_t>(n - 1)))
                 : std::string();
}

}  // namespace

std::string userLanguage() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    const int n = ::LCIDToLocaleName(MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                                     LOCALE_NAME_MAX_LENGTH, 0);
    return n > 1 ? narrow(std::wstring_view(name, static_cast<std::size_t>(n - 1))) : std::string();
}

std::vector<std::string> commandLineArguments(int, char**) {
    // The narrow arguments are in the ANSI code page, which lacks letters of most file
    // names; the wide command line has them all.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) args.push_back(narrow(wide[i]));
    if (wide) ::LocalFree(wide);
    return args;
}

Utf8Console::Utf8Console() : m_oldCodePage(::GetConsoleOutputCP()) {
    ::SetConsoleOutputCP(CP_UTF8);
    // The progress line is drawn with escape sequences, which a console shows only in its
    // virtual terminal mode.
    DWORD mode = 0;
    const HANDLE err = consoleOf(stderr);
    if (::GetConsoleMode(err, &mode) &&
        ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
        m_oldMode = mode;
        m_modeSet = true;
    }
}

Utf8Console::~Utf8Console() {
    if (m_modeSet) ::SetConsoleMode(consoleOf(stderr), m_oldMode);
    if (m_oldCodePage) ::SetConsoleOutputCP(m_oldCodePage);
}

bool isTerminal(std::FILE* stream) {
    // A console in virtual terminal mode; _isatty() would take the NUL device for one too.
    DWORD mode = 0;
    return ::GetConsoleMode(consoleOf(stream), &mode) &&
           (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

// Windows has no file size limit that ends a process.
void keepRunningPastFileSizeLimit() {}

std::optional<RegionalSettings> systemRegionalSettings() {
    RegionalSettings regional;
    const std::string decimal = localeValue(LOCALE_SDECIMAL);
    if (decimal.size() == 1 && static_cast<unsigned char>(decimal[0]) < 0x80) {
        regional.decimalSeparator = decimal[0];
    }
    const ShortDateFormat date = shortDateFormatOfPattern(localeValue(LOCALE_SSHORTDATE));
    regional.dateSeparator = date.separator;
    regional.dateOrder = date.order;
    return regional;
}

std::tm localTime(std::time_t t) {
    std::tm local{};
    ::localtime_s(&local, &t);
    return local;
}

std::tm utcTime(std::time_t t) {
    std::tm utc{};
    ::gmtime_s(&utc, &t);
    return utc;
}

std::size_t findBytes(std::string_view hay, std::string_view needle) {
    if (needle.empty()) return std::string_view::npos;
    return hay.find(needle);
}

// The pages come as they are written; Windows has no advice to make them present at once.
void prefaultForWriting(void*, std::size_t) {}

// A view's pages stay until the system needs them.
void releaseViewPages(const void*, std::size_t) {}

}  // namespace tablamo::platform
