#include "clean/first_reading.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <unordered_map>

#include "clean/column_finder.h"
#include "clean/column_places.h"
#include "clean/column_typing.h"
#include "clean/date_reading.h"
#include "clean/line_cutter.h"
#include "clean/record_keys.h"
#include "clean/total_label.h"
#include "clean/value_reading.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
// Lines enough to read the kinds by; the records of a longer report type them again.
constexpr int kReadingLines = 20000;

// Whether field `k` starts past the table line's end: a settings' width beyond its columns.
bool pastTableLine(const TableLayout& table, int k) {
    const std::uint32_t from = table.fields.from[static_cast<std::size_t>(k)];
    return !table.tableText.empty() && from > table.tableText.size();
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

// Whether a value is a whole number alone, no nought first: a count, no code.
bool wholeCount(std::string_view value) {
    return !value.empty() && value.size() <= 7 && (value.size() == 1 || value[0] != '0') &&
           std::all_of(value.begin(), value.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// Whether the line prints a period and nothing else ("01.01.2019 - 31.12.2019"): a page
// header's line, no record however its pieces cut.
bool printsPeriod(std::string_view line, YearWindow years) {
    // Three words: a date, a dash and a date; most lines are told by their fourth.
    int words = 0;
    for (std::size_t i = 0; i < line.size() && words <= 3; ++i) {
        words += !printed::isBlankByte(line[i]) && (i == 0 || printed::isBlankByte(line[i - 1]));
    }
    if (words != 3) return false;
    int dates = 0, others = 0;
    printed::eachWord(line, [&](printed::Word w) {
        const std::string_view word = line.substr(w.from, w.to - w.from);
        if (dateOrdersOf(word, years) != 0) {
            ++dates;
        } else if (word != "-") {
            ++others;
        }
    });
    return dates == 2 && others == 0;
}

// Whether the line's words, inside its frame, begin with a field's label ("║ Yevmiye No: 12
// Tarih: 10.01.2010"): a group's block, no record however its values read. What the label
// says in brackets is its own ("KASA DEFTERİ BAKİYESİ (15.03.2024) : 24.501,85").
bool opensWithLabel(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    std::size_t i = 0;
    while (i < colon && (line[i] == ' ' || line[i] == '|' || line[i] == '\f' ||
                         static_cast<unsigned char>(line[i]) >= 0xB0))
        ++i;
    return i < colon && printed::labelFirst(line.substr(i));
}

// The last line of a page's top that begins at line `i` (a form feed before the headings
// again a few lines on): the line before those headings; else -1.
int pageTopEnd(const ReportText& text, const TableLayout& table, int i, int last) {
    const std::string_view line = text.line(i);
    if (line.empty() || line.front() != '\f') return -1;
    constexpr int kReach = 10;
    for (int j = i + 1; j < std::min(last, i + 1 + kReach); ++j) {
        if (plainRole(text.line(j), table) == LineRole::Heading) return j - 1;
    }
    return -1;
}

}  // namespace

FirstReading readKinds(const ReportText& text, const TableLayout& table, int from, int end,
                       DateOrder regional, YearWindow years, int begin) {
    std::array<ColumnStats, kFields> evidence, all;
    std::array<int, kFields> filled{}, filledAll{};  // by sure lines; by lines with an amount
    int amountLines = 0;
    // The lines with an amount that name a total, and whether each column's figure is one
    // and the same on all of them (a list's total, its page's and the report's).
    int totalLines = 0;
    bool oneTotal = true;
    std::array<std::string, kFields> totalFigures;
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
    // A frame's records print its uprights: where most lines that look like records do, a
    // line that prints none (a summary under the frame's bottom line) is no record for sure.
    int uprightLines = 0, plainLines = 0;
    for (int i = from, n = 0; table.framed && i < last && n < kReadingLines; ++i) {
        const std::string_view line = text.line(i);
        if (plainRole(line, table) != LineRole::Other || !looksLikeRecord(line)) continue;
        ++n;
        ++(printed::printsUpright(line) ? uprightLines : plainLines);
    }
    const bool framedRecords = uprightLines > plainLines;
    const std::optional<AmountNotation> notation = shownNotation(text, table, from, last, years);
    const std::array<bool, kFields> fixed = fixedPlaces(text, table, from, last, years);
    int seen = 0, sure = 0, repeated = 0;
    std::array<bool, 2> splitHolds{};  // among the sure records; among the other lines
    bool totalSplit = false;           // a total's figure holds it
    // Sure records that print a mark there; a figure other than a nought's last digit.
    int splitMarks = 0, splitOthers = 0;
    int i = from;
    // A report printed twice into one file repeats every line: then every line is evidence.
    // A table of whole quantities alone (a stock card's) shows no amount by its separators:
    // then whole numbers are its amounts.
    for (int round = 0; round < 3; ++round) {
        const bool skipRepeated = round == 0, wholes = round == 2;
        for (int k = 0; k < kFields; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            evidence[idx] = all[idx] = ColumnStats(table.runFrom[idx], table.runTo[idx]);
        }
        filled = filledAll = {};
        amountLines = totalLines = 0;
        oneTotal = true;
        splitHolds = {};
        splitMarks = splitOthers = 0;
        totalSplit = false;
        seen = sure = repeated = 0;
        // A page's header (its title and period over the columns) is no evidence.
        int topEnd = -1;
        for (i = from; i < last && seen < kReadingLines; ++i) {
            const std::string_view line = text.line(i);
            topEnd = std::max(topEnd, pageTopEnd(text, table, i, last));
            if (i <= topEnd || plainRole(line, table) != LineRole::Other) continue;
            ++seen;
            if (skipRepeated && printed[repeatKey(line)] > 1) {
                ++repeated;
                continue;
            }
            const CutLine& c = cutter.cut(line);
            bool amount = false;
            int ident = 0, counted = 0;  // keys; those that are whole numbers alone
            int firstFilled = -1;
            for (int k = 0; k < c.count; ++k) {
                const ValueFacts& f = c.facts[static_cast<std::size_t>(k)];
                if (firstFilled < 0 && !f.empty) firstFilled = k;
                const bool shows = (showsAmount(f) || (wholes && f.amount.valid)) &&
                                   fitsNotation(f.amount, notation);
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
                const bool key =
                    f.dateOrders != 0 || (f.codeToken && (!shows || leftOnly || fixed[idx]));
                ident += key;
                counted += key && f.dateOrders == 0 && wholeCount(c.value[idx]);
            }
            // Words first and counts alone for keys ("GEÇEN YIL AYNI DÖNEM  63  30  8,1" under
            // an attendance sheet's register numbers): a summary's line, no record for sure.
            if (ident > 0 && ident == counted && firstFilled >= 0 &&
                !c.facts[static_cast<std::size_t>(firstFilled)].token)
                ident = 0;
            // A total's words make no record for sure, whatever its count column holds
            // ("RAPOR TOPLAMI   760   1.315.194,45": the count reads as a code).
            const bool total = amount && isTotalLabel(winText(line), /*balance=*/false);
            // A line that opens with a label is a block's or a summary's ("SAYIM FARKI : 0,00"
            // under a cash count): no evidence of the columns, whatever its value stands under.
            const bool labelled = table.fields.bar != ':' && opensWithLabel(line);
            const bool isSure = amount && ident > 0 && !total && !labelled &&
                                !printsPeriod(line, years) &&
                                (!framedRecords || printed::printsUpright(line));
            sure += isSure;
            amountLines += amount && !labelled;
            if (total) {
                for (int k = 0; k < c.count; ++k) {
                    const auto idx = static_cast<std::size_t>(k);
                    if (!c.facts[idx].amount.valid) continue;
                    if (totalLines == 0 || totalFigures[idx].empty())
                        totalFigures[idx].assign(c.value[idx]);
                    else
                        oneTotal = oneTotal && totalFigures[idx] == c.value[idx];
                }
                ++totalLines;
            }
            for (int k = 0; k < c.count; ++k) {
                const auto idx = static_cast<std::size_t>(k);
                const std::string_view value = c.value[idx];
                if (!labelled) all[idx].add(c.facts[idx], c.first[idx], c.last[idx], value);
                if (amount && !labelled && !c.facts[idx].empty) ++filledAll[idx];
                if (isSure) evidence[idx].add(c.facts[idx], c.first[idx], c.last[idx], value);
                if (isSure && !c.facts[idx].empty) ++filled[idx];
                if (total) {
                    evidence[idx].addTotal(c.facts[idx], value);
                    all[idx].addTotal(c.facts[idx], value);
                }
            }
            if (amount && table.splitField >= 0) {
                const ValueFacts& f = c.facts[static_cast<std::size_t>(table.splitField)];
                if (!f.empty && !f.mark) splitHolds[isSure ? 0 : 1] = true;
                splitMarks += isSure && f.mark;
                splitOthers += isSure && !f.empty && !f.mark && !f.nought;
                if (total && !f.empty && !f.mark) totalSplit = true;
            }
        }
        if (sure > 0) break;
        if (round == 0 && repeated == 0) ++round;
    }
    // What the split-off character holds, by the sure records; without any, by every line
    // with an amount (a table keyed by month names: "Mayıs   2.232.287,42").
    // A column no sure record fills whose totals' figures run into it: the figures' own.
    const std::size_t split = static_cast<std::size_t>(std::max(table.splitField, 1));
    const bool unfilled = table.splitField > 0 && filled[split - 1] == 0 && filled[split] == 0;
    // Marks in most of them: the others are balances of nothing whose last nought stands
    // where the marks do ("0,00" under "300,00A").
    const bool marksThere = splitMarks > splitOthers;
    reading.mergeSplit =
        sure > 0 ? (splitHolds[0] && !marksThere) || (unfilled && totalSplit) : splitHolds[1];
    reading.end = i;
    // Without an amount beside a date or a code anywhere, every line is evidence.
    const auto& stats = sure > 0 ? evidence : all;
    const std::optional<AmountNotation> shown = notation ? notation : tableNotation(stats);
    for (int k = 0; k < kFields; ++k) {
        ColumnDecision& kind = reading.kinds[static_cast<std::size_t>(k)];
        kind = stats[static_cast<std::size_t>(k)].decide(regional, shown ? &*shown : nullptr);
        reading.wholes[static_cast<std::size_t>(k)] =
            stats[static_cast<std::size_t>(k)].fewDigitWholes();
        // Dashes for none in every sure record, or nothing at all: the other lines tell
        // whether they stand for amounts (a day count that only a record of no decimals
        // fills).
        const ColumnStats& mine = evidence[static_cast<std::size_t>(k)];
        if (sure > 0 && (mine.onlyPlaceholders() || mine.values() == 0)) {
            const ColumnDecision other =
                all[static_cast<std::size_t>(k)].decide(regional, shown ? &*shown : nullptr);
            if (other.kind == ColumnKind::Amount) kind = other;
        }
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
            if (reading.kinds[idx].kind != wanted || sure == 0 || 5 * filled[idx] < 4 * sure ||
                stats[idx].rates())
                continue;
            for (int j = k; j < kFields; ++j) {
                const auto jdx = static_cast<std::size_t>(j);
                reading.keys[jdx] = reading.kinds[jdx].kind == wanted &&
                                    5 * filled[jdx] >= 4 * sure && !stats[jdx].rates();
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
    // the lines with an amount fill names the records. The same where the sure records were
    // told by a count beside their amount ("İKİYÜZLÜK  10  2.000,00"): the first text column
    // they fill.
    // Lines that all name a total and print one and the same figures are the totals of a
    // list whose records are not there, not records.
    const bool totalsAlone = totalLines == amountLines && oneTotal;
    bool dated = false, counted = false;
    for (std::size_t k = 0; k < stats.size(); ++k) {
        dated |= stats[k].dates() > 0;
        counted |= reading.wholes[k] && reading.kinds[k].kind == ColumnKind::Amount;
    }
    const bool byName = sure > 0 ? counted && !dated : amountLines > 0 && !totalsAlone;
    for (int k = 0; k < kFields && !anyKey && byName; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (k == table.splitField || reading.kinds[idx].kind != ColumnKind::Text) continue;
        if (sure > 0 ? 5 * filled[idx] < 4 * sure : 5 * filledAll[idx] < 4 * amountLines) continue;
        reading.keys[idx] = true;
        anyKey = true;
    }
    // The usual columns: dates or codes beside the keys that most sure records fill (two of
    // three: a statement's postings print their voucher's number, its month-end
    // revaluations none).
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ColumnKind kind = reading.kinds[idx].kind;
        reading.usual[idx] = sure > 0 && !reading.keys[idx] && k != table.splitField &&
                             (kind == ColumnKind::Date || kind == ColumnKind::Code) &&
                             3 * filled[idx] >= 2 * sure;
    }
    return reading;
}

}  // namespace tablamo
