#include "clean/table_finder.h"

#include <algorithm>
#include <array>
#include <optional>

#include "clean/printer_codes.h"
#include "clean/table_finder_detail.h"
#include "clean/table_layout.h"
#include "core/import_settings.h"
#include "core/report_text.h"

namespace tablamo {
using namespace finder_detail;

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

// Whether a line may open a table: past its form feeds and blanks, a rule's fill or a frame's
// corner. Most lines of a report are records, passed over by this one look.
bool mayOpenTable(std::string_view raw) {
    const std::string_view line = withoutFormFeed(raw);
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    // Looked up, not searched for: this look is made at every line of the report.
    static constexpr std::array<bool, 256> kOpens = [] {
        std::array<bool, 256> opens{};
        for (const std::string_view set : {std::string_view("-=+"), kTopLeft, kLeftTees})
            for (const char c : set) opens[static_cast<unsigned char>(c)] = true;
        return opens;
    }();
    return kOpens[static_cast<unsigned char>(line[first])];
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

// The tees of a frame's top line drawn with "+".
std::vector<std::size_t> teesOf(std::string_view raw, char tee) {
    const std::string_view line = withoutFormFeed(raw);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == tee) at.push_back(i);
    }
    return at;
}

// Whether frame line `j`, whose tees `tees` are some of the table's own (`own`) over the same
// width, draws that table on: a rule under a total that spans merged columns, or a page's
// last line. It opens a table of its own only over headings (lines of words, no figure) and
// a frame line of its own tees under them.
bool drawsTableOn(const ReportText& text, int j, std::string_view separator,
                  const std::vector<std::size_t>& tees, const std::vector<std::size_t>& own,
                  int ownLine) {
    if (tees.empty() || !std::includes(own.begin(), own.end(), tees.begin(), tees.end()))
        return false;
    const auto extent = [&](int i) {
        const std::string_view line = withoutFormFeed(text.line(i));
        const std::size_t last = line.find_last_not_of(' ');
        return std::pair(line.find_first_not_of(' '), last);
    };
    if (extent(j) != extent(ownLine)) return false;
    std::vector<std::size_t> at;
    int headings = 0;
    for (int i = j + 1; i < std::min(text.lineCount(), j + 1 + kMaxHeadingLines); ++i) {
        const std::string_view line = text.line(i);
        if (isRuleLike(line)) {
            partsOf(line, separator, at);
            return !(headings > 0 && at == tees);
        }
        if (isBlank(line) || printsFigure(line)) return true;
        ++headings;
    }
    return true;
}

}  // namespace

// Where the runs of a rule line start: runs of one fill, hyphens or equals signs, parted by
// blanks, at least three of them, the first near the line's start. Empty for any other line.
std::vector<std::size_t> finder_detail::ruleRuns(std::string_view raw) {
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

bool finder_detail::isTextLine(std::string_view line) {
    return !isBlank(line) && ruleRuns(line).empty();
}

namespace {

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

}  // namespace

std::vector<ReportTable> reportTables(const ReportText& text, const TableLocation& located,
                                      const ReportLayout& layout) {
    // The located table's headings printed before over a rule of other runs (one run on its
    // first page, gapped on the next): the table begins there, cut by the located widths.
    TableLocation first = located;
    if (first.line > 0 && first.format == TableFormat::RuleLine) {
        const std::vector<std::string> headings = headingsOf(text, first);
        for (int j = 1; j < first.line && !headings.empty(); ++j) {
            if (!isRuleLike(text.line(j))) continue;
            TableLocation earlier = first;
            earlier.line = j;
            if (headingsOf(text, earlier) == headings) {
                first.line = j;
                break;
            }
        }
    }
    std::vector<ReportTable> tables;
    if (first.line < 0) {
        tables.push_back({first, 0, text.lineCount(), -1, {}});
        return tables;
    }
    // Begun earlier under a rule of other runs, the table goes on under the located rule's.
    std::vector<std::size_t> parts, nextParts, locatedParts;
    partsOf(text.line(located.line), located.separator, locatedParts);
    const int locatedLine = located.line;
    for (int j = 0; j < text.lineCount(); ++j) {
        // The located table where it stands; a table printed before it is the first.
        std::optional<TableLocation> next =
            j == first.line ? std::optional<TableLocation>(first) : tableAt(text, j);
        if (!next) continue;
        // The located line itself, where the table began earlier: the same table.
        if (j == located.line && located.line != first.line) continue;
        const bool located = j == first.line || (next->line >= first.line && j < first.line);
        if (located) next = first;
        partsOf(text.line(next->line), next->separator, nextParts);
        const bool drawnOn = !tables.empty() && !located && next->format == TableFormat::Frame &&
                             tables.back().location.format == TableFormat::Frame &&
                             drawsTableOn(text, next->line, next->separator, nextParts, parts,
                                          tables.back().location.line);
        if (tables.empty() || (nextParts != parts && !drawnOn)) {
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
            if (located && first.line != locatedLine) parts = locatedParts;
            continue;
        }
        j = next->line;
    }
    splitDataTables(text, tables);
    if (layout.AutoColumnSearch) {
        const std::vector<ReportTable> read = tables;
        // A table drawn with bars alone or parted by colons printed before the first one
        // found (a summary by month over a journal or a frame).
        tableBefore(text, tables,
                    [](const ReportText& t, int from, int to) { return barTable(t, from, to); });
        splitBarTables(text, tables);
        for (ReportTable& table : tables) barsAmong(text, table);
        joinBarPages(text, tables);
        readDataTables(text, tables, read);
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
        if (!ofRuns) {
            // The same rule over the headings and under them: the table stands under them.
            const std::vector<std::size_t> runs = ruleRuns(text.line(at.line));
            if (at.format == TableFormat::RuleLine && !runs.empty())
                at.line = ruleUnderHeadings(text, at.line, runs);
            at.widths = ruleWidths(text.line(at.line), layout.LedgerMarks);
        }
        if (ofRuns || (at.widths.size() > 1 && !ruleRuns(text.line(at.line)).empty())) return at;
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
