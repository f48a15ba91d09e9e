#pragma once
/// Where the writers put their bytes: a file written safely, or a string in the tests.

#include <cstddef>
#include <string>
#include <string_view>

namespace tablamo {

/// A destination for bytes. Writers keep their own buffer and hand over large pieces.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    /// Appends `size` bytes; raises tablamo::Error when they cannot be written.
    virtual void write(const char* data, std::size_t size) = 0;
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
};

/// Collects the bytes in memory.
class StringSink : public ByteSink {
public:
    void write(const char* data, std::size_t size) override { m_bytes.append(data, size); }
    using ByteSink::write;
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

}  // namespace tablamo
