// The totals check's readings (totals_check.h): what the records give for each figure of a
// total line, by every reading of what it may cover, and which of them give the printed one.

#include <algorithm>

#include "clean/date_reading.h"
#include "clean/totals_state.h"
#include "core/text_rules.h"

namespace tablamo {

using namespace totals;

namespace {

// Whether the folded text holds the word whole ("TL" in "*** TL MEVDUATLAR ***"), or with
// its plural's ending ("BANKNOT" in "BANKNOTLAR").
bool holdsWord(std::string_view text, std::string_view word) {
    const auto inWord = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               static_cast<unsigned char>(c) >= 0x80;
    };
    const auto endsAt = [&](std::size_t end) { return end == text.size() || !inWord(text[end]); };
    for (auto at = text.find(word); !word.empty() && at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        if (at > 0 && inWord(text[at - 1])) continue;
        const std::size_t end = at + word.size();
        const std::string_view rest = text.substr(end, 3);
        if (endsAt(end) || ((rest == "LAR" || rest == "LER") && endsAt(end + 3))) return true;
    }
    return false;
}

std::int64_t magnitude(std::int64_t v) { return v < 0 ? -v : v; }

bool isDigitChar(char c) { return c >= '0' && c <= '9'; }

// Whether a label holds an amount ("SAYF A TOPLAMI 122,342.37", "TOPLAMI 5688,58") or figures
// ("TOPLAM 1   217" beside the count of its records): the columns are not cut where the report
// prints them, and its figures say nothing. Numbers its group's block prints name the group
// (a vehicle's plate, "34 KLM 482 TOPLAMI" under "Araç Plakası: 34 KLM 482").
bool holdsAmount(const TotalLabel& label, const AmountNotation& summed, int decimals,
                 std::string_view groupName) {
    static const YearWindow years(Date{2000, 1, 1});
    int figures = 0;
    for (std::size_t i = 0; i < label.words.size(); ++i) {
        const std::string& word = label.words[i];
        if (holdsWord(groupName, word)) continue;
        const AmountForm f = amountFormOf(word);
        // One with decimals alone counts where the summed columns print theirs so: an
        // account "120.01" names a group where the amounts read "828.291,91", and hours
        // "123,0" are no figure of those.
        if (f.valid && f.decimal &&
            (f.grouping || (f.decimal == summed.decimal && f.fraction == decimals &&
                            dateOrdersOf(word, years) == 0)))
            return true;
        const bool counts =
            i + 1 < label.words.size() &&
            (label.words[i + 1].rfind("ADET", 0) == 0 || label.words[i + 1].rfind("KAYIT", 0) == 0);
        if (counts || dateOrdersOf(word, years) != 0) continue;
        // Figures printed into one another ("96.229,2050.824,93") are two; a code with a
        // nought first ("(03)", a salesman's) is none.
        const bool numeric =
            std::count_if(word.begin(), word.end(), isDigitChar) >= 2 &&
            word.find_first_of(".,") != std::string::npos &&
            std::all_of(word.begin(), word.end(), [](char c) {
                return isDigitChar(c) || c == '.' || c == ',' || c == '-' || c == '+';
            });
        if (f.valid) {
            ++figures;
        } else if (numeric) {
            figures += 2;
        }
    }
    return figures >= 2;
}

}  // namespace

bool State::everAgreed(std::size_t family, std::size_t c) const {
    const auto it = std::find_if(kinds.begin(), kinds.end(),
                                 [&](const KindStats& k) { return k.key == families[family]; });
    return it == kinds.end() || it->agreed[c] > 0 || it->lines < 2;
}

KindStats& State::kindOf(const std::string& key) {
    auto it =
        std::find_if(kinds.begin(), kinds.end(), [&](const KindStats& k) { return k.key == key; });
    if (it != kinds.end()) return *it;
    kinds.push_back({key, std::vector<int>(n + 1, 0), std::vector<std::vector<int>>(n + 1)});
    return kinds.back();
}

void State::scopesOf(const std::string& folded, std::size_t family, Point& now, Scopes& out) const {
    if (pagePending) now = snapshot();  // a page begun with no record yet: its sums are now's
    out.assign({{kStartScope, &start}, {kPageScope, pagePending ? &now : &page}});
    for (int l = 0; l <= innermost; ++l)
        out.emplace_back(kGroupScope + l, &group[static_cast<std::size_t>(l)]);
    for (std::size_t i = 0; i < recent.size(); ++i)
        out.emplace_back(kRecentScope + static_cast<int>(i), &recent[recent.size() - 1 - i]);
    for (const auto& [labelText, point] : byLabel) {
        if (labelText == folded) out.emplace_back(kSameScope, &point);
    }
    // Since the last total of its family (the start for the first): a month's, a day's.
    if (family < families.size()) out.emplace_back(kFamilyScope, &byFamily[family]);
}

void State::readings(std::size_t c, const TotalLabel& label, std::size_t family,
                     const Scopes& scopes, std::vector<std::pair<int, std::int64_t>>& out) const {
    out.clear();
    const bool count = c == n;
    const auto eachFilter = [&](auto&& fn) {
        // An account list's totals sum its top level, or, where the top level prints no
        // amounts (a stock list's group lines), everything under it.
        if (levels) {
            fn(kTop);
            if (!count && !topPrinted[c]) fn(kAll);
            return;
        }
        fn(kAll);
        if (count) return;
        fn(kPositive);
        fn(kNegative);
        if (marks) fn(kMarkedA), fn(kMarkedB);
    };
    // Named, not bound: C++20 lets a lambda capture a structured binding, clang 14 does not
    // yet (the fuzz targets' compiler).
    for (const auto& entry : scopes) {
        const int scope = entry.first;
        const Point* p = entry.second;
        eachFilter([&](int f) {
            out.emplace_back(readingId(scope, kSum, f),
                             sums[c * kFilters + static_cast<std::size_t>(f)] -
                                 p->sums[c * kFilters + static_cast<std::size_t>(f)]);
        });
        if (count) continue;
        const std::int64_t sum = sums[c * kFilters + kAll] - p->sums[c * kFilters + kAll];
        if (scope == kGroupScope + innermost && openingPresent[c])
            out.emplace_back(readingId(scope, kSumOpening, kAll), sum + opening[c]);
        // Carried on from a total of its own kind, or of another whose figure is not in doubt
        // (a page's sum after an account's total no reading gave proves nothing); from one
        // that is warned of, only as its figure printed again with no record since (a
        // page's total carried on, not the first customer's total under the grand total).
        const Doubt doubt = p->total ? p->printedDoubted[c] : Doubt::None;
        const bool since = sums[n * kFilters + kAll] != p->sums[n * kFilters + kAll];
        if (p->total && p->printedPresent[c] &&
            (p->family == family || doubt == Doubt::None || (doubt == Doubt::Warned && !since)))
            out.emplace_back(readingId(scope, kCarried, kAll), p->printed[c] + sum);
        out.emplace_back(readingId(scope, kClosing, kAll),
                         closed[c] - p->closed[c] + (groupLastPresent[c] ? groupLast[c] : 0));
        // Since a total line of another kind just before, the sums suffice.
        if (scope >= kRecentScope && scope < kSameScope) continue;
        // With the opening balances of the groups begun since: a grand total of accounts
        // that each brought a balance forward.
        if (opened[c] != p->opened[c])
            out.emplace_back(readingId(scope, kOpened, kAll), sum + opened[c] - p->opened[c]);
        // The printed figures of another family's totals since: a total of totals, none of
        // them in doubt. Totals of a kind no reading gave, line after line ("FATURA TOPLAMI"
        // of an invoice's items and its VAT), are unchecked rather than in doubt: a grand
        // total adds them up.
        for (std::size_t f = 0; f < families.size(); ++f) {
            const bool before = f < p->totalsCount.size();
            if (f == family || totalsCount[f] - (before ? p->totalsCount[f] : 0) == 0 ||
                (doubted[f * n + c] != (before ? p->doubted[f * n + c] : 0) && everAgreed(f, c)))
                continue;
            out.emplace_back(readingId(scope, kOfTotals, static_cast<int>(f)),
                             ofTotals[f * n + c] - (before ? p->ofTotals[f * n + c] : 0));
        }
    }
    if (!count && groupLastPresent[c])
        out.emplace_back(readingId(kStartScope, kLastGroup, kAll), groupLast[c]);
    if (!count && lastAllPresent[c])
        out.emplace_back(readingId(kStartScope, kLastAll, kAll), lastAll[c]);
    // The records of a value the label names: "TOPLAM USD".
    for (const std::string& word : label.words) {
        for (const ValueColumn& col : values) {
            for (const ValueSums& v : col.values) {
                if (v.sums.empty() || v.folded != word) continue;
                eachFilter([&](int f) {
                    out.emplace_back(readingId(kWhereScope, kSum, f),
                                     v.sums[c * kFilters + static_cast<std::size_t>(f)]);
                });
            }
        }
    }
}

void State::judge(std::string_view text, const std::string& folded, const TotalLabel& label,
                  std::size_t family, int line, const LineAmounts& amounts, char mark) {
    if (holdsAmount(label, n > 0 ? columns[0].notation : AmountNotation{0, 0},
                    n > 0 ? columns[0].decimals : -1, groupsSeen ? groupName : "")) {
        lastTotal = totals.size();
        totals.push_back({0, -1});  // not checked
        return;
    }
    const std::size_t kindAt = static_cast<std::size_t>(&kindOf(label.family) - kinds.data());
    ++kinds[kindAt].lines;
    std::vector<std::pair<int, std::int64_t>>& found = foundBuffer;
    Point now;
    Scopes& scopes = scopeBuffer;
    scopesOf(folded, family, now, scopes);
    const int base = levels ? kTop : kAll;
    JudgedLine judged;
    const std::size_t pendingBefore = pending.size();
    std::vector<int>& shown = shownBuffer;  // the readings that gave the line's other figures
    shown.clear();
    for (std::size_t c = 0; c <= n; ++c) {
        if (c < n ? !amounts.present[c] : !label.count) continue;
        ++judged.figures;
        const std::int64_t printed = c < n ? signedValues[c] : *label.count;
        readings(c, label, family, scopes, found);
        const auto agrees = [&](const std::pair<int, std::int64_t>& r) {
            if (r.second == printed) return true;
            const int f = slotOf(r.first);
            const bool unsignedMark = c < n && columns[c].marked && amounts.markOf(c, mark) == 0;
            const bool byMark = variantOf(r.first) != kOfTotals && (f == kMarkedA || f == kMarkedB);
            return (byMark || unsignedMark) && magnitude(r.second) == magnitude(printed);
        };
        KindStats& kind = kinds[kindAt];
        auto& ids = kind.ids[c];
        bool agreed = false, whole = false;
        // Given by no reading but one carried on from a figure in doubt, or one that adds up
        // totals no reading gave: in doubt too (a carry chain after a changed record goes on,
        // and the grand total after it is compared with the records).
        bool sound = false;
        const auto carriedDoubt = [&](int id) {
            if ((variantOf(id) != kCarried && variantOf(id) != kOfTotals) || c >= n) return false;
            for (const auto& [scope, p] : scopes) {
                if (scope != scopeOf(id)) continue;
                if (variantOf(id) == kCarried)
                    return p->total && p->printedDoubted.size() > c &&
                           p->printedDoubted[c] != Doubt::None;
                const auto f = static_cast<std::size_t>(slotOf(id));
                return doubted[f * n + c] !=
                       (f < p->totalsCount.size() ? p->doubted[f * n + c] : 0);
            }
            return false;
        };
        // A zero printed as dashes or as nothing is what no record adds: it agrees with a sum
        // of every record alone, not with what the negative or the marked ones add.
        const bool zero =
            c < n && amounts.printed[c].find_first_not_of("-=") == std::string_view::npos;
        for (const auto& r : found) {
            if (zero && (variantOf(r.first) != kSum || slotOf(r.first) != base)) continue;
            if (!agrees(r)) continue;
            agreed = true;
            sound = sound || !carriedDoubt(r.first);
            whole = whole || slotOf(r.first) == base;
            // Every reading that gives it counts: the one most totals of its kind agree by
            // says best what they cover.
            if (ids.empty()) ids.assign(kReadings, 0);
            ++ids[static_cast<std::size_t>(r.first)];
            shown.push_back(r.first);
        }
        // A figure under a column no record has filled, beside one the line leaves empty: a
        // total printed a column aside of the amounts it adds (an income statement's
        // "(Ayrıntı)" and "(Toplam)"). What the other column's records give agrees.
        for (std::size_t d = 0; !agreed && c < n && !lastAllPresent[c] && d < n; ++d) {
            if (d == c || !lastAllPresent[d] || (amounts.present[d] && !amounts.printed[d].empty()))
                continue;
            readings(d, label, family, scopes, asideBuffer);
            agreed = std::any_of(asideBuffer.begin(), asideBuffer.end(),
                                 [&](const auto& r) { return r.second == printed; });
        }
        if (agreed) {
            ++kind.agreed[c];
            if (!sound) {
                if (family < families.size()) ++doubted[family * n + c];
                lineDoubted.resize(n, Doubt::None);
                lineDoubted[c] = Doubt::Warned;
            }
            if (!whole && !levels && c < n && !zero && pending.size() < kMaxKept) {
                pending.push_back({line,
                                   std::string(text),
                                   c,
                                   std::string(amounts.printed[c]),
                                   found,
                                   0,
                                   0,
                                   kindAt,
                                   true,
                                   false,
                                   {},
                                   totals.size(),
                                   {},
                                   {},
                                   true});
            }
            continue;
        }
        if (c < n && amounts.printed[c].empty()) {
            // A zero of a total that prints no figure: it tells nothing where it does not agree.
            --judged.figures;
            continue;
        }

        // No reading gives it: what its kind says it covers, for the warning, as a sum and
        // as a balance (which it is, the end of the report tells).
        bool named = false;
        for (const auto& r : found) named |= scopeOf(r.first) == kWhereScope;
        // A total whose words are its group's ("TL TOPLAMI" under "*** TL MEVDUATLAR ***"):
        // the group's.
        const bool ofItsGroup =
            label.kind == TotalClass::Plain && groupsSeen && !label.words.empty() &&
            std::all_of(label.words.begin(), label.words.end(),
                        [&](const std::string& w) { return holdsWord(groupName, w); });
        int sum = readingId(kStartScope, kSum, base), last = readingId(kStartScope, kLastAll, kAll);
        switch (label.kind) {
            case TotalClass::Page:
                sum = readingId(kPageScope, kSum, base);
                break;
            case TotalClass::Forward:
            case TotalClass::Back:
                break;
            case TotalClass::Grand:
                last = readingId(kStartScope, kClosing, kAll);
                break;
            case TotalClass::Group:
                sum = readingId(kGroupScope + innermost, kSum, base);
                last = readingId(kStartScope, kLastGroup, kAll);
                break;
            case TotalClass::Plain:
                if (ofItsGroup) {
                    sum = readingId(kGroupScope + innermost, kSum, base);
                } else if (named) {
                    sum = readingId(kWhereScope, kSum, base);
                } else if (family < families.size() && totalsCount[family] > 0) {
                    sum = readingId(kFamilyScope, kSum, base);
                } else if (!recent.empty()) {
                    sum = readingId(kRecentScope, kSum, base);
                }
                break;
        }
        // A grand total whose words name what no column is headed by ("GENEL KDV TOPLAMI"
        // under an invoice list's amounts, each invoice's VAT on a line of its own) adds up
        // something else than the column it stands in.
        const bool ofOther =
            !named &&
            std::any_of(label.words.begin(), label.words.end(), [&](const std::string& w) {
                const bool letters =
                    w.size() >= 2 && std::all_of(w.begin(), w.end(), [](char ch) {
                        return (ch >= 'A' && ch <= 'Z') || static_cast<unsigned char>(ch) >= 0x80;
                    });
                return letters && !holdsWord(groupName, w) &&
                       std::none_of(columns.begin(), columns.end(), [&](const SummedColumn& col) {
                           return holdsWord(foldedUpper(col.heading), w);
                       });
            });
        // Words that say what it covers: a page's, a carried sum, the grand total, a group's
        // where the groups are marked, a value's, the one total of a list.
        const bool known = label.kind == TotalClass::Page || label.kind == TotalClass::Forward ||
                           label.kind == TotalClass::Back ||
                           (label.kind == TotalClass::Grand && !ofOther) ||
                           (label.kind == TotalClass::Group && groupsSeen) ||
                           (label.kind == TotalClass::Plain &&
                            (named || ofItsGroup || (recent.empty() && !groupsSeen)));
        // A figure no reading gives proves nothing to totals that add it up or carry it on:
        // they are compared with the records (a record changed under a customer's total
        // leaves the grand total over the customers' totals wrong too). Where it is warned
        // of, the sums that only print it again (a page's total carried on) say nothing more.
        if (c < n) {
            if (family < families.size()) ++doubted[family * n + c];
            lineDoubted.resize(n, Doubt::None);
            lineDoubted[c] = known ? Doubt::Warned : Doubt::Unwarned;
        }
        if (pending.size() < kMaxKept) {
            pending.push_back({line,
                               std::string(text),
                               c,
                               c < n ? std::string(amounts.printed[c]) : std::to_string(printed),
                               found,
                               sum,
                               last,
                               kindAt,
                               known,
                               (label.kind == TotalClass::Plain && label.words.empty()) ||
                                   (label.kind == TotalClass::Group && !groupsSeen),
                               {},
                               totals.size(),
                               signedValues,
                               amounts.present});
        }
        ++judged.unexplained;
    }
    // What the line's other figures agreed by shows what it covers, where at least as many
    // of them agreed as did not: one small count that some reading happens to give among
    // figures none explains (last year's under this year's) shows nothing.
    if (judged.figures - judged.unexplained < judged.unexplained) shown.clear();
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    for (std::size_t p = pendingBefore; p < pending.size(); ++p) pending[p].shownBy = shown;
    if (judged.figures > 0) {
        lastTotal = totals.size();
        totals.push_back(judged);
    }
}

}  // namespace tablamo
