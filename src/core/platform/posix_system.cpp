// The process's setting on POSIX.

#include <pwd.h>
#include <signal.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/platform/system.h"

namespace tablamo::platform {

std::string userConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return config;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw && pw->pw_dir ? pw->pw_dir : "";
    }
    if (!*home) return {};
    return std::string(home) + "/.config";
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

void keepRunningPastFileSizeLimit() { ::signal(SIGXFSZ, SIG_IGN); }

std::optional<RegionalSettings> systemRegionalSettings() { return std::nullopt; }

std::string userLanguage() { return {}; }

std::tm localTime(std::time_t t) {
    std::tm local{};
    ::localtime_r(&t, &local);
    return local;
}

std::tm utcTime(std::time_t t) {
    std::tm utc{};
    ::gmtime_r(&t, &utc);
    return utc;
}

std::size_t findBytes(std::string_view hay, std::string_view needle) {
    if (needle.empty() || needle.size() > hay.size()) return std::string_view::npos;
    const void* p = ::memmem(hay.data(), hay.size(), needle.data(), needle.size());
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - hay.data())
             : std::string_view::npos;
}

void prefaultForWriting(void* data, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    constexpr std::uintptr_t kPage = 4096;
    if (size < (std::size_t{1} << 20)) return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

void releaseViewPages(const void* data, std::size_t size) {
    constexpr std::uintptr_t kPage = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kPage - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

}  // namespace tablamo::platform
