#include "clean/table_layout.h"

#include <algorithm>
#include <map>

#include "clean/column_finder.h"
#include "clean/heading_lines.h"
#include "core/dos_text.h"
#include "core/import_settings.h"
#include "core/report_text.h"
#include "core/table_location.h"

namespace tablamo {
namespace {

constexpr int kMaxHeadingLines = 3;
constexpr int kMaxFramedHeadingLines = 6;
constexpr unsigned char kFrameFill = 0xCD;  // ═ of the frame's top line

bool isBlankLine(std::string_view line) { return TrimControl(line).empty(); }

// The run of `fill` within each field of the table line.
void measureRuns(TableLayout& t, std::string_view line, unsigned char fill) {
    for (int k = 0; k < t.fields.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const std::size_t from = t.fields.from[idx] == 0 ? 0 : t.fields.from[idx] - 1;
        const int count = static_cast<int>(t.fields.length[idx]);
        int first = -1, last = -1;
        for (int i = 0; i < count && from + static_cast<std::size_t>(i) < line.size(); ++i) {
            if (static_cast<unsigned char>(line[from + static_cast<std::size_t>(i)]) != fill)
                continue;
            if (first < 0) first = i;
            last = i;
        }
        t.runFrom[idx] = first < 0 ? 0 : first;
        t.runTo[idx] = first < 0 ? std::max(count - 1, 0) : last;
    }
}

void layOut(TableLayout& t, std::string_view line) {
    const char bar = t.fields.bar;
    t.fields = fieldSpansOf(t.widths);
    t.fields.bar = bar;
    std::copy_n(t.gluedMarks.begin(), std::min(t.gluedMarks.size(), t.fields.marks.size()),
                t.fields.marks.begin());
    // A frame drawn with "+" fills its top line with "-" or "=", a rule of "=" runs of it.
    const std::size_t first = line.find_first_not_of(' ');
    const bool ascii =
        first != std::string_view::npos && line[first] == '+' && first + 1 < line.size();
    const bool equals = first != std::string_view::npos && line[first] == '=';
    measureRuns(t, line, !t.framed ? (equals ? '=' : '-') : ascii ? line[first + 1] : kFrameFill);
}

// Whether a line prints a figure: digits on both sides of a point, comma or slash.
bool printsFigures(std::string_view line) {
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        const bool before = line[i - 1] >= '0' && line[i - 1] <= '9';
        const bool after = line[i + 1] >= '0' && line[i + 1] <= '9';
        if ((line[i] == '.' || line[i] == ',' || line[i] == '/') && before && after) return true;
    }
    return false;
}

using namespace heading_lines;

// A table whose columns the records give: the finder's widths and where its values stand;
// the headings over its rule (of one run, or over the amounts alone), or, without a rule,
// the line over the records and up to two more over it.
void dataLayout(const ReportText& text, const TableLocation& table, TableLayout& t) {
    t.widths = table.widths;
    t.fields = fieldSpansOf(t.widths);
    for (int k = 0; k < t.fields.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const bool known = idx < table.runFrom.size() && idx < table.runTo.size();
        t.runFrom[idx] = known ? table.runFrom[idx] : 0;
        t.runTo[idx] =
            known ? table.runTo[idx] : std::max<int>(static_cast<int>(t.fields.length[idx]) - 1, 0);
    }
    const int at = table.line;
    t.dataStart = at + 1;
    int top = isRuleLike(text.line(at)) ? at - 1 : at;
    // Without a rule, one text at the table's edge right over the records, under headings of
    // several columns, is the first group's block line ("TRAKYA" under "CARİ KODU  ÜNVANI …"):
    // the body begins with it.
    if (top == at && top > 0) {
        const Spans texts = textsOf(wordsOf(text.line(top)));
        const Spans over = textsOf(wordsOf(text.line(top - 1)));
        if (texts.size() == 1 && over.size() >= 3 && texts.front().first == over.front().first &&
            !isRuleLike(text.line(top - 1))) {
            t.dataStart = top;
            --top;
        }
    }
    for (int i = top; i >= 0 && i > top - kMaxHeadingLines; --i) {
        const std::string_view line = text.line(i);
        if (isBlankLine(line) || isRuleLike(line) || line.find(':') != std::string_view::npos) {
            break;
        }
        if (!t.headingLines.empty() &&
            ((!flushOver(line, text.line(t.headingLines.front())) && !standsOverColumns(line, t)) ||
             titleOver(line, t, text.line(t.headingLines.back())))) {
            break;
        }
        t.headingLines.insert(t.headingLines.begin(), i);
        if (!line.empty() && line.front() == '\f') break;
    }
    for (const int h : t.headingLines) t.headingTexts.emplace_back(repeatKey(text.line(h)));
}

}  // namespace

bool isRuleLike(std::string_view line) {
    int fill = 0;
    for (const char ch : line) {
        const auto b = static_cast<unsigned char>(ch);
        if (b <= 0x20) continue;
        if (ch == '-' || ch == '=' || ch == '_' || ch == '*' || b == 0xC4 || b == 0xCD) {
            ++fill;
        } else if (ch != '+' && ch != '|' && !isBoxByte(b)) {
            return false;
        }
    }
    return fill >= 3;
}

namespace {

// Whether `line` prints `bar` where `model` does, and nowhere else.
bool sameBars(std::string_view line, std::string_view model, char bar) {
    const std::size_t n = std::max(line.size(), model.size());
    for (std::size_t p = 0; p < n; ++p) {
        const bool here = p < line.size() && line[p] == bar;
        if (here != (p < model.size() && model[p] == bar)) return false;
    }
    return true;
}

// Whether `line` prints `bar` nowhere `model` does between its first and last: a group's
// line drawn inside the frame prints its edges alone.
bool noBarOf(std::string_view line, std::string_view model, char bar) {
    const std::size_t first = model.find(bar), last = model.rfind(bar);
    for (std::size_t p = first + 1; p < last && p < line.size(); ++p) {
        if (line[p] == bar && model[p] == bar) return false;
    }
    return true;
}

// Whether a line under a frame's first prints a record's numbers: two cells or more of
// numbers ("03739", "25"), every cell of digits one where the first figure line `figures`
// prints digits too; day numbers in a heading stand where the records print marks.
bool printsRecordNumbers(std::string_view line, std::string_view figures, char bar) {
    const auto cells = [bar](std::string_view l) {
        std::vector<std::string_view> out;
        for (std::size_t at = 0; at <= l.size();) {
            const std::size_t end = std::min(l.find(bar, at), l.size());
            out.push_back(l.substr(at, end - at));
            at = end + 1;
        }
        return out;
    };
    const auto hasDigit = [](std::string_view c) {
        return std::any_of(c.begin(), c.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    };
    const std::vector<std::string_view> mine = cells(line), theirs = cells(figures);
    int numbers = 0;
    for (std::size_t k = 0; k < mine.size(); ++k) {
        if (!hasDigit(mine[k])) continue;
        if (k >= theirs.size() || !hasDigit(theirs[k])) return false;
        const std::string_view word = TrimControl(mine[k]);
        numbers += word.size() >= 2 && std::all_of(word.begin(), word.end(),
                                                   [](char ch) { return ch >= '0' && ch <= '9'; });
    }
    return numbers >= 2;
}

}  // namespace

std::string_view repeatKey(std::string_view line) {
    while (!line.empty() && line.front() == '\f') line.remove_prefix(1);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 0x20) line.remove_suffix(1);
    return line;
}

void TableLayout::mergeSplit() {
    if (splitField <= 0) return;
    widths[static_cast<std::size_t>(splitField - 1)] += 1;
    splitField = -1;
    layOut(*this, tableText);
}

void TableLayout::splitGluedMarks(const ReportText& text, const std::vector<int>& records) {
    for (int k = fields.count - 1; k >= 0; --k) {
        if (k == splitField) continue;
        const auto idx = static_cast<std::size_t>(k);
        const std::size_t first = fields.from[idx] == 0 ? 0 : fields.from[idx] - 1;
        std::map<std::size_t, int> at;  // where the marks stand, how often
        int filled = 0, marked = 0;
        for (const int i : records) {
            const std::string_view line = text.line(i);
            if (first >= line.size()) continue;
            std::string_view value = line.substr(first, fields.length[idx]);
            const char trimmed[] = {
                ' ', '|', '\xB3', '\xBA', '\r', '\f', fields.bar == 0 ? ' ' : fields.bar};
            std::size_t last = value.find_last_not_of(std::string_view(trimmed, sizeof trimmed));
            if (last == std::string_view::npos || static_cast<unsigned char>(value[last]) <= 0x20)
                continue;
            // A balance of nothing prints no mark ("0,00" or "-" where the others print
            // "300,00A").
            const std::string_view bars(trimmed, sizeof trimmed);
            const std::string_view printed = value.substr(value.find_first_not_of(bars),
                                                          last + 1 - value.find_first_not_of(bars));
            if (printed.find_first_not_of("0,.- ") != std::string_view::npos) ++filled;
            const char c = value[last];
            // Glued to the amount's last digit, or a blank after it ("92.636,74 B").
            const auto digitAt = [&](std::size_t p) { return value[p] >= '0' && value[p] <= '9'; };
            if ((c == 'A' || c == 'B') && last > 0 &&
                (digitAt(last - 1) || (last > 1 && value[last - 1] == ' ' && digitAt(last - 2)))) {
                ++marked;
                ++at[first + last];
            }
        }
        if (marked < 2 || 10 * marked < 9 * filled) continue;
        std::size_t mark = 0;
        int most = 0;
        for (const auto& [p, times] : at) {
            if (times > most) mark = p, most = times;
        }
        // The amount's column ends before its marks; theirs takes the rest of its room.
        const auto before = static_cast<std::int32_t>(mark - first);
        const std::int32_t rest = widths[idx] - before;
        if (before <= 0 || rest <= 0) continue;
        widths[idx] = before;
        widths.insert(widths.begin() + static_cast<std::ptrdiff_t>(k) + 1, rest);
        if (splitField > k) ++splitField;
        std::copy_backward(gluedMarks.begin() + k + 1, gluedMarks.end() - 1, gluedMarks.end());
        if (k + 1 < kFields) gluedMarks[idx + 1] = true;
    }
    layOut(*this, tableText);
}

TableLayout tableLayoutOf(const ReportText& text, const TableLocation& table,
                          const ReportLayout& settings) {
    TableLayout t;
    const auto settingsWidths = settings.columnWidths();
    t.widths.assign(settingsWidths.begin(), settingsWidths.end());
    t.framed = table.format == TableFormat::Frame;
    if (table.line < 0) {
        // A criterion without its line: the whole text is the table's body.
        t.fields = fieldSpansOf(t.widths);
        for (int k = 0; k < t.fields.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            t.runTo[idx] = std::max<int>(static_cast<int>(t.fields.length[idx]) - 1, 0);
        }
        return t;
    }
    const int at = table.line;
    t.tableLine = at;
    t.tableText = std::string(repeatKey(text.line(at)));
    if (table.format == TableFormat::Data && settings.AutoColumnSearch) {
        dataLayout(text, table, t);
        return t;
    }
    const bool barsAlone = table.barsAlone;
    t.barsAlone = barsAlone;
    const bool plusFrame = table.format == TableFormat::Frame && table.separator == "+";
    if (settings.AutoColumnSearch && (barsAlone || plusFrame)) {
        // A frame drawn with "+" or with bars alone: its own widths, its bars trimmed.
        t.widths = table.widths;
        t.fields.bar = table.separator == "+" ? '|' : table.separator[0];
    } else if (settings.AutoColumnSearch) {
        // A rule line of more columns than the settings hold widths: the further ones
        // are measured the same way, and a clean table keeps them all.
        const std::vector<std::int32_t>& measured = table.widths;
        const auto columns = static_cast<int>(measured.size());
        if (columns > ReportLayout::kWidthCount) {
            const auto upTo = std::min<std::size_t>(measured.size(), TableLayout::kFields - 1);
            t.widths.assign(measured.begin(), measured.begin() + static_cast<std::ptrdiff_t>(upTo));
            // Room for what LedgerMarks split off, as for a narrower table.
            if (settings.LedgerMarks)
                t.widths.push_back(std::stoi(ReportLayout::DefaultColumnWidths.back()));
        }
        if (settings.LedgerMarks && columns < static_cast<int>(t.widths.size()))
            t.splitField = columns;
    }
    layOut(t, t.tableText);

    if (t.framed && barsAlone) {
        // Bars alone: the table's line is its first, the headings when it prints no figure,
        // down to a rule under them.
        t.dataStart = at;
        int i = at;
        while (i < text.lineCount() && i <= at + kMaxFramedHeadingLines &&
               !printsFigures(text.line(i)) && !isRuleLike(text.line(i)) &&
               !isBlankLine(text.line(i))) {
            ++i;
        }
        if (i < text.lineCount() && isRuleLike(text.line(i))) {
            for (int h = at; h < i; ++h) t.headingLines.push_back(h);
            t.dataStart = i + 1;
        } else if (i > at) {
            // No rule under them: the headings are the lines that print the bars where the
            // first does, when a blank line or the first figures end them.
            const bool ended =
                i < text.lineCount() && (isBlankLine(text.line(i)) || printsFigures(text.line(i)));
            // A line that prints a record's numbers is the first record.
            int h = at + 1;
            while (h < i && sameBars(text.line(h), text.line(at), t.fields.bar)) ++h;
            // A line that prints none of the bars under them (a group's block, "VADE : NİSAN
            // 2005" under colons) ends them too, however many block lines follow.
            const bool barless =
                t.fields.bar != 0 && h < i && noBarOf(text.line(h), text.line(at), t.fields.bar);
            if (ended ? h < i && !barless : !barless) h = at + 1;
            for (int k = at + 1; k < h; ++k) {
                if (printsRecordNumbers(text.line(k), text.line(i), t.fields.bar)) {
                    h = k;
                    break;
                }
            }
            for (int k = at; k < h; ++k) t.headingLines.push_back(k);
            t.dataStart = h;
        }
    } else if (t.framed) {
        // The headings stand inside the frame, down to its inner rule.
        t.dataStart = at + 1;
        for (int i = at + 1; i < text.lineCount() && i <= at + kMaxFramedHeadingLines; ++i) {
            if (isRuleLike(text.line(i))) {
                for (int h = at + 1; h < i; ++h) t.headingLines.push_back(h);
                t.dataStart = i + 1;
                break;
            }
        }
    } else {
        // The headings stand directly over the rule line: up to three lines, not past a
        // blank line, a rule or a header field ("Hesap Kodu : ..."); a line over the
        // headings belongs to them when its words stand flush with words below them ("Fiş"
        // over "No", "Borç" over "Bakiye") or each over a column of its own, not when it is
        // a title.
        t.dataStart = at + 1;
        for (int i = at - 1; i >= 0 && i >= at - kMaxHeadingLines; --i) {
            const std::string_view line = text.line(i);
            if (isBlankLine(line) || isRuleLike(line) || line.find(':') != std::string_view::npos) {
                break;
            }
            if (!t.headingLines.empty() && ((!flushOver(line, text.line(t.headingLines.front())) &&
                                             !standsOverColumns(line, t)) ||
                                            titleOver(line, t, text.line(t.headingLines.back())))) {
                break;
            }
            t.headingLines.insert(t.headingLines.begin(), i);
            if (!line.empty() && line.front() == '\f') break;
        }
    }
    for (const int h : t.headingLines) t.headingTexts.emplace_back(repeatKey(text.line(h)));
    return t;
}

}  // namespace tablamo
