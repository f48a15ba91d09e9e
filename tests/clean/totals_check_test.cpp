#include "clean/totals_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tablamo {
namespace {

const AmountNotation kTurkish{',', '.'};

// One line's amounts in kuruş, nothing for an empty cell.
LineAmounts amounts(const std::vector<std::optional<std::int64_t>>& values,
                    std::vector<std::string>* printed = nullptr) {
    LineAmounts a(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        a.present[i] = values[i].has_value();
        a.value[i] = values[i].value_or(0);
        if (printed) {
            printed->push_back(values[i] ? printedAmount(*values[i], 2, kTurkish) : "");
        }
    }
    if (printed) {
        for (std::size_t i = 0; i < values.size(); ++i) a.printed[i] = (*printed)[i];
    }
    return a;
}

// A checker over Borç, Alacak and a running Bakiye.
struct Ledger {
    TotalsCheck check{
        {{"Bor\xE7", kTurkish, 2}, {"Alacak", kTurkish, 2}, {"Bakiye", kTurkish, 2}}, false, false};
    std::int64_t balance = 0;
    std::vector<std::vector<std::string>> texts;  // keeps the printed amounts alive

    void post(std::optional<std::int64_t> debit, std::optional<std::int64_t> credit) {
        balance += debit.value_or(0) - credit.value_or(0);
        check.addRecord(amounts({debit, credit, balance}), 0, true, false);
    }
    void total(const char* label, int line, std::optional<std::int64_t> debit,
               std::optional<std::int64_t> credit, std::optional<std::int64_t> bal) {
        texts.emplace_back();
        check.checkTotal(label, line, amounts({debit, credit, bal}, &texts.back()));
    }
};

TEST(TotalsCheck, PageCarriedAndGrandTotalsAgree) {
    Ledger l;
    l.balance = 100000;
    l.total("DEV\xDDR", 9, 100000, 0, 100000);  // an opening sum: carried on, not checked
    l.post(50000, std::nullopt);
    l.post(std::nullopt, 20000);
    l.total("SAYFA TOPLAMI", 13, 50000, 20000, 130000);
    l.total("NAKL\xDD YEK\xDCN", 14, 150000, 20000, 130000);  // the opening DEVİR carried on
    l.check.pageBreak();
    l.total("DEV\xDDR", 20, 150000, 20000, 130000);
    l.post(1, std::nullopt);
    l.total("Sayfa Toplam\xFD", 23, 1, std::nullopt, 130001);
    l.total("GENEL TOPLAM", 24, 150001, 20000, 130001);
    EXPECT_TRUE(l.check.verdict().mismatches.empty());
    EXPECT_EQ(l.check.verdict().checked, 5);
    EXPECT_TRUE(l.check.verdict().allAgree());
    EXPECT_EQ(totalsNote(l.check.verdict()), "5 toplam satırı kayıtlarla tutuyor");
}

TEST(TotalsCheck, ALostRecordIsNamedWithItsTotal) {
    Ledger l;
    l.post(50000, std::nullopt);
    // The record of 1.000,00 between these two was lost.
    l.post(std::nullopt, 20000);
    l.total("GENEL TOPLAM", 12, 150000, 20000, 130000);
    const TotalsVerdict& v = l.check.verdict();
    ASSERT_EQ(v.mismatches.size(), 2u);  // Borç, and the balance the lost record moved
    EXPECT_EQ(v.mismatches[0].heading, "Bor\xE7");
    EXPECT_EQ(v.mismatches[0].printed, "1.500,00");
    EXPECT_EQ(v.mismatches[0].computed, "500,00");
    EXPECT_EQ(totalsWarnings(v)[0],
              "uyarı: satır 12 \"GENEL TOPLAM\", Borç: raporda 1.500,00, kayıtlardan 500,00");
    EXPECT_EQ(totalsNote(v), "");
}

TEST(TotalsCheck, AccountsMarksAndLevels) {
    // Account totals: the records since the carried account changed.
    TotalsCheck accounts({{"Tutar", kTurkish, 2}}, false, false);
    accounts.addRecord(amounts({700}), 0, true, true);
    accounts.addRecord(amounts({300}), 0, true, false);
    accounts.checkTotal("HESAP TOPLAMI", 5, amounts({1000}));
    accounts.addRecord(amounts({40}), 0, true, true);
    accounts.checkTotal("HESAP TOPLAMI", 9, amounts({40}));
    accounts.checkTotal("GENEL TOPLAM", 10, amounts({1040}));
    EXPECT_TRUE(accounts.verdict().allAgree());

    // A statement's debit and credit totals: the records marked B, those marked A.
    TotalsCheck marks({{"TUTAR", {'.', ','}, 2}}, true, false);
    marks.addRecord(amounts({-456160}), 'B', true, false);
    marks.addRecord(amounts({27061}), 'A', true, false);
    marks.addRecord(amounts({-112880}), 'B', true, false);
    marks.checkTotal("BOR\xC7 TOPLAMI", 40, amounts({-569040}));
    marks.checkTotal("ALACAK TOPLAMI", 41, amounts({27061}));
    EXPECT_TRUE(marks.verdict().allAgree());

    // A trial balance adds up its top-level accounts only: with a parent left out, the
    // sum over every level would still give the printed total, the top level does not.
    TotalsCheck levels({{"Bor\xE7", kTurkish, 2}}, false, true);
    levels.addRecord(amounts({500}), 0, false, false);  // 600.01, its parent 600 taken out
    levels.addRecord(amounts({300}), 0, false, false);  // 600.02
    levels.addRecord(amounts({200}), 0, true, false);   // 642
    levels.checkTotal("GEL\xDDR TABLOSU HESAPLARI TOPLAMI", 30, amounts({1000}));
    ASSERT_EQ(levels.verdict().mismatches.size(), 1u);
    EXPECT_EQ(levels.verdict().mismatches[0].computed, "2,00");
}

TEST(TotalsCheck, TotalWordsAreWords) {
    for (const char* label : {"SAYFA TOPLAMI", "Toplam :", "*** GENEL TOPLAM ***", "Nakli Yek\xFCn",
                              "Sonraki Sayfaya Devir", "D\xD6NEM SONU BAK\xDDYE", "Yek\xFCn"}) {
        EXPECT_TRUE(isTotalLabel(label)) << label;
    }
    for (const char* text : {"AKSOY NAKL\xDDYAT LTD.\xDE"
                             "T\xDD.",
                             "Havale, Akbank", "Toplantı"}) {
        EXPECT_FALSE(isTotalLabel(text)) << text;
    }
    EXPECT_FALSE(isTotalLabel("Bakiye d\xFCzeltmesi", false));
}

}  // namespace
}  // namespace tablamo
