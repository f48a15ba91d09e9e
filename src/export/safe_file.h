#pragma once
/// Writing a file so that a failure never leaves a half-written or lost file behind.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/byte_sink.h"
#include "core/platform/files.h"

namespace tablamo {

/// A temporary file in a target's folder that takes the target's place on replaceTarget():
/// the part of safe writing that does not care who writes the bytes. The target keeps its
/// mode (a new one gets 0666 less the umask); a symbolic link is followed to its file. On
/// any failure, and when the object goes without replaceTarget(), the temporary file is
/// removed. Every error reads "Cannot create file "<path>". <system reason>".
class TempFileBeside {
public:
    /// Creates the temporary file beside `path`, open for writing.
    explicit TempFileBeside(std::string path);
    TempFileBeside(const TempFileBeside&) = delete;
    TempFileBeside& operator=(const TempFileBeside&) = delete;

    /// Whether the temporary file is still open for writing.
    bool isOpen() const { return m_file.isOpen(); }
    /// Writes all of `data` to the temporary file.
    void write(const char* data, std::size_t size);
    /// Hands `size` bytes from `offset` to the disk in the background (only a hint).
    void startWriteback(std::uint64_t offset, std::uint64_t size) {
        m_file.startWriteback(offset, size);
    }
    /// The name the user sees in errors.
    const std::string& path() const { return m_path; }
    /// Puts the complete file on the disk, then in place of the target.
    void replaceTarget();
    /// Closes the complete file under a hidden name beside the target, to take the target's
    /// place later (replaceTarget): a set of files holds no handle per file.
    void park();
    /// Removes the temporary file and raises the error for `error`.
    [[noreturn]] void fail(platform::SystemError error);

private:
    [[noreturn]] void failed() { fail(m_file.error()); }

    std::string m_path;
    platform::TempFile m_file;
};

/// A file written into a temporary file in the target's folder and renamed into place by
/// commit(). Until then an existing file of the target's name stays as it was; on any
/// failure, and when the object goes without commit(), the temporary file is removed.
/// Every error reads "Cannot create file "<path>". <system reason>".
class SafeFile : public ByteSink {
public:
    /// Bytes gathered before they go to the file.
    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

    /// Creates the temporary file beside `path`.
    explicit SafeFile(std::string path);
    ~SafeFile() override;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    void write(const char* data, std::size_t size) override;
    using ByteSink::write;

    /// Flushes, syncs and renames the file into place. The file then has the mode of a
    /// new file (0666 less the umask), or the mode of the file it replaces.
    void commit();

    const std::string& path() const { return m_path; }

private:
    void flush();
    void writeDirect(const char* data, std::size_t size);
    void startWriteback();

    std::string m_path;
    std::unique_ptr<TempFileBeside> m_temp;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    std::uint64_t m_written = 0;  // bytes handed to the file
    std::uint64_t m_synced = 0;   // bytes whose writeback has been started
};

/// Files that take their targets' places together: while a FileSet lives, the SafeFiles this
/// thread commits are written whole but wait beside their targets; commit() then puts each in
/// its target's place, in the order they came. A set that ends without commit() removes them
/// all and every target stays as it was, so a failure in the third file of a book leaves no new
/// first file beside an old second one.
class FileSet {
public:
    FileSet();
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    /// Puts every file waiting in its target's place.
    void commit();

private:
    friend class SafeFile;
    std::vector<std::unique_ptr<TempFileBeside>> m_files;
    FileSet* m_outer;
};

/// Writes `bytes` to `path` safely in one go.
void writeFileSafely(const std::string& path, std::string_view bytes);

}  // namespace tablamo
