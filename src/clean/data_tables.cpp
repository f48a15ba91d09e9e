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
        if (printsFigure(line) && isTotalLabel(DosToWinLetters(line), false)) return true;
    }
    return false;
}

}  // namespace

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

// Whether a line prints rates alone, words that begin or end with a rate's sign: the
// rates of the columns over it ("%15,5      %2" under "SGK İşveren   İşsizlik İşveren").
bool printsRatesAlone(std::string_view line) {
    bool any = false;
    for (std::size_t i = line.find_first_not_of(' '); i != std::string_view::npos;
         i = line.find_first_not_of(' ', i)) {
        const std::size_t end = std::min(line.find(' ', i), line.size());
        if (!isRateWord(line.substr(i, end - i))) return false;
        any = true;
        i = end;
    }
    return any;
}

bool mayHead(std::string_view line) {
    if (isBlank(line) || isRuleLike(line) || printsFigure(line, false) ||
        line.find(':') != std::string_view::npos ||
        (!printsLetter(line) && !printsRatesAlone(line)))
        return false;
    const int numbers = numberWords(line);
    return numbers < 3 && (numbers == 0 || !isTotalLabel(DosToWinLetters(line), false));
}

bool opensWithCode(std::string_view raw) {
    const std::string_view line = withoutFormFeed(raw);
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    const std::string_view word = line.substr(first, line.find(' ', first) - first);
    return word.find_first_of("0123456789") != std::string_view::npos;
}

bool printsLetter(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= 0x80 && !isBoxByte(b));
    });
}

namespace {

// Whether `line` prints words each of which stands under a word of `headings` (some of
// their characters in the same places), none at the headings' left edge.
bool goesOnUnder(std::string_view line, std::string_view headings) {
    if (!mayHead(line)) return false;
    const std::size_t edge = headings.find_first_not_of(' ');
    const std::size_t start = line.find_first_not_of(' ');
    if (edge == std::string_view::npos || start == std::string_view::npos || start <= edge)
        return false;
    const auto printedAt = [&](std::size_t p) { return p < headings.size() && headings[p] != ' '; };
    for (std::size_t i = start; i < line.size();) {
        const std::size_t end = std::min(line.find(' ', i), line.size());
        bool under = false;
        for (std::size_t p = i; p < end && !under; ++p) under = printedAt(p);
        if (!under) return false;
        i = line.find_first_not_of(' ', end);
        if (i == std::string_view::npos) break;
    }
    return true;
}

}  // namespace

std::optional<TableLocation> dataTable(const ReportText& text, int from, int to) {
    // Three records at least; two under a rule under headings, or with a total under them
    // (a small group's table, a summary of two months); one under headings with its total
    // under it (a register of one asset).
    int first = firstRecordBlock(text, from, to, 2);
    const bool few = first < 0;
    if (few) first = firstRecordBlock(text, from, to, 1);
    const bool one = first < 0;
    if (one) first = firstRecordBlock(text, from, to, 0);
    if (first < 0 || (one && !totalFollows(text, first, to))) return std::nullopt;
    // Up from the first record, past the block lines of its group ("VADE : Nisan 2024", "253
    // TESİS, MAKİNE VE CİHAZLAR"), to the rule under the headings or the headings.
    constexpr int kBlockLines = 6;
    int j = first - 1;
    for (int passed = 0; j >= from; --j) {
        const std::string_view line = text.line(j);
        if (isBlank(line)) continue;
        if (isRuleLike(line) || (mayHead(line) && wordGroups(line) >= 2 && !opensWithCode(line)))
            break;
        if (++passed > kBlockLines) return std::nullopt;
    }
    if (j < from || (isRuleLike(text.line(j)) && (j == 0 || !mayHead(text.line(j - 1)))) ||
        (few && !isRuleLike(text.line(j)) && !totalFollows(text, first, to)))
        return std::nullopt;
    // Without a rule, the headings' words may go on a line under them ("Birim" over
    // "Fiyat"): a line of words each under one of theirs, away from their left edge, that
    // heads no group. The table's line is then that one.
    if (!isRuleLike(text.line(j)) && j + 1 < first && goesOnUnder(text.line(j + 1), text.line(j)))
        ++j;
    TableLocation at;
    at.line = j;
    at.format = TableFormat::Data;
    at.separator = "\n";  // parts nothing: the columns are the records'
    at.broader = true;
    if (!readDataColumns(text, at, to)) return std::nullopt;
    return at;
}

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

void tableBefore(const ReportText& text, std::vector<ReportTable>& tables,
                 std::optional<TableLocation> (*find)(const ReportText&, int, int)) {
    constexpr int kMostBefore = 8;
    // One table before another: a summary by month, then an invoice register, then the
    // journal found first.
    for (int n = 0; n < kMostBefore && !tables.empty(); ++n) {
        ReportTable found = tables.front();
        titleOf(text, found);
        std::optional<TableLocation> before = find(text, 0, found.firstLine);
        if (!before || before->line >= found.firstLine) return;
        ReportTable first;
        first.location = std::move(*before);
        first.endLine = found.firstLine;
        tables.front() = std::move(found);
        tables.insert(tables.begin(), std::move(first));
    }
}

void splitDataTables(const ReportText& text, std::vector<ReportTable>& tables) {
    constexpr int kMoreHeadingLines = 2;
    // A table of the records' columns printed before the first one found (a loan plan under
    // no rule, then tables in frames).
    tableBefore(text, tables, dataTable);
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
    readDataTables(text, tables);
}

void readDataTables(const ReportText& text, std::vector<ReportTable>& tables,
                    const std::vector<ReportTable>& before) {
    for (ReportTable& table : tables) {
        const bool read = std::any_of(before.begin(), before.end(), [&](const ReportTable& b) {
            return b.location.line == table.location.line && b.endLine == table.endLine;
        });
        if (table.location.format == TableFormat::Data && !read)
            readDataColumns(text, table.location, table.endLine);
    }
}

}  // namespace tablamo::finder_detail
