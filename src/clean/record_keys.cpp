#include "clean/record_keys.h"

#include <algorithm>

#include "clean/column_finder.h"
#include "clean/date_reading.h"
#include "clean/total_label.h"
#include "clean/value_reading.h"
#include "core/dos_text.h"

namespace tablamo {
namespace printed {

bool labelFirst(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    // What the label says in brackets is its own: "BAKİYE (31.03.2024) : 246.336,77".
    int depth = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        depth += (line[i] == '(') - (line[i] == ')');
        if (depth <= 0 && isDigit(line[i])) return false;
    }
    return line.find_first_not_of(' ') < colon;
}

int recordKeys(std::string_view line) {
    const YearWindow years(Date{2000, 1, 1});
    int amounts = 0, keys = 0, dates = 0, wholes = 0, words = 0;
    bool codeFirst = false, named = false;
    std::size_t passed = 0;  // the end of a date of three words read already
    const auto read = [&](Word w) {
        if (w.from < passed) return;
        std::string_view word = line.substr(w.from, w.to - w.from);
        const bool digits =
            std::all_of(word.begin(), word.end(), [](char c) { return isDigit(c); });
        if (words++ == 0) codeFirst = digits && word.size() >= 3;
        named |= std::count_if(word.begin(), word.end(), [](char c) {
                     return !isDigit(c) && static_cast<unsigned char>(c) > 0x40;
                 }) >= 2;
        // A day, a month's name and a year, one blank apart ("13 Şub 2023").
        if (word.size() <= 2 && isDigit(word.front()) && w.to + 1 < line.size() &&
            line[w.to] == ' ' && !isBlankByte(line[w.to + 1])) {
            const std::size_t monthEnd = std::min(line.find(' ', w.to + 1), line.size());
            if (monthEnd + 1 < line.size() && isDigit(line[monthEnd + 1])) {
                std::size_t yearEnd = monthEnd + 1;
                while (yearEnd < line.size() && isDigit(line[yearEnd])) ++yearEnd;
                if (dateOrdersOf(line.substr(w.from, yearEnd - w.from), years)) {
                    ++keys;
                    ++dates;
                    passed = yearEnd;
                    return;
                }
            }
        }
        if (!isDigit(word.front()) && word.front() != '-' && word.front() != '+' &&
            word.front() != '(')
            return;
        // A balance's B/A mark glued on: the amount before it.
        if (word.size() > 1 && (word.back() == 'B' || word.back() == 'A') &&
            isDigit(word[word.size() - 2]))
            word.remove_suffix(1);
        const AmountForm a = amountFormOf(word);
        if (a.valid && (a.decimal || a.grouping || a.ambiguous)) {
            // A date with points reads as an amount too: a date it is.
            if (word.size() >= 8 && dateOrdersOf(word, years)) {
                ++keys;
            } else {
                ++amounts;
            }
        } else if (dateOrdersOf(word, years)) {
            // A label's date ("Tarih: 14.01.2025" of a page header) keys no record.
            std::size_t before = w.from;
            while (before > 0 && line[before - 1] == ' ') --before;
            if (before > 0 && line[before - 1] == ':') return;
            ++keys;
            ++dates;
        } else if (std::any_of(word.begin(), word.end(), [](char c) { return isDigit(c); })) {
            ++keys;
            // A whole quantity: digits alone, no nought first.
            wholes += word.size() <= 7 && (word.size() == 1 || word.front() != '0') &&
                      std::all_of(word.begin(), word.end(), [](char c) { return isDigit(c); });
        }
    };
    eachWord(line, read, partsWords);
    // A dated line of whole quantities beside its document's number is a record too (a stock
    // card's movements).
    if (amounts == 0 && dates > 0 && wholes > 0 && keys - dates >= 2) amounts = 1;
    // A register number, a name and three counts or more is one too (an attendance sheet
    // whose days are whole numbers alone).
    if (amounts == 0 && codeFirst && named && wholes >= 3) amounts = 1;
    if (amounts == 0 || (keys == 0 && amounts < 2) || labelFirst(line)) return -1;
    return isTotalLabel(DosToWinLetters(line), false) ? -1 : keys;
}

}  // namespace printed

bool looksLikeRecord(std::string_view line) { return printed::recordKeys(line) >= 0; }

}  // namespace tablamo
