#pragma once
// Draws settings and texts from the front of a fuzz input; the rest is the file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tablamo::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (m_data.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(m_data.front());
        m_data.remove_prefix(1);
        return b;
    }
    bool flag() { return byte() & 1; }
    /// A small signed number in [lo, hi].
    int number(int lo, int hi) {
        const unsigned span = static_cast<unsigned>(hi - lo) + 1;
        const unsigned v = (static_cast<unsigned>(byte()) << 8) | byte();
        return lo + static_cast<int>(v % span);
    }
    /// A short text of up to `max` bytes.
    std::string text(std::size_t max) {
        const std::size_t n = std::min<std::size_t>(byte() % (max + 1), m_data.size());
        std::string s(m_data.substr(0, n));
        m_data.remove_prefix(n);
        return s;
    }
    std::string_view rest() const { return m_data; }

private:
    std::string_view m_data;
};

}  // namespace tablamo::fuzz
