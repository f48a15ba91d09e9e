// Pairing our ledger with the other side's statement: which records pair and how, the reasons
// of those left over, the statement's rows and "Fark".

#include "reconcile/reconciliation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/encoding.h"

namespace tablamo::reconcile {
namespace {

// A record: line, day of the month (March 2024), amount in hundredths, words.
struct R {
    int line;
    int day;
    Money amount;
    const char* text = "";
};

Account account(const std::vector<R>& records, Money opening = 0, Money closingShift = 0) {
    Account a;
    a.opening = opening;
    for (const R& r : records) {
        Entry e;
        e.line = r.line;
        e.day = dayNumber(2024, 3, r.day);
        e.amount = r.amount;
        e.text = utf8ToWin1254(r.text).value();
        e.refs = documentNumbers(e.text);
        a.entries.push_back(e);
    }
    a.closing = a.computedClosing() + closingShift;
    a.closingDay = dayNumber(2024, 3, 31);
    return a;
}

// A match as "ledger lines|statement lines|kind", lines joined by "+".
std::vector<std::string> matchesOf(const Result& r, const Account& l, const Account& s) {
    std::vector<std::string> out;
    for (const Match& m : r.matches) {
        std::string text;
        for (const int i : m.ledger) text += std::to_string(l.entries[i].line) + "+";
        text.back() = '|';
        for (const int i : m.statement) text += std::to_string(s.entries[i].line) + "+";
        text.back() = '|';
        out.push_back(text + matchKindText(m.kind));
    }
    return out;
}

// The records left over as "line:reason".
std::vector<std::string> leftOf(const std::vector<Unpaired>& left, const Account& a) {
    std::vector<std::string> out;
    for (const Unpaired& u : left) {
        const std::string reason = reasonText(u.reason, 1, 1);
        out.push_back(std::to_string(a.entries[u.entry].line) + ":" +
                      (u.reason == Reason::AmountDiff ? "tutar farkı" : reason));
    }
    return out;
}

struct Case {
    const char* name;
    std::vector<R> ledger, statement;  // the statement signed from our side (Direction::Same)
    std::vector<std::string> matches, ledgerOnly, statementOnly;
    int days = 5;
    bool bank = true;
};

const Case kCases[] = {
    {"SameDayAndDaysApart",
     {{1, 4, 10000, "EFT gelen"}, {2, 6, -2500, "Ödeme"}},
     {{11, 4, 10000, "EFT GELEN"}, {12, 9, -2500, "ÖDEME"}},
     {"1|11|tam", "2|12|tarih farkı"},
     {},
     {}},
    {"TooManyDaysApartPairNot", {{1, 4, 10000}}, {{11, 10, 10000}}, {}, {"1:"}, {"11:"}},
    {"OppositeDirectionsPairNot", {{1, 4, 10000}}, {{11, 4, -10000}}, {}, {"1:"}, {"11:"}},
    {"AChequeNumberTellsOneAmountApart",
     {{1, 8, -5000, "Çek ödemesi No 325228"}, {2, 8, -5000, "Çek ödemesi No 166586"}},
     {{11, 9, -5000, "ÇEK ÖDEMESİ 166586"}, {12, 9, -5000, "ÇEK ÖDEMESİ 325228"}},
     {"1|12|tarih farkı", "2|11|tarih farkı"},
     {},
     {}},
    {"NearerDateFirst",
     {{1, 3, -700}, {2, 13, -700}},
     {{11, 14, -700}, {12, 4, -700}},
     {"1|12|tarih farkı", "2|11|tarih farkı"},
     {},
     {}},
    // The nearest pairing for record 1 would leave record 2 without one.
    {"AsManyPairsAsTheDaysAllow",
     {{1, 10, 300}, {2, 6, 300}},
     {{11, 10, 300}, {12, 14, 300}},
     {"1|12|tarih farkı", "2|11|tarih farkı"},
     {},
     {}},
    {"PaymentTheBankSplit",
     {{1, 5, -30000, "SGK prim"}},
     {{11, 5, -17500, "SGK 1/2"}, {12, 5, -12500, "SGK 2/2"}},
     {"1|11+12|toplu"},
     {},
     {}},
    {"ADaysSlipsCreditedAsOne",
     {{1, 7, 1250}, {2, 7, 3000}, {3, 7, 75}, {4, 9, 99999}},
     {{11, 8, 4325, "POS"}},
     {"1+2+3|11|toplu"},
     {"4:"},
     {}},
    {"SlipsTooFarAwayMakeNoGroup",
     {{1, 1, 100}, {2, 20, 200}},
     {{11, 10, 300}},
     {},
     {"1:", "2:"},
     {"11:"}},
    {"BankChargesTaxInterestAndAnUnbookedTransfer",
     {},
     {{11, 3, -1500, "HESAP İŞLETİM ÜCRETİ"},
      {12, 3, -75, "BSMV"},
      {13, 31, 412, "MEVDUAT FAİZİ"},
      {14, 6, 90000, "HAVALE GELEN"}},
     {},
     {},
     {"11:banka masrafı", "12:BSMV", "13:faiz", "14:"}},
    {"ChequeDepositInTransitAndASecondBooking",
     {{1, 12, -8000, "Çek ödemesi No 954036"},
      {2, 31, 6000, "Kasadan yatırılan"},
      {3, 14, -2200, "Telefon faturası"},
      {4, 14, -2200, "Telefon faturası"},
      {5, 15, 500, "Kasaya çekilen"}},
     {{11, 14, -2200, "TELEKOM"}},
     {"3|11|tam"},
     {"1:yoldaki çek", "2:yoldaki para", "4:mükerrer kayıt?", "5:"},
     {}},
    {"AmountsOfOneReferenceThatDiffer",
     {{1, 5, -125400, "Ödeme fatura 45448"}, {2, 9, 7700, "Tahsilat"}},
     {{11, 5, -152400, "FATURA NO 45448"}, {12, 9, 7600, "EFT"}},
     {},
     {"1:tutar farkı", "2:tutar farkı"},
     {"11:tutar farkı", "12:tutar farkı"}},
    {"ACustomersInvoiceAndPaymentOnTheirWay",
     {{1, 30, 50000, "Satış faturası 123456"}, {2, 2, -4000, "Alınan çek No 777888"}},
     {{11, 31, -9000, "Havale ödemesi"}},
     {},
     {"1:yoldaki fatura", "2:yoldaki çek"},
     {"11:yoldaki ödeme"},
     5,
     false},
};

class Pairing : public ::testing::TestWithParam<Case> {};

TEST_P(Pairing, AsAnAccountantWouldSign) {
    const Case& c = GetParam();
    const Account l = account(c.ledger), s = account(c.statement);
    Options o;
    o.days = c.days;
    o.bank = c.bank;
    o.direction = Direction::Same;
    const Result r = reconcile(l, s, o);
    EXPECT_EQ(matchesOf(r, l, s), c.matches);
    EXPECT_EQ(leftOf(r.ledgerOnly, l), c.ledgerOnly);
    EXPECT_EQ(leftOf(r.statementOnly, s), c.statementOnly);
    EXPECT_EQ(r.difference, 0);
    // The same inputs give the same result.
    EXPECT_EQ(matchesOf(reconcile(l, s, o), l, s), c.matches);
}

INSTANTIATE_TEST_SUITE_P(Cases, Pairing, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Reconciliation, StatementRowsExplainTheWayFromOurBalanceToTheirs) {
    // Opened 1.000,00 on our side, 1.100,00 on theirs (their books run the other way).
    const Account l = account({{1, 4, 50000, "EFT"},
                               {2, 30, 20000, "Kasadan yatırılan"},
                               {3, 10, -7000, "Çek ödemesi No 123456"}},
                              100000);
    const Account s =
        account({{11, 4, -50000, "EFT"}, {12, 6, 1500, "HESAP İŞLETİM ÜCRETİ"}}, -110000);
    const Result r = reconcile(l, s, Options{});
    ASSERT_TRUE(r.mirrored);
    const std::vector<std::pair<std::string, Money>> want = {
        {"Defter bakiyesi (31.03.2024)", 163000},
        {"Ekstrede olup defterde olmayan: banka masrafları", -1500},
        {"Defterde olup ekstrede olmayan: ödenmemiş çekler", 7000},
        {"Defterde olup ekstrede olmayan: yoldaki paralar", -20000},
        {"Düzeltilmiş defter bakiyesi", 148500},
        {"Ekstre bakiyesi (31.03.2024)", 158500},
        {"Açılış bakiyeleri farkı", 10000},
        {"Fark", 0},
    };
    std::vector<std::pair<std::string, Money>> got;
    for (const StatementRow& row : r.rows) got.emplace_back(row.label, row.amount);
    EXPECT_EQ(got, want);
}

TEST(Reconciliation, AClosingBalanceThatDoesNotFollowLeavesAFark) {
    const Account l = account({{1, 4, 50000}});
    const Account s = account({{11, 4, 50000}}, 0, 12345);
    EXPECT_EQ(reconcile(l, s, Options{}).difference, 12345);
}

TEST(Reconciliation, DirectionFromTheDataElseFromTheBalancesElseTheFallback) {
    const Account l = account({{1, 4, 50000}, {2, 5, -300}}, 700);
    const Account same = account({{11, 4, 50000}, {12, 5, -300}}, 700);
    const Account mirror = account({{11, 4, -50000}, {12, 5, 300}}, -700);
    EXPECT_FALSE(reconcile(l, same, Options{}).mirrored);
    EXPECT_TRUE(reconcile(l, mirror, Options{}).mirrored);
    const Account theirs = account({}, -50400);
    EXPECT_FALSE(reconcile(account({}, 700), account({}, 700), Options{}).mirrored);
    Options o;
    o.fallback = Direction::Same;
    EXPECT_FALSE(reconcile(account({}, 100), theirs, o).mirrored);
    EXPECT_TRUE(reconcile(account({}, 50400), theirs, o).mirrored);
}

TEST(Reconciliation, Texts) {
    const struct {
        std::string got, want;
    } cases[] = {
        {reasonText(Reason::AmountDiff, -125400, -152400),
         "tutar farkı: defterde 1.254,00, ekstrede 1.524,00 — basamaklar yer değiştirmiş?"},
        {reasonText(Reason::AmountDiff, 7700, 7600), "tutar farkı: defterde 77,00, ekstrede 76,00"},
        {reasonText(Reason::AmountDiff, 1254, 12540),
         "tutar farkı: defterde 12,54, ekstrede 125,40"},
        {moneyText(-123456789), "-1.234.567,89"},
        {moneyText(5, '.'), "0.05"},
        {moneyText(100000000, '.'), "1,000,000.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(Reconciliation, DocumentNumbers) {
    const struct {
        const char* text;
        std::vector<std::uint64_t> want;
    } cases[] = {
        {"ÇEK ÖDEMESİ NO 000495047", {495047}},
        {"FATURA NO 12345, 12346 (01.2014)", {12345, 12346}},
        {"A-00938 REF:20100273465", {938, 20100273465ULL}},
        {"SGK 01/2014 12", {}},
        {"TR40 0004 6004 0138 5201 3046 36", {138, 3046, 5201, 6004}},
    };
    for (const auto& c : cases) EXPECT_EQ(documentNumbers(c.text), c.want) << c.text;
}

}  // namespace
}  // namespace tablamo::reconcile
