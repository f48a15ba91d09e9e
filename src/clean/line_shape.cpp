#include <string_view>

#include "clean/line_roles.h"
#include "clean/record_typer.h"
#include "clean/total_label.h"
#include "core/dos_text.h"

namespace tablamo {
namespace {

bool isTextColumn(const ColumnDecision& d) { return d.kind == ColumnKind::Text && !d.marks; }

// Whether a label's first or last word is a total's ("DEVREDEN BAKİYE", "HESAP DEVRİ"), not
// only one among others ("Mahsup fişi, önceki dönem"). Words begin with a letter.
bool totalAtAnEnd(std::string_view win1254) {
    std::string_view first, last;
    std::size_t i = 0;
    while (i < win1254.size()) {
        while (i < win1254.size() && win1254[i] == ' ') ++i;
        const std::size_t from = i;
        while (i < win1254.size() && win1254[i] != ' ') ++i;
        std::string_view word = win1254.substr(from, i - from);
        while (!word.empty() && (word.back() == ',' || word.back() == '.' || word.back() == ':'))
            word.remove_suffix(1);
        const auto lead = word.empty() ? 0 : static_cast<unsigned char>(word.front());
        const bool letter =
            (lead >= 'A' && lead <= 'Z') || (lead >= 'a' && lead <= 'z') || lead >= 0x80;
        if (!letter) continue;
        if (first.empty()) first = word;
        last = word;
    }
    return !first.empty() && (isTotalLabel(first) || isTotalLabel(last));
}

// Whether field `idx`'s print runs on into the next field: it fills its field to the last
// position and the next one's figures start at its first ("1|27942,98", an amount the
// boundary cuts), so it is no value of its own.
bool runsOn(const CutLine& c, std::size_t idx) {
    const std::size_t next = idx + 1;
    return c.spans && next < static_cast<std::size_t>(c.count) &&
           c.last[idx] + 1 >= static_cast<int>(c.spans->length[idx]) && !c.value[next].empty() &&
           c.first[next] == 0 && c.value[next].front() >= '0' && c.value[next].front() <= '9';
}

}  // namespace

LineRole classifyLine(std::string_view line, const CutLine& c, const Kinds& kinds, const Keys& keys,
                      LineRole previous, const Keys* usual) {
    bool fits = true, ident = false, amount = false, textOnly = true;
    bool lacksUsual = false, named = false, monthOnly = false;
    int filled = 0;
    for (int k = 0; k < c.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ValueFacts& f = c.facts[idx];
        if (f.empty) {
            lacksUsual |= usual && (*usual)[idx];
            continue;
        }
        ++filled;
        if (endsText(c, idx, kinds)) continue;
        fits = fits && fitsKind(f, kinds[idx]);
        if (keys[idx] && identifiesRecord(f, kinds[idx]) && !runsOn(c, idx)) {
            ident = true;
            // A month and its year alone ("OCAK 2024"), no day: a group's line over the
            // month's records unless the line prints an amount (a summary by months).
            const char first = c.value[idx][0];
            monthOnly = kinds[idx].kind == ColumnKind::Date && (first < '0' || first > '9');
        }
        named |= keys[idx] && kinds[idx].kind == ColumnKind::Text;
        amount |= kinds[idx].kind == ColumnKind::Amount &&
                  (f.amount.valid || !overflowAmount(c.value[idx]).empty());
        textOnly = textOnly && isTextColumn(kinds[idx]);
    }
    if (filled == 0) return LineRole::Blank;  // only frame characters
    if (monthOnly && !amount && filled == 1) ident = false;
    // A table keyed by names (months, no date or code anywhere): a named line with an amount,
    // unless its name is a total's ("TOPLAM", "GENEL TOPLAM", "KDV TOPLAMI").
    const bool byName = !ident && named && amount;
    if (byName && namesATotal(winText(line))) return LineRole::Total;
    ident |= byName;
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
    // under a record, and leaves out what every record prints (its voucher number); its
    // label begins or ends with its total's word, a record's text may only hold one
    // ("Mahsup fişi, önceki dönem").
    const bool opening = totalWords && lacksUsual && away && totalAtAnEnd(winText(line));
    if (fits && ident && !(underRule && totalWords) && !opening) return LineRole::Record;
    // Amounts without a key under a rule, or right under the headings (a sum carried from
    // the page before), are a total whatever their words.
    const bool pageHead = previous == LineRole::Heading;
    // Amounts without a key right under a total are its parts ("SAYIM FAZLASI", "SAYIM
    // EKSİĞİ" under a store's total: its records' gains and losses).
    const bool part = previous == LineRole::Total;
    if (amount && (totalWords || ((underRule || pageHead || part) && !ident)))
        return LineRole::Total;
    if (textOnly && (previous == LineRole::Record || previous == LineRole::Continuation) &&
        line.front() != '\f' && !isPageFooter(DosToWinLetters(line))) {
        return LineRole::Continuation;
    }
    return LineRole::Other;
}

}  // namespace tablamo
