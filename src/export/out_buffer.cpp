#include "export/out_buffer.h"

#include <algorithm>
#include <string>

#include "core/encoding.h"

namespace tablamo {

const Utf8Table& Utf8Table::get() {
    static const Utf8Table table = [] {
        Utf8Table t;
        for (int b = 0; b < 256; ++b) {
            std::string s;
            appendUtf8(s, win1254ToUnicode(static_cast<unsigned char>(b)));
            t.length[static_cast<std::size_t>(b)] = static_cast<unsigned char>(s.size());
            for (std::size_t i = 0; i < s.size(); ++i)
                t.bytes[static_cast<std::size_t>(b)][i] = s[i];
        }
        return t;
    }();
    return table;
}

void OutBuffer::makeRoom(std::size_t n) {
    if (m_sink) {
        flush();
        if (m_size >= n) return;
        // Only a row longer than the whole buffer comes here.
        m_buffer = std::make_unique_for_overwrite<char[]>(n);
        m_size = n;
        return;
    }
    const std::size_t size = std::max(2 * m_size, std::max(m_used + n, std::size_t{1} << 16));
    auto grown = std::make_unique_for_overwrite<char[]>(size);
    if (m_used) std::memcpy(grown.get(), m_buffer.get(), m_used);
    m_buffer = std::move(grown);
    m_size = size;
}

}  // namespace tablamo
