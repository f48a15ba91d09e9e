#include "cli/plan.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "commands/report_folder.h"
#include "commands/save_guard.h"
#include "core/error.h"
#include "core/platform/files.h"
#include "core/text_rules.h"

namespace tablamo::cli {
namespace fs = std::filesystem;
namespace {

std::uint64_t sizeOf(const std::string& path) {
    std::error_code ec;
    const fs::path p = platform::toFsPath(path);
    if (!fs::is_regular_file(p, ec)) return 0;
    const std::uintmax_t size = fs::file_size(p, ec);
    return ec ? 0 : static_cast<std::uint64_t>(size);
}

// A report's path under its folder, with "/" between the folders on every system.
std::string sourceName(const fs::path& relative) {
    std::string name = platform::fromFsPath(relative);
    if (fs::path::preferred_separator == '\\') std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// The same file, also when named differently: the canonical path as the system compares
// names, or for files that exist their identity (device and inode, volume and file index).
struct FileKey {
    std::string canonical;
    std::string inode;  // empty for a file that does not exist
};

FileKey keyOf(const std::string& path) {
    FileKey key;
    std::error_code ec;
    const fs::path absolute = fs::absolute(platform::toFsPath(path), ec);
    key.canonical = platform::fileNameKey(platform::fromFsPath(fs::weakly_canonical(absolute, ec)));
    if (const auto id = platform::fileIdentity(path)) {
        key.inode = std::to_string(id->volume) + ":" + std::to_string(id->file);
    }
    return key;
}

// Files seen so far, found by either key.
class FileIndex {
public:
    /// The index of the file `key` names, if it is in; else adds it as `index`.
    std::optional<std::size_t> findOrAdd(const FileKey& key, std::size_t index) {
        if (auto it = m_canonical.find(key.canonical); it != m_canonical.end()) return it->second;
        if (!key.inode.empty()) {
            if (auto it = m_inode.find(key.inode); it != m_inode.end()) return it->second;
            m_inode.emplace(key.inode, index);
        }
        m_canonical.emplace(key.canonical, index);
        return std::nullopt;
    }
    std::optional<std::size_t> find(const FileKey& key) const {
        if (auto it = m_canonical.find(key.canonical); it != m_canonical.end()) return it->second;
        if (!key.inode.empty()) {
            if (auto it = m_inode.find(key.inode); it != m_inode.end()) return it->second;
        }
        return std::nullopt;
    }

private:
    std::unordered_map<std::string, std::size_t> m_canonical, m_inode;
};

// The file -o names for one input: under the format's own ending when it already bears
// one of the format's endings (".xls" is written as ".xlsx"), else as given.
std::string outputFileNamed(const Job& job, const std::string& output) {
    const OutputFormatInfo& info = formatInfo(job.format);
    const OutputFormatInfo* named = formatOfFileName(output);
    return named && named->format == job.format ? info.fileName(output) : output;
}

}  // namespace

std::vector<PlannedFile> listInputs(const Job& job) {
    std::vector<PlannedFile> files;
    for (const std::string& input : job.inputs) {
        std::error_code ec;
        const fs::path inputPath = platform::toFsPath(input);
        if (!fs::is_directory(inputPath, ec)) {
            files.push_back({input, {}, {}, sizeOf(input), false, input});
            continue;
        }
        const auto [found, unreadable] = reportsInFolder(input);
        for (const auto& [folder, reason] : unreadable) {
            const std::string path =
                folder.empty() ? input : platform::fromFsPath(inputPath / folder);
            files.push_back(
                {path, {}, "Cannot open folder \"" + path + "\". " + reason, 0, false, path});
        }
        if (found.empty() && unreadable.empty())
            files.push_back({input, {}, kNoReportInFolder, 0, false, input});
        for (const fs::path& relative : found) {
            const std::string path = platform::fromFsPath(inputPath / relative);
            PlannedFile file{path, {}, {}, sizeOf(path), false, sourceName(relative), true};
            if (!job.output.empty()) {
                // Mirrored under -o: the same subfolders, the format's extension.
                fs::path out = platform::toFsPath(job.output) / relative;
                out.replace_extension(platform::toFsPath(formatInfo(job.format).extension));
                file.output = platform::fromFsPath(out);
                file.makeFolder = relative.has_parent_path();
            }
            files.push_back(std::move(file));
        }
    }
    return files;
}

std::vector<PlannedFile> planOutputs(const Job& job) {
    std::error_code ec;
    const bool intoFolder =
        !job.output.empty() && fs::is_directory(platform::toFsPath(job.output), ec);
    const bool anyFolder =
        std::any_of(job.inputs.begin(), job.inputs.end(), [](const std::string& in) {
            std::error_code e;
            return fs::is_directory(platform::toFsPath(in), e);
        });
    if (!job.output.empty() && !intoFolder && (job.inputs.size() > 1 || anyFolder)) {
        throw UsageError(
            "--output: birden çok girdi ya da bir klasör için var olan bir klasör gerekir: '" +
            job.output + "'");
    }
    std::vector<PlannedFile> files = listInputs(job);
    for (PlannedFile& f : files) {
        if (!f.problem.empty() || !f.output.empty()) continue;
        if (!job.output.empty() && !intoFolder) {
            f.output = outputFileNamed(job, job.output);
            continue;
        }
        fs::path out = platform::toFsPath(f.input);
        out.replace_extension(platform::toFsPath(extensionOf(job.format)));
        if (intoFolder) out = platform::toFsPath(job.output) / out.filename();
        f.output = platform::fromFsPath(out);
    }

    FileIndex inputs, outputs;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].problem.empty()) inputs.findOrAdd(keyOf(files[i].input), i);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i].problem.empty()) continue;
        const FileKey key = keyOf(files[i].output);
        if (const auto j = inputs.find(key)) {
            throw UsageError(replacesInputMessage(files[i].output, files[*j].input));
        }
        if (const auto j = outputs.findOrAdd(key, i)) {
            throw UsageError("'" + files[*j].input + "' ile '" + files[i].input +
                             "' aynı çıktıyı yazacaktı: '" + files[i].output +
                             "'; hiçbir şey yazılmadı");
        }
    }
    if (!job.summary.empty()) {
        const FileKey key = keyOf(job.summary);
        if (const auto j = inputs.find(key)) {
            throw UsageError("--summary: '" + job.summary + "' dosyası '" + files[*j].input +
                             "' girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı");
        }
        if (const auto j = outputs.find(key)) {
            throw UsageError("--summary: '" + job.summary + "', '" + files[*j].input +
                             "' girdisinin çıktısıyla aynı dosya; hiçbir şey yazılmadı");
        }
    }
    if (!job.saveProfile.empty()) {
        // The layout saved must not take the place of the table written, nor of the summary.
        const FileKey key = keyOf(job.saveProfile);
        if (const auto j = outputs.find(key)) {
            throw UsageError("--save-profile: '" + job.saveProfile + "', '" + files[*j].input +
                             "' girdisinin çıktısıyla aynı dosya; hiçbir şey yazılmadı");
        }
        if (!job.summary.empty() && sameFile(job.saveProfile, job.summary)) {
            throw UsageError("--save-profile: '" + job.saveProfile +
                             "', --summary dosyasıyla aynı; hiçbir şey yazılmadı");
        }
    }
    return files;
}

struct RunFiles::State {
    std::mutex mutex;
    FileIndex index;
    // Per file as the index numbers them: whose it is, in the words of a refusal.
    std::vector<std::string> holders;
    std::vector<std::string> owners;  // the input it belongs to ("" for the summary, …)
};

RunFiles::RunFiles() : m_state(std::make_unique<State>()) {}
RunFiles::~RunFiles() = default;

void RunFiles::reserve(const std::vector<PlannedFile>& files, const Job& job) {
    State& s = *m_state;
    const auto hold = [&](const std::string& path, std::string holder, const std::string& owner) {
        if (!s.index.findOrAdd(keyOf(path), s.holders.size())) {
            s.holders.push_back(std::move(holder));
            s.owners.push_back(owner);
        }
    };
    for (const PlannedFile& f : files) {
        if (!f.problem.empty()) continue;
        hold(f.input, "'" + f.input + "' girdisi", {});
        if (!f.output.empty()) hold(f.output, "'" + f.input + "' girdisinin çıktısı", f.input);
    }
    if (!job.summary.empty()) hold(job.summary, "--summary dosyası", {});
    if (!job.saveProfile.empty()) hold(job.saveProfile, "--save-profile dosyası", {});
}

void RunFiles::claim(const std::string& file, const std::string& input, const std::string& whose) {
    State& s = *m_state;
    std::lock_guard lock(s.mutex);
    if (const auto held = s.index.findOrAdd(keyOf(file), s.holders.size())) {
        if (s.owners[*held] == input) return;
        const std::string book = whose.empty() ? "'" + input + "' girdisinin" : whose;
        throw Error(book + " '" + file + "' dosyası, " + s.holders[*held] + " ile aynı; '" + input +
                    "' için hiçbir şey yazılmadı");
    }
    s.holders.push_back("'" + input + "' girdisinin '" + file + "' dosyası");
    s.owners.push_back(input);
}

std::vector<PlannedFile> withoutRepeats(std::vector<PlannedFile> files,
                                        std::vector<std::pair<std::string, std::string>>& said) {
    FileIndex seen;
    std::vector<PlannedFile> kept;
    for (PlannedFile& f : files) {
        if (f.problem.empty()) {
            if (const auto first = seen.findOrAdd(keyOf(f.input), kept.size())) {
                said.emplace_back(f.input,
                                  "'" + kept[*first].input + "' ile aynı dosya; bir kez okundu");
                continue;
            }
        }
        kept.push_back(std::move(f));
    }
    return kept;
}

std::string planMerge(const Job& job, const std::vector<PlannedFile>& files) {
    const std::string merged = outputFileNamed(job, job.merge);
    FileIndex inputs;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].problem.empty()) inputs.findOrAdd(keyOf(files[i].input), i);
    }
    const FileKey key = keyOf(merged);
    if (const auto j = inputs.find(key)) {
        throw UsageError("--merge: '" + merged + "' dosyası '" + files[*j].input +
                         "' girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı");
    }
    // A book under a report's name ("--to xlsx --merge in/c.txt in") would be taken for a
    // report by the next run over the folder.
    const OutputFormatInfo* named = formatOfFileName(merged);
    if (!named || named->format != job.format) {
        throw UsageError("--merge: '" + merged + "' adı " +
                         std::string(formatInfo(job.format).name) + " biçiminin uzantısıyla (" +
                         std::string(formatInfo(job.format).extension) +
                         ") bitmiyor; hiçbir şey yazılmadı");
    }
    if (!job.summary.empty()) {
        const FileKey summary = keyOf(job.summary);
        if (const auto j = inputs.find(summary)) {
            throw UsageError("--summary: '" + job.summary + "' dosyası '" + files[*j].input +
                             "' girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı");
        }
        if (summary.canonical == key.canonical ||
            (!key.inode.empty() && summary.inode == key.inode)) {
            throw UsageError("--summary: '" + job.summary +
                             "', birleştirilen dosyayla aynı; hiçbir şey yazılmadı");
        }
    }
    return merged;
}

}  // namespace tablamo::cli
