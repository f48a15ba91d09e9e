#include "export/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "core/error.h"

namespace tablamo {
namespace {

// The process's umask. Linux shows it in /proc/self/status, which reads it without
// changing it: setting it and back would race with another thread's save.
mode_t currentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status)) {
            constexpr std::string_view kKey = "Umask:\t";
            if (std::string_view(line).substr(0, kKey.size()) != kKey) continue;
            const char* digits = line + kKey.size();
            const char* end = digits + std::strlen(digits);
            found = std::from_chars(digits, end, mask, 8).ec == std::errc();
        }
        std::fclose(status);
        if (found) return static_cast<mode_t>(mask);
    }
    static std::mutex guard;
    const std::lock_guard lock(guard);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The mode open() gives a new file: 0666 less the process's umask.
mode_t newFileMode() { return 0666 & ~currentUmask(); }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TempFileBeside::TempFileBeside(std::string path) : m_path(std::move(path)), m_targetPath(m_path) {
    if (m_path.empty()) fail(ENOENT);
    // A symbolic link is followed, as opening the file for writing would follow it.
    struct stat st {};
    if (::lstat(m_path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(m_path.c_str(), nullptr)) {
            m_targetPath = real;
            ::free(real);
        }
    }
    mode_t mode = newFileMode();
    if (::stat(m_targetPath.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) fail(EISDIR);
        if (S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
    }

    // The temporary file is hidden and named after the target, so a leftover of a crashed
    // run is easy to place; the name is kept short enough for any file system.
    std::string name = nameOf(m_targetPath);
    if (name.size() > 200) name.resize(200);
    std::string folder = folderOf(m_targetPath);
    std::string pattern = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) fail(errno);
    m_tempPath = std::move(pattern);
    if (::fchmod(m_fd, mode) != 0) fail(errno);
}

void TempFileBeside::discard() noexcept {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

void TempFileBeside::fail(int err) {
    discard();
    throw cannotCreateFile(m_path, systemReason(err));
}

void TempFileBeside::closeFd() {
    if (m_fd < 0) return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) fail(errno);
}

void TempFileBeside::replaceTarget() {
    if (m_tempPath.empty()) fail(EBADF);
    // The old file may go only once the new one is on the disk. A writer that wrote the
    // file by its name has closed it, so it is opened again for the sync.
    if (m_fd < 0) {
        m_fd = ::open(m_tempPath.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) fail(errno);
    }
    if (::fsync(m_fd) != 0) fail(errno);
    closeFd();
    if (::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0) fail(errno);
    m_tempPath.clear();
    // The rename itself lasts once the folder is synced; a folder that cannot be synced
    // (some network file systems) does not make the saved file wrong.
    const int dir = ::open(folderOf(m_targetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

SafeFile::SafeFile(std::string path) : m_temp(std::move(path)) {
    m_buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

SafeFile::~SafeFile() = default;

void SafeFile::write(const char* data, std::size_t size) {
    if (m_temp.fd() < 0) fail(EBADF);
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
    while (size > 0) {
        const ssize_t n = ::write(m_temp.fd(), data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        m_written += static_cast<std::uint64_t>(n);
    }
    startWriteback();
}

void SafeFile::flush() {
    const char* p = m_buffer.get();
    std::size_t left = m_used;
    while (left > 0) {
        const ssize_t n = ::write(m_temp.fd(), p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    m_written += m_used;
    m_used = 0;
    startWriteback();
}

void SafeFile::startWriteback() {
    // Hands what is written so far to the disk in the background, so that the fsync of
    // commit() waits for the last pieces only. Only a hint: errors show at fsync.
    constexpr std::uint64_t kStep = std::uint64_t{8} << 20;
    if (m_written - m_synced >= kStep) {
        ::sync_file_range(m_temp.fd(), static_cast<off_t>(m_synced), static_cast<off_t>(m_written - m_synced),
                          SYNC_FILE_RANGE_WRITE);
        m_synced = m_written;
    }
}

void SafeFile::commit() {
    if (m_temp.fd() < 0) fail(EBADF);
    flush();
    m_temp.replaceTarget();
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    SafeFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace tablamo
