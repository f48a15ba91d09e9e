#include "export/out_buffer.h"

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

}  // namespace tablamo
