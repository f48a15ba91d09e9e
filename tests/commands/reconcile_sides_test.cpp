// A reconciliation's sides read from clean tables and print-outs: which columns say what,
// amounts as printed, the opening line's balance, running balances turned to the amounts' sign.

#include "commands/reconcile_sides.h"

#include <gtest/gtest.h>

#include "commands/reconcile_columns.h"
#include "core/encoding.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

using reconcile::Money;

// A clean table of these headings (UTF-8) and kinds ('D' date, 'A' amount, 'T' text, 'C'
// code) with its rows.
struct Table {
    Grid grid;
    CleanShape shape;
    Table(std::initializer_list<std::pair<const char*, char>> columns,
          std::initializer_list<std::vector<const char*>> rows) {
        grid.setColCount(static_cast<int>(columns.size()) + 1);
        grid.setRowCount(static_cast<int>(rows.size()) + 1);
        int c = 1;
        for (const auto& [heading, kind] : columns) {
            grid.setCell(c++, 0, utf8ToWin1254(heading).value());
            shape.columns.push_back({kind == 'D'   ? ColumnKind::Date
                                     : kind == 'A' ? ColumnKind::Amount
                                     : kind == 'C' ? ColumnKind::Code
                                                   : ColumnKind::Text,
                                     10});
        }
        int r = 1;
        for (const auto& row : rows) {
            for (std::size_t k = 0; k < row.size(); ++k)
                grid.setCell(static_cast<int>(k) + 1, r, row[k]);
            shape.recordLines.push_back(10 + r++);
        }
    }
};

TEST(ReconcileColumns, FoundByHeadingsKindsAndPlace) {
    const struct {
        const char* name;
        Table table;
        SideColumns want;
    } cases[] = {
        {"BankLedger",
         Table({{"Tarih", 'D'},
                {"Fiş No", 'C'},
                {"Açıklama", 'T'},
                {"Karşı Hesap", 'C'},
                {"Yatan", 'A'},
                {"Çekilen", 'A'},
                {"Bakiye", 'A'}},
               {}),
         {1, -1, 3, 5, 6, -1, -1, 7, -1, {}, -1}},
        {"Statement",
         Table({{"IBAN", 'C'},
                {"TARİH", 'D'},
                {"VALÖR", 'D'},
                {"AÇIKLAMA", 'T'},
                {"TUTAR", 'A'},
                {"B/A", 'T'},
                {"BAKİYE", 'A'}},
               {{"TR1", "01/02/2010", "02/02/2010", "EFT", "-5.00", "B", "9.00"}}),
         {2, 3, 4, -1, -1, 5, 6, 7, -1, {}, 1}},
        // A balance whose glued mark took the heading, an amount column no heading names.
        {"MarkUnderTheBalanceHeading",
         Table({{"Tarih", 'D'},
                {"Evrak No", 'C'},
                {"Açıklama", 'T'},
                {"Borç", 'A'},
                {"Alacak", 'A'},
                {"", 'A'},
                {"Bakiye", 'T'}},
               {{"01/02/2010", "A-1", "x", "5.00", "", "5.00", "A"}}),
         {1, -1, 3, 4, 5, -1, -1, 6, 7, {2}, -1}},
        {"UnnamedAmountsInOrder",
         Table({{"Tarih", 'D'}, {"Metin", 'T'}, {"Giriş Tutarı", 'A'}, {"Çıkış", 'A'}, {"", 'A'}},
               {}),
         {1, -1, 2, 3, 4, -1, -1, 5, -1, {}, -1}},
    };
    for (const auto& c : cases) {
        const SideColumns got = sideColumns(c.table.grid, c.table.shape);
        const auto fields = [](const SideColumns& s) {
            return std::vector<int>{s.date,   s.valueDate,   s.text,    s.debit,        s.credit,
                                    s.amount, s.amountMarks, s.balance, s.balanceMarks, s.account};
        };
        EXPECT_EQ(fields(got), fields(c.want)) << c.name;
        EXPECT_EQ(got.refs, c.want.refs) << c.name;
    }
}

TEST(ReconcileColumns, AmountsKeptAsTextReadAsPrinted) {
    // Columns the clean table kept as text: a debit in another notation, a balance with its
    // mark glued on. A text column of other words is no amount.
    const Table t(
        {{"Tarih", 'D'}, {"Açıklama", 'T'}, {"Giren", 'T'}, {"Çıkan", 'A'}, {"Bakiye", 'T'}},
        {{"01/03/2024", "EFT", "1944,91", "", "48.711,15B"},
         {"02/03/2024", "MASRAF", "", "11.15", "48.700,00B"}});
    const SideColumns cols = sideColumns(t.grid, t.shape);
    EXPECT_EQ(std::vector<int>({cols.debit, cols.credit, cols.balance}),
              std::vector<int>({3, 4, 5}));
    ReadRecords read =
        readRecords(t.grid, t.shape, cols, {'.', '/', DateOrder::DayMonthYear}, Date{2026, 1, 1});
    ASSERT_TRUE(balancesFromRunning(read));
    EXPECT_EQ(read.account.entries[0].amount, 194491);
    EXPECT_EQ(read.account.opening, 4676624);
    EXPECT_EQ(read.account.closing, 4870000);
}

TEST(ReconcileColumns, RecordsAndTheirRunningBalances) {
    // A statement from the bank's books: deposits are its credits, the balance a credit (A).
    const Table t({{"Tarih", 'D'},
                   {"Açıklama", 'T'},
                   {"Borç", 'A'},
                   {"Alacak", 'A'},
                   {"Bakiye", 'A'},
                   {"B/A", 'T'}},
                  {{"01/03/2024", "EFT GELEN REF 123456", "", "100.00", "600.00", "A"},
                   {"", "MASRAF", "7.50", "", "592.50", "A"},
                   {"03/03/2024", "EFT GIDEN", "800.00", "", "207.50", "B"}});
    const RegionalSettings regional{'.', '/', DateOrder::DayMonthYear};
    ReadRecords read =
        readRecords(t.grid, t.shape, sideColumns(t.grid, t.shape), regional, Date{2026, 1, 1});
    ASSERT_TRUE(balancesFromRunning(read));
    const auto& e = read.account.entries;
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].amount, -10000);
    EXPECT_EQ(e[1].day, e[0].day);  // no date: the one before it
    EXPECT_EQ(e[1].line, 12);
    EXPECT_EQ(e[0].refs, (std::vector<std::uint64_t>{123456}));
    EXPECT_EQ(read.account.opening, -50000);
    EXPECT_EQ(read.account.closing, 20750);
    EXPECT_EQ(read.account.computedClosing(), read.account.closing);
}

TEST(ReconcileSides, AmountsAsPrinted) {
    const struct {
        const char* text;
        std::optional<Money> want;
    } cases[] = {
        {"1.234,56", 123456},
        {"=12,500.00", 1250000},
        {"148,00B", 14800},
        {"148,00A", -14800},
        {"1616.22-", -161622},
        {"(1.234,56)", -123456},
        {"12.345", 1234500},
        {"5,5", 550},
        {"01.01.2024", {}},
        {"120.01.001", {}},
        {"1.23.456", {}},
        {"ABC", {}},
        {"-", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(printedMoney(c.text), c.want) << c.text;
}

TEST(ReconcileSides, TheBalanceALinePrints) {
    const struct {
        const char* line;
        std::optional<Money> want;
    } cases[] = {
        {"                   DEVİR                               148,00B", 14800},
        {"   DEVREDEN BAKİYE                         53.854,00  A", -5385400},
        {"Hesap: 120.01 DEVİR   1.000,00   250,00", 75000},
        {"   DEVREDEN BAKİYE   10,00   20,00   30,00", 3000},
        {"   DEVİR", {}},
        // a box frame's bars (code page 437 bytes) and bars drawn with "|"
        {"\xB3      \xB3 DEVREDEN BAKİYE \xB3  61.222,80 \xB3   1.000,00 \xB3", 6022280},
        {"| DEVİR | 10,00 |  20,00 |", -1000},
    };
    for (const auto& c : cases) EXPECT_EQ(lineBalance(c.line), c.want) << c.line;
}

TEST(ReconcileSides, TheBalanceALinePrintsUnderItsColumns) {
    using P = ColumnPlace;
    const std::vector<P> creditFirst = {{P::Credit, 30}, {P::Debit, 45}};
    const std::vector<P> withBalance = {{P::Debit, 30}, {P::Credit, 45}, {P::Balance, 60}};
    const struct {
        const char* line;
        std::vector<P> places;
        std::optional<Money> want;
    } cases[] = {
        {"DEVIR                   1.000,00       41.760,15", creditFirst, 4076015},
        {"DEVIR                                  41.760,15", creditFirst, 4176015},
        {"DEVIR                   1.000,00", creditFirst, -100000},
        {"DEVIR                   9,00           2,00           82.337,60A", withBalance, -8233760},
        {"DEVIR                   1.000,00       41.760,15", {}, -4076015},
    };
    for (const auto& c : cases) EXPECT_EQ(balanceUnder(c.line, c.places), c.want) << c.line;
}

TEST(ReconcileSides, PeriodEnd) {
    const ReportText text(
        "FIRMA                     Tarih : 25.02.2006\r\n"
        "Donem : 01.01.2005 - 31.12.2005\r\n");
    EXPECT_EQ(periodEnd(text, 5), reconcile::dayNumber(2005, 12, 31));
    EXPECT_EQ(periodEnd(text, 1), 0);
}

}  // namespace
}  // namespace tablamo
