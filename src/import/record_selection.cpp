#include "import/record_selection.h"

#include <algorithm>

#include "clean/header_fields.h"
#include "clean/record_typer.h"
#include "clean/totals_check.h"
#include "core/dos_text.h"
#include "core/report_text.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
// Lines enough to read the kinds by; the records of a longer report type them again.
constexpr int kReadingLines = 20000;

bool isBlank(std::string_view line) { return TrimControl(line).empty(); }

// A value that shows how amounts are written: with decimals or grouped thousands.
bool showsAmount(const ValueFacts& f) {
    return f.amount.valid && (f.amount.decimal || f.amount.grouping || f.amount.ambiguous);
}

bool isTextColumn(const ColumnDecision& d) { return d.kind == ColumnKind::Text && !d.marks; }

}  // namespace

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

std::size_t headerFieldsOfLine(std::string_view line, std::string& converted, HeaderField* out,
                               std::size_t max) {
    if (line.find(':') == std::string_view::npos) return 0;
    converted = DosToWinText(line);
    return headerFieldsOf(converted, out, max);
}

LineRole classifyLine(std::string_view line, const CutLine& c, const Kinds& kinds, const Keys& keys,
                      LineRole previous) {
    bool fits = true, ident = false, date = false, amount = false, textOnly = true;
    int filled = 0;
    for (int k = 0; k < c.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ValueFacts& f = c.facts[idx];
        if (f.empty) continue;
        ++filled;
        fits = fits && fitsKind(f, kinds[idx]);
        if (keys[idx] && identifiesRecord(f, kinds[idx])) {
            ident = true;
            date |= kinds[idx].kind == ColumnKind::Date;
        }
        amount |= kinds[idx].kind == ColumnKind::Amount && f.amount.valid;
        textOnly = textOnly && isTextColumn(kinds[idx]);
    }
    if (filled == 0) return LineRole::Blank;  // only frame characters
    // A total printed beside a code (a class total under its class code) is no record; a
    // dated line always is.
    if (fits && ident && (date || !(amount && isTotalLabel(labelOf(c, kinds), false)))) {
        return LineRole::Record;
    }
    if (amount && !ident && isTotalLabel(labelOf(c, kinds))) return LineRole::Total;
    if (textOnly && (previous == LineRole::Record || previous == LineRole::Continuation) &&
        line.front() != '\f' && !isPageFooter(DosToWinText(line))) {
        return LineRole::Continuation;
    }
    return LineRole::Other;
}

FirstReading readKinds(const ReportText& text, const TableLayout& table, int from,
                       DateOrder regional, YearWindow years) {
    std::array<ColumnStats, kFields> evidence, all;
    std::array<int, kFields> filled{};
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        evidence[idx] = all[idx] = ColumnStats(table.runFrom[idx], table.runTo[idx]);
    }
    FirstReading reading;
    LineCutter cutter(table.fields, years);
    int seen = 0, sure = 0;
    int i = from;
    for (; i < text.lineCount() && seen < kReadingLines; ++i) {
        const std::string_view line = text.line(i);
        if (plainRole(line, table) != LineRole::Other) continue;
        ++seen;
        const CutLine& c = cutter.cut(line);
        bool amount = false;
        int ident = 0;
        for (int k = 0; k < c.count; ++k) {
            const ValueFacts& f = c.facts[static_cast<std::size_t>(k)];
            amount |= showsAmount(f);
            // The split-off character is no code, whatever it holds.
            if (k == table.splitField) continue;
            ident += f.dateOrders != 0 || (f.codeToken && !showsAmount(f));
        }
        const bool isSure = amount && ident > 0;
        sure += isSure;
        for (int k = 0; k < c.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            const std::string_view value = c.value[idx];
            all[idx].add(c.facts[idx], c.first[idx], c.last[idx], value);
            if (isSure) evidence[idx].add(c.facts[idx], c.first[idx], c.last[idx], value);
            if (isSure && !c.facts[idx].empty) ++filled[idx];
        }
        if (isSure && table.splitField >= 0) {
            const ValueFacts& f = c.facts[static_cast<std::size_t>(table.splitField)];
            if (!f.empty && !f.mark) reading.mergeSplit = true;
        }
    }
    reading.end = i;
    // Without an amount beside a date or a code anywhere, every line is evidence.
    const auto& stats = sure > 0 ? evidence : all;
    for (int k = 0; k < kFields; ++k) {
        reading.kinds[static_cast<std::size_t>(k)] =
            stats[static_cast<std::size_t>(k)].decide(regional);
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
        }
    }
    return reading;
}

}  // namespace tablamo
