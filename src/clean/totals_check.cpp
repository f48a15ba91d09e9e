#include "clean/totals_check.h"

#include <algorithm>

#include "core/encoding.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

constexpr std::size_t kRecentTotals = 8;
constexpr std::size_t kLabelsKept = 64;
constexpr std::size_t kUnplacedNamed = 50;

enum Filter { kAll, kPositive, kNegative, kMarkedA, kMarkedB, kTop };

bool contains(const std::string& folded, std::string_view word) {
    return folded.find(word) != std::string::npos;
}

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80; }

// Whether a word of the folded text begins with `stem` (and is no longer when `whole`).
bool hasWord(const std::string& folded, std::string_view stem, bool whole) {
    for (std::size_t at = folded.find(stem); at != std::string::npos;
         at = folded.find(stem, at + 1)) {
        if (at > 0 && isLetter(folded[at - 1])) continue;
        const std::size_t end = at + stem.size();
        if (whole && end < folded.size() && isLetter(folded[end])) continue;
        return true;
    }
    return false;
}

}  // namespace

bool isTotalLabel(std::string_view win1254, bool balance) {
    const std::string f = foldedUpper(win1254);
    // NAKLİ stands alone (NAKLİ YEKÜN); the others may go on (TOPLAMI, YEKÜNÜ, DEVİRLER).
    return hasWord(f, "TOPLAM", false) || hasWord(f, "YEKUN", false) ||
           hasWord(f, "DEVIR", false) || hasWord(f, "NAKLI", true) || hasWord(f, "NAKIL", true) ||
           (balance && hasWord(f, "BAKIYE", false));
}

std::vector<std::string> totalsWarnings(const TotalsVerdict& verdict) {
    std::vector<std::string> lines;
    for (const TotalMismatch& m : verdict.mismatches) {
        lines.push_back("uyarı: satır " + std::to_string(m.line) + " \"" + win1254ToUtf8(m.label) +
                        "\", " + win1254ToUtf8(m.heading) + ": raporda " +
                        win1254ToUtf8(m.printed) + ", kayıtlardan " + win1254ToUtf8(m.computed));
    }
    return lines;
}

std::string totalsNote(const TotalsVerdict& verdict) {
    if (!verdict.allAgree()) return {};
    return std::to_string(verdict.checked) + " toplam satırı kayıtlarla tutuyor";
}

std::string unplacedNote(const std::vector<std::int32_t>& lines) {
    if (lines.empty()) return {};
    std::string note = std::to_string(lines.size()) + " satır tabloya alınmadı: ";
    for (std::size_t i = 0; i < lines.size() && i < kUnplacedNamed; ++i)
        note += (i ? ", " : "") + std::to_string(lines[i]);
    if (lines.size() > kUnplacedNamed) note += ", …";
    return note;
}

ImportOutcome checkedOutcome(CleanShape& shape, const TotalsCheck& check) {
    shape.totals = check.verdict();
    ImportOutcome outcome;
    outcome.warnings = totalsWarnings(shape.totals);
    for (const std::string& part : {totalsNote(shape.totals), unplacedNote(shape.unplacedLines)}) {
        if (part.empty()) continue;
        if (!outcome.note.empty()) outcome.note += "; ";
        outcome.note += part;
    }
    return outcome;
}

TotalsCheck::TotalsCheck(std::vector<SummedColumn> columns, bool marks, bool levels)
    : m_columns(std::move(columns)),
      m_marks(marks),
      m_levels(levels),
      m_sums(m_columns.size() * kFilters),
      m_last(m_columns.size()),
      m_hasLast(m_columns.size()),
      m_lastMatches(m_columns.size()),
      m_sumMatches(m_columns.size()),
      m_previous(m_columns.size()),
      m_hadPrevious(m_columns.size()),
      m_steps(m_columns.size()),
      m_stepsByAmount(m_columns.size()) {
    m_start = m_page = m_account = snapshot();
}

TotalsCheck::Point TotalsCheck::snapshot() const {
    Point p;
    p.sums = m_sums;
    return p;
}

void TotalsCheck::addRecord(const LineAmounts& amounts, char mark, bool topLevel, bool newAccount) {
    if (m_pagePending) {
        m_page = snapshot();
        m_pagePending = false;
    }
    if (newAccount && m_anyRecord) m_account = snapshot();
    m_anyRecord = true;
    // How each column changed since the record before: by another column's amount?
    const std::size_t n = m_columns.size();
    for (std::size_t c = 0; c < n; ++c) {
        if (!amounts.present[c]) continue;
        const std::int64_t signed_ = mark == 'A' ? -amounts.value[c] : amounts.value[c];
        if (m_hadPrevious[c]) {
            const std::int64_t step = signed_ - m_previous[c];
            const std::int64_t plain =
                amounts.value[c] - (m_previous[c] < 0 ? -m_previous[c] : m_previous[c]);
            bool byAmount = false;
            for (std::size_t o = 0; o < n && !byAmount; ++o) {
                if (o == c || !amounts.present[o] || amounts.value[o] == 0) continue;
                const std::int64_t v = amounts.value[o];
                byAmount = step == v || step == -v || plain == v || plain == -v;
            }
            ++m_steps[c];
            m_stepsByAmount[c] += byAmount;
        }
        m_previous[c] = signed_;
        m_hadPrevious[c] = 1;
    }
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (!amounts.present[c]) continue;
        const std::int64_t v = amounts.value[c];
        std::int64_t* s = &m_sums[c * kFilters];
        s[kAll] += v;
        if (v > 0) s[kPositive] += v;
        if (v < 0) s[kNegative] += v;
        if (mark == 'A') s[kMarkedA] += v;
        if (mark == 'B') s[kMarkedB] += v;
        if (topLevel) s[kTop] += v;
        m_last[c] = v;
        m_hasLast[c] = 1;
    }
}

bool TotalsCheck::agrees(std::size_t c, std::int64_t printed, const Point& since) const {
    const std::int64_t* now = &m_sums[c * kFilters];
    const std::int64_t* then = &since.sums[c * kFilters];
    for (int f = 0; f < kFilters; ++f) {
        if ((f == kMarkedA || f == kMarkedB) && !m_marks) continue;
        // Accounts of several levels are only added up at the top one: the sum over all
        // levels counts every amount twice, and a parent taken out would hide in it.
        if (m_levels != (f == kTop)) continue;
        const std::int64_t sum = now[f] - then[f];
        if (sum == printed) return true;
        // An earlier total's amount carried on with the records since (NAKLİ YEKÜN after
        // DEVİR, a grand total after the last carried sum).
        if (since.total && since.printedPresent[c] && since.printed[c] + sum == printed)
            return true;
    }
    return false;
}

bool TotalsCheck::running(std::size_t c) const {
    if (m_steps[c] > 0 && 2 * m_stepsByAmount[c] >= m_steps[c]) return true;
    return m_lastMatches[c] > 0 || contains(foldedUpper(m_columns[c].heading), "BAKIYE");
}

const TotalsCheck::Point* TotalsCheck::sameLabel(const std::string& folded) const {
    for (const Point& p : m_byLabel) {
        if (p.label == folded) return &p;
    }
    return nullptr;
}

std::int64_t TotalsCheck::expected(std::size_t c, std::string_view folded) const {
    // What a reader takes the line to mean, for the warning: a running balance gives its
    // last value; a page total its page, an account total its account, a carried or grand
    // total everything so far, another total what came since the one of the same name.
    const bool balance = m_lastMatches[c] > m_sumMatches[c] || (m_sumMatches[c] == 0 && running(c));
    if (balance && m_hasLast[c]) return m_last[c];
    const Point* since = &m_start;
    const std::string f(folded);
    if (contains(f, "SAYFA")) {
        since = &m_page;
    } else if (contains(f, "HESAP")) {
        since = &m_account;
    } else if (!contains(f, "DEVIR") && !contains(f, "NAKLI") && !contains(f, "GENEL")) {
        if (const Point* p = sameLabel(f)) since = p;
    }
    const int filter = m_levels ? kTop : kAll;
    return m_sums[c * kFilters + filter] - since->sums[c * kFilters + filter];
}

void TotalsCheck::checkTotal(std::string_view label, int line, const LineAmounts& amounts) {
    const std::string folded = foldedUpper(label);
    if (m_anyRecord) {
        bool any = false;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (!amounts.present[c]) continue;
            any = true;
            const std::int64_t printed = amounts.value[c];
            bool ok = false;
            if (m_hasLast[c] && m_last[c] == printed && running(c)) {
                ok = true;
                ++m_lastMatches[c];
            }
            std::vector<const Point*> since = {&m_start, &m_page, &m_account};
            if (const Point* p = sameLabel(folded)) since.push_back(p);
            for (const Point& p : m_recent) since.push_back(&p);
            bool summed = false;
            for (const Point* p : since) {
                if (agrees(c, printed, *p)) {
                    summed = true;
                    break;
                }
            }
            if (summed) ++m_sumMatches[c];
            if (ok || summed) continue;
            const SummedColumn& col = m_columns[c];
            m_verdict.mismatches.push_back(
                {line, std::string(label), col.heading, std::string(amounts.printed[c]),
                 printedAmount(expected(c, folded), col.decimals, col.notation)});
        }
        if (any) ++m_verdict.checked;
    }
    // This line is where later totals may count from.
    Point p = snapshot();
    p.total = true;
    p.label = folded;
    p.printed = amounts.value;
    p.printedPresent = amounts.present;
    m_recent.push_back(p);
    if (m_recent.size() > kRecentTotals) m_recent.erase(m_recent.begin());
    auto same = std::find_if(m_byLabel.begin(), m_byLabel.end(),
                             [&](const Point& q) { return q.label == folded; });
    if (same != m_byLabel.end()) {
        *same = std::move(p);
    } else if (m_byLabel.size() < kLabelsKept) {
        m_byLabel.push_back(std::move(p));
    }
}

}  // namespace tablamo
