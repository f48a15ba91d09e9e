#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/column_finder.h"
#include "clean/date_reading.h"
#include "clean/record_keys.h"
#include "clean/table_finder_detail.h"
#include "clean/table_layout.h"
#include "clean/total_label.h"
#include "clean/value_reading.h"
#include "core/dos_text.h"
#include "core/report_text.h"

// Where another table begins inside one found: at headings over records that the table's own
// columns, kinds, uprights or headings do not fit.

namespace tablamo::finder_detail {
namespace {

// How many of the boundaries between the fields `widths` cut lines by a word of `line` runs
// over: a record of another table's columns runs over some. A frame's upright parts words
// as a blank does (a frame drawn tight around its cells: "3│13785").
int crossings(std::string_view raw, const std::vector<std::int32_t>& widths) {
    const std::string_view line = withoutFormFeed(raw);
    int n = 0;
    std::size_t at = 0;
    for (std::size_t k = 0; k + 1 < widths.size(); ++k) {
        at += static_cast<std::size_t>(std::max(widths[k], 0));
        if (at == 0 || at >= line.size()) break;
        n += !printed::partsWords(line[at - 1]) && !printed::partsWords(line[at]);
    }
    return n;
}

// Whether two lines print the same words but for their numbers ("Sf.   1" and "Sf.  12", a
// date): a page header's line and the same line over the next page.
bool sameButNumbers(std::string_view a, std::string_view b) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            while (i < a.size() && digit(a[i])) ++i;
            while (j < b.size() && digit(b[j])) ++j;
            continue;
        }
        // A wider number moves the rest of its line by a place or two.
        if (a[i] != b[j]) {
            if (a[i] != ' ' && b[j] != ' ') return false;
            (a[i] == ' ' ? i : j) += 1;
            continue;
        }
        ++i;
        ++j;
    }
    return i == a.size() && j == b.size();
}

// What a field of a record prints: a month ("OCAK 2024") is no day's date.
enum class Printed : std::uint8_t { Nothing, Date, Month, Amount, Other };

// What each field `widths` cut prints of `line`.
void printedFields(std::string_view raw, const std::vector<std::int32_t>& widths,
                   std::vector<Printed>& out) {
    const YearWindow years(Date{2000, 1, 1});
    const std::string_view line = withoutFormFeed(raw);
    out.assign(widths.size(), Printed::Nothing);
    std::size_t at = 0;
    for (std::size_t k = 0; k < widths.size() && at < line.size(); ++k) {
        const std::string_view field =
            TrimControl(line.substr(at, static_cast<std::size_t>(std::max(widths[k], 0))));
        at += static_cast<std::size_t>(std::max(widths[k], 0));
        if (field.empty()) continue;
        if (dateOrdersOf(field, years)) {
            out[k] = field.front() >= '0' && field.front() <= '9' ? Printed::Date : Printed::Month;
        } else {
            // Whole numbers too, a code's nought first or not: a quantity of 988 under one
            // of 1.375 prints the same, so does document 085935 under 107376.
            const bool digits = std::all_of(field.begin(), field.end(),
                                            [](char c) { return c >= '0' && c <= '9'; });
            out[k] = digits || amountFormOf(field).valid ? Printed::Amount : Printed::Other;
        }
    }
}

// How many amounts a line prints: words with decimals or grouped thousands.
int amountWords(std::string_view line) {
    int n = 0;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t from = line.find_first_not_of(' ', at);
        if (from == std::string_view::npos) break;
        const std::size_t to = std::min(line.find(' ', from), line.size());
        const AmountForm a = amountFormOf(line.substr(from, to - from));
        n += a.valid && (a.decimal || a.grouping || a.ambiguous);
        at = to;
    }
    return n;
}

// What the records of a table print, of up to 20 of those over `line` after `tableLine`:
// in each field what nearly every one prints (four in five: a line of words among them,
// "GEÇEN YIL AYNI DÖNEM", changes nothing), Other where they differ, nothing known (empty)
// without three; and the most amounts one prints.
struct Steady {
    std::vector<Printed> fields;
    int mostAmounts = 0;
};

Steady steadyFields(const ReportText& text, int tableLine, int line,
                    const std::vector<std::int32_t>& widths) {
    constexpr int kLooked = 20;
    constexpr auto kKinds = static_cast<std::size_t>(Printed::Other) + 1;
    std::vector<std::array<int, kKinds>> counts(widths.size());
    std::vector<Printed> mine;
    Steady steady;
    int records = 0;
    for (int i = line - 1; i > tableLine && records < kLooked; --i) {
        const std::string_view record = withoutFormFeed(text.line(i));
        if (!looksLikeRecord(record)) continue;
        ++records;
        steady.mostAmounts = std::max(steady.mostAmounts, amountWords(record));
        printedFields(text.line(i), widths, mine);
        for (std::size_t k = 0; k < mine.size(); ++k)
            ++counts[k][static_cast<std::size_t>(mine[k])];
    }
    if (records < 3) return steady;
    steady.fields.assign(widths.size(), Printed::Other);
    for (std::size_t k = 0; k < widths.size(); ++k) {
        for (std::size_t p = 0; p < kKinds; ++p) {
            if (5 * counts[k][p] >= 4 * records) steady.fields[k] = static_cast<Printed>(p);
        }
    }
    return steady;
}

// Whether a record prints other than a date, month or amount where every record of `steady`
// prints one.
bool breaksSteady(std::string_view line, const std::vector<std::int32_t>& widths,
                  const std::vector<Printed>& steady) {
    std::vector<Printed> mine;
    printedFields(line, widths, mine);
    for (std::size_t k = 0; k < steady.size(); ++k) {
        if (steady[k] != Printed::Nothing && steady[k] != Printed::Other && mine[k] != steady[k])
            return true;
    }
    return false;
}

// Whether a line of headings is another table's: most of its words are none of those the
// table's own heading lines print (a page's headings repeat the table's).
bool othersHeadings(std::string_view line, const std::vector<std::string>& headings) {
    int words = 0, shared = 0;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t from = line.find_first_not_of(" \f", at);
        if (from == std::string_view::npos) break;
        const std::size_t to = std::min(line.find(' ', from), line.size());
        const std::string_view word = line.substr(from, to - from);
        at = to;
        if (word.size() < 2) continue;
        ++words;
        shared += std::any_of(headings.begin(), headings.end(), [&](const std::string& h) {
            for (std::size_t p = h.find(word); p != std::string::npos; p = h.find(word, p + 1)) {
                const bool starts = p == 0 || h[p - 1] == ' ';
                const bool ends = p + word.size() == h.size() || h[p + word.size()] == ' ';
                if (starts && ends) return true;
            }
            return false;
        });
    }
    return words > 0 && 2 * shared < words;
}

}  // namespace

int dataTableStart(const ReportText& text, int tableLine, int from, int to, int end,
                   const std::vector<std::int32_t>& widths,
                   const std::vector<std::string>& headings, bool framed) {
    constexpr int kLookedRecords = 3, kLookedLines = 20, kOwnHeadingLines = 3, kHeaderLines = 40;
    for (int j = from; j < to; ++j) {
        const std::string_view line = text.line(j);
        if (!mayHead(line) || wordGroups(line) < 2) continue;
        const std::string key(repeatKey(line));
        if (std::find(headings.begin(), headings.end(), key) != headings.end()) continue;
        // Words alone, no number among them, nor a figure or a code first (a code's line of
        // counts, an account with nothing posted: "257 BİRİKMİŞ AMORTİSMANLAR (-)", an item's
        // line over its moves: "HRD.0105  SUNTA VİDASI 4x40  ADET" heads nothing).
        const std::string_view words = withoutFormFeed(line);
        if (opensWithCode(line)) continue;
        bool others = !headings.empty() && numberWords(words) == 0 && !looksLikeRecord(words) &&
                      ((wordGroups(line) >= 4 &&
                        words.find_first_of("0123456789") == std::string_view::npos) ||
                       !isTotalLabel(DosToWinLetters(line), false)) &&
                      othersHeadings(line, headings);
        // A heading line of the table's own right under it: the page's headings again.
        for (int h = j + 1; others && h < end && h <= j + kOwnHeadingLines; ++h)
            others = std::find(headings.begin(), headings.end(), repeatKey(text.line(h))) ==
                     headings.end();
        int records = 0, across = 0, unsteady = 0, more = 0, unframed = 0;
        std::optional<Steady> steady;
        for (int i = j + 1; i < end && records < kLookedRecords && i <= j + kLookedLines; ++i) {
            const std::string_view next = text.line(i);
            if (!looksLikeRecord(withoutFormFeed(next))) continue;
            ++records;
            unframed += framed && !printed::printsUpright(next);
            across += crossings(next, widths) > 0;
            if (!steady) steady = steadyFields(text, tableLine, j, widths);
            unsteady += breaksSteady(next, widths, steady->fields);
            // Two amounts more than any record before prints (a loan plan after a journal).
            more += steady->mostAmounts > 0 &&
                    amountWords(withoutFormFeed(next)) >= steady->mostAmounts + 2;
        }
        if (records >= 2 && (2 * across > records || unsteady == records || more == records ||
                             unframed == records || others)) {
            // The page header printed again over the next page ("M U A V İ N  D E F T E R İ")
            // begins none.
            bool header = false;
            for (int h = 0; h < std::min(tableLine, kHeaderLines) && !header; ++h)
                header = sameButNumbers(repeatKey(text.line(h)), key);
            if (!header) return j;
        }
    }
    return -1;
}

}  // namespace tablamo::finder_detail
