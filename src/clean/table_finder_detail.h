#pragma once
/// The table finder's steps that its files share: table_finder.cpp finds the tables by their
/// rules and frames, bar_tables.cpp those drawn with bars alone (or parted by bars among a
/// rule's columns), data_tables.cpp those whose columns their records give.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/table_finder.h"
#include "core/table_location.h"

namespace tablamo {

class ReportText;

namespace finder_detail {

/// The headings between a rule over them and the rule under them: lines at most.
inline constexpr int kMaxHeadingLines = 4;

/// The line past its form feeds.
inline std::string_view withoutFormFeed(std::string_view line) {
    while (!line.empty() && line.front() == '\f') line.remove_prefix(1);
    return line;
}

/// Whether a line holds nothing but blanks and form feeds.
inline bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\f'; });
}

/// Whether a word is a rate: it begins or ends with the rate's sign ("%18", "15,5%").
inline bool isRateWord(std::string_view word) {
    return !word.empty() && (word.front() == '%' || word.back() == '%');
}

/// Whether a line prints a figure: digits on both sides of a point, comma or slash (an
/// amount, a date), which no heading does. A rate's sign beside it (a heading's "%15,5",
/// "%0,2") makes it a rate, which a heading may print: with `rates` false, no figure.
inline bool printsFigure(std::string_view line, bool rates = true) {
    // The next point, comma and slash from where the look stands, each found by memchr: most
    // bytes of a line are none of them.
    constexpr std::array<char, 3> kMarks = {'.', ',', '/'};
    const char* const data = line.data();
    const std::size_t size = line.size();
    const auto find = [&](std::size_t m, std::size_t from) {
        const void* at = from < size ? std::memchr(data + from, kMarks[m], size - from) : nullptr;
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - data) : size;
    };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::array<std::size_t, 3> next = {find(0, 1), find(1, 1), find(2, 1)};
    for (;;) {
        std::size_t m = next[0] <= next[1] ? 0 : 1;
        if (next[2] < next[m]) m = 2;
        const std::size_t i = next[m];
        if (i + 1 >= size) return false;
        next[m] = find(m, i + 1);
        if (!isDigit(data[i - 1]) || !isDigit(data[i + 1])) continue;
        if (rates) return true;
        const std::size_t blankBefore = line.find_last_of(' ', i);
        const std::size_t start = blankBefore == std::string_view::npos ? 0 : blankBefore + 1;
        const std::size_t end = std::min(line.find(' ', i), line.size());
        if (!isRateWord(line.substr(start, end - start))) return true;
    }
}

/// Whether a line prints a letter: a frame's row of bars alone, or a frame line, prints none.
bool printsLetter(std::string_view line);

/// The groups of words of a line parted by two blanks or more, a frame's bars blanks too (a
/// text going on in one cell of a frame is one group).
int wordGroups(std::string_view raw);

/// How many words of a line are numbers of two digits or more: a record's code and whole
/// numbers ("06108 Ali KURT  X X H  19  8  30"), where headings print words and day numbers.
int numberWords(std::string_view line);

/// A line that may head columns: words without a figure, a field's label, a record's numbers
/// or a total's ("STOK KODU TOPLAMI   64   138").
bool mayHead(std::string_view line);

/// Whether a line's first word holds a figure: a code ("HRD.0105  SUNTA VİDASI 4x40  ADET",
/// "257 BİRİKMİŞ AMORTİSMANLAR"), which heads a group, not columns.
bool opensWithCode(std::string_view line);

/// Where a table of columns read from its records begins after `from`, before `to`, inside
/// the table over whose records `tableLine` stands, that ends before `end` and that `widths`
/// cut: at a line of headings that is none of that table's (`headings`), over records whose
/// words run over that table's columns, that print no date or amount where all that table's
/// records print one, or, the table being `framed`, that print none of its uprights; or at
/// headings most of whose words the table's own do not print. -1 when none does.
int dataTableStart(const ReportText& text, int tableLine, int from, int to, int end,
                   const std::vector<std::int32_t>& widths,
                   const std::vector<std::string>& headings, bool framed);

/// The widths of a line parted where `at` says: each field ends with its separator, and a
/// separator at the line's first mark is the frame's border, no column's end, where `leftEdge`
/// says the frame has one.
/// The heading lines over a table's line, right-trimmed: the line itself too when it is no
/// rule (a table of columns read from its records, under no rule).
std::vector<std::string> headingsOf(const ReportText& text, const TableLocation& at);

std::vector<std::int32_t> partWidths(std::string_view raw, const std::vector<std::size_t>& at,
                                     bool leftEdge = true);

/// A table drawn with bars alone (or parted by colons): the bars that most lines of three
/// bars or more print where they stand, printed by at least three lines of figures; the table
/// begins at the first line that prints them (its headings).
/// Looked for between lines `from` and `to` (-1: the text's end).
std::optional<TableLocation> barTable(const ReportText& text, int from = 0, int to = -1);

/// A table found by its rule whose lines of figures print bars (or colons) where they part
/// its columns: the bars part them, as in a table drawn with bars alone, from the first line
/// that prints them (its headings).
void barsAmong(const ReportText& text, ReportTable& table);

/// A table drawn with bars alone (or parted by colons) printed after the records of another
/// (a budget in colons under a stock list): where a line of three bars or more and no figure
/// (its headings) stands over two lines of figures printing them within the next few, no line of
/// the table before it prints them, and they part the rest of the table as barsAmong would, the
/// rest is a table of its own from that line (or its title) on.
void splitBarTables(const ReportText& text, std::vector<ReportTable>& tables);

/// The table `find` gives before the first of `tables` (between the report's start and that
/// table's title or headings), put first: a table of its own printed before the one found;
/// and so on, before each table put first.
void tableBefore(const ReportText& text, std::vector<ReportTable>& tables,
                 std::optional<TableLocation> (*find)(const ReportText&, int, int));

/// Tables drawn with bars alone one after the other, the same bars under the same headings:
/// the pages of one table, joined.
void joinBarPages(const ReportText& text, std::vector<ReportTable>& tables);

/// A table whose columns no rule parts, the first between lines `from` and `to`: over its first
/// block of records a rule of one run (or of runs that part no columns, over the amounts
/// alone) under the headings, or the headings themselves; its columns read from the records.
std::optional<TableLocation> dataTable(const ReportText& text, int from, int to);

/// The tables of columns read from their records that a report prints among the others (a
/// summary under its own headings after a ledger): each splits off the table it stands in,
/// from its headings on. Each such table's columns are read from its own records.
void splitDataTables(const ReportText& text, std::vector<ReportTable>& tables);

/// Each table of columns read from its records reads them from its own lines, unless `before`
/// holds it as it stands (another table split off its end since).
void readDataTables(const ReportText& text, std::vector<ReportTable>& tables,
                    const std::vector<ReportTable>& before = {});

/// Where the runs of a rule line start: runs of one fill, hyphens or equals signs, parted by
/// blanks, at least three of them, the first near the line's start. Empty for any other line.
std::vector<std::size_t> ruleRuns(std::string_view raw);

/// A line of words: neither blank nor a rule.
bool isTextLine(std::string_view line);

/// A table's first line and title: over its headings (the text lines over its rule, or its
/// frame) and the blank lines over them, the line that names it.
void titleOf(const ReportText& text, ReportTable& table);

}  // namespace finder_detail
}  // namespace tablamo
