#include "clean/column_places.h"

#include <string>

#include "clean/line_roles.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

// Each of the first `looked` lines from `from` to `end` no plain role takes, cut into fields.
template <class Each>
void eachCutLine(const ReportText& text, const TableLayout& table, int from, int end, int looked,
                 YearWindow years, Each each) {
    LineCutter cutter(table.fields, years);
    for (int i = from, n = 0; i < end && n < looked; ++i) {
        const std::string_view line = text.line(i);
        if (plainRole(line, table) != LineRole::Other) continue;
        ++n;
        each(cutter.cut(line));
    }
}

}  // namespace

std::optional<AmountNotation> shownNotation(const ReportText& text, const TableLayout& table,
                                            int from, int end, YearWindow years) {
    constexpr int kLooked = 20000;
    int turkish = 0, english = 0, commas = 0, points = 0;
    eachCutLine(text, table, from, end, kLooked, years, [&](const CutLine& c) {
        for (int k = 0; k < c.count; ++k) {
            const AmountForm& a = c.facts[static_cast<std::size_t>(k)].amount;
            if (!a.valid || !a.decimal) continue;
            if (!a.grouping) {
                (a.decimal == ',' ? commas : points) += 1;
                continue;
            }
            (a.decimal == ',' ? turkish : english) += 1;
        }
    });
    // Without both separators in a value: decimals after a comma beside decimals after a
    // point ("27522,71" beside the code "191.02") are the Turkish notation's.
    if (turkish == 0 && english == 0)
        return commas > 0 && points > 0 ? std::optional<AmountNotation>(AmountNotation{',', '.'})
                                        : std::nullopt;
    return turkish >= english ? AmountNotation{',', '.'} : AmountNotation{'.', ','};
}

std::array<bool, CutLine::kFields> fixedPlaces(const ReportText& text, const TableLayout& table,
                                               int from, int end, YearWindow years) {
    constexpr int kLooked = 2000;
    constexpr int kAtLeast = 3;
    std::array<int, CutLine::kFields> count{}, first{}, last{};
    std::array<bool, CutLine::kFields> same, alike;
    same.fill(true);
    alike.fill(true);
    std::array<std::string, CutLine::kFields> one;
    std::array<bool, CutLine::kFields> fraction{};
    std::array<int, CutLine::kFields> filled{};
    eachCutLine(text, table, from, end, kLooked, years, [&](const CutLine& c) {
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
    });
    // Only the records' first column: a rate or a price may print in one width throughout.
    std::array<bool, CutLine::kFields> fixed{};
    std::size_t k = 0;
    while (k < fixed.size() && filled[k] == 0) ++k;
    if (k < fixed.size()) fixed[k] = count[k] >= kAtLeast && same[k] && !alike[k] && fraction[k];
    return fixed;
}

}  // namespace tablamo
