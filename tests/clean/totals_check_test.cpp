#include "clean/totals_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "clean/account_tree.h"
#include "clean/total_label.h"

namespace tablamo {
namespace {

const AmountNotation kTurkish{',', '.'};
using Amount = std::optional<std::int64_t>;

// One line's amounts in kuruş, nothing for an empty cell; the printed texts kept in `texts`.
LineAmounts amounts(const std::vector<Amount>& values, std::vector<std::string>& texts) {
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

TEST(TotalsCheck, PageCarriedAndGrandTotalsAgree) {
    Ledger l;
    l.total("DEV\xDDR", std::nullopt, std::nullopt, 100000);  // an opening: not a total to check
    l.post(50000, std::nullopt, 150000);
    l.post(std::nullopt, 20000, 130000);
    l.total("SAYFA TOPLAMI", 50000, 20000, 130000);
    l.total("NAKL\xDD YEK\xDCN", 50000, 20000, 130000);
    l.check.pageBreak();
    l.total("DEV\xDDR", 50000, 20000, 130000);  // carried from the page before: checked
    l.post(1, std::nullopt, 130001);
    l.total("Sayfa Toplam\xFD", 1, std::nullopt, 130001);
    l.total("GENEL TOPLAM", 50001, 20000, 130001);
    EXPECT_TRUE(l.verdict().mismatches.empty());
    EXPECT_EQ(l.verdict().checked, 5);
    EXPECT_EQ(totalsNote(l.verdict()), "5 toplam satırı kayıtlarla tutuyor");
}

TEST(TotalsCheck, ALostRecordIsNamedWithItsTotalAndItsBalance) {
    Ledger l;
    l.post(50000, std::nullopt, 50000);
    l.post(10000, std::nullopt, 60000);
    l.post(std::nullopt, 5000, 55000);
    l.post(5000, std::nullopt, 60000);
    // A record of 1.000,00 between these two was lost: the next balance does not follow.
    l.post(std::nullopt, 20000, 140000);
    l.total("GENEL TOPLAM", 165000, 25000, 140000);
    const std::vector<std::string> warnings = totalsWarnings(l.verdict());
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "uyarı: satır 5, Bakiye: raporda 1.400,00, önceki bakiyeden 400,00",
                            "uyarı: satır 6 \"GENEL TOPLAM\", Borç: raporda 1.650,00, kayıtlardan "
                            "650,00"}));
    EXPECT_EQ(totalsNote(l.verdict()), "");
}

// A page's total that adds up or carries on a total no reading gives (an account's, where
// no group is marked: not checked itself) is compared with the records; the grand total
// carries on the page's, warned of already.
TEST(TotalsCheck, ATotalOfAnUnexplainedTotalIsComparedWithTheRecords) {
    Ledger l;
    l.post(10000, std::nullopt, std::nullopt);
    l.post(20000, std::nullopt, std::nullopt);  // a record of 400,00 after it was lost
    l.total("ANA HESAP TOPLAMI", 70000, std::nullopt, std::nullopt);
    l.total("SAYFA TOPLAMI", 70000, std::nullopt, std::nullopt);
    l.total("GENEL TOPLAM", 70000, std::nullopt, std::nullopt);
    EXPECT_EQ(totalsWarnings(l.verdict()),
              std::vector<std::string>{
                  "uyarı: satır 4 \"SAYFA TOPLAMI\", Borç: raporda 700,00, kayıtlardan 300,00"});

    // So is a list's last total, TOPLAM alone, the only one of its kind, a part under it
    // (last year's) or not: all of the list.
    Ledger list;
    list.post(10000, std::nullopt, std::nullopt);
    list.post(20000, std::nullopt, std::nullopt);
    list.total("ANA HESAP TOPLAMI", 70000, std::nullopt, std::nullopt);
    list.total("TOPLAM", 70000, std::nullopt, std::nullopt);
    list.check.checkTotal(
        "GE\xC7"
        "EN YIL AYNI D\xD6NEM",
        ++list.line, amounts({50000, std::nullopt, std::nullopt}, list.texts), 0, false, true);
    EXPECT_EQ(totalsWarnings(list.verdict()),
              std::vector<std::string>{
                  "uyarı: satır 4 \"TOPLAM\", Borç: raporda 700,00, kayıtlardan 300,00"});
}

// Groups: an opening balance starts its group's running figure; a group's total covers its
// group; the grand balance is the groups' closing balances netted by their marks.
TEST(TotalsCheck, GroupsOpenTheirBalancesAndTotalTheirRecords) {
    Ledger l(true, 1);
    l.check.groupStart(0);
    l.total("DEVREDEN BAK\xDDYE", std::nullopt, std::nullopt, 10000, 'B');
    l.post(5000, std::nullopt, 15000, 'B');
    l.post(std::nullopt, 20000, 5000, 'A');
    l.total("CAR\xDD TOPLAM", 5000, 20000, 5000, 'A');
    l.check.groupStart(0);
    l.total("DEVREDEN BAK\xDDYE", std::nullopt, std::nullopt, 30000, 'A');  // not compared
    l.post(1000, std::nullopt, 29000, 'A');
    l.post(2000, std::nullopt, 27000, 'A');
    l.post(3000, std::nullopt, 24000, 'A');
    l.total("CAR\xDD TOPLAM", 6000, std::nullopt, 24000, 'A');
    l.total("GENEL TOPLAM", 11000, 20000, 29000, 'A');
    EXPECT_TRUE(l.verdict().mismatches.empty()) << totalsWarnings(l.verdict())[0];
    EXPECT_EQ(l.verdict().checked, 3);
}

// An account whose last record pays it off prints no balance there: it closes at nothing.
TEST(TotalsCheck, ABalanceLeftBlankAfterOthersIsNothingLeft) {
    Ledger l(true, 1);
    l.check.groupStart(0);
    l.post(std::nullopt, 1000, 1000, 'A');
    l.post(1000, std::nullopt, std::nullopt);
    l.check.groupStart(0);
    l.post(300, std::nullopt, 300, 'B');
    l.check.groupStart(0);
    l.post(std::nullopt, 500, 500, 'A');
    l.total("GENEL TOPLAM", 1300, 1500, 200, 'A');
    EXPECT_TRUE(l.verdict().mismatches.empty()) << totalsWarnings(l.verdict())[0];
}

// A figure no reading explains is left unchecked unless a total of its kind agreed
// elsewhere, the line's other sums agreed, or its kind says what it covers.
TEST(TotalsCheck, OnlyAKnownFigureDisagrees) {
    Ledger plain;
    plain.post(100, std::nullopt, std::nullopt);
    plain.total("TOPLAM", 100, std::nullopt, std::nullopt);
    plain.post(200, std::nullopt, std::nullopt);
    plain.total("KDV YEK\xDCN\xDC", 999, std::nullopt, std::nullopt);  // covers what is unknown
    EXPECT_TRUE(plain.verdict().mismatches.empty());
    EXPECT_EQ(plain.verdict().unchecked, 1);
    EXPECT_EQ(totalsNote(plain.verdict()),
              "1 toplam satırı kayıtlarla tutuyor; 1 toplam denetlenemedi");

    // The line's other sum agrees since the total before: that is what it covers.
    Ledger shown;
    shown.post(100, 40, std::nullopt);
    shown.total("TOPLAM", 100, 40, std::nullopt);
    shown.post(200, 70, std::nullopt);
    shown.total("KDV YEK\xDCN\xDC", 999, 70, std::nullopt);
    ASSERT_EQ(shown.verdict().mismatches.size(), 1u);
    EXPECT_EQ(shown.verdict().mismatches[0].computed, "2,00");

    // A label that holds an amount: the columns were not cut where the report prints them.
    Ledger garbled;
    garbled.post(100, std::nullopt, std::nullopt);
    garbled.total("SAYF A TOPLAMI 1.222,33", 8, std::nullopt, std::nullopt);
    EXPECT_TRUE(garbled.verdict().mismatches.empty());
    EXPECT_EQ(garbled.verdict().unchecked, 1);
    // So does one that holds figures beside its count of records, or figures run together.
    for (const char* label : {"TOPLAM (1 adet) 1   217", "HESAP TOPLAMI 96.229,2050.824,93"}) {
        Ledger figures;
        figures.post(100, std::nullopt, std::nullopt);
        figures.total(label, 8, std::nullopt, std::nullopt);
        EXPECT_TRUE(figures.verdict().mismatches.empty()) << label;
        EXPECT_EQ(figures.verdict().unchecked, 1) << label;
    }

    // A label of a total read before that now holds an amount: its line is not compared.
    Ledger cut;
    cut.check.groupStart(0);
    cut.post(100, std::nullopt, std::nullopt);
    cut.total("HESAP TOPLAMI", 100, std::nullopt, std::nullopt);
    cut.check.groupStart(0);
    cut.post(200, std::nullopt, std::nullopt);
    cut.total("HESAP TOPLAMI 5688,58 A", 8, std::nullopt, std::nullopt);
    EXPECT_TRUE(cut.verdict().mismatches.empty());
    EXPECT_EQ(cut.verdict().unchecked, 1);

    // Figures printed over the column boundaries, none of them read.
    Ledger spilled;
    spilled.post(100, std::nullopt, std::nullopt);
    spilled.check.checkTotal("TOPLAM", ++spilled.line, LineAmounts(3), 0, true);
    EXPECT_EQ(totalsNote(spilled.verdict()), "1 toplam denetlenemedi");

    // A card's total over movements none of which the table holds: nothing to compare.
    Ledger unread(false, 1);
    unread.check.groupStart(0);
    unread.total("KART TOPLAMI", 5913, 4753, 1160);
    EXPECT_TRUE(unread.verdict().mismatches.empty()) << totalsWarnings(unread.verdict())[0];
    EXPECT_EQ(unread.verdict().unchecked, 1);

    Ledger peers;
    for (int day = 0; day < 4; ++day) {
        peers.post(100, std::nullopt, std::nullopt);
        peers.total("G\xDCN TOPLAMI", day == 1 ? 101 : 100, std::nullopt, std::nullopt);
    }
    ASSERT_EQ(peers.verdict().mismatches.size(), 1u);
    EXPECT_EQ(peers.verdict().mismatches[0].line, 4);
    EXPECT_EQ(peers.verdict().mismatches[0].computed, "1,00");  // since the day before
}

TEST(TotalsCheck, AccountsMarksLevelsValuesAndCounts) {
    std::vector<std::string> t;
    // A statement's debit and credit totals: the records marked B, those marked A.
    TotalsCheck marks({{"TUTAR", {'.', ','}, 2}}, true, false);
    for (const auto& [v, m] : {std::pair{-456160, 'B'}, {27061, 'A'}, {-112880, 'B'}}) {
        RecordFacts r;
        r.mark = m;
        marks.addRecord(amounts({v}, t), r);
    }
    marks.checkTotal("BOR\xC7 TOPLAMI", 40, amounts({-569040}, t));
    marks.checkTotal("ALACAK TOPLAMI", 41, amounts({27061}, t));
    marks.finish();
    EXPECT_TRUE(marks.verdict().allAgree());

    // A trial balance adds up its top-level accounts only: with a parent left out, the sum
    // over every level would still give the printed total, the top level does not.
    TotalsCheck levels({{"Bor\xE7", kTurkish, 2}}, false, true);
    for (const auto& [v, top] : {std::pair{500, false}, {300, false}, {200, true}}) {
        RecordFacts r;
        r.topLevel = top;
        levels.addRecord(amounts({v}, t), r);
    }
    levels.checkTotal("GEL\xDDR TABLOSU HESAPLARI TOPLAMI", 30, amounts({1000}, t));
    levels.finish();
    ASSERT_EQ(levels.verdict().mismatches.size(), 1u);
    EXPECT_EQ(levels.verdict().mismatches[0].computed, "2,00");

    // A stock list's group lines print no amount: its totals cover the items under them.
    TotalsCheck groups({{"Tutar", kTurkish, 2}}, false, true);
    for (const Amount v : {Amount(), Amount(500), Amount(300)}) {
        RecordFacts r;
        r.topLevel = !v;
        groups.addRecord(amounts({v}, t), r);
    }
    groups.checkTotal("MAMULLER TOPLAMI", 30, amounts({800}, t));
    groups.finish();
    EXPECT_TRUE(groups.verdict().allAgree());
    EXPECT_EQ(groups.verdict().checked, 1);

    // Totals of a currency the label names, with the count they print.
    TotalsCheck named({{"Tutar", kTurkish, 2}}, false, false);
    for (const auto& [v, currency] : {std::pair{100, "TL"}, {7, "USD"}, {200, "TL"}}) {
        const std::string_view cells[] = {currency};
        RecordFacts r;
        r.cells = cells;
        named.addRecord(amounts({v}, t), r);
    }
    named.checkTotal("TL TOPLAMI (2 adet)", 10, amounts({300}, t));
    named.checkTotal("USD TOPLAMI (2 adet)", 11, amounts({7}, t));
    named.finish();
    ASSERT_EQ(totalsWarnings(named.verdict()),
              std::vector<std::string>{
                  "uyarı: satır 11 \"USD TOPLAMI (2 adet)\", kayıt sayısı: raporda 2, "
                  "kayıtlardan 1"});
}

// A long register: month totals between its records, a page's carried sum at its foot and
// on the next page's top (more total lines within a month than are kept as recent), the grand
// total. A month total covers its month, found from the report; one record changed by a
// kuruş is named on its month's total (and on the page's carried sum).
TEST(TotalsCheck, MonthTotalsCoverTheirMonth) {
    for (const int changed : {-1, 57}) {
        Ledger l;
        std::int64_t all = 0, page = 0;
        int record = 0, warnedAt = 0;
        for (const char* month : {"OCAK AYI TOPLAMI", "\xDEUBAT AYI TOPLAMI", "MART AYI TOPLAMI"}) {
            std::int64_t sum = 0;
            for (int i = 0; i < 40; ++i, ++record) {
                if (page == 6) {  // six records a page
                    l.total("NAKL\xDD YEK\xDCN", all, std::nullopt, std::nullopt);
                    l.check.pageBreak();
                    l.total("\xD6NCEK\xDD SAYFADAN NAK\xDDL", all, std::nullopt, std::nullopt);
                    page = 0;
                }
                const std::int64_t v = 1000 + record * 7;
                l.post(v + (record == changed), std::nullopt, std::nullopt);
                sum += v, all += v, ++page;
            }
            if (record > changed && !warnedAt && changed >= 0) warnedAt = l.line + 1;
            l.total(month, sum, std::nullopt, std::nullopt);
        }
        l.total("GENEL TOPLAM", all, std::nullopt, std::nullopt);
        const TotalsVerdict& v = l.verdict();
        EXPECT_EQ(v.unchecked, 0) << changed;
        if (changed < 0) {
            EXPECT_TRUE(v.mismatches.empty()) << totalsWarnings(v)[0];
            continue;
        }
        // The month's total and every carried sum after the record; not the grand total,
        // which the printed month totals give.
        std::vector<std::string> labels;
        for (const TotalMismatch& m : v.mismatches) labels.push_back(m.label);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), "\xDEUBAT AYI TOPLAMI"), 1);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), "GENEL TOPLAM"), 0);
        const auto month = std::find(labels.begin(), labels.end(), "\xDEUBAT AYI TOPLAMI");
        const TotalMismatch& m = v.mismatches[static_cast<std::size_t>(month - labels.begin())];
        EXPECT_EQ(m.line, warnedAt);
        // computed: the month's records, the changed one included
        EXPECT_EQ(m.computed, printedAmount(40 * 1000 + 7 * (40 + 79) * 40 / 2 + 1, 2, kTurkish));
    }
}

// A sub-ledger whose accounts each bring a debit, a credit and a balance forward: an account's
// total adds its opening to its postings, the grand total adds up the account totals.
TEST(TotalsCheck, AGrandTotalOfAccountTotalsWithTheirOpenings) {
    Ledger l(true, 1);
    std::int64_t debits = 0, credits = 0, net = 0;
    for (int account = 0; account < 3; ++account) {
        l.check.groupStart(0);
        std::int64_t d = 500000 + account * 1000, c = 200000 + account * 3000;
        l.total("DEV\xDDR", d, c, d - c, 'B');
        std::int64_t balance = d - c;
        for (int i = 0; i < 4; ++i) {
            const std::int64_t v = 1000 * (i + 1) + account;
            if (i % 2) {
                balance -= v, c += v;
                l.post(std::nullopt, v, balance, 'B');
            } else {
                balance += v, d += v;
                l.post(v, std::nullopt, balance, 'B');
            }
        }
        l.total("HESAP TOPLAMI", d, c, balance, 'B');
        debits += d, credits += c, net += balance;
    }
    l.total("GENEL TOPLAM", debits, credits, net, 'B');
    EXPECT_TRUE(l.verdict().mismatches.empty()) << totalsWarnings(l.verdict())[0];
    EXPECT_EQ(l.verdict().checked, 4);
}

// A rate's total is the rate of the totals it is the share of, or not checked: never a sum.
TEST(TotalsCheck, ARatesTotalIsNoSum) {
    // The rate's heading says so, or its values: each record's is the share.
    for (const char* heading : {"Ger\xE7. %", "Ger\xE7."}) {
        TotalsCheck check({{"B\xFCt\xE7"
                            "e",
                            kTurkish, 2},
                           {"Ger\xE7"
                            "ekle\xFE"
                            "en",
                            kTurkish, 2},
                           {heading, kTurkish, 2}},
                          false, false);
        std::vector<std::string> t;
        const std::int64_t rows[][2] = {
            {200000, 150000}, {300000, 310000}, {90000, 30000}, {123400, 98700}};
        std::int64_t budget = 0, actual = 0, rates = 0;
        RecordFacts r;
        for (const auto& [b, a] : rows) {
            ++r.line;
            check.addRecord(amounts({b, a, (a * 20000 / b + 1) / 2}, t), r);
            budget += b, actual += a, rates += (a * 20000 / b + 1) / 2;
        }
        const std::int64_t share = (actual * 20000 / budget + 1) / 2;
        check.checkTotal("ARA TOPLAM", 20, amounts({budget, actual, share}, t));
        check.checkTotal("GENEL TOPLAM", 21, amounts({budget, actual, rates / 4}, t));  // average
        check.finish();
        EXPECT_TRUE(check.verdict().mismatches.empty()) << heading;
        EXPECT_EQ(check.verdict().checked, 2) << heading;
    }
}

// A journal's vouchers balance: where nearly all do, the one that does not is named.
TEST(TotalsCheck, AVoucherWhoseDebitIsNotItsCredit) {
    Ledger l(false, 1);
    for (int v = 0; v < 6; ++v) {
        l.check.groupStart(0);
        l.post(500, std::nullopt, std::nullopt);
        l.post(std::nullopt, v == 2 ? 499 : 500, std::nullopt);
    }
    EXPECT_EQ(totalsWarnings(l.verdict()),
              std::vector<std::string>{"uyarı: satır 5, fiş dengesiz: Borç 5,00, Alacak 4,99"});
}

// A table of no record: its totals' figures are what no record gives, whatever they cover;
// unless a sum carried from before stands over them.
TEST(TotalsCheck, TotalsOfNoRecordAtAll) {
    struct Case {
        const char* name;
        const char* before;  // a line before the total, or none
        const char* total;
        Amount debit;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"a total of figures",
         nullptr,
         "TOPLAM",
         93920,
         {"uyarı: satır 1 \"TOPLAM\", Borç: raporda 939,20, kayıtlardan 0,00"}},
        {"a count",
         nullptr,
         "GENEL TOPLAM (1 adet)",
         std::nullopt,
         {"uyarı: satır 1 \"GENEL TOPLAM (1 adet)\", kayıt sayısı: raporda 1, kayıtlardan 0"}},
        {"a zero", nullptr, "TOPLAM", 0, {}},
        {"carried in", "NAKL\xDD YEK\xDCN", "TOPLAM", 93920, {}},
        {"words of no total", nullptr, "ORTALAMA", 93920, {}},
    };
    for (const Case& c : cases) {
        Ledger l;
        if (c.before) l.total(c.before, c.debit, std::nullopt, std::nullopt);
        l.total(c.total, c.debit, std::nullopt, std::nullopt);
        EXPECT_EQ(totalsWarnings(l.verdict()), c.warnings) << c.name;
    }
}

// A parent's debit and credit are its sub-accounts' sums and its balances net out; a level
// missing between an account and its sub-account is named on the parent.
TEST(AccountTree, ParentsSumTheirSubAccounts) {
    AccountTree tree({TreeSum::Summed, TreeSum::Plus, TreeSum::Minus});
    const std::vector<char> all(3, 1);
    const struct {
        const char* code;
        std::vector<std::int64_t> values;
    } accounts[] = {
        {"100", {900, 300, 0}},      {"100.01", {600, 400, 0}}, {"100.02", {300, 0, 100}},
        {"120", {500, 200, 0}},      {"120.01", {500, 200, 0}}, {"120.01.001", {200, 200, 0}},
        {"120.01.002", {299, 0, 0}}, {"153", {40, 40, 0}},      {"153.01.001", {40, 40, 0}},
        {"600", {10, 10, 0}},        {"600.01", {10, 10, 0}},
    };
    int line = 0;
    for (const auto& a : accounts) tree.add(a.code, ++line, a.values, all);
    tree.close();
    const std::vector<ParentBreak> breaks = tree.breaks();
    ASSERT_EQ(breaks.size(), 2u);
    EXPECT_EQ(breaks[0].code, "120.01");
    EXPECT_EQ(breaks[0].printed, 500);
    EXPECT_EQ(breaks[0].children, 499);
    EXPECT_EQ(breaks[1].code, "153");
    EXPECT_EQ(breaks[1].missing, "153.01");
}

// A record that breaks a formula all the others keep is named on its line.
TEST(TotalsCheck, ARecordThatBreaksItsRowsFormula) {
    TotalsCheck check({{"Taksit", kTurkish, 2},
                       {"Anapara", kTurkish, 2},
                       {"Faiz", kTurkish, 2},
                       {"BSMV", kTurkish, 2}},
                      false, false);
    std::vector<std::string> t;
    for (int i = 0; i < 6; ++i) {
        const std::int64_t interest = 9000 - 1000 * i, tax = interest / 20;
        RecordFacts r;
        r.line = 7 + i;
        check.addRecord(amounts({100000, 100000 - interest - tax + (i == 3), interest, tax}, t), r);
    }
    check.finish();
    EXPECT_EQ(totalsWarnings(check.verdict()),
              std::vector<std::string>{"uyarı: satır 10, Taksit: raporda 1.000,00, Anapara + "
                                       "Faiz + BSMV = 1.000,01 (diğer satırlarda tutuyor)"});
}

TEST(TotalLabel, WordsSayWhatATotalCovers) {
    for (const char* label : {"SAYFA TOPLAMI", "Toplam :", "*** GENEL TOPLAM ***", "Nakli Yek\xFCn",
                              "Sonraki Sayfaya Devir", "D\xD6NEM SONU BAK\xDDYE", "Yek\xFCn",
                              "Kasa Devri", "\xD6nceki Sayfadan"}) {
        EXPECT_TRUE(isTotalLabel(label)) << label;
    }
    for (const char* text : {"AKSOY NAKL\xDDYAT LTD.\xDE"
                             "T\xDD.",
                             "Havale, Akbank", "Toplantı"}) {
        EXPECT_FALSE(isTotalLabel(text)) << text;
    }
    EXPECT_FALSE(isTotalLabel("Bakiye d\xFCzeltmesi", false));

    const struct {
        const char* label;
        TotalClass kind;
        const char* key;
        std::optional<std::int64_t> count;
        std::vector<std::string> words;
        const char* family;
    } cases[] = {
        {"SAYFA TOPLAMI", TotalClass::Page, "SAYFA TOPLAM", {}, {}, "SAYFA TOPLAM"},
        {"NAKL\xDD YEK\xDCN", TotalClass::Forward, "NAKLI YEKUN", {}, {}, "NAKLI YEKUN"},
        {"\xD6NCEK\xDD SAYFADAN NAK\xDDL",
         TotalClass::Back,
         "ONCEKI SAYFA NAKIL",
         {},
         {},
         "ONCEKI SAYFA NAKIL"},
        {"Sonraki Sayfaya Devir",
         TotalClass::Forward,
         "SONRAKI SAYFA DEVIR",
         {},
         {},
         "SONRAKI SAYFA DEVIR"},
        {"GENEL YEK\xDCN", TotalClass::Grand, "GENEL YEKUN", {}, {}, "GENEL YEKUN"},
        {"D\xD6NEM BA\xDEI STOK", TotalClass::Back, "DONEM BASI STOK", {}, {}, "DONEM BASI STOK"},
        {"D\xD6NEN VARLIKLAR TOPLAMI",
         TotalClass::Plain,
         "TOPLAM",
         {},
         {"DONEN", "VARLIKLAR"},
         "TOPLAM DONEN VARLIKLAR"},
        {"1 D\xD6NEN VARLIKLAR TOPLAMI",
         TotalClass::Plain,
         "TOPLAM",
         {},
         {"1", "DONEN", "VARLIKLAR"},
         "TOPLAM #1 DONEN VARLIKLAR"},
        {"01.03.2019 G\xDCN TOPLAMI",
         TotalClass::Group,
         "GUN TOPLAM",
         {},
         {"01.03.2019"},
         "GUN TOPLAM #D"},
        {"1.3.2019 G\xDCN TOPLAMI",
         TotalClass::Group,
         "GUN TOPLAM",
         {},
         {"1.3.2019"},
         "GUN TOPLAM #D"},
        {"120.01 TOPLAMI", TotalClass::Plain, "TOPLAM", {}, {"120.01"}, "TOPLAM #3.2"},
        {"\xDEUBAT AYI TOPLAMI",
         TotalClass::Plain,
         "TOPLAM",
         {},
         {"SUBAT", "AYI"},
         "TOPLAM #M AYI"},
        {"TL TOPLAMI (34 adet)", TotalClass::Plain, "TOPLAM", 34, {"TL"}, "TOPLAM TL"},
        {"CAR\xDD TOPLAM (12 kay\xFDt)", TotalClass::Group, "CARI TOPLAM", 12, {}, "CARI TOPLAM"},
    };
    for (const auto& c : cases) {
        const TotalLabel l = readTotalLabel(c.label);
        EXPECT_EQ(l.kind, c.kind) << c.label;
        EXPECT_EQ(l.key, c.key) << c.label;
        EXPECT_EQ(l.count, c.count) << c.label;
        EXPECT_EQ(l.words, c.words) << c.label;
        EXPECT_EQ(l.family, c.family) << c.label;
    }
}

}  // namespace
}  // namespace tablamo
