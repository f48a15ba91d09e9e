#pragma once
// The totals check's tests: a line's amounts in kuruş, and a checker over the columns of a
// ledger (Borç, Alacak, Bakiye) fed line by line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clean/totals_check.h"

namespace tablamo::testing {

inline const AmountNotation kTurkish{',', '.'};
using Amount = std::optional<std::int64_t>;

// One line's amounts in kuruş, nothing for an empty cell; the printed texts kept in `texts`.
inline LineAmounts amounts(const std::vector<Amount>& values, std::vector<std::string>& texts) {
    LineAmounts a(values.size());
    texts.clear();
    for (const Amount& v : values) texts.push_back(v ? printedAmount(*v, 2, kTurkish) : "");
    for (std::size_t i = 0; i < values.size(); ++i) {
        a.present[i] = values[i].has_value();
        a.value[i] = values[i].value_or(0);
        a.printed[i] = texts[i];
    }
    return a;
}

// A checker over Borç, Alacak and Bakiye (marked B/A when `marks`), fed line by line.
struct Ledger {
    explicit Ledger(bool marks = false, int groupLevels = 0)
        : check({{"Bor\xE7", kTurkish, 2}, {"Alacak", kTurkish, 2}, {"Bakiye", kTurkish, 2, marks}},
                marks, false, groupLevels) {}
    TotalsCheck check;
    std::vector<std::string> texts;
    int line = 0;

    void post(Amount debit, Amount credit, Amount balance, char mark = 0) {
        RecordFacts r;
        r.line = ++line;
        r.mark = mark;
        check.addRecord(amounts({debit, credit, balance}, texts), r);
    }
    void total(const char* label, Amount debit, Amount credit, Amount balance, char mark = 0) {
        check.checkTotal(label, ++line, amounts({debit, credit, balance}, texts), mark);
    }
    const TotalsVerdict& verdict() {
        check.finish();
        return check.verdict();
    }
};

}  // namespace tablamo::testing
