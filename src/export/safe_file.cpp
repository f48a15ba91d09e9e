#include "export/safe_file.h"

#include <cstring>

#include "core/error.h"

namespace tablamo {

TempFileBeside::TempFileBeside(std::string path) : m_path(std::move(path)) {
    if (m_path.empty()) fail(platform::systemError(platform::Failure::NotFound));
    if (!m_file.create(m_path)) failed();
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
    if (!m_file.replaceTarget()) failed();
}

SafeFile::SafeFile(std::string path) : m_temp(std::move(path)) {
    m_buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

SafeFile::~SafeFile() = default;

void SafeFile::write(const char* data, std::size_t size) {
    if (!m_temp.isOpen()) m_temp.fail(platform::systemError(platform::Failure::NotOpen));
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
    m_temp.write(data, size);
    m_written += size;
    startWriteback();
}

void SafeFile::flush() {
    m_temp.write(m_buffer.get(), m_used);
    m_written += m_used;
    m_used = 0;
    startWriteback();
}

void SafeFile::startWriteback() {
    // Hands what is written so far to the disk in the background, so that the sync of
    // commit() waits for the last pieces only. Only a hint: errors show at the sync.
    constexpr std::uint64_t kStep = std::uint64_t{8} << 20;
    if (m_written - m_synced >= kStep) {
        m_temp.startWriteback(m_synced, m_written - m_synced);
        m_synced = m_written;
    }
}

void SafeFile::commit() {
    if (!m_temp.isOpen()) m_temp.fail(platform::systemError(platform::Failure::NotOpen));
    flush();
    m_temp.replaceTarget();
}

void writeFileSafely(const std::string& path, std::string_view bytes) {
    SafeFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace tablamo
