#include "clean/column_finder.h"

#include <algorithm>
#include <unordered_map>

#include "clean/date_reading.h"
#include "clean/record_keys.h"
#include "clean/table_layout.h"
#include "clean/total_label.h"
#include "clean/value_reading.h"
#include "core/dos_text.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

// Lines enough to read the columns by.
constexpr int kMostEvidence = 20000;
// The total lines a list of one record is read with.
constexpr std::size_t kTotalsOfOne = 3;
// The widest a field past the last column reaches: any line's end.
constexpr std::int32_t kToTheEnd = 4096;

using printed::eachWord;
using printed::isBlankByte;
using printed::isDigit;
using printed::labelFirst;
using printed::recordKeys;
using printed::Word;

bool isLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return ((b | 0x20) >= 'a' && (b | 0x20) <= 'z') || (b >= 0x80 && !(b >= 0xB0 && b <= 0xDF));
}

// The lines of the range that may be evidence: not blank, no rule, no heading line printed
// again on every page, none that repeats word for word (a page header's title).
std::vector<int> candidateLines(const ReportText& text, int from, int end,
                                const std::vector<std::string_view>& headings) {
    std::unordered_map<std::string_view, int> printed;
    std::vector<int> lines;
    for (int i = from; i < end && static_cast<int>(lines.size()) < 4 * kMostEvidence; ++i) {
        const std::string_view line = repeatKey(text.line(i));
        if (line.empty() || isRuleLike(line)) continue;
        if (std::find(headings.begin(), headings.end(), line) != headings.end()) continue;
        ++printed[line];
        lines.push_back(i);
    }
    std::vector<int> kept;
    for (const int i : lines) {
        if (printed[repeatKey(text.line(i))] < 3) kept.push_back(i);
    }
    return kept;
}

// The positions a heading line's words cover, as [from, to) pairs.
std::vector<Word> headingWords(const ReportText& text, const std::vector<int>& headings) {
    std::vector<Word> words;
    for (const int h : headings) {
        eachWord(repeatKey(text.line(h)), [&](Word w) { words.push_back(w); });
    }
    return words;
}

// Whether the headings stand a word over each of two neighbouring columns and none over both;
// over two columns of words, no heading of words one blank apart over both ("Gider Adı" over
// "Yol ve konaklama").
bool headingsPart(const std::vector<Word>& words, const FoundColumn& a, const FoundColumn& b,
                  bool texts) {
    bool overA = false, overB = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        const int from = static_cast<int>(w.from), to = static_cast<int>(w.to) - 1;
        if (from <= a.to && to >= b.from) return false;  // one word over both
        if (texts && i > 0 && w.from == words[i - 1].to + 1 &&
            static_cast<int>(words[i - 1].from) <= a.to && to >= b.from)
            return false;
        overA |= to >= a.from && from <= a.to;
        overB |= to >= b.from && from <= b.to;
    }
    return overA && overB;
}

// Whether what the lines print from `from` to `to` is `Kind` (nearly) wherever it is filled.
template <class Kind>
bool readsAs(const std::vector<std::string_view>& lines, int from, int to, Kind is) {
    int filled = 0, kind = 0;
    for (const std::string_view line : lines) {
        if (static_cast<std::size_t>(from) >= line.size()) continue;
        std::string_view part =
            line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from + 1));
        while (!part.empty() && isBlankByte(part.front())) part.remove_prefix(1);
        while (!part.empty() && isBlankByte(part.back())) part.remove_suffix(1);
        if (part.empty()) continue;
        ++filled;
        kind += is(part);
    }
    return filled > 0 && 10 * kind >= 9 * filled;
}

// Whether what the lines print from `from` to `to` reads as a date wherever it is filled.
bool readsAsDates(const std::vector<std::string_view>& lines, int from, int to) {
    const YearWindow years(Date{2000, 1, 1});
    return readsAs(lines, from, to,
                   [&](std::string_view part) { return dateOrdersOf(part, years) != 0; });
}

// Whether it reads as a document number with its series ("A 053000") wherever it is filled.
bool readsAsSeries(const std::vector<std::string_view>& lines, int from, int to) {
    return readsAs(lines, from, to, [](std::string_view part) { return isSeriesNumber(part); });
}

// Whether most values that end at `at` end with a B/A mark right after a digit.
bool gluedMarks(const std::vector<std::string_view>& lines, int at) {
    const auto p = static_cast<std::size_t>(at);
    int ending = 0, marks = 0;
    for (const std::string_view line : lines) {
        if (p >= line.size() || isBlankByte(line[p])) continue;
        ++ending;
        marks += (line[p] == 'B' || line[p] == 'A') && p > 0 && isDigit(line[p - 1]);
    }
    return marks > 0 && 10 * marks >= 9 * ending;
}

}  // namespace

FoundColumns findColumns(const ReportText& text, int from, int end,
                         const std::vector<int>& headings) {
    FoundColumns found;
    end = std::min(end, text.lineCount());
    std::vector<std::string_view> headingTexts;
    for (const int h : headings) headingTexts.push_back(repeatKey(text.line(h)));
    const std::vector<int> candidates = candidateLines(text, from, end, headingTexts);

    // The evidence: the records for sure; without two of them, every line with a figure
    // among its words (a sheet of day marks and counts). Where records begin with a key, a
    // line of words and amounts alone ("GEÇEN YIL AYNI DÖNEM") is none: its words run over
    // the key's column. One that begins with figures is (153.04, a code read as an amount).
    const auto digitFirst = [](std::string_view line) {
        const std::size_t at = line.find_first_not_of(' ');
        return at != std::string_view::npos && isDigit(line[at]);
    };
    std::vector<std::string_view> evidence, keyless, totals;
    int keyFirst = 0;
    for (const int i : candidates) {
        const std::string_view line = repeatKey(text.line(i));
        const int keys = recordKeys(line);
        if (keys < 0) {
            if (totals.size() < kTotalsOfOne && isTotalLabel(DosToWinLetters(line), false))
                totals.push_back(line);
            continue;
        }
        if (keys == 0 && !digitFirst(line)) {
            keyless.push_back(line);
        } else {
            evidence.push_back(line);
            keyFirst += keys > 0 && digitFirst(line);
        }
        if (static_cast<int>(std::max(evidence.size(), keyless.size())) >= kMostEvidence) break;
    }
    if (keyFirst < 2) {
        for (const std::string_view line : keyless) {
            if (static_cast<int>(evidence.size()) >= kMostEvidence) break;
            evidence.push_back(line);
        }
    }
    const bool oneRecord = evidence.size() == 1;
    if (evidence.empty()) {
        evidence.clear();
        for (const int i : candidates) {
            const std::string_view line = repeatKey(text.line(i));
            int words = 0;
            eachWord(line, [&](Word) { ++words; });
            if (words >= 2 && !labelFirst(line) &&
                std::any_of(line.begin(), line.end(), [](char c) { return isDigit(c); }) &&
                !isTotalLabel(DosToWinLetters(line), false)) {
                evidence.push_back(line);
            }
            if (static_cast<int>(evidence.size()) >= kMostEvidence) break;
        }
    }
    // A list of one record: its own words are the columns, and its totals' figures (their
    // words blanked) are those of the amounts it leaves empty.
    std::vector<std::string> figures;
    if (evidence.size() == 1) evidence.push_back(evidence.front());
    if (oneRecord) {
        figures.reserve(totals.size());
        for (const std::string_view line : totals) {
            std::size_t first = std::string_view::npos;
            eachWord(line, [&](Word w) {
                const AmountForm a = amountFormOf(line.substr(w.from, w.to - w.from));
                if (first == std::string_view::npos && a.valid && (a.decimal || a.grouping))
                    first = w.from;
            });
            if (first == std::string_view::npos) continue;
            figures.emplace_back(line).replace(0, first, first, ' ');
            evidence.push_back(figures.back());
        }
    }
    if (evidence.size() < 2) return found;
    found.evidence = static_cast<int>(evidence.size());

    std::size_t width = 0;
    for (const std::string_view line : evidence) width = std::max(width, line.size());
    // Per position: the lines that fill it, and those whose word runs on into it from the
    // position before.
    std::vector<int> filled(width + 1, 0), joined(width + 1, 0);
    for (const std::string_view line : evidence) {
        for (std::size_t p = 0; p < line.size(); ++p) {
            const bool here = !isBlankByte(line[p]);
            filled[p] += here;
            joined[p] += here && p > 0 && !isBlankByte(line[p - 1]);
        }
    }

    // The columns: runs of positions that some evidence fills, parted where no line's word
    // runs from one into the next (a text that fills its column up to an amount's room, in a
    // line whose amount is not printed).
    std::vector<FoundColumn> columns;
    for (std::size_t p = 0; p < width;) {
        if (filled[p] == 0) {
            ++p;
            continue;
        }
        FoundColumn c;
        c.from = static_cast<int>(p);
        ++p;
        while (p < width && filled[p] > 0 && joined[p] > 0) ++p;
        c.to = static_cast<int>(p) - 1;
        columns.push_back(c);
    }

    // How each column's values align, and whether they are texts of words.
    std::vector<int> starts(columns.size()), ends(columns.size()), values(columns.size());
    std::vector<int> lettered(columns.size()), counts(columns.size());
    for (const std::string_view line : evidence) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const FoundColumn& c = columns[k];
            int first = -1, last = -1;
            for (int p = c.from; p <= c.to && p < static_cast<int>(line.size()); ++p) {
                if (isBlankByte(line[static_cast<std::size_t>(p)])) continue;
                if (first < 0) first = p;
                last = p;
            }
            if (first < 0) continue;
            ++values[k];
            starts[k] += first == c.from;
            int letters = 0;
            for (int p = first; p <= last; ++p)
                letters += isLetter(line[static_cast<std::size_t>(p)]);
            lettered[k] += letters >= 2;
            // A trailing minus or a closing parenthesis stands one place further right; a
            // word one short of the edge ends short of it.
            ends[k] += last >= c.to - (letters >= 2 ? 0 : 1);
            // A count of a few digits (days, documents), no code's nought first, or a dash
            // for none; an amount with decimals or grouped thousands, no date.
            const std::string_view value = line.substr(static_cast<std::size_t>(first),
                                                       static_cast<std::size_t>(last - first + 1));
            const AmountForm amount = amountFormOf(value);
            counts[k] += (value.size() <= 3 && (value.size() == 1 || value.front() != '0') &&
                          std::all_of(value.begin(), value.end(),
                                      [](char ch) { return ch >= '0' && ch <= '9'; })) ||
                         value == "-" ||
                         (amount.valid && (amount.decimal || amount.grouping) &&
                          dateOrdersOf(value, YearWindow(Date{2000, 1, 1})) == 0);
        }
    }
    for (std::size_t k = 0; k < columns.size(); ++k) {
        columns[k].left = values[k] > 0 && 10 * starts[k] >= 9 * values[k];
        columns[k].right = values[k] > 0 && 10 * ends[k] >= 9 * values[k] && !columns[k].left;
    }

    // A text parted by a single blank that every line happens to leave ("Z raporu 725"
    // under one another, "Satış faturası 4411" over shorter texts), or by none where a longer
    // text ends, is one column, unless the headings name each part; so is a date written with
    // blanks ("5 Mart 2024").
    const std::vector<Word> words = headingWords(text, headings);
    std::vector<FoundColumn> merged;
    std::vector<int> mergedLettered;
    // Counts all of one width (days, documents) stand right, as figures do, unless a text
    // takes them in ("POS slip 1").
    std::vector<bool> counting;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (!merged.empty()) {
            FoundColumn& last = merged.back();
            const FoundColumn& c = columns[k];
            const bool text =
                2 * mergedLettered.back() >= values[k - 1] && last.to - last.from >= 2;
            // A few characters or a number no heading stands over, printed by fewer lines than
            // the text before them: the end of its longest values ("VERGİ VE FONLAR 02"), or
            // the number some of its values end with ("Satış faturası 34460").
            const auto digits = [](std::string_view part) {
                return std::all_of(part.begin(), part.end(),
                                   [](char ch) { return ch >= '0' && ch <= '9'; });
            };
            const bool tail =
                !words.empty() && (c.to - c.from <= 3 || readsAs(evidence, c.from, c.to, digits)) &&
                values[k] < values[k - 1] &&
                std::none_of(words.begin(), words.end(), [&](const Word& w) {
                    return static_cast<int>(w.to) - 1 >= c.from && static_cast<int>(w.from) <= c.to;
                });
            // Words one heading word stands over, whatever their alignment ("Banka masrafı"
            // under "Açıklama").
            const bool spanned = 2 * lettered[k] >= values[k] &&
                                 std::any_of(words.begin(), words.end(), [&](const Word& w) {
                                     return static_cast<int>(w.from) <= last.to &&
                                            static_cast<int>(w.to) - 1 >= c.from;
                                 });
            // A code of one width on every line, a blank, then words ("AM-0501 KOLİ 60x40"):
            // a code column beside a text's.
            const auto code = [](std::string_view part) {
                return part.find(' ') == std::string_view::npos &&
                       std::any_of(part.begin(), part.end(),
                                   [](char ch) { return ch >= '0' && ch <= '9'; });
            };
            const bool codeBeside = last.from == columns[k - 1].from &&
                                    values[k - 1] == values[k] && starts[k - 1] == values[k - 1] &&
                                    ends[k - 1] == values[k - 1] && 2 * lettered[k] >= values[k] &&
                                    readsAs(evidence, last.from, last.to, code);
            const bool parted = (c.right && !tail && !spanned) || codeBeside ||
                                headingsPart(words, last, c, text && 2 * lettered[k] >= values[k]);
            // A day, its month's name and the year: three runs one blank apart.
            if (c.from - last.to <= 2 && k + 1 < columns.size() &&
                columns[k + 1].from - c.to <= 2 &&
                readsAsDates(evidence, last.from, columns[k + 1].to)) {
                last.to = columns[k + 1].to;
                last.left = true;
                last.right = false;
                counting.back() = false;
                ++k;
                continue;
            }
            if (c.from - last.to <= 2 &&
                ((text && !parted) || readsAsDates(evidence, last.from, c.to) ||
                 readsAsSeries(evidence, last.from, c.to))) {
                last.to = c.to;
                last.left = true;
                last.right = false;
                mergedLettered.back() = std::max(mergedLettered.back(), lettered[k]);
                counting.back() = false;
                continue;
            }
        }
        merged.push_back(columns[k]);
        mergedLettered.push_back(lettered[k]);
        counting.push_back(columns[k].left && 10 * ends[k] >= 9 * values[k] &&
                           counts[k] == values[k]);
    }
    for (std::size_t k = 0; k < merged.size(); ++k) {
        if (!counting[k]) continue;
        merged[k].left = false;
        merged[k].right = true;
        merged[k].counts = true;
    }

    // A balance with its B/A mark glued on ("29.285,24A"): the amount one column, the mark
    // another; right-aligned, or all of one width (flush on both sides).
    std::vector<FoundColumn> marked;
    for (const FoundColumn& c : merged) {
        if (c.to > c.from + 1 && gluedMarks(evidence, c.to)) {
            marked.push_back({c.from, c.to - 1, true, false});
            marked.push_back({c.to, c.to, false, true});
        } else {
            marked.push_back(c);
        }
    }
    merged = std::move(marked);

    // The widths: each field from where the one before leaves off; an amount's field takes
    // the blanks before it but one, a left-aligned column's field starts at its values.
    std::vector<int> fieldFrom(merged.size(), 0);
    for (std::size_t k = 1; k < merged.size(); ++k) {
        const FoundColumn& before = merged[k - 1];
        const FoundColumn& c = merged[k];
        fieldFrom[k] = c.right ? std::min(before.to + 2, c.from) : c.from;
    }
    for (std::size_t k = 0; k < merged.size(); ++k) {
        const std::int32_t next = k + 1 < merged.size() ? fieldFrom[k + 1] : kToTheEnd;
        found.widths.push_back(next - fieldFrom[k]);
    }
    // Days all of two digits (or one) fill their own extent: they stand right in the room
    // their field gives them. Wider numbers of one width may be codes ("100", "320"), unless
    // a heading word ends with them and begins before them ("Adedi" over "326").
    for (std::size_t k = 0; k < merged.size(); ++k) {
        const FoundColumn& c = merged[k];
        const bool headedRight = std::any_of(words.begin(), words.end(), [&](const Word& w) {
            return static_cast<int>(w.to) - 1 == c.to && static_cast<int>(w.from) < c.from;
        });
        if (c.counts && (c.to - c.from <= 1 || headedRight)) merged[k].from = fieldFrom[k];
    }
    found.columns = std::move(merged);
    return found;
}

}  // namespace tablamo
