#include "clean/line_roles.h"

#include <algorithm>
#include <optional>

#include "clean/column_finder.h"
#include "clean/header_fields.h"
#include "clean/record_typer.h"
#include "clean/total_label.h"
#include "core/dos_text.h"
#include "core/report_text.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

bool isBlank(std::string_view line) { return TrimControl(line).empty(); }

constexpr std::size_t kMaxFieldsPerLine = LineFields::kMax;
// Lines a page header's fields stand above the headings at most.
constexpr int kHeaderReach = 10;

}  // namespace

std::string_view winText(std::string_view line) {
    thread_local std::string buffer;
    buffer.resize(line.size());
    return {buffer.data(), dosToWinLettersInto(line, buffer.data())};
}

int firstMark(std::string_view line, char bar) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        if (b <= 0x20 || (b >= 0xB0 && b <= 0xDF) || line[i] == '|' || (bar != 0 && line[i] == bar))
            continue;
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
        if (!isBlank(key)) m_firstLines.push_back(key);
    }
}

std::string_view LineRoles::converted(std::string_view line) {
    m_converted.resize(line.size());
    m_converted.resize(dosToWinLettersInto(line, m_converted.data()));
    if (m_table.fields.bar == '|') std::replace(m_converted.begin(), m_converted.end(), '|', ' ');
    // A table parted by colons draws its edges with them too: they are no label's.
    if (m_table.fields.bar == ':') {
        const std::size_t first = m_converted.find_first_not_of(' ');
        const std::size_t last = m_converted.find_last_not_of(" \r\f");
        if (first != std::string::npos && m_converted[first] == ':') m_converted[first] = ' ';
        if (last != std::string::npos && last != first && m_converted[last] == ':')
            m_converted[last] = ' ';
    }
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

// Under a page's header, before the headings again: the header goes on (the report's
// period or title printed over the columns), though it reads as a record.
LineRole LineRoles::pageTop(Line& l) {
    if (l.previous != LineRole::PageHeader || !l.body || cutRole(l) != LineRole::Record)
        return LineRole::Other;
    if (!l.headerAhead) l.headerAhead = headerAhead(l.i);
    if (!*l.headerAhead) return LineRole::Other;
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

// A table drawn with bars alone: a line that prints none of them is none of its records or
// totals (another table's lines that no table line of their own parts off).
bool LineRoles::withoutBars(std::string_view line) const {
    return m_table.barsAlone && m_table.fields.bar != 0 &&
           line.find(m_table.fields.bar) == std::string_view::npos;
}

LineRole LineRoles::record(Line& l) {
    if (withoutBars(l.text)) return isBlank(l.text) ? LineRole::Blank : LineRole::Other;
    const LineRole byCut = cutRole(l);
    return byCut == LineRole::Record || byCut == LineRole::Blank ? byCut : LineRole::Other;
}

// A total's shape, unless its words begin with a field's label ("Stok Kodu : HRD.7864 …"
// heads a group, whatever its values hold) or it numbers the page ("- 2 -"). Amounts without
// a key or a total's words right under a total are a part of it.
LineRole LineRoles::total(Line& l) {
    if (withoutBars(l.text) || cutRole(l) != LineRole::Total || labelFirst(l.text) ||
        isPageFooter(l.text))
        return LineRole::Other;
    l.fields.part = l.previous == LineRole::Total && !isTotalLabel(winText(l.text));
    return LineRole::Total;
}

// A total's words with no figure beside them ("Sayfa Toplamı" over a page that sums
// nothing, dashes for none): a total that checks nothing, no record's text.
LineRole LineRoles::emptyTotal(Line& l) {
    if (labelFirst(l.text) || !namesATotal(converted(l.text))) return LineRole::Other;
    cutRole(l);
    for (int k = 0; k < l.cut->count; ++k) {
        if (l.cut->facts[static_cast<std::size_t>(k)].amount.valid) return LineRole::Other;
    }
    return LineRole::Total;
}

// A text going on stands where its column begins; at the table's edge (a group's block line
// stands there) only under a record whose first text filled its column to the last place
// ("DORUK ELEKTRİK MALZ." over "TİC. A.Ş.").
LineRole LineRoles::continuation(Line& l) {
    if (cutRole(l) != LineRole::Continuation) return LineRole::Other;
    if (!atLeftEdge(l.text)) return LineRole::Continuation;
    const CutLine& goesOn = *l.cut;
    int k = 0;
    while (k < goesOn.count && goesOn.value[static_cast<std::size_t>(k)].empty()) ++k;
    if (!m_record || k >= m_record->count || !m_record->spans) return LineRole::Other;
    const auto idx = static_cast<std::size_t>(k);
    const bool full = !m_record->value[idx].empty() &&
                      m_record->last[idx] + 2 >= static_cast<int>(m_record->spans->length[idx]);
    return full ? LineRole::Continuation : LineRole::Other;
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

namespace {

// Whether a label's blank is there to be filled in by hand ("Sayımı yapan: ........"): a
// line of signatures, no group's name.
bool toFillIn(std::string_view line) {
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos;
         colon = line.find(':', colon + 1)) {
        std::size_t at = colon + 1;
        while (at < line.size() && line[at] == ' ') ++at;
        std::size_t run = at;
        while (run < line.size() && (line[run] == '.' || line[run] == '_')) ++run;
        if (run - at >= 3) return true;
    }
    return false;
}

}  // namespace

// Words at the table's edge between the records, no amount among them: a group's block line
// ("253 TESİS, MAKİNE VE CİHAZLAR").
LineRole LineRoles::bareBlock(Line& l) {
    if (!atLeftEdge(l.text) || looksLikeRecord(l.text)) return LineRole::Other;
    if (!l.headerAhead) l.headerAhead = headerAhead(l.i);
    if (*l.headerAhead) return LineRole::Other;
    const std::string_view line = converted(l.text);
    if (isPageFooter(line) || isTotalLabel(line, false) || toFillIn(line)) return LineRole::Other;
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
        &LineRoles::pageTop,        // under a page's header, the headings ahead: its header
        &LineRoles::record,         // a record by its shape (nothing but a frame's: blank)
        &LineRoles::total,          // a total by its shape, no field's label first
        &LineRoles::continuation,   // a record's text going on, not at the table's edge
        &LineRoles::emptyTotal,     // a total's words with no figure
        &LineRoles::labelled,       // a block's or page header's "label : value" fields
        &LineRoles::bareBlock,      // words at the table's edge: a group's block line
    };
    cut = nullptr;
    fields.count = 0;
    fields.bare = false;
    fields.part = false;
    Line l{i,
           m_text.line(i),
           previous,
           cutter,
           cut,
           fields,
           i >= m_table.dataStart && i >= m_in.firstLine,
           std::nullopt,
           std::nullopt};
    LineRole role = LineRole::Other;
    for (const RoleRule rule : kRules) {
        role = (this->*rule)(l);
        if (role != LineRole::Other) break;
    }
    if (role == LineRole::Record) {
        m_record = cut;
    } else if (role != LineRole::Continuation) {
        m_record = nullptr;
    }
    return role;
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
    return m_in.leftEdge >= 0 && firstMark(line, m_table.fields.bar) == m_in.leftEdge;
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
        // The first page's header printed again (its title, its period "Haziran 2024"),
        // however it reads.
        if (std::find(m_firstLines.begin(), m_firstLines.end(), repeatKey(next)) !=
            m_firstLines.end())
            continue;
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

}  // namespace tablamo
