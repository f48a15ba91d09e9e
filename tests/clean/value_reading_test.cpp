#include "clean/value_reading.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "clean/column_typing.h"
#include "clean/date_reading.h"
#include "clean/header_fields.h"

namespace tablamo {
namespace {

const AmountNotation kTurkishAmounts{',', '.'};
const AmountNotation kPoint{'.', ','};
// Two-digit years as in 2026: 1976 to 2075.
const YearWindow k2026(Date{2026, 6, 1});

// Every way the reports print an amount, read in the notation the column votes for.
TEST(ValueReading, AmountsInEveryNotation) {
    struct Case {
        const char* name;
        std::vector<std::string> column;  // the column's values; the first is checked
        std::optional<std::int64_t> kurus;
    };
    const Case cases[] = {
        {"turkish", {"1.234.567,89"}, 123456789},
        {"turkish small", {"0,01", "12,50"}, 1},
        {"plain point", {"1234567.89"}, 123456789},
        {"grouped with commas", {"1,234,567.89"}, 123456789},
        {"leading minus", {"-1.234,56"}, -123456},
        {"minus then blank", {"- 25,00"}, -2500},
        {"trailing minus", {"1.234,56-"}, -123456},
        {"trailing minus plain", {"1616.22-", "0.00"}, -161622},
        {"parentheses", {"(1.234,56)"}, -123456},
        {"parentheses with a pad", {"32.983,41 ", "(23.885,00)"}, 3298341},
        {"statement marker", {"=1,140.40"}, 114040},
        {"a thousand among turkish amounts", {"1.500", "12,50"}, 150000},
        {"three decimals among points", {"1.500", "12.5"}, std::nullopt},  // 1.500 read 1,5
        {"grouping alone decides", {"1.500", "18.000"}, 150000},
        {"whole", {"250"}, 25000},
    };
    for (const Case& c : cases) {
        NotationVote vote;
        for (const std::string& v : c.column) vote.add(amountFormOf(v));
        const auto notation = vote.decide();
        ASSERT_TRUE(notation) << c.name;
        const int decimals = vote.decimalsFor(*notation);
        const auto read = readAmount(c.column[0], *notation, std::max(decimals, 2));
        if (c.kurus) {
            ASSERT_TRUE(read) << c.name;
            const std::int64_t scale = decimals > 2 ? 10 : 1;
            EXPECT_EQ(*read, *c.kurus * scale) << c.name;
        } else {
            // 1.500 read with "." as the decimal separator has three decimals.
            EXPECT_EQ(decimals, 3) << c.name;
            EXPECT_EQ(readAmount(c.column[0], *notation, 3), 1500) << c.name;
        }
        // One look gives the same value as the reading after the vote.
        std::optional<std::int64_t> once;
        amountFormOf(c.column[0], &*notation, std::max(decimals, 2), once);
        EXPECT_EQ(once, read) << c.name;
    }
}

TEST(ValueReading, CodesAndTextsAreNoAmounts) {
    for (const char* text : {"000123", "05.125", "120.01.001", "A-4711", "1.2.3", "12..5", "--",
                             "(12", "12)", "1.23,4.5", "- 5 -", "1 234", "02.01.2005"}) {
        EXPECT_FALSE(amountFormOf(text).valid) << text;
    }
    // A column whose amounts contradict each other has no notation.
    NotationVote vote;
    vote.add(amountFormOf("1.234,56"));
    vote.add(amountFormOf("1234.56"));
    EXPECT_FALSE(vote.decide());
}

TEST(ValueReading, AmountsWrittenInTheUsersNotation) {
    char out[32];
    EXPECT_EQ(std::string(out, formatAmount(-123456, 2, ',', out)), "-1234,56");
    EXPECT_EQ(std::string(out, formatAmount(5, 2, '.', out)), "0.05");
    EXPECT_EQ(std::string(out, formatAmount(7, 0, ',', out)), "7");
    EXPECT_EQ(printedAmount(-303786259, 2, kTurkishAmounts), "-3.037.862,59");
    EXPECT_EQ(printedAmount(123456, 2, kPoint), "1,234.56");
    EXPECT_EQ(printedAmount(99, 2, kTurkishAmounts), "0,99");
}

TEST(ValueReading, DatesInTheirOrder) {
    struct Case {
        const char* text;
        std::uint8_t orders;
        Date dayFirst;
    };
    const Case cases[] = {
        {"25.02.2006", kDayMonthYearBit, {2006, 2, 25}},
        {"04/01/05", kDayMonthYearBit | kMonthDayYearBit, {2005, 1, 4}},
        {"01-01-1998", kDayMonthYearBit | kMonthDayYearBit, {1998, 1, 1}},
        {"31.12.75", kDayMonthYearBit, {2075, 12, 31}},
        {"01.01.76", kDayMonthYearBit | kMonthDayYearBit, {1976, 1, 1}},
        {"29.02.00", kDayMonthYearBit, {2000, 2, 29}},
        {"2005-03-04", kYearMonthDayBit, {}},
        {"29.02.2005", 0, {}},
        {"01.02-2005", 0, {}},
        {"2005/139", 0, {}},
        {"12.185,08", 0, {}},
        {"5 Mart 2024", kDayMonthYearBit, {2024, 3, 5}},
        {"MART 2024", kDayMonthYearBit, {2024, 3, 1}},
        {"\x9Eubat 2024", kDayMonthYearBit, {2024, 2, 1}},  // Şubat, code page 857
        {"Mart", 0, {}},
        {"MART 20245", 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dateOrdersOf(c.text, k2026), c.orders) << c.text;
        if (c.orders & kDayMonthYearBit) {
            EXPECT_EQ(readReportDate(c.text, DateOrder::DayMonthYear, k2026), c.dayFirst) << c.text;
        }
    }
    // The user's order when every date of the column reads in it, else day first.
    EXPECT_EQ(chooseDateOrder(kDayMonthYearBit | kMonthDayYearBit, DateOrder::MonthDayYear),
              DateOrder::MonthDayYear);
    EXPECT_EQ(chooseDateOrder(kDayMonthYearBit, DateOrder::MonthDayYear), DateOrder::DayMonthYear);
    EXPECT_EQ(readPackedDate("01022010"), (Date{2010, 2, 1}));
    EXPECT_FALSE(readPackedDate("32012010"));
    char out[16];
    EXPECT_EQ(std::string(out, formatShortDate({2005, 1, 4}, RegionalSettings::turkish(), out)),
              "04.01.2005");
    EXPECT_EQ(
        std::string(out, formatShortDate({2005, 1, 4}, {'.', '/', DateOrder::MonthDayYear}, out)),
        "01/04/2005");
}

// A column's kind, decided from all its values at once. Offsets are the values' first and
// last character within a field whose rule run covers 0 to 11.
TEST(ColumnTyping, KindsFromTheWholeColumn) {
    struct Value {
        const char* text;
        int first, last;
    };
    struct Case {
        const char* name;
        std::vector<Value> values;
        ColumnKind kind;
        bool marks;
        const char* total = nullptr;  // a total line's figure in the column
    };
    const Case cases[] = {
        {"dates", {{"01.01.2005", 0, 9}, {"31.12.2005", 0, 9}}, ColumnKind::Date, false},
        {"right-aligned amounts",
         {{"1.234,56", 4, 11}, {"12,00", 7, 11}},
         ColumnKind::Amount,
         false},
        {"trailing minus ends one further",
         {{"12.50-", 6, 11}, {"0.00", 8, 11}},
         ColumnKind::Amount,
         false},
        {"leading zeros", {{"000123", 0, 5}, {"000124", 0, 5}}, ColumnKind::Code, false},
        {"account levels",
         {{"100", 0, 2}, {"100.01", 0, 5}, {"100.01.001", 0, 9}},
         ColumnKind::Code,
         false},
        {"codes that read as amounts",
         {{"300.01", 0, 5}, {"361.01", 0, 5}},
         ColumnKind::Code,
         false},
        {"right-aligned whole numbers",
         {{"12", 10, 11}, {"1.200", 7, 11}},
         ColumnKind::Amount,
         false},
        {"a row number counts the records",
         {{"8", 11, 11}, {"9", 11, 11}, {"10", 10, 11}, {"11", 10, 11}},
         ColumnKind::Code,
         false},
        {"days one more than the line before that a total sums",
         {{"1", 11, 11}, {"2", 11, 11}, {"3", 11, 11}},
         ColumnKind::Amount,
         false,
         "6"},
        {"noughts around a grouped quantity count nothing",
         {{"0", 11, 11}, {"3.444", 7, 11}, {"0", 11, 11}},
         ColumnKind::Amount,
         false,
         "3.444"},
        {"whole numbers that do not count",
         {{"30", 10, 11}, {"30", 10, 11}, {"12", 10, 11}, {"30", 10, 11}},
         ColumnKind::Amount,
         false},
        {"whole numbers one in from the rule's start, at its end",
         {{"12345678901", 1, 11}, {"10987654321", 1, 11}},
         ColumnKind::Amount,
         false},
        {"grouped quantities of one width, dashes for none at the right",
         {{"123.456.789", 0, 10}, {"-", 11, 11}, {"987.654.321", 0, 10}, {"-", 11, 11}},
         ColumnKind::Amount,
         false},
        {"a series and its number",
         {{"A 000123", 0, 7}, {"GIB 4711", 0, 7}},
         ColumnKind::Code,
         false},
        {"counts filling their column: codes",
         {{"233", 0, 11}, {"126", 0, 11}},
         ColumnKind::Code,
         false},
        {"counts filling their column that a total sums",
         {{"233", 0, 11}, {"126", 0, 11}},
         ColumnKind::Amount,
         false,
         "359"},
        {"numbers with a nought first that a total sums",
         {{"023", 0, 11}, {"126", 0, 11}},
         ColumnKind::Code,
         false,
         "149"},
        {"negative counts filling their column that a total sums",
         {{"233", 0, 10}, {"12-", 0, 11}, {"(5)", 0, 11}},
         ColumnKind::Amount,
         false,
         "216"},
        {"codes that read as one day in two years",
         {{"7.1.01", 0, 5}, {"7.1.02", 0, 5}, {"7.2.01", 0, 5}},
         ColumnKind::Code,
         false},
        {"dates of an unpadded day", {{"7.1.01", 0, 5}, {"9.3.01", 0, 5}}, ColumnKind::Date, false},
        {"marks", {{"B", 0, 0}, {"A", 0, 0}}, ColumnKind::Text, true},
        {"marks and a balance of nothing's last nought",
         {{"B", 0, 0}, {"0", 0, 0}, {"A", 0, 0}},
         ColumnKind::Text,
         true},
        {"words", {{"Açılış fişi", 0, 10}, {"Havale", 0, 5}}, ColumnKind::Text, false},
        {"a text among dates",
         {{"01.01.2005", 0, 9}, {"Açılış fişi", 0, 10}},
         ColumnKind::Text,
         false},
    };
    for (const Case& c : cases) {
        ColumnStats stats(0, 11);
        for (const Value& v : c.values) {
            const std::string_view text = v.text;
            stats.add(factsOf(text, k2026), v.first, v.last, text);
        }
        if (c.total) stats.addTotal(factsOf(c.total, k2026), c.total);
        const ColumnDecision d = stats.decide(DateOrder::DayMonthYear);
        EXPECT_EQ(d.kind, c.kind) << c.name;
        EXPECT_EQ(d.marks, c.marks) << c.name;
    }
}

TEST(HeaderFields, LabelsAndValuesOfAPageHeader) {
    HeaderField f[8];
    ASSERT_EQ(headerFieldsOf("Hesap Kodu : 320.01.00838   Hesap Ad\xFD : AKSOY LTD.", f, 8), 2u);
    EXPECT_EQ(f[0].label, "Hesap Kodu");
    EXPECT_EQ(f[0].value, "320.01.00838");
    EXPECT_EQ(f[1].label, "Hesap Ad\xFD");
    EXPECT_EQ(f[1].value, "AKSOY LTD.");
    // A title before the label is no part of it; a time of day is no field.
    ASSERT_EQ(headerFieldsOf("MUAV\xDDN DEFTER\xDD        Tarih : 25.02.2006 12:30", f, 8), 1u);
    EXPECT_EQ(f[0].label, "Tarih");
    EXPECT_TRUE(numbersOrDatesThePage(f[0], k2026));
    for (const char* label : {"Sayfa", "Syf", "Syf.", "Sf.", "Sf"})
        EXPECT_TRUE(numbersOrDatesThePage({label, "3"}, k2026)) << label;
    for (const char* label : {"Hesap No", "Syfon No", "Sfera Kodu"})
        EXPECT_FALSE(numbersOrDatesThePage({label, "8319576"}, k2026)) << label;
    for (const char* footer : {"- 3 -", "Sayfa 2/5", "SAYFA : 2", "Page 4", "2/5", "Syf: 2"}) {
        EXPECT_TRUE(isPageFooter(footer)) << footer;
    }
    for (const char* text : {"70671", "Sayfa toplam\xFD", "- iade -"})
        EXPECT_FALSE(isPageFooter(text)) << text;
}

// A group's block: its fields, a bracketed remark as a field of its own, the continuation
// marker dropped, a colon inside a value, a blank to be signed.
TEST(HeaderFields, FieldsOfAGroupsBlock) {
    using Fields = std::vector<std::pair<std::string, std::string>>;
    const struct {
        const char* line;
        Fields fields;
    } cases[] = {
        {"Yevmiye No: 12   Tarih: 02.01.2024   Fi\xFE No: 45   (MAHSUP)",
         {{"Yevmiye No", "12"},
          {"Tarih", "02.01.2024"},
          {"Fi\xFE No", "45"},
          {"T\xFCr", "MAHSUP"}}},
        {"Yev.No:474    Fi\xFE No:133    (A\xC7ILI\xDE) (devam)",
         {{"Yev.No", "474"}, {"Fi\xFE No", "133"}, {"T\xFCr", "A\xC7ILI\xDE"}}},
        {"Cari Kodu : 120.01.543     \xDCnvan\xFD : \xC7\xFDnar Ltd. (\xDDzmir) (DEVAM)",
         {{"Cari Kodu", "120.01.543"}, {"\xDCnvan\xFD", "\xC7\xFDnar Ltd. (\xDDzmir)"}}},
        {"CAR\xDD: 320.01.214 - \xD6ZEN K\xDDMYA SAN.A.\xDE. (DEVAMI)",
         {{"CAR\xDD", "320.01.214 - \xD6ZEN K\xDDMYA SAN.A.\xDE."}}},
        {"Stok Kodu : KRT.7683   Stok Ad\xFD : ZIMBA TEL\xDD NO:10   Birim : KUTU",
         {{"Stok Kodu", "KRT.7683"}, {"Stok Ad\xFD", "ZIMBA TEL\xDD NO:10"}, {"Birim", "KUTU"}}},
        {"      Kasa Sorumlusu : ..........     Kontrol Eden : ..........", {}},
        {"KRT.1366 ZIMBA TEL\xDD NO:10 KUTU", {}},
    };
    for (const auto& c : cases) {
        HeaderField f[8];
        const std::size_t n = groupFieldsOf(c.line, f, 8);
        Fields got;
        for (std::size_t i = 0; i < n; ++i) got.emplace_back(f[i].label, f[i].value);
        EXPECT_EQ(got, c.fields) << c.line;
    }
}

// A bare block line's name: marks that set it off on both sides go, a sign or a dash of
// the name itself stays.
TEST(HeaderFields, NameOfABareBlockLine) {
    const struct {
        const char* line;
        const char* name;
    } cases[] = {
        {"** MARMARA B\xD6LGES\xDD **", "MARMARA B\xD6LGES\xDD"},
        {"<< 253 TES\xDDS >> (devam)", "253 TES\xDDS"},
        {"*** 02 GIDA *** (devam ediyor)", "02 GIDA"},
        {"=== VADE MART 2024 (devam) ===", "VADE MART 2024"},
        {"* EGE *", "EGE"},
        {"*** ARA RAPOR", "*** ARA RAPOR"},
        {"A-B GRUBU -", "A-B GRUBU -"},
        {"-5-", "-5-"},
        {"****", "****"},
    };
    for (const auto& c : cases) EXPECT_EQ(blockName(c.line), c.name) << c.line;
}

}  // namespace
}  // namespace tablamo
