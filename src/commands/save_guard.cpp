#include "commands/save_guard.h"

#include <filesystem>

#include "core/error.h"
#include "core/platform/files.h"
#include "core/workspace.h"
#include "export/output_formats.h"

namespace tablamo {
namespace fs = std::filesystem;

std::string replacesInputMessage(const std::string& output, const std::string& input) {
    return "'" + output + "' çıktısı '" + input +
           "' girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı";
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    const auto key = [](const std::string& path) {
        std::error_code ec;
        const fs::path absolute = fs::absolute(platform::toFsPath(path), ec);
        return platform::fileNameKey(
            platform::fromFsPath(fs::weakly_canonical(absolute, ec).lexically_normal()));
    };
    if (key(a) == key(b)) return true;
    const auto first = platform::fileIdentity(a);
    return first && first == platform::fileIdentity(b);
}

bool isReadOnlyFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(platform::toFsPath(path), ec);
    if (ec || !fs::is_regular_file(status)) return false;
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & kWrite) == fs::perms::none;
}

std::string readOnlyMessage(const std::string& path) {
    return "\"" + path + "\" salt okunur bir dosya; yerine yazılmadı";
}

bool isSpecialFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(platform::toFsPath(path), ec);
    return !ec && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status);
}

std::string specialFileMessage(const std::string& path) {
    return "\"" + path + "\" bir dosya değil (adlandırılmış boru ya da aygıt); yerine yazılmadı";
}

void refuseUnwritable(const std::string& path) {
    if (isReadOnlyFile(path)) throw Error(readOnlyMessage(path));
    if (isSpecialFile(path)) throw Error(specialFileMessage(path));
}

std::string saveOptionProblem(const std::string& report, const std::string& target) {
    if (target.empty()) return "--save: boş bir dosya adı verildi";
    const OutputFormatInfo* format = formatOfFileName(target);
    if (!format) {
        std::string endings;
        for (const OutputFormatInfo& f : outputFormats()) {
            for (const std::string_view e : f.endings) {
                if (!endings.empty()) endings += ", ";
                endings.append(e);
            }
        }
        return "--save: '" + target + "' adının uzantısı kaydedilen bir biçim değil (" + endings +
               ")";
    }
    // A run that reads no report would save the empty table of the start.
    if (report.empty()) return "--save: kaydedilecek rapor verilmedi (--open RAPOR)";
    const std::string written = format->fileName(target);
    if (sameFile(written, report)) return replacesInputMessage(written, report);
    return {};
}

void checkSaveTarget(const Workspace& ws, UiPort& ui, const std::string& target) {
    for (const std::string* report : {&ws.reportPath, &ws.tablePath}) {
        if (sameFile(target, *report)) throw Error(replacesInputMessage(target, *report));
    }
    if (isSpecialFile(target)) throw Error(specialFileMessage(target));
    if (!isReadOnlyFile(target)) return;
    if (!ui.askYesNo("\"" + target + "\" salt okunur bir dosya. Yerine yazılsın mı?")) {
        throw Error(readOnlyMessage(target));
    }
    // Windows renames onto no read-only file: the user's yes takes the mark away first.
    std::error_code ec;
    fs::permissions(platform::toFsPath(target), fs::perms::owner_write, fs::perm_options::add, ec);
}

}  // namespace tablamo
