#include "clean/voucher_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tablamo {
namespace {

// A journal's lines: voucher number, date, account, debit, credit ("" for none).
struct Line {
    std::string number, date, account;
    std::int64_t debit = 0, credit = 0;
};

std::vector<VoucherRuns::Carried> runsOf(const std::vector<Line>& lines, int groupAt = -1) {
    const auto column = [](ColumnKind kind, int field, int decimals = 0) {
        OutColumn c{{}, field, ColumnDecision()};
        c.kind.kind = kind;
        c.kind.decimals = decimals;
        return c;
    };
    const std::vector<OutColumn> columns = {
        column(ColumnKind::Amount, 0), column(ColumnKind::Date, 1), column(ColumnKind::Code, 2),
        column(ColumnKind::Amount, 3, 2), column(ColumnKind::Amount, 4, 2)};
    VoucherRuns runs(columns, {"Yev.", "Tarih", "Hesap", "Bor\xE7", "Alacak"});
    LineAmounts amounts(3);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        if (static_cast<int>(i) == groupAt) runs.groupStart();
        const std::vector<std::string_view> cells = {l.number, l.date, l.account, "", ""};
        amounts.present = {!l.number.empty(), l.debit != 0, l.credit != 0};
        amounts.value = {l.number.empty() ? 0 : std::stoll(l.number), l.debit, l.credit};
        runs.record(static_cast<int>(i) + 10, cells, amounts);
    }
    return runs.finish();
}

TEST(VoucherRuns, ColumnsPrintedOnAVouchersFirstLineOnly) {
    const std::vector<Line> journal = {{"1", "02.01.2024", "102", 1000, 0},
                                       {"", "", "120", 0, 1000},
                                       {"2", "03.01.2024", "770", 500, 0},
                                       {"", "", "191", 100, 0},
                                       {"", "", "100", 0, 600}};
    const auto carried = runsOf(journal);
    ASSERT_EQ(carried.size(), 2u);  // the number and the date; never the account or a figure
    EXPECT_EQ(carried[0].column, 0u);
    EXPECT_EQ(carried[1].column, 1u);
    EXPECT_EQ(carried[0].runs, (std::vector<std::pair<int, int>>{{10, 11}, {12, 14}}));

    struct Case {
        const char* name;
        std::vector<Line> lines;
        int groupAt = -1;
    };
    const Case none[] = {
        {"a run that does not balance",
         {{"1", "d", "a", 100, 0},
          {"", "", "b", 0, 90},
          {"2", "d", "c", 50, 0},
          {"", "", "e", 0, 50}}},
        {"a run of two vouchers: an optional column, not a voucher's",
         {{"1", "d", "a", 100, 0},
          {"", "", "b", 0, 100},
          {"", "", "c", 50, 0},
          {"", "", "e", 0, 50},
          {"2", "d", "f", 10, 0},
          {"", "", "g", 0, 10}}},
        {"a blank before any line that prints it",
         {{"", "", "z", 5, 5},
          {"1", "d", "a", 100, 0},
          {"", "", "b", 0, 100},
          {"2", "d", "c", 50, 0},
          {"", "", "e", 0, 50}}},
        {"a group begun inside a run leaves its lines without one",
         {{"1", "d", "a", 100, 0},
          {"", "", "b", 0, 100},
          {"2", "d", "c", 50, 0},
          {"", "", "e", 0, 50}},
         3},
        {"one run alone", {{"1", "d", "a", 100, 0}, {"", "", "b", 0, 100}}},
    };
    for (const Case& c : none) EXPECT_TRUE(runsOf(c.lines, c.groupAt).empty()) << c.name;
}

}  // namespace
}  // namespace tablamo
