#include "export/zip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tablamo {
namespace {

// zlib counts in 32 bits: longer inputs go in slices.
constexpr std::size_t kSlice = std::size_t{1} << 30;

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kDataDescriptor = 0x08074b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kZip64End = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint32_t kEnd = 0x06054b50;
constexpr std::uint16_t kZip64Field = 0x0001;
constexpr std::uint16_t kPlainVersion = 20;  // deflate
constexpr std::uint16_t kZip64Version = 45;
constexpr std::uint16_t kDescriptorFlag = 0x0008;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1 January 1980, 00:00
constexpr std::uint32_t kMarker32 = 0xFFFFFFFFu;

// Little-endian fields, as every number in the archive is written.
class Fields {
public:
    Fields& u16(std::uint64_t v) { return put(v, 2); }
    Fields& u32(std::uint64_t v) { return put(v, 4); }
    Fields& u64(std::uint64_t v) { return put(v, 8); }
    Fields& bytes(std::string_view b) {
        m_bytes.append(b);
        return *this;
    }
    std::string_view view() const { return m_bytes; }

private:
    Fields& put(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) m_bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    std::string m_bytes;
};

}  // namespace

char* ByteBuffer::room(std::size_t n) {
    if (m_capacity - m_size < n) {
        const std::size_t capacity = std::max(m_size + n, 2 * m_capacity);
        auto bigger = std::make_unique_for_overwrite<char[]>(capacity);
        if (m_size) std::memcpy(bigger.get(), m_data.get(), m_size);
        m_data = std::move(bigger);
        m_capacity = capacity;
    }
    return m_data.get() + m_size;
}

void ByteBuffer::append(std::string_view bytes) {
    if (bytes.empty()) return;
    std::memcpy(room(bytes.size()), bytes.data(), bytes.size());
    m_size += bytes.size();
}

Deflater::Deflater() : m_stream(std::make_unique<z_stream_s>()) {
    // Raw deflate (negative window bits), the fastest level: the sheet's XML repeats its
    // tags so much that the fastest level already takes it to a sixth of its size.
    if (::deflateInit2(m_stream.get(), Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        throw std::bad_alloc();
    }
}

Deflater::~Deflater() { ::deflateEnd(m_stream.get()); }

void Deflater::begin(ByteBuffer& out) {
    ::deflateReset(m_stream.get());
    out.clear();
}

void Deflater::add(std::string_view input, ByteBuffer& out) {
    while (!input.empty()) {
        const std::size_t n = std::min(input.size(), kSlice);
        m_stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
        m_stream->avail_in = static_cast<uInt>(n);
        run(Z_NO_FLUSH, out);
        input.remove_prefix(n);
    }
}

void Deflater::end(ByteBuffer& out) { run(Z_SYNC_FLUSH, out); }

void Deflater::run(int flush, ByteBuffer& out) {
    z_stream& z = *m_stream;
    do {
        const std::size_t room = std::max<std::size_t>(std::size_t{64} << 10, z.avail_in / 4);
        z.next_out = reinterpret_cast<Bytef*>(out.room(room));
        z.avail_out = static_cast<uInt>(room);
        // Z_BUF_ERROR only says no progress was possible; the loop's test covers that.
        if (::deflate(&z, flush) == Z_STREAM_ERROR) throw std::logic_error("deflate state broken");
        out.grow(room - z.avail_out);
    } while (z.avail_out == 0 || z.avail_in != 0);
}

std::uint32_t crc32Of(std::string_view bytes, std::uint32_t crc) {
    uLong c = crc;
    while (!bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), kSlice);
        c = ::crc32(c, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(n));
        bytes.remove_prefix(n);
    }
    return static_cast<std::uint32_t>(c);
}

ZipWriter::ZipWriter(ByteSink& sink, std::uint64_t zip64Limit)
    : m_sink(sink), m_zip64Limit(zip64Limit) {}

void ZipWriter::emit(std::string_view bytes) {
    m_sink.write(bytes);
    m_offset += bytes.size();
}

void ZipWriter::localHeader(const Entry& e) {
    // A member written in pieces has zeros in its header and its sizes behind its data;
    // one in ZIP64 form carries the ZIP64 field, which also makes those sizes 8 bytes.
    const bool known = !e.descriptor;
    Fields f;
    f.u32(kLocalHeader)
        .u16(e.zip64Sizes ? kZip64Version : kPlainVersion)
        .u16(e.descriptor ? kDescriptorFlag : 0)
        .u16(kDeflated)
        .u16(0)
        .u16(kDosDate)
        .u32(known ? e.crc : 0);
    if (e.zip64Sizes) {
        f.u32(kMarker32).u32(kMarker32);
    } else {
        f.u32(known ? e.compressed : 0).u32(known ? e.size : 0);
    }
    f.u16(e.name.size()).u16(e.zip64Sizes ? 20 : 0).bytes(e.name);
    if (e.zip64Sizes) {
        f.u16(kZip64Field).u16(16).u64(known ? e.size : 0).u64(known ? e.compressed : 0);
    }
    emit(f.view());
}

void ZipWriter::addMember(std::string_view name, std::string_view content) {
    Deflater deflater;
    ByteBuffer data;
    deflater.begin(data);
    deflater.add(content, data);
    deflater.end(data);
    data.append(std::string_view("\x03\x00", 2));  // the final block, empty
    Entry e;
    e.name = name;
    e.crc = crc32Of(content);
    e.compressed = data.size();
    e.size = content.size();
    e.offset = m_offset;
    e.zip64Sizes = past(e.size) || past(e.compressed);
    localHeader(e);
    emit(data.view());
    m_entries.push_back(std::move(e));
}

void ZipWriter::beginMember(std::string_view name, std::uint64_t sizeBound) {
    Entry e;
    e.name = name;
    e.offset = m_offset;
    e.descriptor = true;
    e.zip64Sizes = past(sizeBound);
    localHeader(e);
    m_entries.push_back(std::move(e));
    m_open = true;
}

void ZipWriter::appendDeflated(std::string_view deflated, std::uint32_t crc,
                               std::uint64_t rawSize) {
    Entry& e = m_entries.back();
    emit(deflated);
    e.crc = static_cast<std::uint32_t>(::crc32_combine(e.crc, crc, static_cast<z_off_t>(rawSize)));
    e.compressed += deflated.size();
    e.size += rawSize;
}

void ZipWriter::endMember() {
    Entry& e = m_entries.back();
    emit(std::string_view("\x03\x00", 2));
    e.compressed += 2;
    m_open = false;
    if (!e.zip64Sizes && (past(e.size) || past(e.compressed))) {
        // Its header promised 4-byte sizes: the bound given at its start was wrong.
        throw std::logic_error("zip member " + e.name + " outgrew its size bound");
    }
    Fields f;
    f.u32(kDataDescriptor).u32(e.crc);
    if (e.zip64Sizes) {
        f.u64(e.compressed).u64(e.size);
    } else {
        f.u32(e.compressed).u32(e.size);
    }
    emit(f.view());
}

void ZipWriter::finish() {
    if (m_open) throw std::logic_error("zip archive finished inside a member");
    const std::uint64_t directory = m_offset;
    for (const Entry& e : m_entries) {
        const bool sizes64 = e.zip64Sizes || past(e.size) || past(e.compressed);
        const bool offset64 = past(e.offset);
        Fields extra;
        if (sizes64) extra.u64(e.size).u64(e.compressed);
        if (offset64) extra.u64(e.offset);
        const std::string_view more = extra.view();
        Fields f;
        f.u32(kCentralHeader)
            .u16(kZip64Version)
            .u16(sizes64 || offset64 ? kZip64Version : kPlainVersion)
            .u16(e.descriptor ? kDescriptorFlag : 0)
            .u16(kDeflated)
            .u16(0)
            .u16(kDosDate)
            .u32(e.crc)
            .u32(sizes64 ? kMarker32 : e.compressed)
            .u32(sizes64 ? kMarker32 : e.size)
            .u16(e.name.size())
            .u16(more.empty() ? 0 : 4 + more.size())
            .u16(0)  // comment
            .u16(0)  // disk
            .u16(0)  // internal attributes
            .u32(0)  // external attributes
            .u32(offset64 ? kMarker32 : e.offset)
            .bytes(e.name);
        if (!more.empty()) f.u16(kZip64Field).u16(more.size()).bytes(more);
        emit(f.view());
    }
    const std::uint64_t size = m_offset - directory;
    const std::uint64_t count = m_entries.size();
    const bool manyEntries = count >= 0xFFFF;
    Fields f;
    if (past(directory) || past(size) || manyEntries) {
        const std::uint64_t record = m_offset;
        f.u32(kZip64End).u64(44).u16(kZip64Version).u16(kZip64Version).u32(0).u32(0);
        f.u64(count).u64(count).u64(size).u64(directory);
        f.u32(kZip64Locator).u32(0).u64(record).u32(1);
    }
    f.u32(kEnd).u16(0).u16(0);
    f.u16(manyEntries ? 0xFFFF : count).u16(manyEntries ? 0xFFFF : count);
    f.u32(past(size) ? kMarker32 : size).u32(past(directory) ? kMarker32 : directory).u16(0);
    emit(f.view());
}

}  // namespace tablamo
