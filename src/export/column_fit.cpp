#include "export/column_fit.h"

#include <algorithm>

#include "core/grid.h"

namespace tablamo {

std::vector<ColumnFit> columnFits(const Grid& grid, int rows) {
    const int columns = grid.colCount();
    std::vector<ColumnFit> fits(static_cast<std::size_t>(columns > 1 ? columns - 1 : 0));
    const int last = rows < 0 || rows >= grid.rowCount() ? grid.rowCount() - 1 : rows;
    for (int r = 1; r <= last; ++r) {
        const Grid::RowCells cells = grid.row(r);
        for (std::size_t c = 1; c < cells.size() && c <= fits.size(); ++c) {
            const std::string_view cell = cells[c];
            ColumnFit& fit = fits[c - 1];
            if (cell.size() <= fit.word.size()) continue;  // neither it nor a word of it wins
            if (cell.size() > fit.text.size()) fit.text = cell;
            std::size_t start = 0;
            for (std::size_t i = 0; i <= cell.size(); ++i) {
                if (i < cell.size() && cell[i] != ' ') continue;
                if (i - start > fit.word.size()) fit.word = cell.substr(start, i - start);
                start = i + 1;
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
