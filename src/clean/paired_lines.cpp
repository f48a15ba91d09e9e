#include "clean/paired_lines.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "clean/table_layout.h"
#include "clean/value_reading.h"

namespace tablamo {
namespace {

// Lines looked at to tell a report of paired lines; the pairs then are joined throughout.
constexpr int kLooked = 4000;
constexpr int kLeastPairs = 3;

struct Token {
    int from = 0, to = 0;  // [from, to) in the line without its form feed
    bool amount = false;   // reads as an amount
    bool figure = false;   // an amount with a separator: no page number, no count
};

std::string_view withoutFeed(std::string_view line) {
    return !line.empty() && line.front() == '\f' ? line.substr(1) : line;
}

std::string_view trimmedRight(std::string_view line) {
    const std::size_t end = line.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

void tokensOf(std::string_view line, std::vector<Token>& out) {
    out.clear();
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ') ++j;
        const AmountForm a = amountFormOf(line.substr(i, j - i));
        out.push_back({static_cast<int>(i), static_cast<int>(j), a.valid,
                       a.valid && (a.decimal != 0 || a.grouping != 0 || a.ambiguous != 0)});
        i = j;
    }
}

// A record's second line: figures alone, indented.
bool secondLine(const std::vector<Token>& tokens) {
    if (tokens.size() < 2 || tokens.front().from == 0) return false;
    int figures = 0;
    for (const Token& t : tokens) {
        if (!t.amount) return false;
        figures += t.figure;
    }
    return 2 * figures >= static_cast<int>(tokens.size());
}

// A record's first line (or a total's): words or codes, and a figure.
bool firstLine(const std::vector<Token>& tokens) {
    bool figure = false, other = false;
    for (const Token& t : tokens) {
        figure |= t.figure;
        other |= !t.amount;
    }
    return figure && other;
}

int firstFigure(const std::vector<Token>& tokens) {
    for (const Token& t : tokens) {
        if (t.figure) return t.from;
    }
    return -1;
}

// The pairs of lines: the first line of each.
struct Pairs {
    std::vector<int> first;
    int firstLines = 0;       // lines of words and figures, paired or not
    int lonelySecond = 0;     // lines of figures alone under no such line
    int leftmostSecond = -1;  // the right end of the leftmost figure on a second line
    int firstFigures = -1;    // where the figures of the first lines begin, at the leftmost
};

Pairs pairsIn(const ReportText& text, int end) {
    Pairs pairs;
    std::vector<Token> here, next;
    bool nextRead = false;
    for (int i = 0; i < end; ++i) {
        if (nextRead) {
            std::swap(here, next);
        } else {
            tokensOf(withoutFeed(text.line(i)), here);
        }
        nextRead = false;
        if (secondLine(here)) {
            ++pairs.lonelySecond;  // a paired one is skipped below
            continue;
        }
        if (!firstLine(here)) continue;
        ++pairs.firstLines;
        if (i + 1 >= end) continue;
        tokensOf(withoutFeed(text.line(i + 1)), next);
        nextRead = true;
        if (!secondLine(next)) continue;
        pairs.first.push_back(i);
        const int start = firstFigure(here);
        pairs.firstFigures = pairs.firstFigures < 0 ? start : std::min(pairs.firstFigures, start);
        const int end2 = next.front().to;
        pairs.leftmostSecond =
            pairs.leftmostSecond < 0 ? end2 : std::min(pairs.leftmostSecond, end2);
        nextRead = false;
        ++i;
    }
    return pairs;
}

bool paired(const Pairs& p) {
    const auto n = static_cast<int>(p.first.size());
    return n >= kLeastPairs && 10 * n >= 9 * p.firstLines && 10 * p.lonelySecond <= n &&
           p.leftmostSecond >= 0 && p.leftmostSecond <= p.firstFigures;
}

// The second heading line: right over the rule over the first pair, its words alone.
int secondHeading(const ReportText& text, int firstPair) {
    constexpr int kBlockLines = 3;  // a group's lines between the rule and the first record
    std::vector<Token> tokens;
    for (int j = firstPair - 1; j > 0 && j >= firstPair - 1 - kBlockLines; --j) {
        if (!isRuleLike(text.line(j))) continue;
        const std::string_view above = withoutFeed(text.line(j - 1));
        tokensOf(above, tokens);
        if (tokens.empty() || isRuleLike(above)) return -1;
        for (const Token& t : tokens) {
            if (t.amount) return -1;
        }
        return j - 1;
    }
    return -1;
}

}  // namespace

std::optional<ReportText> joinedRecordLines(const ReportText& text) {
    const Pairs looked = pairsIn(text, std::min(text.lineCount(), kLooked));
    if (!paired(looked)) return std::nullopt;
    const Pairs pairs = text.lineCount() > kLooked ? pairsIn(text, text.lineCount()) : looked;
    const int heading = secondHeading(text, pairs.first.front());
    const int rule = heading >= 0 ? heading + 1 : -1;
    // Where the joined figures begin: past the widest first line, the headings over them
    // and their rule; the second lines shifted left as far as all of them allow.
    std::size_t width = 0, shift = std::string_view::npos;
    std::vector<Token> tokens;
    for (const int i : pairs.first) {
        width = std::max(width, trimmedRight(withoutFeed(text.line(i))).size());
        const std::string_view second = withoutFeed(text.line(i + 1));
        shift = std::min(shift, second.find_first_not_of(' '));
    }
    std::string_view headingText, ruleText;
    if (heading >= 0) {
        headingText = trimmedRight(withoutFeed(text.line(heading)));
        ruleText = trimmedRight(withoutFeed(text.line(rule)));
        shift = std::min(shift, headingText.find_first_not_of(' '));
        width = std::max(width, ruleText.size());
        width = std::max(width, trimmedRight(withoutFeed(text.line(heading - 1))).size());
    }
    width += 2;
    // The rule drawn on: a run over each column of second figures (and its heading's words)
    // where the rule parts its columns, one run where it is drawn through.
    std::string drawnOn;
    if (heading >= 0) {
        std::vector<std::pair<int, int>> columns;  // [from, to) by right edge
        for (const int i : pairs.first) {
            tokensOf(withoutFeed(text.line(i + 1)), tokens);
            for (const Token& t : tokens) {
                auto at = std::find_if(columns.begin(), columns.end(),
                                       [&](const auto& c) { return c.second == t.to; });
                if (at == columns.end()) {
                    columns.push_back({t.from, t.to});
                } else {
                    at->first = std::min(at->first, t.from);
                }
            }
        }
        std::sort(columns.begin(), columns.end(),
                  [](const auto& a, const auto& b) { return a.second < b.second; });
        // A column's heading words widen its run: words parted by one blank are one heading.
        for (std::size_t p = headingText.find_first_not_of(' '); p < headingText.size();) {
            std::size_t q = headingText.find("  ", p);
            if (q == std::string_view::npos) q = headingText.size();
            const auto from = static_cast<int>(p), to = static_cast<int>(q);
            const auto over = std::find_if(columns.begin(), columns.end(),
                                           [&](const auto& c) { return c.second >= to - 1; });
            if (over != columns.end() && over->first < to)
                over->first = std::min(over->first, from);
            p = headingText.find_first_not_of(' ', q);
        }
        const bool gapped =
            ruleText.find(' ', ruleText.find_first_not_of(' ')) != std::string_view::npos;
        const int last = columns.empty() ? 0 : columns.back().second;
        const auto at = [&](int p) { return static_cast<std::size_t>(p) - shift; };
        drawnOn.assign(at(last), gapped ? ' ' : '-');
        const char dash = ruleText.back();
        for (std::size_t k = 0; gapped && k < columns.size(); ++k) {
            const int from =
                k == 0 ? columns[k].first : std::max(columns[k].first, columns[k - 1].second + 1);
            for (int p = from; p < columns[k].second; ++p) drawnOn[at(p)] = dash;
        }
        if (!gapped) std::fill(drawnOn.begin(), drawnOn.end(), dash);
    }

    std::string out;
    out.reserve(text.bytes().size() + pairs.first.size() * (width + 2));
    const auto pad = [&](std::string_view line) {
        const std::size_t before = out.size();
        out += line;
        const std::size_t own = out.size() - before - (line.size() - withoutFeed(line).size());
        if (own < width) out.append(width - own, ' ');
    };
    std::size_t next = 0;  // the next pair
    for (int i = 0; i < text.lineCount(); ++i) {
        if (i > 0) out += "\r\n";
        const std::string_view line = text.fullLine(i);
        if (next < pairs.first.size() && pairs.first[next] == i) {
            pad(trimmedRight(line));
            out += withoutFeed(text.fullLine(i + 1)).substr(shift);
            out += "\r\n";  // the second line, left blank
            ++i;
            ++next;
            continue;
        }
        const std::string_view own = trimmedRight(withoutFeed(line));
        if (heading >= 0 && own == headingText) {
            out.append(line.size() - withoutFeed(line).size(), '\f');
            out.append(width, ' ');
            out += own.substr(shift);
        } else if (heading >= 0 && own == ruleText) {
            pad(trimmedRight(line));
            out += drawnOn;
        } else {
            out += line;
        }
    }
    return ReportText(std::move(out));
}

}  // namespace tablamo
