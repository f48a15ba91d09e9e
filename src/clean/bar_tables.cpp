#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/column_finder.h"
#include "clean/table_finder_detail.h"
#include "clean/table_layout.h"
#include "core/report_text.h"
#include "core/table_location.h"

namespace tablamo::finder_detail {
namespace {

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

// The bars (or colons) that most lines among `from` to `end` print where they stand, three
// bars or more, at most kLooked lines of figures looked at: the bars, how many lines of
// figures print them, how many lines print them, how many lines of figures were looked at.
struct CommonBars {
    std::vector<std::size_t> at;
    int times = 0, lines = 0, figures = 0;
};

CommonBars commonBars(const ReportText& text, int from, int end, char colon) {
    constexpr int kLooked = 400;
    std::map<std::vector<std::size_t>, std::pair<int, int>> seen;  // lines of figures, lines
    CommonBars common;
    for (int j = from; j < end && common.figures < kLooked; ++j) {
        const std::string_view line = text.line(j);
        // Figures, or a record's keys and whole quantities ("23 Oca 2017 | 14347 | 17515").
        const bool figures = printsFigure(line) || looksLikeRecord(line);
        common.figures += figures;
        std::vector<std::size_t> bars = barsOf(line, colon);
        if (bars.size() < 3) continue;
        auto& [times, lines] = seen[std::move(bars)];
        times += figures;
        ++lines;
    }
    // The bars the most lines print, two lines of figures among them at least: a table's
    // headings draw its bars as its records do. A line that prints some of them only (a
    // total whose label spans the first columns) counts for them too.
    for (const auto& [bars, n] : seen) {
        if (n.first < 2) continue;
        int times = 0, lines = 0;
        for (const auto& [some, m] : seen) {
            if (!std::includes(bars.begin(), bars.end(), some.begin(), some.end())) continue;
            times += m.first;
            lines += m.second;
        }
        if (lines > common.lines || (lines == common.lines && bars.size() > common.at.size()))
            common.at = bars, common.times = times, common.lines = lines;
    }
    return common;
}

// Whether the bars are a table's: three lines print them, two of them lines of figures.
bool enoughBars(const CommonBars& common) { return common.times >= 2 && common.lines >= 3; }

// Whether colons part a table's columns: the first line that prints them where its lines of
// figures do is its headings, no figure in it. Fields printed "label :value" under one
// another ("Yevmiye No :135   Tarih :23.02.2008") print them on lines of figures alone.
bool colonsHeaded(const ReportText& text, int from, int end, char colon,
                  const std::vector<std::size_t>& bars) {
    if (colon == 0) return true;
    for (int j = from; j < end; ++j) {
        if (barsOf(text.line(j), colon) == bars) return !printsFigure(text.line(j));
    }
    return false;
}

// Marks `at` as the table drawn with `bars` alone (`colon`: parted by colons) from the
// first line among `from` to `end` that prints them (its headings); false when none does.
bool barsFrom(const ReportText& text, int from, int end, char colon,
              const std::vector<std::size_t>& bars, TableLocation& at) {
    // The first bar is the frame's left edge unless a line of these bars prints something
    // before it: a frame drawn without edges.
    bool edge = true;
    for (int j = from; j < end && edge; ++j) {
        const std::string_view line = withoutFormFeed(text.line(j));
        if (barsOf(line, colon) == bars && line.find_first_not_of(' ') < bars.front()) edge = false;
    }
    for (int j = from; j < end; ++j) {
        const std::string_view line = text.line(j);
        if (barsOf(line, colon) != bars) continue;
        at.line = j;
        at.format = TableFormat::Frame;
        at.separator = std::string(1, withoutFormFeed(line)[bars.front()]);
        at.broader = true;
        at.barsAlone = true;
        at.widths = partWidths(line, bars, edge);
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::int32_t> partWidths(std::string_view raw, const std::vector<std::size_t>& at,
                                     bool leftEdge) {
    const std::string_view line = withoutFormFeed(raw);
    const std::size_t first = leftEdge ? line.find_first_not_of(' ') : std::string_view::npos;
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

std::optional<TableLocation> barTable(const ReportText& text, int from, int to) {
    constexpr int kLooked = 400;
    if (to < 0) to = text.lineCount();
    for (const char colon : {'\0', ':'}) {
        const CommonBars common = commonBars(text, from, std::min(to, from + kLooked), colon);
        if (!enoughBars(common) || !colonsHeaded(text, from, to, colon, common.at)) continue;
        TableLocation at;
        if (barsFrom(text, from, to, colon, common.at, at)) return at;
    }
    return std::nullopt;
}

void barsAmong(const ReportText& text, ReportTable& table) {
    TableLocation& at = table.location;
    if (at.format == TableFormat::Frame || at.line < 0) return;
    for (const char colon : {'\0', ':'}) {
        const CommonBars common = commonBars(text, table.firstLine, table.endLine, colon);
        // Most of its lines of figures print the same bars.
        if (!enoughBars(common) || 2 * common.times < common.figures ||
            !colonsHeaded(text, table.firstLine, table.endLine, colon, common.at))
            continue;
        if (barsFrom(text, table.firstLine, table.endLine, colon, common.at, at)) return;
    }
}

void splitBarTables(const ReportText& text, std::vector<ReportTable>& tables) {
    constexpr int kLookedAfter = 8;
    constexpr int kApartWithin = 3;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        ReportTable& table = tables[t];
        if (table.location.line < 0) continue;
        const int end = table.endLine;
        for (const char colon : {'\0', ':'}) {
            // After the table's own records: a line of figures before it.
            int start = -1;
            bool records = false;
            for (int j = table.location.line + 1; j < end && start < 0; ++j) {
                if (!records) {
                    records = printsFigure(text.line(j));
                    continue;
                }
                // Its headings: bars and words, no figure, apart from what stands before (a
                // blank line over them, over their title or their frame's top line).
                if (printsFigure(text.line(j))) continue;
                bool apart = false;
                for (int k = j - 1; k >= 0 && k >= j - kApartWithin && !apart; --k) {
                    if (printsFigure(text.line(k))) break;
                    apart = isBlank(text.line(k));
                }
                if (!apart) continue;
                const std::vector<std::size_t> bars = barsOf(text.line(j), colon);
                if (bars.size() < 3) continue;
                int figures = 0;
                for (int i = j + 1; i < end && i <= j + kLookedAfter; ++i)
                    figures += printsFigure(text.line(i)) && barsOf(text.line(i), colon) == bars;
                if (figures < 2) continue;
                bool before = false;
                for (int i = table.firstLine; i < j && !before; ++i)
                    before = barsOf(text.line(i), colon) == bars;
                if (!before) start = j;
            }
            if (start < 0) continue;
            // Its bars its headings' own, down to two lines of figures one after the other
            // that print the same others (a table of its own again); its records print them,
            // or some of them (a total whose label spans the first columns): a third of its
            // lines of figures at least (fields over each voucher print others).
            const std::vector<std::size_t> bars = barsOf(text.line(start), colon);
            int times = 0, figures = 0;
            std::vector<std::size_t> other;
            for (int i = start + 1; i < end; ++i) {
                const std::string_view line = text.line(i);
                if (!printsFigure(line)) continue;
                std::vector<std::size_t> some = barsOf(line, colon);
                const bool theirs = !some.empty() && std::includes(bars.begin(), bars.end(),
                                                                   some.begin(), some.end());
                if (some.size() >= 3 && !theirs) {
                    if (some == other) break;
                    other = std::move(some);
                } else {
                    other.clear();
                }
                ++figures;
                times += theirs;
            }
            if (times < 2 || 3 * times < figures) continue;
            ReportTable next;
            next.endLine = end;
            if (!barsFrom(text, start, end, colon, bars, next.location)) continue;
            titleOf(text, next);
            if (next.firstLine <= table.location.line) continue;
            table.endLine = next.firstLine;
            tables.insert(tables.begin() + static_cast<std::ptrdiff_t>(t) + 1, std::move(next));
            break;
        }
    }
}

void joinBarPages(const ReportText& text, std::vector<ReportTable>& tables) {
    // The first line over a table's own that prints its bars: its headings' first.
    const auto headings = [&](const ReportTable& table) {
        const char colon = table.location.separator == ":" ? ':' : '\0';
        const std::vector<std::size_t> bars = barsOf(text.line(table.location.line), colon);
        for (int j = std::max(table.firstLine, 0); j < table.location.line; ++j) {
            if (barsOf(text.line(j), colon) == bars) return repeatKey(text.line(j));
        }
        return repeatKey(text.line(table.location.line));
    };
    for (std::size_t t = 0; t + 1 < tables.size();) {
        const TableLocation& a = tables[t].location;
        const TableLocation& b = tables[t + 1].location;
        if (a.barsAlone && b.barsAlone && a.separator == b.separator && a.widths == b.widths &&
            headings(tables[t]) == headings(tables[t + 1])) {
            tables[t].endLine = tables[t + 1].endLine;
            tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(t) + 1);
            continue;
        }
        ++t;
    }
}

}  // namespace tablamo::finder_detail
