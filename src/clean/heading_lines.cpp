#include "clean/heading_lines.h"

#include <algorithm>
#include <cstdint>

#include "clean/table_layout.h"

namespace tablamo::heading_lines {
namespace {

// How a span of an upper line stands over the spans of the line below: flush with one of them
// (it starts or ends where it does, or stands centred within it: "Alış" over "Tarihi"), over
// none, or over one without being flush.
enum class Stand { Flush, OverNone, Astray };

Stand standOf(const std::pair<std::size_t, std::size_t>& word, const Spans& below,
              bool wider = false) {
    bool over = false;
    for (const auto& w : below) {
        if (w.first == word.first || w.second == word.second) return Stand::Flush;
        // With `wider`, a shorter one centred under it too ("Demirbaş" over "No").
        const bool within = w.first < word.first && word.second < w.second;
        if (within || (wider && word.first < w.first && w.second < word.second)) {
            const std::size_t left = within ? word.first - w.first : w.first - word.first;
            const std::size_t right = within ? w.second - word.second : word.second - w.second;
            if (left <= right + 1 && right <= left + 1) return Stand::Flush;
        }
        over |= w.first < word.second && word.first < w.second;
    }
    return over ? Stand::Astray : Stand::OverNone;
}

// Whether a byte is a lower-case letter of code page 857 (ASCII's, ç ü é â ı ö û ş ğ).
bool isLower857(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == 0x87 || c == 0x81 || c == 0x82 || c == 0x83 ||
           c == 0x8D || c == 0x94 || c == 0x96 || c == 0x9F || c == 0xA7;
}

bool isUpper857(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || c == 0x80 || c == 0x9A || c == 0x99 || c == 0x9E ||
           c == 0xA6 || c == 0x98;
}

}  // namespace

// The words of a line: where each starts and ends (0-based, the end exclusive).
std::vector<std::pair<std::size_t, std::size_t>> wordsOf(std::string_view line) {
    std::vector<std::pair<std::size_t, std::size_t>> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (static_cast<unsigned char>(line[i]) <= 0x20) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && static_cast<unsigned char>(line[i]) > 0x20) ++i;
        words.emplace_back(start, i);
    }
    return words;
}

// The texts of a line: its words, those one blank apart taken together ("ÖNCEKİ YILLAR").
Spans textsOf(const Spans& words) {
    Spans texts;
    for (const auto& w : words) {
        if (!texts.empty() && w.first == texts.back().second + 1) {
            texts.back().second = w.second;
        } else {
            texts.push_back(w);
        }
    }
    return texts;
}

// Whether the words of `upper` stand flush over those of `lower`, or over none, and some
// flush: each text of words one blank apart by its words, or as a whole over the words or
// texts below ("ÖNCEKİ YILLAR" ending where "AMORTİSMANI" does, beside "Maliyet Amortisman"
// over "Bedeli Oranı" word by word); as a whole, a shorter one centred under it is flush too
// ("Demirbaş" over "No"), not under one word of several ("EKSTRESİ" over "FİŞ").
bool flushOver(std::string_view upper, std::string_view lower) {
    const Spans up = wordsOf(upper), below = wordsOf(lower), belowTexts = textsOf(below);
    bool any = false;
    std::size_t w = 0;
    for (const auto& text : textsOf(up)) {
        bool words = true, wordsFlush = false;
        for (; w < up.size() && up[w].second <= text.second; ++w) {
            const Stand s = standOf(up[w], below);
            words &= s != Stand::Astray;
            wordsFlush |= s == Stand::Flush;
        }
        Stand whole = standOf(text, belowTexts, true);
        if (whole != Stand::Flush && standOf(text, below, true) == Stand::Flush)
            whole = Stand::Flush;
        if (!words && whole == Stand::Astray) return false;
        any |= (words && wordsFlush) || whole == Stand::Flush;
    }
    return any;
}

// Whether the words of `upper` stand over the table's columns as headings do: each within
// one column, and over two columns or more ("Gelir V." over "Matrahı", "TL" over "Bakiye",
// however each line aligns its words). A title over the headings runs over the columns'
// boundaries or stands over one column alone.
bool standsOverColumns(std::string_view upper, const TableLayout& t) {
    int firstColumn = -1;
    bool several = false;
    for (const auto& [a, b] : wordsOf(upper)) {
        int column = -1;
        for (int k = 0; k < t.fields.count && column < 0; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            const std::size_t from = std::max<std::uint32_t>(t.fields.from[idx], 1) - 1;
            // Only the columns of the table line: the settings' further widths are none.
            if (from >= t.tableText.size()) break;
            // The character LedgerMarks split off belongs to the column before it.
            const std::size_t to = from + t.fields.length[idx] + (k + 1 == t.splitField);
            if (a >= from && b <= to) column = k;
        }
        if (column < 0) return false;
        if (firstColumn < 0) firstColumn = column;
        several |= column != firstColumn;
    }
    return several;
}

// Whether a line over the headings is the table's title, not one more line of them: it
// begins at the table's left edge, and a word of it runs over two columns (two characters or
// more of each) or it prints capitals alone over headings printed in small letters ("MİZAN"
// over "Hesap"). A heading over two columns ("BAKİYE" over "Borç" and "Alacak") stands
// further right.
bool titleOver(std::string_view upper, const TableLayout& t, std::string_view headings) {
    const auto words = wordsOf(upper);
    const std::size_t edge = std::max<std::uint32_t>(t.fields.from[0], 1) - 1 +
                             static_cast<std::size_t>(std::max(t.runFrom[0], 0));
    if (words.empty() || words.front().first > edge) return false;
    for (const auto& [a, b] : words) {
        int covered = 0;
        for (int k = 0; k < t.fields.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            const std::size_t from = std::max<std::uint32_t>(t.fields.from[idx], 1) - 1;
            if (from >= t.tableText.size()) break;
            const std::size_t runFrom = from + static_cast<std::size_t>(t.runFrom[idx]);
            const std::size_t runTo = from + static_cast<std::size_t>(t.runTo[idx]) + 1;
            const std::size_t lo = std::max(a, runFrom), hi = std::min(b, runTo);
            covered += hi >= lo + 2;
        }
        if (covered >= 2) return true;
    }
    const auto any = [](std::string_view line, bool (*is)(unsigned char)) {
        return std::any_of(line.begin(), line.end(),
                           [is](char c) { return is(static_cast<unsigned char>(c)); });
    };
    return any(upper, isUpper857) && !any(upper, isLower857) && any(headings, isLower857);
}

}  // namespace tablamo::heading_lines
