#pragma once
/// The words of a printed line, and the keys (dates, codes, numbers) of a line that looks like
/// a record: what the column finder reads the evidence lines by.

#include <cstddef>
#include <string_view>

namespace tablamo::printed {

inline bool isBlankByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
/// A frame's upright: "|", or a box's single or double one.
inline bool isUpright(char c) {
    const auto b = static_cast<unsigned char>(c);
    return c == '|' || b == 0xB3 || b == 0xBA;
}
/// What parts the words of a record: a blank, or a frame's upright (a frame drawn tight
/// around its cells: "│252.0001│İDARİ BİNA│").
inline bool partsWords(char c) { return isBlankByte(c) || isUpright(c); }
/// Whether a line prints a frame's upright anywhere.
inline bool printsUpright(std::string_view line) {
    for (const char c : line) {
        if (isUpright(c)) return true;
    }
    return false;
}

struct Word {
    std::size_t from, to;  // to exclusive
};

/// Calls `each` with every run of non-blank bytes of the line (of bytes that are neither
/// blank nor `parts` says part words).
template <class Each, class Parts = bool (*)(char)>
void eachWord(std::string_view line, Each&& each, Parts parts = isBlankByte) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (parts(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && !parts(line[i])) ++i;
        each(Word{start, i});
    }
}

/// Whether the line's words start with a field's label ("Hesap Kodu : 120.01"): a block or a
/// page header's line, never a record.
bool labelFirst(std::string_view line);

/// How many keys (dates, codes, numbers) a line that looks like a record prints; -1 for a line
/// that does not.
int recordKeys(std::string_view line);

}  // namespace tablamo::printed
