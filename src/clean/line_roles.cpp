#include "clean/line_roles.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "clean/column_finder.h"
#include "clean/header_fields.h"
#include "clean/record_typer.h"
#include "clean/total_label.h"
#include "core/dos_text.h"
#include "core/report_text.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
// Lines enough to read the kinds by; the records of a longer report type them again.
constexpr int kReadingLines = 20000;

bool isBlank(std::string_view line) { return TrimControl(line).empty(); }

// Whether field `k` starts past the end of the table line: a width of the settings' beyond
// the table's columns.
bool pastTableLine(const TableLayout& table, int k) {
    const std::uint32_t from = table.fields.from[static_cast<std::size_t>(k)];
    return !table.tableText.empty() && from > table.tableText.size();
}

// The line in Windows-1254, in a buffer of the thread's that the next call reuses.
std::string_view winText(std::string_view line) {
    thread_local std::string buffer;
    buffer.resize(line.size());
    return {buffer.data(), dosToWinTextInto(line, buffer.data())};
}

// A value that shows how amounts are written: with decimals or grouped thousands.
bool showsAmount(const ValueFacts& f) {
    return f.amount.valid && (f.amount.decimal || f.amount.grouping || f.amount.ambiguous);
}

// Whether an amount's separators can stand in the table's notation: "191.01" in a table
// whose amounts print "1.192,69" is an account's code, no amount.
bool fitsNotation(const AmountForm& a, const std::optional<AmountNotation>& notation) {
    if (!notation) return true;
    return (!a.decimal || a.decimal == notation->decimal) &&
           (!a.grouping || a.grouping == notation->grouping);
}

// The notation the amounts of lines `from` to `end` show beyond doubt: both a decimal and a
// grouping separator in one value ("1.192,69"), the one most such values show; without
// such a value, the Turkish one where decimals after a comma stand beside decimals after a
// point; else nothing.
std::optional<AmountNotation> shownNotation(const ReportText& text, const TableLayout& table,
                                            int from, int end, YearWindow years) {
    constexpr int kLooked = 20000;
    LineCutter cutter(table.fields, years);
    int turkish = 0, english = 0, commas = 0, points = 0;
    for (int i = from, n = 0; i < end && n < kLooked; ++i) {
        const std::string_view line = text.line(i);
        if (plainRole(line, table) != LineRole::Other) continue;
        ++n;
        const CutLine& c = cutter.cut(line);
        for (int k = 0; k < c.count; ++k) {
            const AmountForm& a = c.facts[static_cast<std::size_t>(k)].amount;
            if (!a.valid || !a.decimal) continue;
            if (!a.grouping) {
                (a.decimal == ',' ? commas : points) += 1;
                continue;
            }
            (a.decimal == ',' ? turkish : english) += 1;
        }
    }
    // Without both separators in a value: decimals after a comma beside decimals after a
    // point ("27522,71" beside the code "191.02") are the Turkish notation's.
    if (turkish == 0 && english == 0)
        return commas > 0 && points > 0 ? std::optional<AmountNotation>(AmountNotation{',', '.'})
                                        : std::nullopt;
    return turkish >= english ? AmountNotation{',', '.'} : AmountNotation{'.', ','};
}

// Whether the line's words, inside its frame, begin with a field's label ("║ Yevmiye No: 12
// Tarih: 10.01.2010"): a group's block, no record however its values read.
bool opensWithLabel(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    std::size_t i = 0;
    while (i < colon && (line[i] == ' ' || line[i] == '|' || line[i] == '\f' ||
                         static_cast<unsigned char>(line[i]) >= 0xB0))
        ++i;
    if (i == colon) return false;
    for (std::size_t j = i; j < colon; ++j) {
        if (line[j] >= '0' && line[j] <= '9') return false;
    }
    return true;
}

// The fields whose values that read as amounts, three at least and not all alike, all stand
// in one place, some with a fraction ("770.01", "120.02" in their frame's cells): codes where
// they lead the records, since amounts of many sizes end in one place but begin in many.
std::array<bool, kFields> fixedPlaces(const ReportText& text, const TableLayout& table, int from,
                                      int end, YearWindow years) {
    constexpr int kLooked = 2000;
    constexpr int kAtLeast = 3;
    std::array<int, kFields> count{}, first{}, last{};
    std::array<bool, kFields> same, alike;
    same.fill(true);
    alike.fill(true);
    std::array<std::string, kFields> one;
    std::array<bool, kFields> fraction{};
    std::array<int, kFields> filled{};
    LineCutter cutter(table.fields, years);
    for (int i = from, n = 0; i < end && n < kLooked; ++i) {
        const std::string_view line = text.line(i);
        if (plainRole(line, table) != LineRole::Other) continue;
        ++n;
        const CutLine& c = cutter.cut(line);
        for (int k = 0; k < c.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            filled[idx] += !c.facts[idx].empty;
            const AmountForm& a = c.facts[idx].amount;
            if (!a.valid) continue;
            fraction[idx] = fraction[idx] || (a.decimal && !a.grouping);
            if (count[idx]++ == 0) {
                first[idx] = c.first[idx];
                last[idx] = c.last[idx];
                one[idx].assign(c.value[idx]);
            } else if (first[idx] != c.first[idx] || last[idx] != c.last[idx]) {
                same[idx] = false;
            } else if (alike[idx] && c.value[idx] != one[idx]) {
                alike[idx] = false;
            }
        }
    }
    // Only the records' first column: a rate or a price may print in one width throughout.
    std::array<bool, kFields> fixed{};
    std::size_t k = 0;
    while (k < fixed.size() && filled[k] == 0) ++k;
    if (k < fixed.size()) fixed[k] = count[k] >= kAtLeast && same[k] && !alike[k] && fraction[k];
    return fixed;
}

bool isTextColumn(const ColumnDecision& d) { return d.kind == ColumnKind::Text && !d.marks; }

constexpr std::size_t kMaxFieldsPerLine = LineFields::kMax;
// Lines a page header's fields stand above the headings at most.
constexpr int kHeaderReach = 10;

}  // namespace

int firstMark(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        if (b <= 0x20 || (b >= 0xB0 && b <= 0xDF) || line[i] == '|') continue;
        return static_cast<int>(i);
    }
    return -1;
}

// One line as the rules see it; what a rule works out (its cut, whether a header follows) is
// kept for the rules after it.
struct LineRoles::Line {
    int i;
    std::string_view text;
    LineRole previous;
    LineCutter& cutter;
    const CutLine*& cut;
    LineFields& fields;
    bool body;
    std::optional<LineRole> byCut;
    std::optional<bool> headerAhead;
};

namespace {

using RoleRule = LineRole (LineRoles::*)(LineRoles::Line&);

}  // namespace

LineRoles::LineRoles(const ReportText& text, const TableLayout& table, const RoleInputs& inputs,
                     YearWindow years)
    : m_text(text), m_table(table), m_in(inputs), m_look(table.fields, years) {
    m_look.readAs(*inputs.kinds);
    // The report's first page header: the lines over its first table's headings.
    constexpr int kHeaderLines = 40;
    const int end =
        std::min({m_table.headingLines.empty() ? m_table.dataStart : m_table.headingLines.front(),
                  kHeaderLines, text.lineCount()});
    for (int i = 0; i < end; ++i) {
        const std::string_view key = repeatKey(text.line(i));
        if (key.find(':') != std::string_view::npos) m_firstHeader.push_back(key);
    }
}

std::string_view LineRoles::converted(std::string_view line) {
    m_converted.resize(line.size());
    m_converted.resize(dosToWinTextInto(line, m_converted.data()));
    if (m_table.fields.bar == '|') std::replace(m_converted.begin(), m_converted.end(), '|', ' ');
    return m_converted;
}

LineRole LineRoles::blank(Line& l) { return isBlank(l.text) ? LineRole::Blank : LineRole::Other; }

LineRole LineRoles::rule(Line& l) { return isRuleLike(l.text) ? LineRole::Rule : LineRole::Other; }

LineRole LineRoles::headingsAgain(Line& l) {
    const std::string_view key = repeatKey(l.text);
    return std::find(m_table.headingTexts.begin(), m_table.headingTexts.end(), key) !=
                   m_table.headingTexts.end()
               ? LineRole::Heading
               : LineRole::Other;
}

// Over the table's body (the headings and above, lines before StartRow): the page header,
// its "label : value" fields the page's.
LineRole LineRoles::aboveTheBody(Line& l) {
    if (l.body) return LineRole::Other;
    if (l.text.find(':') != std::string_view::npos)
        l.fields.count = headerFieldsOf(converted(l.text), l.fields.found, kMaxFieldsPerLine);
    return LineRole::PageHeader;
}

// The line cut by the kinds, read by its shape: what fits the columns and holds a key is a
// record, amounts without a key a total, texts alone under a record its going on; nothing
// but a frame's characters a blank.
LineRole LineRoles::cutRole(Line& l) {
    if (!l.byCut) {
        l.cut = &l.cutter.cut(l.text);
        l.byCut = classifyLine(l.text, *l.cut, *m_in.kinds, *m_in.keys, l.previous, m_in.usual);
    }
    return *l.byCut;
}

LineRole LineRoles::record(Line& l) {
    const LineRole byCut = cutRole(l);
    return byCut == LineRole::Record || byCut == LineRole::Blank ? byCut : LineRole::Other;
}

// A total's shape, unless its words begin with a field's label ("Stok Kodu : HRD.7864 …"
// heads a group, whatever its values hold).
LineRole LineRoles::total(Line& l) {
    return cutRole(l) == LineRole::Total && !labelFirst(l.text) ? LineRole::Total : LineRole::Other;
}

// A text going on stands where its column begins, never at the table's edge.
LineRole LineRoles::continuation(Line& l) {
    return cutRole(l) == LineRole::Continuation && !atLeftEdge(l.text) ? LineRole::Continuation
                                                                       : LineRole::Other;
}

// "label : value" fields: a group's block under the headings, a page header's over headings
// that follow.
LineRole LineRoles::labelled(Line& l) {
    if (l.text.find(':') == std::string_view::npos) return LineRole::Other;
    if (!l.headerAhead) l.headerAhead = headerAhead(l.i);
    const std::string_view line = converted(l.text);
    l.fields.count = *l.headerAhead ? headerFieldsOf(line, l.fields.found, kMaxFieldsPerLine)
                                    : groupFieldsOf(line, l.fields.found, kMaxFieldsPerLine);
    if (l.fields.count == 0) return LineRole::Other;
    // A line the first page's header prints word for word heads every page, whatever
    // follows it (a title with the report's date over headings the table does not repeat).
    const bool again = std::find(m_firstHeader.begin(), m_firstHeader.end(), repeatKey(l.text)) !=
                       m_firstHeader.end();
    return *l.headerAhead || again ? LineRole::PageHeader : LineRole::Block;
}

// Words at the table's edge between the records, no amount among them: a group's block line
// ("253 TESİS, MAKİNE VE CİHAZLAR").
LineRole LineRoles::bareBlock(Line& l) {
    if (!atLeftEdge(l.text) || looksLikeRecord(l.text)) return LineRole::Other;
    if (!l.headerAhead) l.headerAhead = headerAhead(l.i);
    if (*l.headerAhead) return LineRole::Other;
    const std::string_view line = converted(l.text);
    if (isPageFooter(line) || isTotalLabel(line, false)) return LineRole::Other;
    l.fields.bare = true;
    return LineRole::Block;
}

LineRole LineRoles::roleOf(int i, LineRole previous, LineCutter& cutter, const CutLine*& cut,
                           LineFields& fields) {
    // The rules in the order they are tried; the first that applies decides.
    static constexpr RoleRule kRules[] = {
        &LineRoles::blank,          // blank
        &LineRoles::rule,           // a rule or a frame's line
        &LineRoles::headingsAgain,  // the headings again, on a new page
        &LineRoles::aboveTheBody,   // over the table's body: the page header
        &LineRoles::record,         // a record by its shape (nothing but a frame's: blank)
        &LineRoles::total,          // a total by its shape, no field's label first
        &LineRoles::continuation,   // a record's text going on, not at the table's edge
        &LineRoles::labelled,       // a block's or page header's "label : value" fields
        &LineRoles::bareBlock,      // words at the table's edge: a group's block line
    };
    cut = nullptr;
    fields.count = 0;
    fields.bare = false;
    Line l{i,
           m_text.line(i),
           previous,
           cutter,
           cut,
           fields,
           i >= m_table.dataStart && i >= m_in.firstLine,
           std::nullopt,
           std::nullopt};
    for (const RoleRule rule : kRules) {
        const LineRole role = (this->*rule)(l);
        if (role != LineRole::Other) return role;
    }
    return LineRole::Other;
}

// A line that begins with a field's label: a group's block, whatever words its values hold;
// not a total's ("GENEL TOPLAM : 1.234,56"). Or one that numbers its page ("… NAKLİYAT
// Sayfa : 2"): a page's header.
bool LineRoles::labelFirst(std::string_view raw) {
    if (raw.find(':') == std::string_view::npos) return false;
    HeaderField found[kMaxFieldsPerLine];
    const std::string_view line = converted(raw);
    const std::size_t n = headerFieldsOf(line, found, kMaxFieldsPerLine);
    for (std::size_t f = 0; f < n; ++f) {
        if (isPageFooter(std::string(found[f].label) + " " + std::string(found[f].value)))
            return true;
    }
    return n > 0 && !isTotalLabel(found[0].label) &&
           TrimControl(line).substr(0, found[0].label.size()) == found[0].label;
}

bool LineRoles::atLeftEdge(std::string_view line) const {
    return m_in.leftEdge >= 0 && firstMark(line) == m_in.leftEdge;
}

// Whether the line after `line` that is more than blank or fields is the table's headings
// or rule line: then the line is part of a page header, not the block of a group (which
// records or totals follow).
bool LineRoles::headerAhead(int line) {
    const int end = std::min(m_text.lineCount(), line + 1 + kHeaderReach);
    for (int j = line + 1; j < end; ++j) {
        const std::string_view next = m_text.line(j);
        if (!next.empty() && next.front() == '\f') return false;
        const LineRole role = plainRole(next, m_table);
        if (role == LineRole::Heading) return true;
        // The table's own rule line; a rule under a title is none of a group's.
        if (role == LineRole::Rule) {
            if (repeatKey(next) == m_table.tableText) return true;
            continue;
        }
        if (role == LineRole::Blank) continue;
        const LineRole cut =
            classifyLine(next, m_look.cut(next), *m_in.kinds, *m_in.keys, LineRole::Other);
        if (cut == LineRole::Record || cut == LineRole::Total) return false;
    }
    return false;
}

LineRole plainRole(std::string_view line, const TableLayout& table) {
    if (isBlank(line)) return LineRole::Blank;
    if (isRuleLike(line)) return LineRole::Rule;
    const std::string_view key = repeatKey(line);
    if (std::find(table.headingTexts.begin(), table.headingTexts.end(), key) !=
        table.headingTexts.end()) {
        return LineRole::Heading;
    }
    return LineRole::Other;
}

bool startsPage(std::string_view line, const TableLayout& table) {
    return (!line.empty() && line.front() == '\f') ||
           (!table.tableText.empty() && repeatKey(line) == table.tableText);
}

LineRole classifyLine(std::string_view line, const CutLine& c, const Kinds& kinds, const Keys& keys,
                      LineRole previous, const Keys* usual) {
    bool fits = true, ident = false, amount = false, textOnly = true;
    bool lacksUsual = false, named = false;
    int filled = 0;
    for (int k = 0; k < c.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ValueFacts& f = c.facts[idx];
        if (f.empty) {
            lacksUsual |= usual && (*usual)[idx];
            continue;
        }
        ++filled;
        fits = fits && fitsKind(f, kinds[idx]);
        if (keys[idx] && identifiesRecord(f, kinds[idx])) ident = true;
        named |= keys[idx] && kinds[idx].kind == ColumnKind::Text;
        amount |= kinds[idx].kind == ColumnKind::Amount &&
                  (f.amount.valid || !overflowAmount(c.value[idx]).empty());
        textOnly = textOnly && isTextColumn(kinds[idx]);
    }
    if (filled == 0) return LineRole::Blank;  // only frame characters
    // A table keyed by names (months, no date or code anywhere): a named line with an amount.
    ident |= named && amount;
    // A line is a total by its shape and place first: amounts without a key, or right under
    // a rule that sums the lines above (a class total beside its class code); its words
    // second. A record whose text holds DEVİR or TOPLAM is a record.
    const bool underRule = previous == LineRole::Rule;
    // The words as printed, whatever columns they run over ("AKSOY NAKLİYAT" names no
    // carried sum wherever the column boundary cuts it); read only where they decide.
    const bool away = previous != LineRole::Record && previous != LineRole::Continuation;
    const bool asked = amount && (!ident || underRule || (lacksUsual && away));
    const bool totalWords = asked && isTotalLabel(winText(line));
    // A dated opening balance ("01.03.14  DEVREDEN BAKİYE") stands at a group's start, not
    // under a record, and leaves out what every record prints (its voucher number).
    const bool opening = totalWords && lacksUsual && away;
    if (fits && ident && !(underRule && totalWords) && !opening) return LineRole::Record;
    // Amounts without a key under a rule, or right under the headings (a sum carried from
    // the page before), are a total whatever their words.
    const bool pageHead = previous == LineRole::Heading;
    if (amount && (totalWords || ((underRule || pageHead) && !ident))) return LineRole::Total;
    if (textOnly && (previous == LineRole::Record || previous == LineRole::Continuation) &&
        line.front() != '\f' && !isPageFooter(DosToWinText(line))) {
        return LineRole::Continuation;
    }
    return LineRole::Other;
}

FirstReading readKinds(const ReportText& text, const TableLayout& table, int from, int end,
                       DateOrder regional, YearWindow years, int begin) {
    std::array<ColumnStats, kFields> evidence, all;
    std::array<int, kFields> filled{}, filledAll{};  // by sure lines; by lines with an amount
    int amountLines = 0;
    FirstReading reading;
    LineCutter cutter(table.fields, years);
    const int last = std::min(end, text.lineCount());
    // A line printed again and again (a page header's title with its date, the first time
    // over the table) is no evidence.
    std::unordered_map<std::string_view, int> printed;
    for (int i = std::max(begin, 0), n = 0; i < last && n < kReadingLines; ++i) {
        const std::string_view line = text.line(i);
        if (plainRole(line, table) != LineRole::Other) continue;
        ++n;
        ++printed[repeatKey(line)];
    }
    const std::optional<AmountNotation> notation = shownNotation(text, table, from, last, years);
    const std::array<bool, kFields> fixed = fixedPlaces(text, table, from, last, years);
    int seen = 0, sure = 0, repeated = 0;
    std::array<bool, 2> splitHolds{};  // among the sure records; among the other lines
    int i = from;
    // A report printed twice into one file repeats every line: then every line is evidence.
    for (const bool skipRepeated : {true, false}) {
        for (int k = 0; k < kFields; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            evidence[idx] = all[idx] = ColumnStats(table.runFrom[idx], table.runTo[idx]);
        }
        filled = filledAll = {};
        amountLines = 0;
        splitHolds = {};
        seen = sure = repeated = 0;
        for (i = from; i < last && seen < kReadingLines; ++i) {
            const std::string_view line = text.line(i);
            if (plainRole(line, table) != LineRole::Other) continue;
            ++seen;
            if (skipRepeated && printed[repeatKey(line)] > 1) {
                ++repeated;
                continue;
            }
            const CutLine& c = cutter.cut(line);
            bool amount = false;
            int ident = 0;
            for (int k = 0; k < c.count; ++k) {
                const ValueFacts& f = c.facts[static_cast<std::size_t>(k)];
                const bool shows = showsAmount(f) && fitsNotation(f.amount, notation);
                amount |= shows;
                // The split-off character is no code, whatever it holds; nor is what runs
                // on past the table line (the last digit of a total printed a place further
                // right than the records).
                if (k == table.splitField || pastTableLine(table, k)) continue;
                // A code that reads as an amount ("191.02" among "1,234.56") stands at its
                // column's left, far from its right.
                const auto idx = static_cast<std::size_t>(k);
                const bool leftOnly = c.first[idx] >= 0 && c.first[idx] <= table.runFrom[idx] + 1 &&
                                      c.last[idx] < table.runTo[idx] - 2;
                ident += f.dateOrders != 0 || (f.codeToken && (!shows || leftOnly || fixed[idx]));
            }
            // A total's words make no record for sure, whatever its count column holds
            // ("RAPOR TOPLAMI   760   1.315.194,45": the count reads as a code).
            const bool isSure = amount && ident > 0 &&
                                !isTotalLabel(winText(line), /*balance=*/false) &&
                                !opensWithLabel(line);
            sure += isSure;
            amountLines += amount;
            for (int k = 0; k < c.count; ++k) {
                const auto idx = static_cast<std::size_t>(k);
                const std::string_view value = c.value[idx];
                all[idx].add(c.facts[idx], c.first[idx], c.last[idx], value);
                if (amount && !c.facts[idx].empty) ++filledAll[idx];
                if (isSure) evidence[idx].add(c.facts[idx], c.first[idx], c.last[idx], value);
                if (isSure && !c.facts[idx].empty) ++filled[idx];
            }
            if (amount && table.splitField >= 0) {
                const ValueFacts& f = c.facts[static_cast<std::size_t>(table.splitField)];
                if (!f.empty && !f.mark) splitHolds[isSure ? 0 : 1] = true;
            }
        }
        if (sure > 0 || repeated == 0) break;
    }
    // What the split-off character holds, by the sure records; without any, by every line
    // with an amount (a table keyed by month names: "Mayıs   2.232.287,42").
    reading.mergeSplit = sure > 0 ? splitHolds[0] : splitHolds[1];
    reading.end = i;
    // Without an amount beside a date or a code anywhere, every line is evidence.
    const auto& stats = sure > 0 ? evidence : all;
    const std::optional<AmountNotation> shown = notation ? notation : tableNotation(stats);
    for (int k = 0; k < kFields; ++k) {
        ColumnDecision& kind = reading.kinds[static_cast<std::size_t>(k)];
        kind = stats[static_cast<std::size_t>(k)].decide(regional, shown ? &*shown : nullptr);
        if (fixed[static_cast<std::size_t>(k)] && kind.kind == ColumnKind::Amount) {
            kind = ColumnDecision();
            kind.kind = ColumnKind::Code;
        }
    }
    // The key columns: dates or codes that most sure records fill. A date range in
    // a page header that falls into a code column is then no record.
    // A dated report's records are its dated lines: a code column is then no key.
    bool anyKey = false;
    for (const ColumnKind wanted : {ColumnKind::Date, ColumnKind::Code}) {
        for (int k = 0; k < kFields && !anyKey; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            if (reading.kinds[idx].kind != wanted || sure == 0 || 5 * filled[idx] < 4 * sure)
                continue;
            for (int j = k; j < kFields; ++j) {
                const auto jdx = static_cast<std::size_t>(j);
                reading.keys[jdx] =
                    reading.kinds[jdx].kind == wanted && 5 * filled[jdx] >= 4 * sure;
            }
            anyKey = true;
        }
    }
    if (!anyKey) {
        for (int k = 0; k < kFields; ++k) {
            const ColumnKind kind = reading.kinds[static_cast<std::size_t>(k)].kind;
            reading.keys[static_cast<std::size_t>(k)] =
                kind == ColumnKind::Date || kind == ColumnKind::Code;
            anyKey |= reading.keys[static_cast<std::size_t>(k)];
        }
    }
    // No date or code anywhere ("Ocak  38.950,95  18.988,65"): the first text column that
    // the lines with an amount fill names the records.
    for (int k = 0; k < kFields && !anyKey && sure == 0 && amountLines > 0; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (k == table.splitField || reading.kinds[idx].kind != ColumnKind::Text) continue;
        if (5 * filledAll[idx] < 4 * amountLines) continue;
        reading.keys[idx] = true;
        anyKey = true;
    }
    // The usual columns: dates or codes beside the keys that most sure records fill.
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ColumnKind kind = reading.kinds[idx].kind;
        reading.usual[idx] = sure > 0 && !reading.keys[idx] && k != table.splitField &&
                             (kind == ColumnKind::Date || kind == ColumnKind::Code) &&
                             5 * filled[idx] >= 4 * sure;
    }
    return reading;
}

}  // namespace tablamo
