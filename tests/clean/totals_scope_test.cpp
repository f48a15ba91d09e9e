#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "clean/account_tree.h"
#include "clean/totals_check.h"
#include "totals_ledger.h"

namespace tablamo {
namespace {

using namespace testing;

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
        // The month's total, every carried sum after the record and the grand total, which
        // the printed month totals give only through the one in doubt.
        std::vector<std::string> labels;
        for (const TotalMismatch& m : v.mismatches) labels.push_back(m.label);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), "\xDEUBAT AYI TOPLAMI"), 1);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), "GENEL TOPLAM"), 1);
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

// A total whose words are its group's ("TL TOPLAMI" under "*** TL MEVDUATLAR ***", "BANKNOT
// TOPLAMI" under "BANKNOTLAR") covers the group: a wrong one is named though no other total
// is of its kind; words no group prints leave it unchecked.
TEST(TotalsCheck, ATotalNamedByItsGroupsWords) {
    for (const std::int64_t off : {0, 1}) {
        Ledger l(false, 1);
        l.check.groupStart(0, "*** TL MEVDUATLAR ***");
        l.post(100, std::nullopt, std::nullopt);
        l.post(200, std::nullopt, std::nullopt);
        l.total("TL TOPLAMI", 300, std::nullopt, std::nullopt);
        l.check.groupStart(0, "BANKNOTLAR");
        l.post(300, std::nullopt, std::nullopt);
        l.total("BANKNOT TOPLAMI", 300 + off, std::nullopt, std::nullopt);
        // A vehicle's plate: figures its group's line prints, no amount in the label.
        l.check.groupStart(0, "Araç Plakasý: 34 KLM 482");
        l.post(400, std::nullopt, std::nullopt);
        l.total("34 KLM 482 TOPLAMI", 400 + off, std::nullopt, std::nullopt);
        l.total("BANK TOPLAMI", 7, std::nullopt, std::nullopt);
        const TotalsVerdict& v = l.verdict();
        EXPECT_EQ(totalsWarnings(v).size(), off == 0 ? 0u : 2u) << off;
        EXPECT_EQ(v.unchecked, 1) << off;  // BANK TOPLAMI
    }
}

// Tenants' totals that each sum their group: one whose figure only a part of the records
// gives by chance (the A-marked ones since the start) disagrees all the same.
TEST(TotalsCheck, ATotalAgreeingOnlyWithAPartOfTheRecords) {
    for (const std::int64_t changed : {0, 1}) {
        Ledger l(true, 1);
        const auto tenant = [&](std::int64_t first, std::int64_t second, char mark) {
            l.check.groupStart(0);
            l.post(first, std::nullopt, std::nullopt, mark);
            l.post(second, std::nullopt, std::nullopt, mark);
            l.total("K\xDDRACI TOPLAMI", first + second, std::nullopt, std::nullopt);
        };
        tenant(100, 200, 'A');
        tenant(150, 250, 'B');
        // The A-marked records since the start give the 300 printed under 100 and 201.
        l.check.groupStart(0);
        l.post(100, std::nullopt, std::nullopt, 'B');
        l.post(200 + changed, std::nullopt, std::nullopt, 'B');
        l.total("K\xDDRACI TOPLAMI", 300, std::nullopt, std::nullopt);
        const TotalsVerdict& v = l.verdict();
        ASSERT_EQ(v.mismatches.size(), static_cast<std::size_t>(changed));
        if (changed) EXPECT_EQ(v.mismatches[0].computed, "3,01");
    }
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

}  // namespace
}  // namespace tablamo
