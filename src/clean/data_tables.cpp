#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/column_finder.h"
#include "clean/date_reading.h"
#include "clean/table_finder_detail.h"
#include "clean/table_layout.h"
#include "clean/total_label.h"
#include "clean/value_reading.h"
#include "core/dos_text.h"
#include "core/report_text.h"
#include "core/table_location.h"

namespace tablamo::finder_detail {
namespace {

// The first record of a block of them from `from` on, before `to`: a line that looks like a
// record, with `more` more among the next six lines that are neither blank nor rules.
int firstRecordBlock(const ReportText& text, int from, int to, int more) {
    constexpr int kLooked = 6;
    for (int j = from; j < to; ++j) {
        if (!looksLikeRecord(withoutFormFeed(text.line(j)))) continue;
        int looked = 0, records = 0;
        for (int i = j + 1; i < to && looked < kLooked; ++i) {
            const std::string_view next = text.line(i);
            if (isBlank(next) || isRuleLike(next)) continue;
            ++looked;
            records += looksLikeRecord(withoutFormFeed(next));
        }
        if (records >= more) return j;
    }
    return -1;
}

// The groups of words of a line parted by two blanks or more, a frame's bars blanks too (a
// text going on in one cell of a frame is one group).
int wordGroups(std::string_view raw) {
    const std::string_view line = withoutFormFeed(raw);
    const auto blank = [&](std::size_t i) {
        const auto b = static_cast<unsigned char>(line[i]);
        return b == ' ' || b == '|' || isBoxByte(b);
    };
    int n = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!blank(i) && (i == 0 || (blank(i - 1) && (i < 2 || blank(i - 2))))) ++n;
    }
    return n;
}

// How many words of a line are numbers of two digits or more: a record's code and whole
// numbers ("06108 Ali KURT  X X H  19  8  30"), where headings print words and day numbers.
int numberWords(std::string_view line) {
    int n = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        bool digits = true;
        for (; i < line.size() && line[i] != ' '; ++i) digits &= line[i] >= '0' && line[i] <= '9';
        n += digits && i - start >= 2;
    }
    return n;
}

// A line that may head columns: words without a figure, a field's label, a record's numbers
// or a total's ("STOK KODU TOPLAMI   64   138").
bool mayHead(std::string_view line) {
    if (isBlank(line) || isRuleLike(line) || printsFigure(line) ||
        line.find(':') != std::string_view::npos || !printsLetter(line))
        return false;
    const int numbers = numberWords(line);
    return numbers < 3 && (numbers == 0 || !isTotalLabel(DosToWinText(line), false));
}

// The columns of a table of `location`'s line whose records stand before `end`, read from
// them; false when they give fewer than two.
bool readDataColumns(const ReportText& text, TableLocation& location, int end) {
    const int j = location.line;
    const bool ruled = isRuleLike(text.line(j));
    std::vector<int> headings;
    for (int h = ruled ? j - 1 : j; h >= 0 && h > j - 4 && mayHead(text.line(h)); --h)
        headings.insert(headings.begin(), h);
    const FoundColumns found = findColumns(text, j + 1, end, headings);
    if (found.columns.size() < 2) return false;
    location.widths = found.widths;
    location.runFrom.clear();
    location.runTo.clear();
    std::int32_t from = 0;
    for (std::size_t k = 0; k < found.columns.size(); ++k) {
        location.runFrom.push_back(found.columns[k].from - from);
        location.runTo.push_back(found.columns[k].to - from);
        from += found.widths[k];
    }
    return true;
}

// Whether a total's line, its words and figures, stands within a few lines under record
// `first`, before `to`.
bool totalFollows(const ReportText& text, int first, int to) {
    constexpr int kLooked = 8;
    for (int i = first + 1; i < to && i <= first + kLooked; ++i) {
        const std::string_view line = withoutFormFeed(text.line(i));
        if (printsFigure(line) && isTotalLabel(DosToWinText(line), false)) return true;
    }
    return false;
}

}  // namespace

bool printsLetter(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= 0x80 && !isBoxByte(b));
    });
}

std::optional<TableLocation> dataTable(const ReportText& text, int from, int to) {
    // Three records at least; two under a rule under headings, or with a total under them
    // (a small group's table, a summary of two months).
    int first = firstRecordBlock(text, from, to, 2);
    const bool few = first < 0;
    if (few) first = firstRecordBlock(text, from, to, 1);
    if (first < 0) return std::nullopt;
    // Up from the first record, past the block lines of its group ("VADE : Nisan 2024", "253
    // TESİS, MAKİNE VE CİHAZLAR"), to the rule under the headings or the headings.
    constexpr int kBlockLines = 6;
    int j = first - 1;
    for (int passed = 0; j >= from; --j) {
        const std::string_view line = text.line(j);
        if (isBlank(line)) continue;
        if (isRuleLike(line) || (mayHead(line) && wordGroups(line) >= 2)) break;
        if (++passed > kBlockLines) return std::nullopt;
    }
    if (j < from || (isRuleLike(text.line(j)) && (j == 0 || !mayHead(text.line(j - 1)))) ||
        (few && !isRuleLike(text.line(j)) && !totalFollows(text, first, to)))
        return std::nullopt;
    TableLocation at;
    at.line = j;
    at.format = TableFormat::Data;
    at.separator = "\n";  // parts nothing: the columns are the records'
    at.broader = true;
    if (!readDataColumns(text, at, to)) return std::nullopt;
    return at;
}

namespace {

// How many of the boundaries between the fields `widths` cut lines by a word of `line` runs
// over: a record of another table's columns runs over some.
int crossings(std::string_view raw, const std::vector<std::int32_t>& widths) {
    const std::string_view line = withoutFormFeed(raw);
    int n = 0;
    std::size_t at = 0;
    for (std::size_t k = 0; k + 1 < widths.size(); ++k) {
        at += static_cast<std::size_t>(std::max(widths[k], 0));
        if (at == 0 || at >= line.size()) break;
        n += line[at - 1] != ' ' && line[at] != ' ';
    }
    return n;
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

// Whether a line prints a frame's upright: "|", or a box character drawn on its own.
bool printsUpright(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == '|' || b == 0xB3 || b == 0xBA;
    });
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

// Where a table of columns read from its records begins after `from`, before `to`, inside
// the table over whose records `tableLine` stands, that ends before `end` and that `widths`
// cut: at a line of headings that is none of that table's, over records whose words run
// over that table's columns, that print no date or amount where all that table's records
// print one, or, the table being `framed`, that print none of its uprights; or at headings
// most of whose words the table's own do not print. -1 when none does.
int dataTableStart(const ReportText& text, int tableLine, int from, int to, int end,
                   const std::vector<std::int32_t>& widths,
                   const std::vector<std::string>& headings, bool framed) {
    constexpr int kLookedRecords = 3, kLookedLines = 20, kOwnHeadingLines = 3;
    for (int j = from; j < to; ++j) {
        const std::string_view line = text.line(j);
        if (!mayHead(line) || wordGroups(line) < 2) continue;
        const std::string key(repeatKey(line));
        if (std::find(headings.begin(), headings.end(), key) != headings.end()) continue;
        // Words alone, no number among them, nor a figure first (a code's line of counts).
        const std::string_view words = withoutFormFeed(line);
        const std::size_t first = words.find_first_not_of(' ');
        bool others = !headings.empty() && numberWords(words) == 0 &&
                      first != std::string_view::npos &&
                      !(words[first] >= '0' && words[first] <= '9') && !looksLikeRecord(words) &&
                      !isTotalLabel(DosToWinText(line), false) && othersHeadings(line, headings);
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
            unframed += framed && !printsUpright(next);
            across += crossings(next, widths) > 0;
            if (!steady) steady = steadyFields(text, tableLine, j, widths);
            unsteady += breaksSteady(next, widths, steady->fields);
            // Two amounts more than any record before prints (a loan plan after a journal).
            more += steady->mostAmounts > 0 &&
                    amountWords(withoutFormFeed(next)) >= steady->mostAmounts + 2;
        }
        if (records >= 2 && (2 * across > records || unsteady == records || more == records ||
                             unframed == records || others))
            return j;
    }
    return -1;
}

}  // namespace

// The heading lines over a table's line, right-trimmed: the line itself too when it is no
// rule (a table of columns read from its records, under no rule).
std::vector<std::string> headingsOf(const ReportText& text, const TableLocation& at) {
    std::vector<std::string> headings;
    const int j = at.line;
    const bool ruled = isRuleLike(text.line(j));
    for (int h = ruled ? j - 1 : j; h >= 0 && h > j - 4 && mayHead(text.line(h)); --h)
        headings.emplace_back(repeatKey(text.line(h)));
    return headings;
}

void splitDataTables(const ReportText& text, std::vector<ReportTable>& tables) {
    constexpr int kMoreHeadingLines = 2;
    // A table of the records' columns printed before the first one found (a loan plan under
    // no rule, then tables in frames).
    if (!tables.empty()) {
        ReportTable found = tables.front();
        titleOf(text, found);
        if (std::optional<TableLocation> before = dataTable(text, 0, found.firstLine)) {
            ReportTable first;
            first.location = std::move(*before);
            first.endLine = found.firstLine;
            tables.front().firstLine = found.firstLine;
            tables.front().titleLine = found.titleLine;
            tables.front().title = found.title;
            tables.insert(tables.begin(), std::move(first));
        }
    }
    for (std::size_t t = 0; t < tables.size(); ++t) {
        ReportTable& table = tables[t];
        std::vector<std::string> headings = headingsOf(text, table.location);
        // A frame's headings stand inside it, over its first rule (three lines at most).
        for (int h = table.location.line + 1;
             table.location.format == TableFormat::Frame && h < table.endLine &&
             h <= table.location.line + 3 && !isRuleLike(text.line(h));
             ++h)
            headings.emplace_back(repeatKey(text.line(h)));
        for (int from = table.location.line + 1; from < table.endLine;) {
            const bool framed = table.location.format == TableFormat::Frame;
            int j = dataTableStart(text, table.location.line, from, table.endLine, table.endLine,
                                   table.location.widths, headings, framed);
            if (j < 0) break;
            // The same headings printed before, over fewer records before a page's end: the
            // table begins there.
            const std::string key(repeatKey(text.line(j)));
            for (int k = j - 1, records = 0; k >= from && records < 2; --k) {
                const std::string_view line = text.line(k);
                records += looksLikeRecord(withoutFormFeed(line));
                if (repeatKey(line) == key) j = k;
            }
            // A table of the records' columns cuts by what its records before `j` give.
            if (table.location.format == TableFormat::Data) {
                TableLocation before = table.location;
                if (readDataColumns(text, before, j) &&
                    dataTableStart(text, table.location.line, j, j + 1, table.endLine,
                                   before.widths, headings, false) < 0) {
                    from = j + 1;
                    continue;
                }
            }
            int line = j;
            while (line + 1 < table.endLine && line < j + kMoreHeadingLines &&
                   mayHead(text.line(line + 1)))
                ++line;
            if (line + 1 < table.endLine && isRuleLike(text.line(line + 1))) ++line;
            ReportTable next;
            next.location.line = line;
            next.location.format = TableFormat::Data;
            next.location.separator = "\n";
            next.location.broader = true;
            next.endLine = table.endLine;
            if (!readDataColumns(text, next.location, next.endLine)) {
                from = j + 1;
                continue;
            }
            titleOf(text, next);
            table.endLine = next.firstLine;
            tables.insert(tables.begin() + static_cast<std::ptrdiff_t>(t) + 1, std::move(next));
            break;
        }
    }
    // A table of its records' columns whose headings the next table prints word for word
    // (its next pages, under a gapped rule) goes on there.
    for (std::size_t t = 0; t + 1 < tables.size();) {
        const std::vector<std::string> headings = headingsOf(text, tables[t].location);
        if (tables[t].location.format == TableFormat::Data && !headings.empty() &&
            headings == headingsOf(text, tables[t + 1].location)) {
            tables[t].endLine = tables[t + 1].endLine;
            tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(t) + 1);
            continue;
        }
        ++t;
    }
    for (ReportTable& table : tables) {
        if (table.location.format == TableFormat::Data)
            readDataColumns(text, table.location, table.endLine);
    }
}

}  // namespace tablamo::finder_detail
