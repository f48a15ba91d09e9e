#pragma once
/// The file system as the program uses it, the same on POSIX and on Windows. Paths are UTF-8
/// everywhere in the program; the Windows side turns them into UTF-16 at each system call.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tablamo::platform {

/// The code of a failed system call: errno on POSIX, GetLastError() on Windows.
struct SystemError {
    unsigned long code = 0;
};

/// Failures the program finds itself, given the system's own code for them.
enum class Failure { NotFound, IsADirectory, NotOpen };
SystemError systemError(Failure failure);

/// The system's reason for `error` in UTF-8 (strerror on POSIX, FormatMessageW on Windows),
/// without a line break at its end.
std::string reasonText(SystemError error);

/// A UTF-8 path as the standard library's path (UTF-16 inside on Windows).
std::filesystem::path toFsPath(std::string_view utf8);
/// The path in UTF-8.
std::string fromFsPath(const std::filesystem::path& path);

/// A path in UTF-8 as the system compares file names: two paths that name the same file by
/// their letters have the same key. The path itself on POSIX; on Windows, whose file names
/// ignore case, the path in capitals.
std::string fileNameKey(std::string_view path);

/// What one file is, however it is named: its device and inode, or its volume and file index.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
/// The identity of the file or folder at `path`; nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);

/// What an opened file is.
enum class FileKind { Regular, Directory, Device, Other };

/// A file opened for reading; closed with the object.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    /// How long a named pipe is waited on for its writer.
    static constexpr int kWriterWaitMs = 3000;

    /// Opens `path` for reading; false, with error() telling why, when it cannot. A named
    /// pipe waits up to kWriterWaitMs for a writer's first bytes (or its end); with no
    /// writer by then it reads as empty. Reads wait.
    bool open(const std::string& path);
    FileKind kind() const { return m_kind; }
    /// The size of a regular file when it was opened.
    std::uint64_t size() const { return m_size; }
    /// Reads up to `size` bytes: the count read, 0 at the end, -1 on a failure (error()).
    std::int64_t read(char* buffer, std::size_t size);
    SystemError error() const { return m_error; }

private:
    friend class FileView;
    std::intptr_t m_handle = -1;  // a descriptor, or a HANDLE
    FileKind m_kind = FileKind::Other;
    std::uint64_t m_size = 0;
    SystemError m_error;
};

/// Makes a mapped file that shrinks while it is read fail only its own reading: the pages
/// past its new end read as zeros and its FileView says shrank(), instead of the process
/// ending with a bus error. Called once at start-up, before any file is mapped (POSIX; on
/// Windows a mapped file cannot shrink).
void guardMappedFiles();

/// The first bytes of an open regular file mapped read-only, for reading front to back;
/// unmapped with the object. A file that shrinks meanwhile reads as zeros past its new end
/// once guardMappedFiles() was called; without it the process ends.
class FileView {
public:
    /// Maps `size` bytes (at least 1) of `file`; valid() is false when it cannot be mapped.
    FileView(const InputFile& file, std::size_t size);
    ~FileView();
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    bool valid() const { return m_address != nullptr; }
    const char* data() const { return static_cast<const char*>(m_address); }
    std::size_t size() const { return m_size; }
    /// Whether the file became shorter than the view since it was mapped: what the view
    /// holds is then no longer the file.
    bool shrank() const;

private:
    void* m_address = nullptr;
    std::size_t m_size = 0;
    std::intptr_t m_handle = -1;  // the file, kept open to see its size
    int m_slot = -1;              // where the bus error handler finds the view
};

/// From now on an interrupt (Ctrl-C, Ctrl-Break, a closed console window on Windows) or a
/// termination request removes the temporary files being written before the process ends as
/// it ends it; a signal the process was told to ignore stays ignored. Called once at start-up.
void removeTempFilesOnInterrupt();

/// The temporary file of a safe write: made in its target's folder, hidden, and put in the
/// target's place in one step. Removed with the object unless it took the target's place.
class TempFile {
public:
    TempFile() = default;
    ~TempFile() { discard(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    /// Creates it, open for writing, beside `target` (a symbolic link is followed to its
    /// file). It gets the mode of a new file, or of the file it will replace. False when it
    /// cannot be made; a folder of the target's name fails with IsADirectory.
    bool create(const std::string& target);
    /// Writes all of `data`.
    bool write(const char* data, std::size_t size);
    /// Hands `size` bytes from `offset` to the disk in the background (only a hint).
    void startWriteback(std::uint64_t offset, std::uint64_t size);
    bool isOpen() const { return m_handle != -1; }
    /// Closes it, for a writer that writes it by its name.
    bool close();
    /// Puts the whole file on the disk, then in the target's place in one step; when that
    /// fails the target is as it was.
    bool replaceTarget();
    /// Removes it, unless it is in the target's place.
    void discard() noexcept;

    /// The temporary file's path: empty once it is gone, and while it has no name (POSIX
    /// systems that make a file unnamed until it takes the target's place).
    const std::string& path() const { return m_path; }
    SystemError error() const { return m_error; }

private:
    bool failed();    // records the last system error, returns false
    bool giveName();  // links an unnamed file under a hidden name beside the target (POSIX)

    std::intptr_t m_handle = -1;
    std::string m_path;
    std::string m_target;  // where it goes: the target, or a symbolic link's file
    SystemError m_error;
    int m_slot = -1;         // where an interrupt finds its name
    bool m_unnamed = false;  // open, but without a name yet (POSIX)
    std::string m_stem;      // the hidden name's beginning: folder/.target. (POSIX)
};

}  // namespace tablamo::platform
