#include "clean/totals_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "totals_ledger.h"

namespace tablamo {
namespace {

using namespace testing;

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

// A record changed under a customer's total: that total is warned of, and so is the grand
// total the customers' printed totals add up to, since the records do not give it either.
TEST(TotalsCheck, AGrandTotalOfTotalsStandsOnNoneWarnedOf) {
    Ledger l(false, 1);
    l.check.groupStart(0);
    l.post(10000, std::nullopt, std::nullopt);
    l.post(20001, std::nullopt, std::nullopt);  // printed 200,00 before
    l.total(
        "M\xDC\xDE"
        "TER\xDD TOPLAMI",
        30000, std::nullopt, std::nullopt);
    l.check.groupStart(0);
    l.post(5000, std::nullopt, std::nullopt);
    l.total(
        "M\xDC\xDE"
        "TER\xDD TOPLAMI",
        5000, std::nullopt, std::nullopt);
    l.total("GENEL TOPLAM", 35000, std::nullopt, std::nullopt);
    EXPECT_EQ(totalsWarnings(l.verdict()),
              (std::vector<std::string>{
                  "uyarı: satır 3 \"MÜŞTERİ TOPLAMI\", Borç: raporda 300,00, kayıtlardan 300,01",
                  "uyarı: satır 6 \"GENEL TOPLAM\", Borç: raporda 350,00, kayıtlardan 350,01"}));
}

// A carried sum that does not agree is named with what the records give since the start,
// its words' reading, not with the page's alone, which its kind's one other line agreed by
// as well.
TEST(TotalsCheck, ACarriedSumIsNamedWithAllTheRecordsBeforeIt) {
    Ledger l;
    l.post(10000, std::nullopt, std::nullopt);
    l.post(20000, std::nullopt, std::nullopt);
    l.total("NAKL\xDD YEK\xDCN", 30000, std::nullopt, std::nullopt);
    l.total("DEV\xDDR", 30000, std::nullopt, std::nullopt);
    l.post(5000, std::nullopt, std::nullopt);
    l.post(1001, std::nullopt, std::nullopt);  // printed 10,00 before
    l.total("NAKL\xDD YEK\xDCN", 36000, std::nullopt, std::nullopt);
    EXPECT_EQ(totalsWarnings(l.verdict()),
              std::vector<std::string>{
                  "uyarı: satır 7 \"NAKLİ YEKÜN\", Borç: raporda 360,00, kayıtlardan 360,01"});
}

// An invoice list: each invoice's total is its items and a VAT printed on a line of its
// own, which no reading gives; the grand totals add those up, and none is a warning.
TEST(TotalsCheck, GrandTotalsOfWhatNoReadingGives) {
    Ledger l;
    l.post(10000, std::nullopt, std::nullopt);
    l.post(20000, std::nullopt, std::nullopt);
    l.total("ARA TOPLAM", 30000, std::nullopt, std::nullopt);
    l.total("FATURA TOPLAMI", 36000, std::nullopt, std::nullopt);
    l.post(5000, std::nullopt, std::nullopt);
    l.total("ARA TOPLAM", 5000, std::nullopt, std::nullopt);
    l.total("FATURA TOPLAMI", 6000, std::nullopt, std::nullopt);
    l.total("GENEL TOPLAM", 42000, std::nullopt, std::nullopt);
    l.total("GENEL KDV TOPLAMI", 7000, std::nullopt, std::nullopt);
    const TotalsVerdict& v = l.verdict();
    EXPECT_TRUE(v.mismatches.empty()) << totalsWarnings(v)[0];
    EXPECT_EQ(v.checked, 3);  // the invoices' items and the grand total of their totals
}

// A record changed before the first carry: that carry is named, the carries after it that
// only carry it on are not, and the grand total is compared with the records.
TEST(TotalsCheck, AChangeUnderACarryNamesItAndTheGrandTotal) {
    Ledger l;
    l.post(10000, std::nullopt, std::nullopt);
    l.post(20001, std::nullopt, std::nullopt);  // printed 200,00 before
    l.total("NAKL\xDD YEK\xDCN", 30000, std::nullopt, std::nullopt);
    l.total("DEVREDEN", 30000, std::nullopt, std::nullopt);
    l.post(5000, std::nullopt, std::nullopt);
    l.total("NAKL\xDD YEK\xDCN", 35000, std::nullopt, std::nullopt);
    l.total("DEVREDEN", 35000, std::nullopt, std::nullopt);
    l.post(1000, std::nullopt, std::nullopt);
    l.total("GENEL TOPLAM", 36000, std::nullopt, std::nullopt);
    EXPECT_EQ(totalsWarnings(l.verdict()),
              (std::vector<std::string>{
                  "uyarı: satır 3 \"NAKLİ YEKÜN\", Borç: raporda 300,00, kayıtlardan 300,01",
                  "uyarı: satır 9 \"GENEL TOPLAM\", Borç: raporda 360,00, kayıtlardan 360,01"}));
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
}  // namespace
}  // namespace tablamo
