#include "export/safe_file.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <string_view>

#include "core/error.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

namespace fs = std::filesystem;

// Whether `name` is a temporary file this program made for the target `target`, or for a
// file of a kind it writes: "." + the target's name + "." + six letters or digits.
bool isOwnTemporary(std::string_view name, std::string_view target) {
    constexpr std::size_t kSuffix = 7;
    if (name.size() < 2 + kSuffix || name[0] != '.' || name[name.size() - kSuffix] != '.') {
        return false;
    }
    const std::string_view suffix = name.substr(name.size() - kSuffix + 1);
    if (!std::all_of(suffix.begin(), suffix.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        })) {
        return false;
    }
    const std::string_view written = name.substr(1, name.size() - 1 - kSuffix);
    if (written == target) return true;
    static constexpr std::array<std::string_view, 5> kOwnKinds = {".csv", ".xlsx", ".html", ".htm",
                                                                  ".json"};
    return std::any_of(kOwnKinds.begin(), kOwnKinds.end(), [&](std::string_view kind) {
        return written.size() > kind.size() && written.ends_with(kind);
    });
}

// The temporary files a run that was killed left in `target`'s folder, a day old or older,
// are removed the first time this process writes into that folder. A younger one may be
// another run's that is still writing.
void sweepStaleTemporaries(const std::string& target) {
    const fs::path path = platform::toFsPath(target);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    static std::mutex mutex;
    static std::set<std::string> swept;
    {
        std::lock_guard lock(mutex);
        if (!swept.insert(platform::fileNameKey(platform::fromFsPath(folder))).second) return;
    }
    const std::string name = platform::fromFsPath(path.filename());
    const auto dayAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (!isOwnTemporary(platform::fromFsPath(it->path().filename()), name)) continue;
        if (!it->is_regular_file(entryError) || entryError) continue;
        const auto written = it->last_write_time(entryError);
        if (!entryError && written < dayAgo) fs::remove(it->path(), entryError);
    }
}

}  // namespace

TempFileBeside::TempFileBeside(std::string path) : m_path(std::move(path)) {
    if (m_path.empty()) fail(platform::systemError(platform::Failure::NotFound));
    if (!m_file.create(m_path)) failed();
    sweepStaleTemporaries(m_path);
}

void TempFileBeside::fail(platform::SystemError error) {
    m_file.discard();
    throw cannotCreateFile(m_path, platform::reasonText(error));
}

void TempFileBeside::write(const char* data, std::size_t size) {
    if (!m_file.isOpen()) fail(platform::systemError(platform::Failure::NotOpen));
    if (!m_file.write(data, size)) failed();
}

void TempFileBeside::replaceTarget() {
    // A table cut from a report that shrank meanwhile is not the report's: the target stays.
    try {
        checkWatchedInput();
    } catch (...) {
        m_file.discard();
        throw;
    }
    if (!m_file.replaceTarget()) failed();
}

namespace {
thread_local FileSet* t_set = nullptr;
}  // namespace

FileSet::FileSet() : m_outer(t_set) { t_set = this; }

FileSet::~FileSet() { t_set = m_outer; }

void FileSet::commit() {
    t_set = m_outer;  // the files go now, not into this set again
    for (const std::unique_ptr<TempFileBeside>& file : m_files) file->replaceTarget();
    m_files.clear();
}

void TempFileBeside::park() {
    if (!m_file.close()) failed();
}

SafeFile::SafeFile(std::string path)
    : m_path(path), m_temp(std::make_unique<TempFileBeside>(std::move(path))) {
    m_buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

SafeFile::~SafeFile() = default;

void SafeFile::write(const char* data, std::size_t size) {
    if (!m_temp->isOpen()) m_temp->fail(platform::systemError(platform::Failure::NotOpen));
    if (m_used == 0 && size >= kBufferSize / 4) {
        // A writer's own large buffer goes to the file as it is, without a second copy.
        writeDirect(data, size);
        return;
    }
    if (m_used + size <= kBufferSize) {
        std::memcpy(m_buffer.get() + m_used, data, size);
        m_used += size;
        return;
    }
    flush();
    if (size >= kBufferSize) {
        writeDirect(data, size);  // a large piece goes straight to the file
        return;
    }
    std::memcpy(m_buffer.get(), data, size);
    m_used = size;
}

void SafeFile::writeDirect(const char* data, std::size_t size) {
    m_temp->write(data, size);
    m_written += size;
    startWriteback();
}

void SafeFile::flush() {
    m_temp->write(m_buffer.get(), m_used);
    m_written += m_used;
    m_used = 0;
    startWriteback();
}

void SafeFile::startWriteback() {
    // Hands what is written so far to the disk in the background, so that the sync of
    // commit() waits for the last pieces only. Only a hint: errors show at the sync.
    constexpr std::uint64_t kStep = std::uint64_t{8} << 20;
    if (m_written - m_synced >= kStep) {
        m_temp->startWriteback(m_synced, m_written - m_synced);
        m_synced = m_written;
    }
}

void SafeFile::commit() {
    if (!m_temp->isOpen()) m_temp->fail(platform::systemError(platform::Failure::NotOpen));
    flush();
    if (t_set) {
        m_temp->park();
        t_set->m_files.push_back(std::move(m_temp));
        return;
    }
    m_temp->replaceTarget();
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    SafeFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace tablamo
