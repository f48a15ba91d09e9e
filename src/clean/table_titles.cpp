// A table's title: the line over its headings that names it.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "clean/printer_codes.h"
#include "clean/table_finder_detail.h"
#include "clean/table_layout.h"
#include "core/report_text.h"

namespace tablamo {

using namespace finder_detail;

namespace {

// Whether a line may name a table: words, no field ("Sayfa : 2"), no amount or date (a line
// of the table before), no frame's line.
bool namesATable(std::string_view line) {
    return line.find(':') == std::string_view::npos && !printsFigure(line) && printsLetter(line);
}

}  // namespace

void finder_detail::titleOf(const ReportText& text, ReportTable& table) {
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
    // table's title ("HESAP ÖZETİ" over "Hesap Kodu    Hesap Adı …"); so is one at the
    // headings' left edge or left of it over two lines of them, the second of several
    // ("YEVMİYE DEFTERİ" over "HESAP   HESAP" over "KODU    ADI    AÇIKLAMA …").
    const auto printed = [&](int i) { return withoutPrinterCodes(withoutFormFeed(text.line(i))); };
    // The groups of words a line prints, two blanks or more apart: where each begins and ends.
    const auto spans = [&](int at) {
        std::vector<std::pair<std::size_t, std::size_t>> found;
        const std::string line = printed(at);
        const std::size_t first = line.find_first_not_of(' ');
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == ' ') continue;
            if (i == first || (i >= 2 && line[i - 1] == ' ' && line[i - 2] == ' ')) {
                found.emplace_back(i, i);
            } else if (!found.empty()) {
                found.back().second = i;
            }
        }
        return found;
    };
    const auto groups = [&](int at) { return static_cast<int>(spans(at).size()); };
    // A group right of the headings' left edge over one of theirs only ("Kalem" over
    // "Sayısı"): that heading's first line, no title.
    const auto headsOne = [&](int at) {
        const auto over = spans(at), under = spans(at + 1);
        if (over.size() != 1 || under.empty() || over[0].first <= under[0].first) return false;
        return std::count_if(under.begin(), under.end(), [&](const auto& u) {
                   return u.first <= over[0].second && u.second >= over[0].first;
               }) == 1;
    };
    // Over a rule the headings are at least one line; a table of its records' columns under
    // no rule is located at its headings.
    const int headingsAt = isRuleLike(text.line(table.location.line)) ? 2 : 1;
    const auto leftEdge = [&](int i) { return printed(i).find_first_not_of(' '); };
    const bool overTwo = table.location.line - top >= headingsAt + 1 && groups(top + 1) >= 2 &&
                         groups(top + 2) >= 3 && leftEdge(top) <= leftEdge(top + 1) &&
                         leftEdge(top) <= leftEdge(top + 2);
    if (table.location.line - top >= headingsAt && (top == 0 || isBlank(text.line(top - 1))) &&
        groups(top) == 1 && (groups(top + 1) >= 3 || overTwo) && !isRuleLike(text.line(top)) &&
        namesATable(text.line(top)) && !headsOne(top)) {
        ++top;
    }
    table.firstLine = top;
    // Over a rule drawn over the headings ("====" over them), a blank line between.
    for (int i = top - 1; i >= 0 && i >= top - kMaxHeadingLines; --i) {
        if (isBlank(text.line(i)) || (i == top - 1 && isRuleLike(text.line(i)))) continue;
        if (!isTextLine(text.line(i)) || !namesATable(text.line(i))) break;
        table.titleLine = table.firstLine = i;
        const std::string_view words = withoutFormFeed(text.line(i));
        const std::size_t a = words.find_first_not_of(' '), b = words.find_last_not_of(' ');
        table.title = std::string(words.substr(a, b - a + 1));
        break;
    }
}

}  // namespace tablamo
