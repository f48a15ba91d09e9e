#include "commands/report_folder.h"

#include <algorithm>

#include "core/error.h"
#include "core/platform/files.h"
#include "core/text_rules.h"

namespace tablamo {
namespace fs = std::filesystem;
namespace {

void collect(const fs::path& root, const fs::path& relative, FolderReports& reports) {
    std::error_code ec;
    fs::directory_iterator it(root / relative, ec), end;
    if (ec) {
        reports.unreadable.emplace_back(relative, systemReason(ec.value()));
        return;
    }
    for (; it != end; it.increment(ec)) {
        const std::string name = platform::fromFsPath(it->path().filename());
        if (name.empty() || name[0] == '.') continue;
        std::error_code typeEc;
        if (it->is_directory(typeEc) && !it->is_symlink(typeEc)) {
            collect(root, relative / platform::toFsPath(name), reports);
        } else if (isReportName(name) && (it->is_symlink(typeEc) ? !it->is_directory(typeEc)
                                                                 : it->is_regular_file(typeEc))) {
            reports.found.push_back(relative / platform::toFsPath(name));
        }
    }
    if (ec) reports.unreadable.emplace_back(relative, systemReason(ec.value()));
}

}  // namespace

bool isReportName(const std::string& name) {
    return !name.empty() && name[0] != '.' &&
           (endsWithNoCase(name, ".txt") || endsWithNoCase(name, ".not") ||
            endsWithNoCase(name, ".prn") || endsWithNoCase(name, ".lst"));
}

FolderReports reportsInFolder(const std::string& folder) {
    FolderReports reports;
    collect(platform::toFsPath(folder), {}, reports);
    std::sort(reports.found.begin(), reports.found.end());
    return reports;
}

}  // namespace tablamo
