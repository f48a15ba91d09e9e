#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "clean/table_layout.h"
#include "core/dos_text.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

// A letter of a DOS report: ASCII's or one of code page 857's above it that draws no frame.
bool isLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return ((b | 0x20) >= 'a' && (b | 0x20) <= 'z') || (b >= 0x80 && !isBoxByte(b));
}

}  // namespace

bool marksHeading(std::string_view word) {
    std::string letters;
    for (const char c : word) {
        if (c == 'B' || c == 'A') {
            letters += c;
        } else if (c != '/' && c != '-' && c != '(' && c != ')') {
            return false;
        }
    }
    return !letters.empty() && letters.size() <= 2;
}

std::vector<std::string> fieldHeadings(const ReportText& text, const TableLayout& table,
                                       const std::vector<int>& kept) {
    std::vector<std::string> headings(kept.size());
    auto spanOf = [&](int k) {
        const auto idx = static_cast<std::size_t>(k);
        const std::int64_t from = std::max<std::uint32_t>(table.fields.from[idx], 1);
        return std::pair<std::int64_t, std::int64_t>(from, from + table.fields.length[idx] - 1);
    };
    // Where field k's values end (1-based); none for a field not kept.
    auto closedAt = [&](int k) -> std::int64_t {
        if (k < 0) return -1;
        return spanOf(k).first + table.runTo[static_cast<std::size_t>(k)];
    };
    // The marks split off an amount.
    auto marksAt = [&](std::size_t c) {
        return kept[c] == table.splitField ||
               (kept[c] >= 0 && table.gluedMarks[static_cast<std::size_t>(kept[c])]);
    };
    for (const int h : table.headingLines) {
        const std::string_view line = text.line(h);
        std::size_t i = 0;
        // The column the word before went to, and where it ended: a word one blank after it
        // flush with no column and over no column's values goes on its text ("KDV Oranı"
        // over a rate's column, though "Oranı" stands over the next column's blanks).
        // A word ending flush with the right of wider values under it ends its text: the
        // next word begins another ("Net Satış Prim Oranı" over an amount and a rate's
        // column); one flush with both ends of its values ("Belge" over "12345") may not.
        int before = -1;
        std::size_t beforeEnd = 0;
        bool beforeClosed = false;
        while (i < line.size()) {
            auto blankAt = [&](std::size_t p) {
                const auto b = static_cast<unsigned char>(line[p]);
                return b <= 0x20 || isBoxByte(b) || line[p] == '|' ||
                       (table.fields.bar != 0 && line[p] == table.fields.bar);
            };
            if (blankAt(i)) {
                ++i;
                continue;
            }
            const std::size_t start = i;
            while (i < line.size() && !blankAt(i)) ++i;
            // A word printed letter by letter ("T O P L A M", "B  A  K  I  Y  E") is one word,
            // and the heading of every column it stands over.
            std::string spaced;
            if (i == start + 1 && isLetter(line[start])) {
                spaced = line[start];
                std::size_t end = i;
                while (true) {
                    std::size_t next = end;
                    while (next < line.size() && line[next] == ' ' && next - end < 3) ++next;
                    const std::size_t gap = next - end;
                    if (gap == 0 || gap > 2 || next >= line.size() || !isLetter(line[next]) ||
                        (next + 1 < line.size() && !blankAt(next + 1)))
                        break;
                    spaced += line[next];
                    end = next + 1;
                }
                if (spaced.size() >= 3) {
                    i = end;
                } else {
                    spaced.clear();
                }
            }
            // The word covers positions start + 1 to i (1-based).
            const std::int64_t a = static_cast<std::int64_t>(start) + 1,
                               b = static_cast<std::int64_t>(i);
            if (!spaced.empty()) {
                const std::string word = DosToWinLetters(spaced);
                for (std::size_t c = 0; c < kept.size(); ++c) {
                    const auto [from, to] = spanOf(kept[c]);
                    if (std::min(b, to) < std::max(a, from)) continue;
                    std::string& heading = headings[c];
                    if (!heading.empty()) heading += ' ';
                    heading += word;
                }
                continue;
            }
            int best = -1;
            std::int64_t bestOverlap = 0;
            // A word over a column it ends flush with (a right-aligned column's values or run)
            // or begins flush with heads it, wherever else it reaches, when that column is the
            // only one ("Çalışılan" over "Gün" over the days worked, not over the last day's
            // marks it reaches into).
            int flush = -1;
            // Marks glued to the column before (B/A) are headed by no word of its.
            auto gluedOn = [&](std::size_t c) {
                const auto idx = static_cast<std::size_t>(kept[c]);
                return idx > 0 && table.runFrom[idx] == table.runTo[idx] && b > a &&
                       spanOf(kept[c] - 1).first + table.runTo[idx - 1] + 1 ==
                           spanOf(kept[c]).first + table.runFrom[idx];
            };
            for (std::size_t c = 0; c < kept.size() && flush != -2; ++c) {
                const auto [from, to] = spanOf(kept[c]);
                if (std::min(b, to) < std::max(a, from) || marksAt(c) || gluedOn(c)) continue;
                const auto idx = static_cast<std::size_t>(kept[c]);
                if (a == from + table.runFrom[idx] || b == from + table.runTo[idx])
                    flush = flush == -1 ? static_cast<int>(c) : -2;
            }
            for (std::size_t c = 0; c < kept.size() && flush < 0; ++c) {
                const auto [from, to] = spanOf(kept[c]);
                const std::int64_t overlap = std::min(b, to) - std::max(a, from) + 1;
                if (overlap <= 0) continue;
                // The marks split off an amount take the marks' own heading ("B/A") and a word
                // that stands over them mostly, not the amount's heading that ends over its
                // glued mark.
                if (marksAt(c) &&
                    (marksHeading(line.substr(start, i - start)) || 2 * overlap > b - a + 1)) {
                    best = static_cast<int>(c);
                    break;
                }
                // A tie goes to the later column, unless that is the marks split off or glued on.
                if (overlap > bestOverlap ||
                    (overlap == bestOverlap && !marksAt(c) && !gluedOn(c))) {
                    best = static_cast<int>(c);
                    bestOverlap = overlap;
                }
            }
            if (flush >= 0) best = flush;
            // One blank past the values of a column whose heading ended flush with them, in
            // its field left of the next column's values: the next column's ("Prim" of "Prim
            // Oranı" over a rate's values that begin further right).
            if (flush == -1 && beforeClosed && best == before && start == beforeEnd + 1 &&
                static_cast<std::size_t>(best) + 1 < kept.size() &&
                a > closedAt(kept[static_cast<std::size_t>(best)]))
                best = before + 1;
            if (flush == -1 && before >= 0 && start == beforeEnd + 1 && !beforeClosed) {
                bool overValues = false;
                for (std::size_t c = 0; c < kept.size() && !overValues; ++c) {
                    const auto idx = static_cast<std::size_t>(kept[c]);
                    const std::int64_t from = spanOf(kept[c]).first;
                    overValues = std::min(b, from + table.runTo[idx]) >=
                                 std::max(a, from + table.runFrom[idx]);
                }
                if (!overValues) best = before;
            }
            before = best;
            beforeEnd = i;
            beforeClosed = best >= 0 && kept[static_cast<std::size_t>(best)] >= 0 &&
                           b == closedAt(kept[static_cast<std::size_t>(best)]) &&
                           a > spanOf(kept[static_cast<std::size_t>(best)]).first +
                                   table.runFrom[static_cast<std::size_t>(
                                       kept[static_cast<std::size_t>(best)])];
            if (best < 0) continue;
            std::string& heading = headings[static_cast<std::size_t>(best)];
            const std::string_view word = line.substr(start, i - start);
            // Digits one over another over a narrow column are one number read top down ("1"
            // over "0": the tenth day of an attendance sheet).
            const auto digits = [](std::string_view w) {
                return !w.empty() && std::all_of(w.begin(), w.end(),
                                                 [](char ch) { return ch >= '0' && ch <= '9'; });
            };
            if (!heading.empty() && !(word.size() == 1 && digits(word) && digits(heading)))
                heading += ' ';
            heading += DosToWinLetters(word);
        }
    }
    return headings;
}

}  // namespace tablamo
