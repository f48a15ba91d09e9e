#include "clean/table_finder.h"

#include <algorithm>
#include <map>
#include <optional>

#include "clean/column_finder.h"
#include "clean/table_layout.h"
#include "core/dos_text.h"
#include "core/import_settings.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

// A frame's corners and tees, the top line's own: ┌ ╔ ╒ ╓, ┐ ╗ ╕ ╖, ┬ ╦ ╤ ╥ (the code page 437
// bytes DOS programs drew with).
constexpr std::string_view kTopLeft = "\xDA\xC9\xD5\xD6";
constexpr std::string_view kTopRight = "\xBF\xBB\xB8\xB7";
constexpr std::string_view kTopTees = "\xC2\xCB\xD1\xD2";
// A frame whose top line frames the page header over the table parts its columns from a line
// across it: ├ ╠ ╞ ╟ at its left, ┤ ╣ ╡ ╢ at its right, ┬ ╦ ╤ ╥ or ┼ ╬ ╪ ╫ between.
constexpr std::string_view kLeftTees = "\xC3\xCC\xC6\xC7";
constexpr std::string_view kRightTees = "\xB4\xB9\xB5\xB6";
constexpr std::string_view kCrossTees = "\xC5\xCE\xD8\xD7";
constexpr unsigned char kSingleFill = 0xC4, kDoubleFill = 0xCD;  // ─ ═
// A rule's first run starts within the line's first characters: a total's underline, under
// the amounts alone, is no table's rule.
constexpr std::size_t kMaxRuleIndent = 8;
constexpr int kMinRuleRuns = 3;
// The headings between a rule over them and the rule under them.
constexpr int kMaxHeadingLines = 4;

std::string_view withoutFormFeed(std::string_view line) {
    while (!line.empty() && line.front() == '\f') line.remove_prefix(1);
    return line;
}

// Whether a line may open a table: past its form feeds and blanks, a rule's fill or a frame's
// corner. Most lines of a report are records, passed over by this one look.
bool mayOpenTable(std::string_view raw) {
    const std::string_view line = withoutFormFeed(raw);
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    const char c = line[first];
    return c == '-' || c == '=' || c == '+' || kTopLeft.find(c) != std::string_view::npos ||
           kLeftTees.find(c) != std::string_view::npos;
}

// Where the runs of a rule line start: runs of one fill, hyphens or equals signs, parted by
// blanks, at least three of them, the first near the line's start. Empty for any other line.
std::vector<std::size_t> ruleRuns(std::string_view raw) {
    const std::string_view line = withoutFormFeed(raw);
    std::vector<std::size_t> starts;
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos || first > kMaxRuleIndent) return {};
    const char fill = line[first];
    if (fill != '-' && fill != '=') return {};
    for (std::size_t i = first; i < line.size(); ++i) {
        if (line[i] == ' ') continue;
        if (line[i] != fill) return {};
        if (i == first || line[i - 1] == ' ') starts.push_back(i);
    }
    if (static_cast<int>(starts.size()) < kMinRuleRuns) return {};
    return starts;
}

// A frame drawn with the printer's own characters: "+" at its corners and tees, "-" or "="
// between them.
char asciiFrameTee(std::string_view line) {
    if (line.front() != '+' || line.back() != '+' || (line[1] != '-' && line[1] != '=')) return 0;
    int tees = 0;
    for (const char c : line.substr(1, line.size() - 2)) {
        if (c == '+') {
            ++tees;
        } else if (c != line[1]) {
            return 0;
        }
    }
    return tees > 0 ? '+' : 0;
}

// The tee a frame's top line parts its columns with; 0 for any other line.
char frameTee(std::string_view raw) {
    std::string_view line = withoutFormFeed(raw);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos || line.size() - first < 3) return 0;
    line.remove_prefix(first);
    if (line.front() == '+') return asciiFrameTee(line);
    const auto fill = static_cast<unsigned char>(line[1]);
    const bool top = kTopLeft.find(line.front()) != std::string_view::npos &&
                     kTopRight.find(line.back()) != std::string_view::npos;
    const bool across = kLeftTees.find(line.front()) != std::string_view::npos &&
                        kRightTees.find(line.back()) != std::string_view::npos;
    if (!(top || across) || (fill != kSingleFill && fill != kDoubleFill)) return 0;
    char tee = 0;
    for (const char c : line.substr(1, line.size() - 2)) {
        if (static_cast<unsigned char>(c) == fill) continue;
        const bool ofTop = kTopTees.find(c) != std::string_view::npos;
        const bool crossing = across && kCrossTees.find(c) != std::string_view::npos;
        if (!(ofTop || crossing) || (tee != 0 && c != tee)) return 0;
        tee = c;
    }
    return tee;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \f") == std::string_view::npos;
}

// Whether a line prints a figure: digits on both sides of a point, comma or slash (an
// amount, a date), which no heading does.
bool printsFigure(std::string_view line) {
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        const bool digitBefore = line[i - 1] >= '0' && line[i - 1] <= '9';
        const bool digitAfter = line[i + 1] >= '0' && line[i + 1] <= '9';
        if ((line[i] == '.' || line[i] == ',' || line[i] == '/') && digitBefore && digitAfter)
            return true;
    }
    return false;
}

// The rule under the headings, from a rule at `j`: a rule a few heading lines below it that
// starts its runs where it does is the one under them, `j` the one over them. Lines of
// figures under `j` are records: `j` is the rule under the headings.
int ruleUnderHeadings(const ReportText& text, int j, const std::vector<std::size_t>& runs) {
    for (int i = j + 1; i < text.lineCount() && i <= j + kMaxHeadingLines + 1; ++i) {
        const std::string_view line = text.line(i);
        if (isBlank(line) || printsFigure(line)) return j;
        const std::vector<std::size_t> below = ruleRuns(line);
        if (!below.empty()) return i > j + 1 && below == runs ? i : j;
    }
    return j;
}

// Where a table line parts its columns: a rule's runs start and end, a frame's tees stand;
// into `at`, which keeps its storage from line to line.
void partsOf(std::string_view raw, std::string_view separator, std::vector<std::size_t>& at) {
    const std::string_view line = withoutFormFeed(raw);
    at.clear();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (separator == " " ? line[i] != ' ' && (i == 0 || line[i - 1] == ' ')
                             : line.substr(i, separator.size()) == separator) {
            at.push_back(i);
        }
        // A rule's run that ends elsewhere draws another table's column (a balance with its
        // B/A mark a blank apart, where the table before glued it on).
        if (separator == " " && line[i] != ' ' && (i + 1 == line.size() || line[i + 1] == ' '))
            at.push_back(i);
    }
}

bool isTextLine(std::string_view line) { return !isBlank(line) && ruleRuns(line).empty(); }

// The table whose rule or frame line is `j`, when one begins there: a frame's top line, or
// a rule under headings (or over them, the rule under them then taken). Its widths are not
// yet measured: a report's every page repeats its table line.
std::optional<TableLocation> tableAt(const ReportText& text, int j) {
    const std::string_view line = text.line(j);
    if (!mayOpenTable(line)) return std::nullopt;
    const std::vector<std::size_t> runs = ruleRuns(line);
    TableLocation at;
    if (!runs.empty()) {
        at.line = ruleUnderHeadings(text, j, runs);
        if (at.line == j && !isTextLine(text.line(j - 1))) return std::nullopt;
        at.format = TableFormat::RuleLine;
        at.separator = " ";
    } else if (const char tee = frameTee(line)) {
        at.line = j;
        at.format = TableFormat::Frame;
        at.separator = std::string(1, tee);
    } else {
        return std::nullopt;
    }
    at.broader = true;
    return at;
}

// The most a field past the last separator reaches: any line's end.
constexpr std::int32_t kToTheEnd = 4096;
// The lines after a table's line that must repeat its bars, of the next few.
constexpr int kBarLinesLooked = 4;

// The characters a frame drawn with bars alone parts its columns with: "|", code page 437's
// │ and ║, and in a table parted by colons ":".
bool isBar(char c, char colon) {
    return c == '|' || c == '\xB3' || c == '\xBA' || (colon != 0 && c == colon);
}

std::vector<std::size_t> barsOf(std::string_view raw, char colon = 0) {
    const std::string_view line = withoutFormFeed(raw);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (isBar(line[i], colon)) at.push_back(i);
    }
    return at;
}

// The widths of a line parted where `at` says: each field ends with its separator, and a
// separator at the line's first mark is the frame's border, no column's end.
std::vector<std::int32_t> partWidths(std::string_view raw, const std::vector<std::size_t>& at) {
    const std::string_view line = withoutFormFeed(raw);
    const std::size_t first = line.find_first_not_of(' ');
    std::vector<std::int32_t> widths;
    std::size_t from = 0;
    for (const std::size_t p : at) {
        if (p == first) continue;
        widths.push_back(static_cast<std::int32_t>(p + 1 - from));
        from = p + 1;
    }
    widths.push_back(kToTheEnd - static_cast<std::int32_t>(from));
    return widths;
}

// The tees of a frame's top line drawn with "+".
std::vector<std::size_t> teesOf(std::string_view raw, char tee) {
    const std::string_view line = withoutFormFeed(raw);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == tee) at.push_back(i);
    }
    return at;
}

// The bars (or colons) that most lines of figures among lines `from` to `end` print where
// they stand, three bars or more, at most kLooked such lines looked at: the bars, how many
// lines print them, how many lines of figures were looked at.
struct CommonBars {
    std::vector<std::size_t> at;
    int times = 0, figures = 0;
};

CommonBars commonBars(const ReportText& text, int from, int end, char colon) {
    constexpr int kLooked = 400;
    std::map<std::vector<std::size_t>, int> seen;
    CommonBars common;
    for (int j = from; j < end && common.figures < kLooked; ++j) {
        const std::string_view line = text.line(j);
        if (!printsFigure(line)) continue;
        ++common.figures;
        std::vector<std::size_t> bars = barsOf(line, colon);
        if (bars.size() >= 3) ++seen[std::move(bars)];
    }
    for (const auto& [bars, n] : seen) {
        if (n > common.times) common.at = bars, common.times = n;
    }
    return common;
}

// Marks `at` as the table drawn with `bars` alone (`colon`: parted by colons) from the
// first line among `from` to `end` that prints them (its headings); false when none does.
bool barsFrom(const ReportText& text, int from, int end, char colon,
              const std::vector<std::size_t>& bars, TableLocation& at) {
    for (int j = from; j < end; ++j) {
        const std::string_view line = text.line(j);
        if (barsOf(line, colon) != bars) continue;
        at.line = j;
        at.format = TableFormat::Frame;
        at.separator = std::string(1, withoutFormFeed(line)[bars.front()]);
        at.broader = true;
        at.barsAlone = true;
        at.widths = partWidths(line, bars);
        return true;
    }
    return false;
}

// A table drawn with bars alone (or parted by colons): the bars that most lines of three
// bars or more print where they stand, printed by at least three lines of figures; the table
// begins at the first line that prints them (its headings).
std::optional<TableLocation> barTable(const ReportText& text) {
    constexpr int kLooked = 400;
    for (const char colon : {'\0', ':'}) {
        const CommonBars common = commonBars(text, 0, std::min(text.lineCount(), kLooked), colon);
        if (common.times < 3) continue;
        TableLocation at;
        if (barsFrom(text, 0, text.lineCount(), colon, common.at, at)) return at;
    }
    return std::nullopt;
}

// The first record of a block of them from `from` on, before `to`: a line that looks like a
// record, with two more among the next six lines that are neither blank nor rules.
int firstRecordBlock(const ReportText& text, int from, int to) {
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
        if (records >= 2) return j;
    }
    return -1;
}

// The groups of words of a line parted by two blanks or more.
int wordGroups(std::string_view raw) {
    const std::string_view line = withoutFormFeed(raw);
    int n = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ' ' && (i == 0 || (line[i - 1] == ' ' && (i < 2 || line[i - 2] == ' '))))
            ++n;
    }
    return n;
}

// A line that may head columns: words without a figure or a field's label.
bool mayHead(std::string_view line) {
    return !isBlank(line) && !isRuleLike(line) && !printsFigure(line) &&
           line.find(':') == std::string_view::npos;
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

// A table whose columns no rule parts, the first between lines `from` and `to`: over its first
// block of records a rule of one run (or of runs that part no columns, over the amounts
// alone) under the headings, or the headings themselves; its columns read from the records.
std::optional<TableLocation> dataTable(const ReportText& text, int from, int to) {
    const int first = firstRecordBlock(text, from, to);
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
    if (j < from || (isRuleLike(text.line(j)) && (j == 0 || !mayHead(text.line(j - 1)))))
        return std::nullopt;
    TableLocation at;
    at.line = j;
    at.format = TableFormat::Data;
    at.separator = "\n";  // parts nothing: the columns are the records'
    at.broader = true;
    if (!readDataColumns(text, at, to)) return std::nullopt;
    return at;
}

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

// Where a table of columns read from its records begins after `from`, before `to`, inside
// the table that `widths` cut: at a line of headings that is none of that table's, over
// records whose words run over that table's columns. -1 when none does.
int dataTableStart(const ReportText& text, int from, int to,
                   const std::vector<std::int32_t>& widths,
                   const std::vector<std::string>& headings) {
    constexpr int kLookedRecords = 3;
    for (int j = from; j < to; ++j) {
        const std::string_view line = text.line(j);
        if (!mayHead(line) || wordGroups(line) < 2) continue;
        const std::string key(repeatKey(line));
        if (std::find(headings.begin(), headings.end(), key) != headings.end()) continue;
        int records = 0, across = 0;
        for (int i = j + 1; i < to && records < kLookedRecords && i <= j + 12; ++i) {
            const std::string_view next = text.line(i);
            if (!looksLikeRecord(withoutFormFeed(next))) continue;
            ++records;
            across += crossings(next, widths) > 0;
        }
        if (records >= 2 && 2 * across > records) return j;
    }
    return -1;
}

// Whether a line may name a table: words, no field ("Sayfa : 2"), no amount or date (a line
// of the table before).
bool namesATable(std::string_view line) {
    return line.find(':') == std::string_view::npos && !printsFigure(line);
}

// A table's first line and title: over its headings (the text lines over its rule, or its
// frame) and the blank lines over them, the line that names it.
void titleOf(const ReportText& text, ReportTable& table) {
    int top = table.location.line;
    if (table.location.format == TableFormat::RuleLine ||
        table.location.format == TableFormat::Data) {
        while (top > 0 && table.location.line - top < kMaxHeadingLines &&
               !isBlank(text.line(top - 1)) &&
               (isTextLine(text.line(top - 1)) || !ruleRuns(text.line(top - 1)).empty())) {
            --top;
        }
    }
    // A line of one group of words over headings of several, a blank line over it, is the
    // table's title ("HESAP ÖZETİ" over "Hesap Kodu    Hesap Adı …").
    const auto groups = [](std::string_view line) {
        int n = 0;
        line = withoutFormFeed(line);
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != ' ' && (i == 0 || (i >= 2 && line[i - 1] == ' ' && line[i - 2] == ' ')))
                ++n;
        }
        return n;
    };
    if (table.location.line - top >= 2 && (top == 0 || isBlank(text.line(top - 1))) &&
        groups(text.line(top)) == 1 && groups(text.line(top + 1)) >= 3 &&
        namesATable(text.line(top))) {
        ++top;
    }
    table.firstLine = top;
    for (int i = top - 1; i >= 0 && i >= top - kMaxHeadingLines; --i) {
        if (isBlank(text.line(i))) continue;
        if (!isTextLine(text.line(i)) || !namesATable(text.line(i))) break;
        table.titleLine = table.firstLine = i;
        const std::string_view words = withoutFormFeed(text.line(i));
        const std::size_t a = words.find_first_not_of(' '), b = words.find_last_not_of(' ');
        table.title = std::string(words.substr(a, b - a + 1));
        break;
    }
}

// The widths of a rule's columns: each from where its run starts (the first from the line's
// start) to where the next one's does; the last to the line's end, with LedgerMarks one
// character short (the character under the rule's last position on is a field of its own).
std::vector<std::int32_t> ruleWidths(std::string_view raw, bool ledgerMarks) {
    const std::string_view line = withoutFormFeed(raw);
    std::vector<std::int32_t> widths;
    std::size_t from = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == ' ' || line[i - 1] != ' ' || line.find_first_not_of(' ') >= i) continue;
        widths.push_back(static_cast<std::int32_t>(i - from));
        from = i;
    }
    widths.push_back(static_cast<std::int32_t>(line.size() - from) - (ledgerMarks ? 1 : 0));
    return widths;
}

// The widths a broader table's line measures: a rule's runs, a box frame's tees as the
// settings' separator scan measures them; a frame drawn with "+", at its tees exactly.
std::vector<std::int32_t> widthsAt(const ReportText& text, const TableLocation& at,
                                   const ReportLayout& layout) {
    const std::string_view line = text.line(at.line);
    if (at.separator == "+") return partWidths(line, teesOf(line, '+'));
    if (at.separator == " ") return ruleWidths(line, layout.LedgerMarks);
    return measuredWidths(line, at.separator, layout.LedgerMarks);
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

// The tables of columns read from their records that a report prints among the others (a
// summary under its own headings after a ledger): each splits off the table it stands in,
// from its headings on. Each such table's columns are read from its own records.
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
        const std::vector<std::string> headings = headingsOf(text, table.location);
        for (int from = table.location.line + 1; from < table.endLine;) {
            const int j =
                dataTableStart(text, from, table.endLine, table.location.widths, headings);
            if (j < 0) break;
            // A table of the records' columns cuts by what its records before `j` give.
            if (table.location.format == TableFormat::Data) {
                TableLocation before = table.location;
                if (readDataColumns(text, before, j) &&
                    dataTableStart(text, j, j + 1, before.widths, headings) < 0) {
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
    for (ReportTable& table : tables) {
        if (table.location.format == TableFormat::Data)
            readDataColumns(text, table.location, table.endLine);
    }
}

}  // namespace

// A table found by its rule whose lines of figures print bars (or colons) where they part
// its columns: the bars part them, as in a table drawn with bars alone, from the first line
// that prints them (its headings).
void barsAmong(const ReportText& text, ReportTable& table) {
    TableLocation& at = table.location;
    if (at.format == TableFormat::Frame || at.line < 0) return;
    for (const char colon : {'\0', ':'}) {
        const CommonBars common = commonBars(text, table.firstLine, table.endLine, colon);
        // Most of its lines of figures print the same bars.
        if (common.times < 3 || 2 * common.times < common.figures) continue;
        if (barsFrom(text, table.firstLine, table.endLine, colon, common.at, at)) return;
    }
}

std::vector<ReportTable> reportTables(const ReportText& text, const TableLocation& first,
                                      const ReportLayout& layout) {
    std::vector<ReportTable> tables;
    if (first.line < 0) {
        tables.push_back({first, 0, text.lineCount(), -1, {}});
        return tables;
    }
    std::vector<std::size_t> parts, nextParts;
    for (int j = 0; j < text.lineCount(); ++j) {
        // The located table where it stands; a table printed before it is the first.
        std::optional<TableLocation> next =
            j == first.line ? std::optional<TableLocation>(first) : tableAt(text, j);
        if (!next) continue;
        const bool located = j == first.line || (next->line >= first.line && j < first.line);
        if (located) next = first;
        partsOf(text.line(next->line), next->separator, nextParts);
        if (tables.empty() || nextParts != parts) {
            ReportTable table;
            table.location = std::move(*next);
            if (!located) table.location.widths = widthsAt(text, table.location, layout);
            table.endLine = text.lineCount();
            if (!tables.empty()) {
                titleOf(text, table);
                tables.back().endLine = table.firstLine;
            }
            j = table.location.line;
            tables.push_back(std::move(table));
            std::swap(parts, nextParts);
            continue;
        }
        j = next->line;
    }
    splitDataTables(text, tables);
    if (layout.AutoColumnSearch) {
        for (ReportTable& table : tables) barsAmong(text, table);
    }
    return tables;
}

TableLocation locateCleanTable(const ReportText& text, const TableLocation& located,
                               const ReportLayout& layout) {
    TableLocation at = located;
    // The user's widths cut the located table.
    if (at.line >= 0 && !layout.AutoColumnSearch) return at;
    if (at.line >= 0 && at.widths.size() > 1) {
        // A rule of runs measured run by run, whatever its first column; a rule of one run
        // (a blank before it) parts no columns.
        const bool ofRuns = at.format != TableFormat::RuleLine || at.separator != " ";
        if (!ofRuns) at.widths = ruleWidths(text.line(at.line), layout.LedgerMarks);
        if (ofRuns || at.widths.size() > 1) return at;
        at = located;
    }
    for (int j = 0; j < text.lineCount(); ++j) {
        const std::string_view line = text.line(j);
        if (!mayOpenTable(line)) continue;
        const std::vector<std::size_t> runs = ruleRuns(line);
        const char tee = runs.empty() ? frameTee(line) : 0;
        if (runs.empty() && tee == 0) continue;
        at.broader = true;
        at.format = runs.empty() ? TableFormat::Frame : TableFormat::RuleLine;
        at.line = runs.empty() ? j : ruleUnderHeadings(text, j, runs);
        at.separator = runs.empty() ? std::string(1, tee) : std::string(" ");
        at.widths.clear();
        at.widths = widthsAt(text, at, layout);
        return at;
    }
    // No rule of runs and no box frame: bars alone, or columns read from the records.
    if (std::optional<TableLocation> bars = barTable(text)) return *bars;
    if (std::optional<TableLocation> data = dataTable(text, 0, text.lineCount())) return *data;
    return at;
}

}  // namespace tablamo
