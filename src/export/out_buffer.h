#pragma once
/// The writers' local buffer in front of a sink, and their text encodings.

#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "core/byte_sink.h"

namespace tablamo {

/// The encoding of a written text file: the grid's own Windows-1254 bytes, as the window
/// saves them, or UTF-8.
enum class TextEncoding { Windows1254, Utf8 };

/// UTF-8 form of every Windows-1254 byte: its length (1 to 3) and bytes.
struct Utf8Table {
    std::array<unsigned char, 256> length{};
    std::array<std::array<char, 4>, 256> bytes{};
    static const Utf8Table& get();
};

/// Gathers the written bytes and hands them to the sink in large pieces; or, without a
/// sink, keeps them all in memory (a piece of a long text laid out ahead of its turn).
class OutBuffer {
public:
    explicit OutBuffer(ByteSink& sink, std::size_t capacity = std::size_t{1} << 20)
        : m_sink(&sink),
          m_buffer(std::make_unique_for_overwrite<char[]>(capacity)),
          m_size(capacity) {}
    /// Keeps every byte until taken with bytes() and clear().
    OutBuffer() = default;
    OutBuffer(const OutBuffer&) = delete;
    OutBuffer& operator=(const OutBuffer&) = delete;

    /// Room for at least `n` bytes at the returned place; finish with `advance`.
    char* reserve(std::size_t n) {
        if (m_size - m_used < n) makeRoom(n);
        return m_buffer.get() + m_used;
    }
    /// Marks the bytes up to `end` (from the last reserve) as written.
    void advance(char* end) { m_used = static_cast<std::size_t>(end - m_buffer.get()); }

    void append(std::string_view bytes) {
        char* p = reserve(bytes.size());
        if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
        m_used += bytes.size();
    }
    /// Hands everything gathered to the sink (without one, keeps it).
    void flush() {
        if (!m_sink) return;
        if (m_used) m_sink->write(m_buffer.get(), m_used);
        m_used = 0;
    }

    /// The bytes gathered and not yet handed on.
    std::string_view bytes() const { return {m_buffer.get(), m_used}; }
    /// Drops the bytes gathered; the room stays.
    void clear() { m_used = 0; }

private:
    void makeRoom(std::size_t n);

    ByteSink* m_sink = nullptr;
    // Not zeroed: a writer fills what it hands on, and a large buffer costs no clearing.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    std::size_t m_used = 0;
};

/// Copies Windows-1254 text to `out` in `encoding`; returns the end. `out` needs room for
/// 3 bytes per byte of UTF-8, one per byte of Windows-1254.
inline char* putText(char* out, std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1254) {
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }
    const Utf8Table& t = Utf8Table::get();
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        std::memcpy(out, t.bytes[b].data(), 4);  // the table's rows have room for 4
        out += t.length[b];
    }
    return out;
}

/// Bytes per byte of text that `putText` may write.
inline std::size_t expansion(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? 3 : 1;
}

}  // namespace tablamo
