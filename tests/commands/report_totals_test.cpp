// What "Özet" puts beside a report's printed total: the sums of its records per summed column.

#include "commands/report_totals.h"

#include <gtest/gtest.h>

#include "core/encoding.h"
#include "core/grid.h"

namespace tablamo {
namespace {

TEST(ReportTotals, TheRecordsAddUpPerSummedColumn) {
    const struct {
        const char* what;
        std::vector<std::string> headings;
        std::vector<ColumnKind> kinds;
        std::vector<std::vector<std::string>> rows;
        const char* sums;
    } cases[] = {
        {"voucher numbers and a running balance are no sums",
         {"Yev.No", "Bor\xE7", "Alacak", "Bakiye"},
         {ColumnKind::Amount, ColumnKind::Amount, ColumnKind::Amount, ColumnKind::Amount},
         {{"155", "1234,50", "", "1234,50"}, {"160", "", "2000,00", "-765,50"}},
         "Borç 1.234,50; Alacak 2.000,00"},
        {"a tree of codes adds its first level alone",
         {"D\xDCZEY", "Hesap", "Bor\xE7"},
         {ColumnKind::Code, ColumnKind::Code, ColumnKind::Amount},
         {{"1", "100", "5,25"}, {"2", "100.01", "5,25"}, {"1", "120", "-10,00"}},
         "Borç -4,75 (düzey 1)"},
        {"no amounts", {"Hesap"}, {ColumnKind::Code}, {{"100"}}, ""},
    };
    for (const auto& c : cases) {
        Book::Table table;
        Grid& grid = table.grid;
        grid.setRowCount(static_cast<int>(c.rows.size()) + 1);
        grid.setColCount(static_cast<int>(c.headings.size()) + 1);
        for (std::size_t i = 0; i < c.headings.size(); ++i)
            grid.setCell(static_cast<int>(i) + 1, 0, c.headings[i]);
        for (std::size_t r = 0; r < c.rows.size(); ++r) {
            for (std::size_t i = 0; i < c.rows[r].size(); ++i)
                grid.setCell(static_cast<int>(i) + 1, static_cast<int>(r) + 1, c.rows[r][i]);
        }
        CleanShape shape;
        for (const ColumnKind kind : c.kinds) shape.columns.push_back({kind, 10});
        table.clean = shape;
        EXPECT_EQ(win1254ToUtf8(recordSumsText(table, RegionalSettings::turkish())), c.sums)
            << c.what;
    }
}

}  // namespace
}  // namespace tablamo
