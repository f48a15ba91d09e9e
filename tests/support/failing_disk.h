#pragma once
// Places where writing fails, and a folder's contents to compare before and after a failure.

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "support/temp_dir.h"

namespace tablamo::testing {

/// Every file under `root` with its bytes, folders with a trailing "/": what a failed write
/// must leave as it found it (no temporary file, no partial output, old files intact).
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = std::filesystem::relative(it->path(), root).string();
        if (it->is_directory(ec)) {
            files[name + "/"] = "";
        } else if (!it->is_regular_file(ec)) {
            files[name] = "not a regular file";  // a named pipe is not opened: it could wait
        } else {
            // A file by its size and a digest of its bytes, which keeps a failure's report short.
            const std::string bytes = readBytes(it->path().string());
            files[name] = std::to_string(bytes.size()) + " bytes, digest " +
                          std::to_string(std::hash<std::string>{}(bytes));
        }
    }
    return files;
}

/// A small tmpfs mounted on a new folder: a disk that fills up. Mounting needs root; when it
/// is not allowed, ok() is false and the folder stays an ordinary one.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, const char* size) : m_folder(folder) {
        std::filesystem::create_directory(folder);
        const std::string options = std::string("size=") + size;
        m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool ok() const { return m_mounted; }

private:
    std::string m_folder;
    bool m_mounted = false;
};

/// A folder nobody may write into: without root its mode takes the write permission away;
/// root writes whatever the mode says, so for root the folder is bound read-only onto
/// itself. ok() is false when neither can be done here.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& folder) : m_folder(folder) {
        std::filesystem::create_directory(folder);
        if (::geteuid() != 0) {
            m_ok = ::chmod(folder.c_str(), 0555) == 0;
            return;
        }
        m_bound = ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0;
        m_ok = m_bound && ::mount(nullptr, folder.c_str(), nullptr,
                                  MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (m_bound) ::umount2(m_folder.c_str(), MNT_DETACH);
        ::chmod(m_folder.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool ok() const { return m_ok; }
    /// The reason a file cannot be created in it.
    static int expectedErrno() { return ::geteuid() != 0 ? EACCES : EROFS; }

private:
    std::string m_folder;
    bool m_bound = false;
    bool m_ok = false;
};

/// A file size limit for this process for one scope: a write past it fails with EFBIG, as
/// the programs' own main() arranges by ignoring SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = std::min(bytes, m_old.rlim_max);
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        ::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    sighandler_t m_oldHandler = SIG_DFL;
};

/// A sub-ledger of `rows` lines under a rule line, its amounts varied so that no writer's
/// output compresses to a few bytes: large enough to fail any small disk or size limit.
inline void writeLongLedger(const std::string& path, int rows) {
    std::ofstream out(path, std::ios::binary);
    out << "Tarih     Fis No      Aciklama                                          Tutar\r\n";
    out << std::string(80, '-') << "\r\n";
    unsigned seed = 12345;
    char line[128];
    for (int i = 0; i < rows; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::snprintf(line, sizeof line, "%02d.%02d.2005 F%05d      Satir %-32u %15u.%02u\r\n",
                      i % 28 + 1, i % 12 + 1, i, seed % 99991u, seed % 7919u, seed % 100u);
        out << line;
    }
}

}  // namespace tablamo::testing
