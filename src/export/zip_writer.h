#pragma once
/// A ZIP archive written front to back into a sink, as the workbook's package needs it:
/// deflated members, a data descriptor behind each member whose size shows only at its end,
/// and the ZIP64 records where a size or an offset passes 4 GiB.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_sink.h"

struct z_stream_s;

namespace tablamo {

/// A growable run of bytes that, unlike a vector, does not clear the room it gains.
class ByteBuffer {
public:
    const char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    std::string_view view() const { return {m_data.get(), m_size}; }
    void clear() { m_size = 0; }
    /// Room for at least `n` more bytes at the returned place; `grow` then counts them.
    char* room(std::size_t n);
    void grow(std::size_t n) { m_size += n; }
    void append(std::string_view bytes);

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

/// Raw deflate data (no zlib or gzip frame) at zlib's fastest level, in independent pieces:
/// each piece starts afresh and ends on a byte boundary without a final block (a sync
/// flush), so pieces made on different threads can follow one another in one member.
class Deflater {
public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    /// Starts a new piece that refers to nothing before it; `out` is emptied.
    void begin(ByteBuffer& out);
    /// Compresses `input` onto the end of `out`.
    void add(std::string_view input, ByteBuffer& out);
    /// Ends the piece on a byte boundary; the member's end comes from ZipWriter.
    void end(ByteBuffer& out);

private:
    void run(int flush, ByteBuffer& out);

    std::unique_ptr<z_stream_s> m_stream;
};

/// CRC-32 (the ZIP one) of `bytes`, continuing from `crc`.
std::uint32_t crc32Of(std::string_view bytes, std::uint32_t crc = 0);

/// Writes the archive into `sink`. Names are ASCII; the members get 1 January 1980 as their
/// time. Sizes and offsets at or above `zip64Limit` (4 GiB - 1 unless a test lowers it)
/// are written in ZIP64 form.
class ZipWriter {
public:
    static constexpr std::uint64_t kZip64Limit = 0xFFFFFFFFu;

    explicit ZipWriter(ByteSink& sink, std::uint64_t zip64Limit = kZip64Limit);

    /// Writes a whole member, deflated, with its sizes in its header.
    void addMember(std::string_view name, std::string_view content);

    /// Starts a member whose deflated data follows in pieces. `sizeBound` is at least the
    /// number of bytes it will hold: at or past the ZIP64 limit its sizes take ZIP64 form.
    void beginMember(std::string_view name, std::uint64_t sizeBound);
    /// Appends one piece from a Deflater, which holds `rawSize` bytes of CRC-32 `crc`.
    void appendDeflated(std::string_view deflated, std::uint32_t crc, std::uint64_t rawSize);
    /// Ends the member (the final block, the data descriptor).
    void endMember();

    /// Writes the central directory and the end records; the archive is then complete.
    void finish();

    /// Whether a size or an offset this large is written in ZIP64 form.
    bool needsZip64(std::uint64_t value) const { return past(value); }

private:
    struct Entry {
        std::string name;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
        bool zip64Sizes = false;  // the local header has a ZIP64 field
        bool descriptor = false;  // sizes in a data descriptor behind the data
    };

    void localHeader(const Entry& e);
    void emit(std::string_view bytes);
    bool past(std::uint64_t value) const { return value >= m_zip64Limit; }

    ByteSink& m_sink;
    std::uint64_t m_zip64Limit;
    std::uint64_t m_offset = 0;  // bytes written so far
    std::vector<Entry> m_entries;
    bool m_open = false;  // a member begun and not yet ended
};

}  // namespace tablamo
