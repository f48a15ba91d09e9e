// The file system on Windows: every path goes to the system in UTF-16.

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <utility>

#include "core/platform/files.h"
#include "core/platform/windows_text.h"

namespace tablamo::platform {
namespace {

HANDLE handleOf(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
std::intptr_t valueOf(HANDLE h) { return reinterpret_cast<std::intptr_t>(h); }

SystemError lastError() { return {::GetLastError()}; }

// "An operation is not supported on a directory." (Windows 8 on; older headers lack it).
constexpr DWORD kErrorDirectoryNotSupported = 336;

// The temporary files being written, by name, for the console's control handler to remove.
// Slots are taken and freed without a lock: the handler runs in a thread of its own, at any
// moment, and must not wait for a writer.
constexpr std::size_t kTempPathMax = 2048;
struct TempSlot {
    std::atomic<bool> taken{false};
    std::atomic<bool> named{false};
    wchar_t path[kTempPathMax];
};
constexpr int kTempSlots = 256;
TempSlot g_temps[kTempSlots];

// A slot naming `path`; -1 when none is free or the name is too long (the file is then left
// to the sweep of a later run).
int nameTemp(const std::wstring& path) {
    if (path.size() >= kTempPathMax) return -1;
    for (int i = 0; i < kTempSlots; ++i) {
        bool free = false;
        if (!g_temps[i].taken.compare_exchange_strong(free, true)) continue;
        std::wmemcpy(g_temps[i].path, path.c_str(), path.size() + 1);
        g_temps[i].named.store(true);
        return i;
    }
    return -1;
}

void forgetTemp(int i) {
    if (i < 0) return;
    g_temps[i].named.store(false);
    g_temps[i].taken.store(false);
}

// Ctrl-C, Ctrl-Break, the console window closed, the user logging off: the temporary files
// go (each is open with FILE_SHARE_DELETE, so it is gone at the latest when the process's
// handles close), then the next handler, the system's, ends the process as it would have.
BOOL WINAPI onConsoleControl(DWORD) {
    for (TempSlot& slot : g_temps) {
        if (slot.named.load()) ::DeleteFileW(slot.path);
    }
    return FALSE;
}

// Where the name starts: after the last separator or the drive's colon.
std::size_t nameStart(const std::wstring& path) {
    const std::size_t sep = path.find_last_of(L"\\/:");
    return sep == std::wstring::npos ? 0 : sep + 1;
}

}  // namespace

SystemError systemError(Failure failure) {
    switch (failure) {
        case Failure::NotFound:
            return {ERROR_FILE_NOT_FOUND};
        case Failure::IsADirectory:
            return {kErrorDirectoryNotSupported};
        case Failure::NotOpen:
            break;
    }
    return {ERROR_INVALID_HANDLE};
}

std::string reasonText(SystemError error) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error.code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = n ? std::wstring(text, n) : std::wstring();
    if (text) ::LocalFree(text);
    while (!reason.empty() &&
           (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' ')) {
        reason.pop_back();
    }
    if (reason.empty()) return "System error " + std::to_string(error.code);
    return narrow(reason);
}

std::string fileNameKey(std::string_view path) {
    // Capitals of no language in particular, as the file system's own table has them.
    std::wstring wide = widen(path);
    if (wide.empty()) return {};
    const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(),
                                  static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr, 0);
    std::wstring upper(static_cast<std::size_t>(n), L'\0');
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(),
                    static_cast<int>(wide.size()), upper.data(), n, nullptr, nullptr, 0);
    return narrow(upper);
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    // Folders open only with backup semantics; nothing is read or written.
    const HANDLE h = ::CreateFileW(widen(path).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    if (!ok) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

InputFile::~InputFile() {
    if (m_handle != -1) ::CloseHandle(handleOf(m_handle));
}

bool InputFile::open(const std::string& path) {
    // Shared with every other access, so a report another program still has open is read;
    // a folder opens (backup semantics) so that it is told apart from a missing file.
    const HANDLE h = ::CreateFileW(
        widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_error = lastError();
        return false;
    }
    m_handle = valueOf(h);
    const DWORD type = ::GetFileType(h);
    if (type == FILE_TYPE_CHAR) {
        m_kind = FileKind::Device;  // NUL, CON, a serial port
    } else if (type == FILE_TYPE_DISK) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(h, &info)) {
            m_error = lastError();
            return false;
        }
        if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            m_kind = FileKind::Directory;
        } else {
            m_kind = FileKind::Regular;
            m_size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        }
    }
    return true;
}

std::int64_t InputFile::read(char* buffer, std::size_t size) {
    DWORD n = 0;
    const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (::ReadFile(handleOf(m_handle), buffer, want, &n, nullptr)) return n;
    const DWORD err = ::GetLastError();
    if (err == ERROR_BROKEN_PIPE || err == ERROR_HANDLE_EOF) return 0;  // the writer went
    m_error = {err};
    return -1;
}

FileView::FileView(const InputFile& file, std::size_t size) {
    const HANDLE mapping =
        ::CreateFileMappingW(handleOf(file.m_handle), nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return;
    // The view keeps the mapping alive; its own handle is not needed any more.
    void* address = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size);
    ::CloseHandle(mapping);
    if (!address) return;
    m_address = address;
    m_size = size;
}

FileView::~FileView() {
    if (m_address) ::UnmapViewOfFile(m_address);
}

void removeTempFilesOnInterrupt() {
    // A process told to ignore Ctrl-C (a flag its parent passes on; CREATE_NEW_PROCESS_GROUP
    // sets it) keeps ignoring it: the system calls no handler for that event.
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

// A mapped file cannot be made shorter on Windows: SetEndOfFile fails while a view is open.
void guardMappedFiles() {}
bool FileView::shrank() const { return false; }

bool TempFile::failed() {
    m_error = lastError();
    return false;
}

bool TempFile::create(const std::string& target) {
    m_target = target;
    const std::wstring wideTarget = widen(target);
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = systemError(Failure::IsADirectory);
        return false;
    }
    // Hidden, and named after the target with a dot in front as on POSIX, so a leftover of
    // a crashed run is easy to place; the name is kept short enough for any file system.
    const std::size_t start = nameStart(wideTarget);
    std::wstring name = wideTarget.substr(start);
    if (name.size() > 200) name.resize(200);
    const std::wstring stem = wideTarget.substr(0, start) + L"." + name + L".";
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long unique =
            (std::uint64_t{::GetCurrentProcessId()} << 32) ^ (::GetTickCount64() << 8) ^ counter++;
        wchar_t suffix[17];
        ::swprintf(suffix, 17, L"%06llx", unique & 0xFFFFFF);
        const std::wstring path = stem + suffix;
        // Named for the console's control handler before it exists, so that a Ctrl-C at once
        // finds it, and deletable while open, as the handler removes it by its name.
        m_slot = nameTemp(path);
        const HANDLE h =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            m_handle = valueOf(h);
            m_path = narrow(path);
            return true;
        }
        const DWORD error = ::GetLastError();
        forgetTemp(std::exchange(m_slot, -1));
        ::SetLastError(error);
        if (error != ERROR_FILE_EXISTS) return failed();
    }
    return failed();
}

bool TempFile::write(const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD n = 0;
        if (!::WriteFile(handleOf(m_handle), data, want, &n, nullptr)) return failed();
        data += n;
        size -= n;
    }
    return true;
}

// Windows writes back on its own; FlushFileBuffers at the end waits for the rest.
void TempFile::startWriteback(std::uint64_t, std::uint64_t) {}

bool TempFile::close() {
    if (m_handle == -1) return true;
    const HANDLE h = handleOf(m_handle);
    m_handle = -1;
    return ::CloseHandle(h) || failed();
}

bool TempFile::replaceTarget() {
    if (m_path.empty()) {
        m_error = systemError(Failure::NotOpen);
        return false;
    }
    const std::wstring path = widen(m_path);
    // A writer that wrote the file by its name has closed it: it is opened again to flush it.
    if (m_handle == -1) {
        const HANDLE h =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return failed();
        m_handle = valueOf(h);
    }
    if (!::FlushFileBuffers(handleOf(m_handle))) return failed();
    // The moved file would keep the temporary file's attributes: it must not stay hidden.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(handleOf(m_handle), FileBasicInfo, &basic, sizeof basic))
        return failed();
    if (!close()) return false;
    // One step, written through: the target is the old file or the new one, never neither.
    if (!::MoveFileExW(path.c_str(), widen(m_target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return failed();
    }
    m_path.clear();
    forgetTemp(std::exchange(m_slot, -1));
    return true;
}

void TempFile::discard() noexcept {
    if (m_handle != -1) {
        ::CloseHandle(handleOf(m_handle));
        m_handle = -1;
    }
    if (!m_path.empty()) {
        ::DeleteFileW(widen(m_path).c_str());
        m_path.clear();
    }
    forgetTemp(std::exchange(m_slot, -1));
}

}  // namespace tablamo::platform
