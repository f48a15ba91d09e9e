#include "export/column_fit.h"

#include <algorithm>

#include "core/grid.h"

namespace tablamo {

namespace {

// The room a Windows-1254 character takes in a proportional font, in digits' widths.
double charRoom(unsigned char c) {
    if (c == ' ') return 0.5;
    if (c >= '0' && c <= '9') return 1.0;
    if ((c >= 'A' && c <= 'Z') || c == 0xC7 || c == 0xD0 || c == 0xDD || c == 0xD6 || c == 0xDE ||
        c == 0xDC)
        return c == 'I' || c == 0xDD ? 0.6 : (c == 'M' || c == 'W' ? 1.4 : 1.1);
    if (c == 'i' || c == 'l' || c == 'j' || c == 0xFD || c == '.' || c == ',' || c == ':' ||
        c == ';' || c == '\'' || c == '!' || c == '|')
        return 0.45;
    if (c == 'm' || c == 'w') return 1.35;
    return 0.9;
}

}  // namespace

std::vector<ColumnFit> columnFits(const Grid& grid, int rows) {
    // No character takes more room than this many digits.
    constexpr double kRoomiest = 1.4;
    const int columns = grid.colCount();
    std::vector<ColumnFit> fits(static_cast<std::size_t>(columns > 1 ? columns - 1 : 0));
    const int last = rows < 0 || rows >= grid.rowCount() ? grid.rowCount() - 1 : rows;
    Grid::RowCells cells;
    for (int r = 1; r <= last; ++r) {
        grid.readRow(r, cells);
        for (std::size_t c = 1; c < cells.size() && c <= fits.size(); ++c) {
            const std::string_view cell = cells[c];
            ColumnFit& fit = fits[c - 1];
            // Neither the text nor a word of it can win: the text's room is the word's at least.
            if (static_cast<double>(cell.size()) * kRoomiest <= fit.wordRoom) continue;
            double room = 0, word = 0;
            std::size_t start = 0;
            for (std::size_t i = 0; i <= cell.size(); ++i) {
                if (i < cell.size() && cell[i] != ' ') {
                    word += charRoom(static_cast<unsigned char>(cell[i]));
                    continue;
                }
                if (word > fit.wordRoom) {
                    fit.word = cell.substr(start, i - start);
                    fit.wordRoom = word;
                }
                room += word + (i < cell.size() ? charRoom(' ') : 0);
                word = 0;
                start = i + 1;
            }
            if (room > fit.textRoom) {
                fit.text = cell;
                fit.textRoom = room;
            }
        }
    }
    return fits;
}

int groupedLength(std::string_view amount) {
    int digits = 0;
    for (const char c : amount) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == ',' || c == '.') {
            break;
        }
    }
    return static_cast<int>(amount.size()) + (digits > 0 ? (digits - 1) / 3 : 0);
}

double textRoom(std::string_view text) {
    double room = 0;
    for (const char c : text) room += charRoom(static_cast<unsigned char>(c));
    return room;
}

int wrappedLines(std::string_view text, double width, bool bold) {
    // The cell's inner room: a column keeps a little margin on either side.
    const double room = std::max(1.0, width - 1.0) / (bold ? 1.1 : 1.0);
    int lines = 1;
    double used = 0;  // on the current line
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            used += charRoom(' ');
            ++i;
            continue;
        }
        std::size_t end = i;
        double word = 0;
        while (end < text.size() && text[end] != ' ')
            word += charRoom(static_cast<unsigned char>(text[end++]));
        if (used > 0 && used + word > room) {
            ++lines;  // the word starts the next line
            used = 0;
        }
        // A word wider than the column fills lines of its own.
        while (word > room) {
            ++lines;
            word -= room;
        }
        used += word;
        i = end;
    }
    return lines;
}

}  // namespace tablamo
