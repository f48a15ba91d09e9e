#include "clean/paired_lines.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "clean/table_finder_detail.h"
#include "clean/table_layout.h"
#include "clean/value_reading.h"

namespace tablamo {
namespace {

using finder_detail::withoutFormFeed;

// Lines looked at to tell a report of paired lines; the pairs then are joined throughout.
constexpr int kLooked = 4000;
constexpr int kLeastPairs = 2;
// Dashes for a figure of nothing: no more than these ("-", "--", "---"); a longer run is a rule.
constexpr std::size_t kLongestNone = 3;

struct Token {
    int from = 0, to = 0;  // [from, to) in the line without its form feed
    bool amount = false;   // reads as an amount
    bool figure = false;   // an amount with a separator: no page number, no count
    bool none = false;     // dashes for a figure of nothing
};

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
        const std::string_view word = line.substr(i, j - i);
        const AmountForm a = amountFormOf(word);
        out.push_back(
            {static_cast<int>(i), static_cast<int>(j), a.valid,
             a.valid && (a.decimal != 0 || a.grouping != 0 || a.ambiguous != 0),
             word.size() <= kLongestNone && word.find_first_not_of('-') == std::string_view::npos});
        i = j;
    }
}

// A record's second line: figures alone, indented; dashes for none among them, or only
// dashes (a record of nothing there). Whole numbers only beside a figure: "- 1 -" is a
// page's number.
bool secondLine(const std::vector<Token>& tokens) {
    if (tokens.empty() || tokens.front().from == 0) return false;
    bool figure = false, whole = false;
    for (const Token& t : tokens) {
        if (!t.amount && !t.none) return false;
        figure |= t.figure;
        whole |= t.amount && !t.figure;
    }
    return figure || !whole;
}

// A record's first line (or a total's): words or codes, a figure or none.
bool firstLine(const std::vector<Token>& tokens) {
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const Token& t) { return !t.amount && !t.none; });
}

int firstFigure(const std::vector<Token>& tokens) {
    for (const Token& t : tokens) {
        if (t.figure) return t.from;
    }
    return -1;
}

// The lines of words and figures followed right under them by a line of figures alone.
struct Pairs {
    std::vector<int> first;                    // the first line of each pair
    std::vector<int> firstLines;               // lines of words and figures, paired or not
    std::vector<int> lonelySecond;             // lines of figures alone under no such line
    std::vector<std::pair<int, int>> columns;  // the second lines' columns: [from, to)
    int figured = 0;                           // pairs whose second line prints a figure
    int leftmostSecond = -1;  // the right end of the leftmost figure on a second line
    int firstFigures = -1;    // where the figures of the first lines begin, at the leftmost

    // Lines of that kind between the first pair and the last: the table of the pairs.
    int within(const std::vector<int>& lines) const {
        return static_cast<int>(std::lower_bound(lines.begin(), lines.end(), first.back() + 1) -
                                std::lower_bound(lines.begin(), lines.end(), first.front()));
    }
    // Whether a second line's figures stand in the columns found.
    bool inColumns(const std::vector<Token>& tokens) const {
        return std::all_of(tokens.begin(), tokens.end(), [&](const Token& t) {
            return std::any_of(columns.begin(), columns.end(),
                               [&](const auto& c) { return t.from < c.second && c.first < t.to; });
        });
    }
};

// The pairs of lines [0, end); where `known` gives columns, only second lines in them.
Pairs pairsIn(const ReportText& text, int end, const Pairs* known) {
    Pairs pairs;
    std::vector<Token> here, next;
    bool nextRead = false;
    for (int i = 0; i < end; ++i) {
        if (nextRead) {
            std::swap(here, next);
        } else {
            tokensOf(withoutFormFeed(text.line(i)), here);
        }
        nextRead = false;
        if (secondLine(here)) {
            pairs.lonelySecond.push_back(i);  // a paired one is skipped below
            continue;
        }
        if (!firstLine(here)) continue;
        const int start = firstFigure(here);
        if (start >= 0) pairs.firstLines.push_back(i);
        if (i + 1 >= end) continue;
        tokensOf(withoutFormFeed(text.line(i + 1)), next);
        nextRead = true;
        if (!secondLine(next) || (known && !known->inColumns(next))) continue;
        pairs.first.push_back(i);
        if (start >= 0)
            pairs.firstFigures =
                pairs.firstFigures < 0 ? start : std::min(pairs.firstFigures, start);
        pairs.figured +=
            std::any_of(next.begin(), next.end(), [](const Token& t) { return t.figure; });
        const int end2 = next.front().to;
        pairs.leftmostSecond =
            pairs.leftmostSecond < 0 ? end2 : std::min(pairs.leftmostSecond, end2);
        for (const Token& t : next) {
            auto at = std::find_if(pairs.columns.begin(), pairs.columns.end(),
                                   [&](const auto& c) { return c.second == t.to; });
            if (at == pairs.columns.end()) {
                pairs.columns.push_back({t.from, t.to});
            } else {
                at->first = std::min(at->first, t.from);
            }
        }
        nextRead = false;
        ++i;
    }
    // Figures that overlap are one column's, a sign printed past the others' edge too.
    std::sort(pairs.columns.begin(), pairs.columns.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& c : pairs.columns) {
        if (!merged.empty() && c.first < merged.back().second) {
            merged.back().second = std::max(merged.back().second, c.second);
        } else {
            merged.push_back(c);
        }
    }
    pairs.columns = std::move(merged);
    return pairs;
}

bool paired(const Pairs& p) {
    const auto n = static_cast<int>(p.first.size());
    return p.figured >= kLeastPairs && 10 * n >= 9 * p.within(p.firstLines) &&
           10 * p.within(p.lonelySecond) <= n && p.leftmostSecond >= 0 &&
           p.leftmostSecond <= p.firstFigures;
}

// The texts of a heading line: words one blank apart are one text.
std::vector<std::pair<int, int>> textsOf(std::string_view line) {
    std::vector<std::pair<int, int>> texts;
    for (std::size_t p = line.find_first_not_of(' '); p < line.size();) {
        std::size_t q = line.find("  ", p);
        if (q == std::string_view::npos) q = line.size();
        texts.push_back({static_cast<int>(p), static_cast<int>(q)});
        p = line.find_first_not_of(' ', q);
    }
    return texts;
}

// Whether a line of words alone could head the second lines: two texts or more, each over
// one of their columns; no label's colon among them (a group's line of fields).
bool headsSecondLines(std::string_view line, const Pairs& pairs) {
    std::vector<Token> tokens;
    tokensOf(line, tokens);
    if (line.find(':') != std::string_view::npos ||
        std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.amount; }))
        return false;
    const auto texts = textsOf(line);
    return texts.size() >= 2 && std::all_of(texts.begin(), texts.end(), [&](const auto& t) {
               return std::any_of(pairs.columns.begin(), pairs.columns.end(), [&](const auto& c) {
                   return t.first < c.second && c.first < t.second;
               });
           });
}

// The second heading line: right over the rule over the first pair, its words alone; with
// no rule there, the nearest line over the first pair whose texts stand over the second
// lines' columns.
int secondHeading(const ReportText& text, const Pairs& pairs) {
    constexpr int kReach = 5;  // a group's lines and a blank between the headings and a record
    const int firstPair = pairs.first.front();
    std::vector<Token> tokens;
    for (int j = firstPair - 1; j > 0 && j >= firstPair - kReach; --j) {
        if (!isRuleLike(text.line(j))) continue;
        const std::string_view above = withoutFormFeed(text.line(j - 1));
        tokensOf(above, tokens);
        if (tokens.empty() || isRuleLike(above) ||
            std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.amount; }))
            return -1;
        return j - 1;
    }
    for (int j = firstPair - 1; j >= 0 && j >= firstPair - kReach; --j) {
        if (headsSecondLines(withoutFormFeed(text.line(j)), pairs)) return j;
    }
    return -1;
}

}  // namespace

std::optional<ReportText> joinedRecordLines(const ReportText& text) {
    const Pairs looked = pairsIn(text, std::min(text.lineCount(), kLooked), nullptr);
    if (!paired(looked)) return std::nullopt;
    // Throughout the report, the pairs whose second lines stand in the columns found.
    Pairs pairs = pairsIn(text, text.lineCount(), &looked);
    const int heading = secondHeading(text, pairs);
    // Where the joined figures begin: past the widest first line, the headings over them
    // and their rule; the second lines shifted left as far as all of them allow.
    std::size_t width = 0, shift = std::string_view::npos;
    for (const int i : pairs.first) {
        width = std::max(width, trimmedRight(withoutFormFeed(text.line(i))).size());
        const std::string_view second = withoutFormFeed(text.line(i + 1));
        shift = std::min(shift, second.find_first_not_of(' '));
    }
    std::string_view headingText, ruleText;
    if (heading >= 0) {
        headingText = trimmedRight(withoutFormFeed(text.line(heading)));
        shift = std::min(shift, headingText.find_first_not_of(' '));
        width = std::max(width, trimmedRight(withoutFormFeed(text.line(heading - 1))).size());
        const std::string_view under = withoutFormFeed(text.line(heading + 1));
        if (isRuleLike(under)) ruleText = trimmedRight(under);
        width = std::max(width, ruleText.size());
        // A column's heading widens it: words one blank apart are one heading.
        for (const auto& [from, to] : textsOf(headingText)) {
            const auto over =
                std::find_if(pairs.columns.begin(), pairs.columns.end(),
                             [&, to = to](const auto& c) { return c.second >= to - 1; });
            if (over != pairs.columns.end() && over->first < to)
                over->first = std::min(over->first, from);
        }
    }
    width += 2;
    // A rule under the headings drawn on over the second lines' columns: a run over each
    // where it parts its columns, one run where it is drawn through.
    const auto drawnOn = [&](std::string_view rule) {
        const bool gapped = rule.find(' ', rule.find_first_not_of(' ')) != std::string_view::npos;
        const auto at = [&](int p) { return static_cast<std::size_t>(p) - shift; };
        std::string on(at(pairs.columns.back().second), gapped ? ' ' : rule.back());
        for (std::size_t k = 0; gapped && k < pairs.columns.size(); ++k) {
            const auto& [from, to] = pairs.columns[k];
            const int start = k == 0 ? from : std::max(from, pairs.columns[k - 1].second + 1);
            for (int p = start; p < to; ++p) on[at(p)] = rule.back();
        }
        return on;
    };

    std::string out;
    out.reserve(text.bytes().size() + pairs.first.size() * (width + 2));
    const auto pad = [&](std::string_view line) {
        const std::size_t before = out.size();
        out += line;
        const std::size_t own = out.size() - before - (line.size() - withoutFormFeed(line).size());
        if (own < width) out.append(width - own, ' ');
    };
    std::size_t next = 0;       // the next pair
    bool underHeading = false;  // the line before is the second heading line
    for (int i = 0; i < text.lineCount(); ++i) {
        if (i > 0) out += "\r\n";
        const std::string_view line = text.fullLine(i);
        const bool afterHeading = underHeading;
        underHeading = false;
        if (next < pairs.first.size() && pairs.first[next] == i) {
            pad(trimmedRight(line));
            out += withoutFormFeed(text.fullLine(i + 1)).substr(shift);
            out += "\r\n";  // the second line, left blank
            ++i;
            ++next;
            continue;
        }
        const std::string_view own = trimmedRight(withoutFormFeed(line));
        // With no rule under them, the second heading line joins the first: the headings
        // stay right over the records.
        const std::string_view below = trimmedRight(withoutFormFeed(text.fullLine(i + 1)));
        if (heading >= 0 && ruleText.empty() && below == headingText && own != headingText &&
            !own.empty() && !isRuleLike(own)) {
            pad(trimmedRight(line));
            out += headingText.substr(shift);
            out += "\r\n";  // the second heading line, left blank
            ++i;
            continue;
        }
        if (heading >= 0 && own == headingText) {
            out.append(line.size() - withoutFormFeed(line).size(), '\f');
            out.append(width, ' ');
            out += own.substr(shift);
            underHeading = true;
        } else if (heading >= 0 && !own.empty() && (own == ruleText || afterHeading) &&
                   isRuleLike(own)) {
            pad(trimmedRight(line));
            out += drawnOn(own);
        } else {
            out += line;
        }
    }
    return ReportText(std::move(out));
}

}  // namespace tablamo
