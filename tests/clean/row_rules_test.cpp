#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "clean/row_products.h"
#include "clean/row_relations.h"
#include "clean/running_balance.h"

namespace tablamo {
namespace {

using Row = std::vector<std::optional<std::int64_t>>;
constexpr std::nullopt_t _ = std::nullopt;

// A table of the rows, record i on line 10 + i; a group starts before each row `opens` names.
RecordTable tableOf(const std::vector<Row>& rows, const std::vector<std::size_t>& opens = {}) {
    RecordTable t(rows.empty() ? 0 : rows.front().size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (std::find(opens.begin(), opens.end(), i) != opens.end()) t.groupStart();
        std::vector<std::int64_t> v;
        std::vector<char> p;
        for (const auto& cell : rows[i]) {
            v.push_back(cell.value_or(0));
            p.push_back(cell.has_value());
        }
        t.add(10 + static_cast<int>(i), v, p);
    }
    return t;
}

std::vector<int> linesOf(const std::vector<RelationBreak>& breaks) {
    std::vector<int> out;
    for (const RelationBreak& b : breaks) out.push_back(b.line);
    return out;
}

// Amounts past 32 bits, first met in a record's second column and in a later block, read
// back as they were given, with the records before them.
TEST(RecordTable, KeepsEveryAmountWhateverItsSize) {
    const std::int64_t big = 5'000'000'000, small = -7;
    std::vector<Row> rows(40'000, Row{small, 3, _});
    rows[20'000] = Row{1, -big, 2};
    const RecordTable t = tableOf(rows);
    ASSERT_EQ(t.size(), rows.size());
    for (const std::size_t r : {0, 16'383, 16'384, 19'999, 20'000, 20'001, 39'999}) {
        for (std::size_t c = 0; c < 3; ++c) {
            EXPECT_EQ(t.value(r, c), rows[r][c].value_or(0)) << r << ", " << c;
            EXPECT_EQ(t.present(r)[c], rows[r][c].has_value()) << r << ", " << c;
        }
        EXPECT_EQ(t.line(r), 10 + static_cast<int>(r));
    }
}

// Formulas the records keep, and the record that breaks one.
TEST(RowRelations, FormulasEveryOtherRecordKeeps) {
    const struct {
        const char* name;
        std::vector<Row> rows;
        std::vector<int> broken;
    } cases[] = {
        // instalment = principal + interest + tax; the fourth's interest one kuruş off
        {"loan plan",
         {{1000, 900, 90, 10},
          {1000, 910, 81, 9},
          {1000, 920, 72, 8},
          {1000, 930, 63, 8},
          {1000, 940, 54, 6},
          {1000, 950, 45, 5}},
         {13}},
        // a bucket printed once, after the records the formula was found on, is part of it
        {"rare bucket",
         {{100, 50, _, 150},
          {200, 10, _, 210},
          {300, 20, _, 320},
          {40, 60, _, 100},
          {70, 80, _, 150},
          {5, 6, _, 11},
          {1, 2, 7, 10}},
         {}},
        // a record that prints one column of the formula alone takes no part in it
        {"alone",
         {{1000, 900, 90, 10},
          {1000, 910, 81, 9},
          {2000, _, _, _},
          {1000, 930, 63, 7},
          {1000, 940, 54, 6}},
         {}},
        // two columns equal but for one record: no formula of three columns, nothing named
        {"two alike", {{100, 100, 7}, {200, 200, 3}, {300, 300, 8}, {400, 401, 9}, {5, 5, 1}}, {}},
        // amounts that obey nothing
        {"unrelated", {{17, 23, 5}, {301, 7, 44}, {2, 900, 13}, {55, 61, 70}, {8, 1, 3}}, {}},
        // too many breaks for a formula all the others keep
        {"half", {{1, 2, 3}, {2, 3, 5}, {1, 1, 3}, {5, 5, 11}, {7, 1, 8}, {1, 1, 9}}, {}},
    };
    for (const auto& c : cases) {
        const RecordTable t = tableOf(c.rows);
        const RowRelations r(t, std::vector<char>(t.columns(), 1),
                             std::vector<int>(t.columns(), 2));
        EXPECT_EQ(linesOf(r.breaks()), c.broken) << c.name;
    }
}

// A formula reads as giving its last column, or the column the others add up to; columns of
// another scale (a count of days) are none of it.
TEST(RowRelations, WhatAFormulaGivesAndItsScale) {
    const std::vector<Row> rows = {{500, 50, 450, 30},
                                   {800, _, 800, 30},
                                   {900, 90, 810, 28},
                                   {100, 10, 90, 30},
                                   {60, 6, 55, 30}};
    const RecordTable t = tableOf(rows);
    const RowRelations r(t, {1, 1, 1, 1}, {2, 2, 2, 0});
    ASSERT_EQ(r.relations().size(), 1u);
    EXPECT_EQ(r.relations()[0].target, 2u);  // net = gross - discount
    ASSERT_EQ(r.breaks().size(), 1u);
    EXPECT_EQ(r.breaks()[0].line, 14);
    EXPECT_EQ(r.breaks()[0].printed, 55);
    EXPECT_EQ(r.breaks()[0].computed, 54);

    const RecordTable loan =
        tableOf({{100, 60, 30, 10}, {100, 70, 21, 9}, {100, 80, 12, 8}, {100, 90, 3, 7}});
    const RowRelations l(loan, {1, 1, 1, 1}, {2, 2, 2, 2});
    ASSERT_EQ(l.relations().size(), 1u);
    EXPECT_EQ(l.relations()[0].target, 0u);  // instalment = principal + interest
}

// Quantity (3 decimals) times unit price (2) is the amount, rounded or cut to its kuruş. A
// factor of one proves nothing, nor do whole numbers that multiply by chance.
TEST(RowProducts, AmountsThatAreAQuantityTimesItsPrice) {
    const struct {
        const char* name;
        std::vector<Row> rows;
        std::vector<int> scale;
        std::vector<int> broken;  // lines named; -1 first: no product found at all
    } cases[] = {
        {"quantity x price, one changed",
         {{4255415, 2768, 11778989},
          {6949592, 8930, 62059857},
          {7418123, 4638, 34405254},
          {7427336, 17728, 131671813},
          {4329196, 14115, 61106602},
          {3880644, 3557, 13803447}},
         {3, 2, 2},
         {15}},
        {"cut, not rounded",
         {{1005, 333, 334},
          {2005, 333, 667},
          {3005, 333, 1000},
          {4005, 333, 1333},
          {5005, 777, 3888}},
         {3, 2, 2},
         {}},
        {"a whole percent is no factor",
         {{10000, 20, 2000},
          {53816, 20, 10763},
          {55311, 10, 5531},
          {99999, 1, 1000},
          {12345, 18, 2222}},
         {2, 0, 2},
         {-1}},
        {"counts into counts",
         {{2, 3, 6}, {3, 4, 12}, {5, 2, 10}, {4, 4, 16}, {6, 2, 12}},
         {0, 0, 0},
         {-1}},
        {"factors of one only",
         {{1000, 1250, 1250}, {1000, 990, 990}, {1000, 30, 30}, {1000, 45, 45}, {1000, 12, 12}},
         {3, 2, 2},
         {-1}},
        {"too few records",
         {{2000, 150, 300}, {3000, 150, 450}, {4000, 100, 400}},
         {3, 2, 2},
         {-1}},
    };
    for (const auto& c : cases) {
        const RecordTable t = tableOf(c.rows);
        const RowProducts p(t, std::vector<char>(c.scale.size(), 1), c.scale);
        if (!c.broken.empty() && c.broken.front() < 0) {
            EXPECT_TRUE(p.products().empty()) << c.name;
            continue;
        }
        ASSERT_FALSE(p.products().empty()) << c.name;
        EXPECT_EQ(p.products().front().target, 2u) << c.name;
        std::vector<int> lines;
        for (const ProductBreak& b : p.breaks()) lines.push_back(b.line);
        EXPECT_EQ(lines, c.broken) << c.name;
    }
}

TEST(RowRelations, ARateIsAShareOfTwoOtherColumns) {
    // actual / budget in percent, two decimals; the budget's difference is no share
    const RecordTable t = tableOf({{200000, 150000, 7500, 50000},
                                   {300000, 310000, 10333, -10000},
                                   {90000, 30000, 3333, 60000},
                                   {70000, 70000, 10000, 0},
                                   {123400, 98700, 7998, 24700}});
    const std::vector<int> scale = {2, 2, 2, 2};
    int times = 0;
    const auto pair = ratioColumns(t, 2, scale, times);
    ASSERT_TRUE(pair.has_value());
    EXPECT_EQ(*pair, (std::pair<std::size_t, std::size_t>{1, 0}));
    EXPECT_EQ(times, 100);
    EXPECT_FALSE(ratioColumns(t, 3, scale, times).has_value());
    EXPECT_TRUE(isRatio(8168, 2, 3250000, 2, 3979000, 2, 100));  // 81,68 %
    EXPECT_FALSE(isRatio(8170, 2, 3250000, 2, 3979000, 2, 100));
}

// Which columns run, by which others, and the records that break them.
TEST(RunningBalances, ColumnsThatRunByOthers) {
    const struct {
        const char* name;
        std::vector<Row> rows;
        std::vector<std::size_t> opens;
        std::vector<char> runs;
        std::vector<int> broken;
        int scale = 2;  // the columns' decimals
    } cases[] = {
        // instalment, principal, interest, remaining principal: one instalment taken out
        {"loan plan",
         {{100, 60, 40, 940},
          {100, 62, 38, 878},
          {100, 64, 36, 814},
          {100, 68, 32, 680},
          {100, 70, 30, 610},
          {100, 72, 28, 538}},
         {},
         {0, 0, 0, 1},
         {13}},
        // debit, credit, balance; each group starts afresh
        {"ledger",
         {{50, _, 50}, {_, 20, 30}, {10, _, 40}, {5, _, 45}, {_, 5, 40}, {100, _, 100}, {_, 1, 99}},
         {5},
         {0, 0, 1},
         {}},
        // quantity in, out, on hand; one record's quantity does not follow
        {"stock",
         {{10, _, 10}, {5, _, 15}, {_, 3, 12}, {_, 4, 8}, {20, _, 29}, {_, 9, 20}, {1, _, 21}},
         {},
         {0, 0, 1},
         {14}},
        // days in a payroll are the same but one: nothing moves them, nothing runs
        {"constant",
         {{30, 1000}, {30, 2000}, {28, 1500}, {30, 1200}, {30, 900}, {30, 800}},
         {},
         {0, 0},
         {}},
        // instalment, paid, left unpaid: paid alike more often than not, the unpaid part
        // giving its few moves, runs by nothing
        {"instalments paid alike",
         {{300, 300, 0},
          {300, 300, 0},
          {300, 300, 0},
          {300, 100, 200},
          {300, _, 300},
          {300, 300, 0},
          {300, 300, 0},
          {300, 200, 100},
          {300, _, 300},
          {300, 300, 0},
          {300, 300, 0},
          {300, 50, 250},
          {300, 300, 0},
          {300, 300, 0},
          {300, 300, 0},
          {300, 300, 0}},
         {},
         {0, 0, 0},
         {}},
        // days of leave and of sick leave: a count that goes up and down by the other's one
        // day follows it by chance
        {"day counts", {{2, 1}, {1, 1}, {2, 1}, {1, 1}, {2, 1}, {1, 1}, {2, 1}}, {}, {0, 0}, {}, 0},
    };
    for (const auto& c : cases) {
        const RecordTable t = tableOf(c.rows, c.opens);
        const RunningBalances r(t, std::vector<char>(t.columns(), 1),
                                std::vector<int>(t.columns(), c.scale));
        std::vector<char> runs;
        for (std::size_t k = 0; k < t.columns(); ++k) runs.push_back(r.runs(k));
        EXPECT_EQ(runs, c.runs) << c.name;
        std::vector<int> lines;
        for (const BalanceBreak& b : r.breaks()) lines.push_back(b.line);
        EXPECT_EQ(lines, c.broken) << c.name;
    }
}

}  // namespace
}  // namespace tablamo
