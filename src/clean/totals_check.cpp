#include "clean/totals_check.h"

#include "clean/heading_names.h"
#include "clean/totals_state.h"
#include "core/text_rules.h"

namespace tablamo {

using namespace totals;

namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80; }

// Whether a column's heading (folded) says it holds a rate, a share or a price: its total is
// no sum. "%" alone or after a word is a rate's ("KDV %", "Gerç. %"); before a number it
// names the rate an amount was taken at ("SGK İşçi Payı %14").
bool ratesHeading(const std::string& folded) {
    for (std::size_t at = folded.find('%'); at != std::string::npos;
         at = folded.find('%', at + 1)) {
        std::size_t next = at + 1;
        while (next < folded.size() && folded[next] == ' ') ++next;
        if (next == folded.size() || folded[next] < '0' || folded[next] > '9') return true;
    }
    bool rate = false, difference = false;
    for (std::size_t i = 0; i < folded.size();) {
        if (!isLetter(folded[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < folded.size() && isLetter(folded[end])) ++end;
        const std::string_view word(folded.data() + i, end - i);
        rate |= word.rfind("ORAN", 0) == 0 || word.rfind("YUZDE", 0) == 0 ||
                word.rfind("FIYAT", 0) == 0 || word == "PAY" || word == "KUR" || word == "KURU";
        difference |= word.rfind("FARK", 0) == 0;  // KUR FARKI: an amount
        i = end;
    }
    return rate && !difference;
}

}  // namespace

TotalsCheck::TotalsCheck(std::vector<SummedColumn> columns, bool marks, bool levels,
                         int groupLevels, CodeLevels codes)
    : m_state(std::make_unique<State>(std::move(columns), marks, levels, groupLevels, codes)) {}

TotalsCheck::~TotalsCheck() = default;

State::State(std::vector<SummedColumn> cols, bool withMarks, bool withLevels, int groupLevels,
             CodeLevels codes)
    : columns(std::move(cols)),
      n(columns.size()),
      marks(withMarks),
      levels(withLevels),
      innermost(std::clamp(groupLevels, 0, kMaxLevels - 1)),
      sums((n + 1) * kFilters),
      closed(n),
      opened(n),
      opening(n),
      groupLast(n),
      lastAll(n),
      signedValues(n),
      openingPresent(n),
      groupLastPresent(n),
      lastAllPresent(n),
      topPrinted(n),
      table(n),
      tree({}) {
    std::vector<TreeSum> inTree(n);
    for (std::size_t c = 0; c < n; ++c) {
        const std::string folded = foldedUpper(columns[c].heading);
        balance.push_back(folded.find("BAKIYE") != std::string::npos ||
                          folded.find("KALAN") != std::string::npos || columns[c].marked);
        rate.push_back(columns[c].rate || ratesHeading(folded));
        scale.push_back(columns[c].decimals);
        // A parent's debit and credit are its sub-accounts' sums; its balances net out; its
        // rates are none of its sub-accounts'.
        inTree[c] = rate.back()                                  ? TreeSum::None
                    : !balance.back()                            ? TreeSum::Summed
                    : folded.find("ALACAK") != std::string::npos ? TreeSum::Minus
                                                                 : TreeSum::Plus;
        const EntrySide side = balance.back() ? EntrySide::None : entrySide(folded);
        if (side == EntrySide::Debit && debit < 0) debit = static_cast<int>(c);
        if (side == EntrySide::Credit && credit < 0) credit = static_cast<int>(c);
    }
    tree = AccountTree(std::move(inTree), codes);
    start = snapshot();
    page = start;
    group.assign(static_cast<std::size_t>(innermost) + 1, start);
}

Point State::snapshot() const {
    Point p;
    p.sums = sums;
    p.closed = closed;
    p.opened = opened;
    p.ofTotals = ofTotals;
    p.doubted = doubted;
    p.totalsCount = totalsCount;
    return p;
}

void TotalsCheck::pageBreak() {
    State& s = *m_state;
    s.pagePending = true;
    s.recordsOnPage = 0;
    s.prevPageCarried = s.lastForward;
}

void State::endGroup() {
    for (std::size_t c = 0; c < n; ++c) {
        if (groupLastPresent[c]) closed[c] += groupLast[c];
    }
    if (voucherRecords >= 2 && debit >= 0 && credit >= 0) {
        if (voucherDebit == voucherCredit) {
            ++balancedVouchers;
        } else if (unbalanced.size() < kMaxKept) {
            unbalanced.push_back({voucherLine, voucherDebit, voucherCredit});
        }
    }
    voucherRecords = 0;
    voucherDebit = voucherCredit = 0;
}

void State::startGroup(int level) {
    level = std::clamp(level, 0, innermost);
    endGroup();
    groupsSeen = true;
    // A group begun on a new page before its first record: a DEVİR now opens it, whatever
    // the page before carried.
    prevPageCarried = false;
    const Point now = snapshot();
    for (int l = level; l <= innermost; ++l) group[static_cast<std::size_t>(l)] = now;
    groupRecords = 0;
    closedByTotal = false;
    std::fill(openingPresent.begin(), openingPresent.end(), 0);
    std::fill(groupLastPresent.begin(), groupLastPresent.end(), 0);
    table.groupStart();
}

void TotalsCheck::groupStart(int level, std::string_view name) {
    m_state->startGroup(level);
    foldUpperInto(name, m_state->groupName);
}

void TotalsCheck::addRecord(const LineAmounts& amounts, const RecordFacts& record) {
    State& s = *m_state;
    if (s.pagePending) {
        s.page = s.snapshot();
        s.pagePending = false;
    }
    ++s.recordsOnPage;
    ++s.groupRecords;
    s.anyRecord = true;
    s.lastForward = s.closedByTotal = false;
    for (std::size_t c = 0; c < s.n; ++c) {
        const std::int64_t v = amounts.present[c] ? amounts.value[c] : 0;
        s.signedValues[c] = s.columns[c].marked && amounts.markOf(c, record.mark) == 'A' ? -v : v;
    }
    s.shareOf(amounts.present, record.mark, record.topLevel);
    s.addShare(s.sums);
    for (std::size_t c = 0; c < s.n; ++c) {
        if (!amounts.present[c]) {
            // A balance left blank after the group printed one is nothing left (a payment
            // that closes the account): the group closes at none. The last balance printed
            // stays the report's (a ledger that prints it at a day's end carries it on).
            if (s.balance[c] && s.groupLastPresent[c]) s.groupLast[c] = 0;
            continue;
        }
        if (record.topLevel) s.topPrinted[c] = 1;
        s.groupLast[c] = s.lastAll[c] = s.signedValues[c];
        s.groupLastPresent[c] = s.lastAllPresent[c] = 1;
    }
    s.trackValues(record);
    s.table.add(record.line, s.signedValues, amounts.present);
    if (s.levels && !record.code.empty())
        s.tree.add(record.code, record.line, s.signedValues, amounts.present);
    if (s.voucherRecords++ == 0) s.voucherLine = record.line;
    if (s.debit >= 0) s.voucherDebit += s.signedValues[static_cast<std::size_t>(s.debit)];
    if (s.credit >= 0) s.voucherCredit += s.signedValues[static_cast<std::size_t>(s.credit)];
}

// What the record's amounts (signedValues) add to sums of the filters, and its count: the
// same for the report's sums and for each value's, worked out once.
void State::shareOf(const std::vector<char>& present, char mark, bool top) {
    share.assign((n + 1) * kFilters, 0);
    for (std::size_t c = 0; c < n; ++c) {
        if (!present[c]) continue;
        const std::int64_t v = signedValues[c];
        std::int64_t* f = &share[c * kFilters];
        f[kAll] = v;
        if (v > 0) f[kPositive] = v;
        if (v < 0) f[kNegative] = v;
        if (mark == 'A') f[kMarkedA] = v;
        if (mark == 'B') f[kMarkedB] = v;
        if (top) f[kTop] = v;
    }
    std::int64_t* count = &share[n * kFilters];
    count[kAll] = 1;
    if (top) count[kTop] = 1;
    shareAt.clear();
    for (std::size_t k = 0; k < share.size(); ++k) {
        if (share[k] != 0) shareAt.push_back(static_cast<std::uint32_t>(k));
    }
}

void State::addShare(std::vector<std::int64_t>& into) const {
    std::int64_t* to = into.data();
    const std::int64_t* from = share.data();
    for (std::size_t k = 0, size = share.size(); k < size; ++k) to[k] += from[k];
}

namespace {

// Whether a label's words may be the value (folded): a word of two characters at least (no
// day's mark) holds no blank, bracket, star or colon and ends in no comma or point.
bool mayBeAWord(std::string_view folded) {
    return folded.size() >= 2 && folded.find_first_of(" ()*:") == std::string_view::npos &&
           folded.back() != ',' && folded.back() != '.';
}

}  // namespace

// The record's cells as values a total may name: each column's first few values, with what
// their records add up to; a column of more values names none.
void State::trackValues(const RecordFacts& record) {
    if (values.size() < record.cells.size()) values.resize(record.cells.size());
    for (std::size_t i = 0; i < record.cells.size(); ++i) {
        ValueColumn& col = values[i];
        const std::string_view cell = record.cells[i];
        if (col.dropped || cell.empty()) continue;
        if (cell.size() == 1) {
            const auto byte = static_cast<unsigned char>(cell[0]);
            if (col.singles[byte]) continue;
            if (col.values.size() + col.singleCount >= kValuesPerColumn) {
                col.dropped = true;
                col.values.clear();
                continue;
            }
            col.singles[byte] = true;
            ++col.singleCount;
            continue;
        }
        auto it = std::find_if(col.values.begin(), col.values.end(), [&](const ValueSums& v) {
            return v.value.size() == cell.size() && v.value[0] == cell[0] && v.value == cell;
        });
        if (it == col.values.end()) {
            if (col.values.size() + col.singleCount >= kValuesPerColumn ||
                cell.size() > kLongestValue) {
                col.dropped = true;
                col.values.clear();
                continue;
            }
            std::string folded = foldedUpper(cell);
            std::vector<std::int64_t> valueSums(mayBeAWord(folded) ? sums.size() : 0);
            it = col.values.insert(col.values.end(),
                                   {std::string(cell), std::move(folded), std::move(valueSums)});
        }
        if (it->sums.empty()) continue;
        std::int64_t* to = it->sums.data();
        for (const std::uint32_t k : shareAt) to[k] += share[k];
    }
}

bool TotalsCheck::checkTotal(std::string_view text, int line, const LineAmounts& amounts, char mark,
                             bool unread, bool part) {
    State& s = *m_state;
    if (part) {
        if (s.anyRecord || s.groupsSeen) s.totals.push_back({0, -1});  // not checked
        return false;
    }
    const TotalLabel label = readTotalLabel(text);
    const std::string folded = foldedUpper(text);
    for (std::size_t c = 0; c < s.n; ++c) {
        const std::int64_t v = amounts.present[c] ? amounts.value[c] : 0;
        s.signedValues[c] = s.columns[c].marked && amounts.markOf(c, mark) == 'A' ? -v : v;
    }
    // A sum carried from before at a group's start opens it, unless the page before ended
    // with the sum it carries on.
    const bool carriedOver = s.recordsOnPage == 0 && s.prevPageCarried;
    s.prevPageCarried = false;  // the page's first total line carries the sum, no later one
    if (label.kind == TotalClass::Back && !carriedOver &&
        (s.groupRecords == 0 || s.closedByTotal)) {
        if (s.groupRecords > 0) s.startGroup(s.innermost);
        for (std::size_t c = 0; c < s.n; ++c) {
            if (!amounts.present[c] || amounts.printed[c].empty()) continue;
            s.opening[c] = s.groupLast[c] = s.signedValues[c];
            s.openingPresent[c] = s.groupLastPresent[c] = 1;
            s.opened[c] += s.signedValues[c];
            s.table.opening(c, s.signedValues[c]);
        }
        s.remember(folded, kFamilies, amounts);
        return true;
    }
    const std::size_t family = s.familyOf(label.family);
    if (s.anyRecord || s.groupsSeen) {
        s.judge(text, folded, label, family, line, amounts, mark);
        // Figures that run over the columns' boundaries: printed, not checked.
        if (unread && !label.count) s.totals.push_back({0, -1});
    } else if (label.kind == TotalClass::Forward || label.kind == TotalClass::Back) {
        s.carriedIn = true;
    } else if (!unread && namesATotal(text)) {
        totals::Early e{line, std::string(text), {}, label.count};
        for (std::size_t c = 0; c < s.n; ++c) {
            if (amounts.present[c] && amounts.value[c] != 0)
                e.figures.emplace_back(c, amounts.printed[c]);
        }
        if (!e.figures.empty() || (e.count && *e.count > 0)) s.early.push_back(std::move(e));
    }
    s.remember(folded, family, amounts);
    s.lastForward = label.kind == TotalClass::Forward || label.kind == TotalClass::Page;
    s.closedByTotal = label.kind == TotalClass::Group || label.kind == TotalClass::Plain ||
                      label.kind == TotalClass::Grand;
    return false;
}

// The family of a kind of total (TotalLabel::family), numbered in the order met; kFamilies
// when there are too many to follow.
std::size_t State::familyOf(const std::string& family) {
    const auto it = std::find(families.begin(), families.end(), family);
    if (it != families.end()) return static_cast<std::size_t>(it - families.begin());
    if (families.size() >= kFamilies) return kFamilies;
    families.push_back(family);
    byFamily.push_back(start);
    ofTotals.resize(families.size() * n, 0);
    doubted.resize(families.size() * n, 0);
    totalsCount.push_back(0);
    return families.size() - 1;
}

// This line is where later totals may count from; its figures add to its family's.
void State::remember(const std::string& folded, std::size_t family, const LineAmounts& amounts) {
    Point p = snapshot();
    p.total = true;
    p.printed = signedValues;
    p.printedPresent = amounts.present;
    lineDoubted.resize(n, Doubt::None);
    p.printedDoubted = lineDoubted;
    std::fill(lineDoubted.begin(), lineDoubted.end(), Doubt::None);
    p.family = family;
    if (family < families.size()) {
        byFamily[family] = p;
        for (std::size_t c = 0; c < n; ++c) {
            if (amounts.present[c]) ofTotals[family * n + c] += signedValues[c];
        }
        ++totalsCount[family];
    }
    recent.push_back(p);
    if (recent.size() > kRecent) recent.erase(recent.begin());
    auto same = std::find_if(byLabel.begin(), byLabel.end(),
                             [&](const auto& l) { return l.first == folded; });
    if (same != byLabel.end()) {
        same->second = std::move(p);
    } else if (byLabel.size() < kLabelsKept) {
        byLabel.emplace_back(folded, std::move(p));
    }
}

}  // namespace tablamo
