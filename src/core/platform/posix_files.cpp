// The file system on POSIX.

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

#include "core/platform/files.h"
#include "core/platform/posix_signals.h"

namespace tablamo::platform {
namespace {

// The process's umask as Linux shows it in /proc/self/status: read without changing it.
// Nothing where the system does not show it.
std::optional<mode_t> shownUmask() {
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (!status) return std::nullopt;
    std::optional<mode_t> mask;
    char line[256];
    while (!mask && std::fgets(line, sizeof line, status)) {
        constexpr std::string_view kKey = "Umask:\t";
        if (std::string_view(line).substr(0, kKey.size()) != kKey) continue;
        const char* digits = line + kKey.size();
        unsigned value = 0;
        if (std::from_chars(digits, digits + std::strlen(digits), value, 8).ec == std::errc()) {
            mask = static_cast<mode_t>(value);
        }
    }
    std::fclose(status);
    return mask;
}

// Elsewhere the umask is read once, at start-up, when no other thread runs yet: reading it
// means setting it, and a mask set to 0 for a moment would give the files other threads
// create meanwhile the wrong mode.
mode_t startUmask() {
    if (const auto shown = shownUmask()) return *shown;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

const mode_t kStartUmask = startUmask();

// The mode open() gives a new file: 0666 less the process's umask.
mode_t newFileMode() { return 0666 & ~shownUmask().value_or(kStartUmask); }

int fdOf(std::intptr_t handle) { return static_cast<int>(handle); }

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

SystemError systemError(Failure failure) {
    switch (failure) {
        case Failure::NotFound:
            return {ENOENT};
        case Failure::IsADirectory:
            return {EISDIR};
        case Failure::NotOpen:
            break;
    }
    return {EBADF};
}

std::string reasonText(SystemError error) {
    // strerror_r, not strerror: the converter reports from several threads at once.
    char buf[256];
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
    return ::strerror_r(static_cast<int>(error.code), buf, sizeof buf);
#else
    if (::strerror_r(static_cast<int>(error.code), buf, sizeof buf) != 0) {
        return "Unknown error " + std::to_string(error.code);
    }
    return buf;
#endif
}

std::string fileNameKey(std::string_view path) { return std::string(path); }

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

InputFile::~InputFile() {
    if (m_handle != -1) ::close(fdOf(m_handle));
}

bool InputFile::open(const std::string& path) {
    // Without waiting: a named pipe that no program writes to would hold open() forever,
    // while opened at once it reads as empty. Reads wait as usual.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        m_error = {static_cast<unsigned long>(errno)};
        return false;
    }
    m_handle = fd;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_error = {static_cast<unsigned long>(errno)};
        return false;
    }
    if (S_ISREG(st.st_mode)) {
        m_kind = FileKind::Regular;
        m_size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    } else if (S_ISDIR(st.st_mode)) {
        m_kind = FileKind::Directory;
    } else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        m_kind = FileKind::Device;
    } else if (S_ISFIFO(st.st_mode)) {
        // A read with no writer yet would end at once: wait for the writer's first bytes,
        // or for a writer that came and went. Once a writer is there, reads wait for it.
        pollfd wait{fd, POLLIN, 0};
        while (::poll(&wait, 1, kWriterWaitMs) < 0 && errno == EINTR) {
        }
    }
    return true;
}

std::int64_t InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fdOf(m_handle), buffer, size);
        if (n >= 0) return n;
        if (errno != EINTR) {
            m_error = {static_cast<unsigned long>(errno)};
            return -1;
        }
    }
}

FileView::FileView(const InputFile& file, std::size_t size) {
    // Populated at once: the pages of a file just written or read are in the page cache
    // and are mapped as they are, without being cleared or copied.
    void* address =
        ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fdOf(file.m_handle), 0);
    if (address == MAP_FAILED) return;
    // Its own descriptor, to tell later whether the file shrank; and, once the bus error
    // handler guards the mappings, a slot where the handler finds it. Without either the
    // file is not mapped but read.
    const int fd = ::fcntl(fdOf(file.m_handle), F_DUPFD_CLOEXEC, 0);
    const int slot = viewsGuarded() ? watchView(static_cast<const char*>(address), size) : -1;
    if (fd < 0 || (viewsGuarded() && slot < 0)) {
        if (fd >= 0) ::close(fd);
        if (slot >= 0) unwatchView(slot);
        ::munmap(address, size);
        return;
    }
    ::madvise(address, size, MADV_SEQUENTIAL);
    m_address = address;
    m_size = size;
    m_handle = fd;
    m_slot = slot;
}

FileView::~FileView() {
    if (!m_address) return;
    if (m_slot >= 0) unwatchView(m_slot);
    ::munmap(m_address, m_size);
    ::close(fdOf(m_handle));
}

bool FileView::shrank() const {
    if (!m_address) return false;
    if (m_slot >= 0 && viewFaulted(m_slot)) return true;
    struct stat st {};
    return ::fstat(fdOf(m_handle), &st) == 0 && st.st_size >= 0 &&
           static_cast<std::uint64_t>(st.st_size) < m_size;
}

bool TempFile::failed() {
    m_error = {static_cast<unsigned long>(errno)};
    return false;
}

bool TempFile::create(const std::string& target) {
    m_target = target;
    // A symbolic link is followed, as opening the file for writing would follow it.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            m_target = real;
            ::free(real);
        }
    }
    mode_t mode = newFileMode();
    if (::stat(m_target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            m_error = systemError(Failure::IsADirectory);
            return false;
        }
        if (S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
    }
    // Hidden and named after the target, so a leftover of a crashed run is easy to place;
    // the name is kept short enough for any file system.
    std::string name = nameOf(m_target);
    if (name.size() > 200) name.resize(200);
    const std::string folder = folderOf(m_target);
    m_stem = (folder == "/" ? "" : folder) + "/." + name + ".";
#ifdef O_TMPFILE
    // Unnamed where the file system allows: until it is complete the file has no name, so
    // not even a process killed outright leaves it behind. It gets its name through /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (unnamed >= 0) {
            m_handle = unnamed;
            m_unnamed = true;
            return ::fchmod(unnamed, mode) == 0 || failed();
        }
    }
#endif
    std::string pattern = m_stem + "XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return failed();
    m_handle = fd;
    m_path = std::move(pattern);
    m_slot = nameTemp(m_path);
    if (::fchmod(fd, mode) != 0) return failed();
    return true;
}

bool TempFile::write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fdOf(m_handle), data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failed();
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void TempFile::startWriteback(std::uint64_t offset, std::uint64_t size) {
    ::sync_file_range(fdOf(m_handle), static_cast<off_t>(offset), static_cast<off_t>(size),
                      SYNC_FILE_RANGE_WRITE);
}

bool TempFile::giveName() {
    if (!m_unnamed) return true;
    const std::string proc = "/proc/self/fd/" + std::to_string(fdOf(m_handle));
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = m_stem;
        for (int i = 0; i < 6; ++i) path += kLetters[random() % (sizeof kLetters - 1)];
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_path = std::move(path);
            m_slot = nameTemp(m_path);
            m_unnamed = false;
            return true;
        }
        if (errno != EEXIST) return failed();
    }
    return failed();
}

bool TempFile::close() {
    if (m_handle == -1) return true;
    if (!giveName()) return false;
    const int fd = fdOf(m_handle);
    m_handle = -1;
    return ::close(fd) == 0 || failed();
}

bool TempFile::replaceTarget() {
    // An unnamed file is complete on the disk before it gets its name.
    if (m_unnamed && (::fsync(fdOf(m_handle)) != 0 || !giveName())) return failed();
    if (m_path.empty()) {
        m_error = systemError(Failure::NotOpen);
        return false;
    }
    // The old file may go only once the new one is on the disk. A writer that wrote the
    // file by its name has closed it, so it is opened again for the sync.
    if (m_handle == -1) {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return failed();
        m_handle = fd;
    }
    if (::fsync(fdOf(m_handle)) != 0) return failed();
    if (!close()) return false;
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) return failed();
    m_path.clear();
    forgetTemp(std::exchange(m_slot, -1));
    // The rename itself lasts once the folder is synced; a folder that cannot be synced
    // (some network file systems) does not make the saved file wrong.
    const int dir = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void TempFile::discard() noexcept {
    if (m_handle != -1) {
        ::close(fdOf(m_handle));
        m_handle = -1;
    }
    m_unnamed = false;  // an unnamed file is gone with its descriptor
    if (!m_path.empty()) {
        ::unlink(m_path.c_str());
        m_path.clear();
    }
    forgetTemp(std::exchange(m_slot, -1));
}

}  // namespace tablamo::platform
