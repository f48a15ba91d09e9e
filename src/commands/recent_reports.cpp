#include "commands/recent_reports.h"

#include <algorithm>

namespace tablamo {

RecentReports::RecentReports(const std::vector<RecentReport>& stored) {
    // Added oldest first, so the stored order stays and a repeat keeps its newest place.
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        if (!it->path.empty()) add(*it);
    }
}

void RecentReports::add(RecentReport report) {
    remove(report.path);
    m_entries.insert(m_entries.begin(), std::move(report));
    if (m_entries.size() > kCapacity) m_entries.resize(kCapacity);
}

bool RecentReports::remove(std::string_view path) {
    return std::erase_if(m_entries, [&](const RecentReport& r) { return r.path == path; }) > 0;
}

std::string missingRecentReportText(std::string_view path) {
    std::string text = "\"";
    text += path;
    text +=
        "\" dosyası bulunamadı; taşınmış ya da silinmiş olabilir.\r\n"
        "Son raporlar listesinden çıkarıldı.";
    return text;
}

}  // namespace tablamo
