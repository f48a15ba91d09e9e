#pragma once
/// The reports opened last, newest first, for the window's "Son Raporlar" list.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// One report opened: its path (UTF-8) and whether "Akbank Aç" opened it.
struct RecentReport {
    std::string path;
    bool statement = false;
    friend bool operator==(const RecentReport&, const RecentReport&) = default;
};

class RecentReports {
public:
    static constexpr std::size_t kCapacity = 10;

    RecentReports() = default;
    /// A list as it was stored: empty paths and repeats dropped, at most kCapacity kept.
    explicit RecentReports(const std::vector<RecentReport>& stored);

    /// Puts the report first; an older entry of the same path goes, and the oldest beyond
    /// kCapacity.
    void add(RecentReport report);
    /// Takes the path out of the list; false when it was not in it.
    bool remove(std::string_view path);
    void clear() { m_entries.clear(); }
    const std::vector<RecentReport>& entries() const { return m_entries; }

private:
    std::vector<RecentReport> m_entries;
};

/// The message when a report of the list is no longer where it was (UTF-8).
std::string missingRecentReportText(std::string_view path);

}  // namespace tablamo
