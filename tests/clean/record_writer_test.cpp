#include "clean/record_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/grid.h"

namespace tablamo {
namespace {

const YearWindow kWriterYears(Date{2026, 6, 1});

// Records of a date, a text that is cut in the middle of words and an amount, under a
// carried header field; their continuation lines, and a total line that checks them.
TEST(RecordWriter, RecordsContinuationsCarriedFieldsAndTotals) {
    RecordPlan plan;
    plan.kinds[0].kind = ColumnKind::Date;
    plan.kinds[1].cutAt = 0;
    plan.kinds[2].kind = ColumnKind::Amount;
    plan.kinds[2].decimals = 2;
    ColumnDecision code;
    code.kind = ColumnKind::Code;
    plan.columns = {{"Hesap", -1, code},
                    {{}, 0, plan.kinds[0]},
                    {{}, 1, plan.kinds[1]},
                    {{}, 2, plan.kinds[2]}};
    plan.summed = {2};
    const std::vector<std::int32_t> widths = {10, 12, 10};
    RecordTyper::Runs runFrom{}, runTo{};
    runTo[0] = 9, runTo[1] = 11, runTo[2] = 9;
    LineCutter a(fieldSpansOf(widths), kWriterYears), b(fieldSpansOf(widths), kWriterYears);
    a.readAs(plan.kinds);
    b.readAs(plan.kinds);

    Grid grid;
    CleanShape shape;
    CleanGrid cleanGrid(grid, {"Hesap", "Tarih", "Aciklama", "Tutar"}, {{}, {}, {}, {}});
    TotalsCheck check({{"Tutar", {',', '.'}, 2}}, false, false);
    const RegionalSettings turkish = RegionalSettings::turkish();
    RecordTyper typer(plan, runFrom, runTo, turkish, true);
    RecordWriter writer(plan, {&cleanGrid, &check, &shape}, kWriterYears);
    Chunk chunk;
    const auto ignore = [](int, int) {};
    typer.field(0, "Hesap", "100", false, chunk);
    typer.record(1, a.cut("01.01.2005HAVALE GELEN  1.500,00"), chunk);
    typer.continuation(b.cut("          ODEME"), ignore);  // the line above was full
    typer.endRecord(chunk);
    typer.field(3, "Hesap", "200", false, chunk);
    typer.record(4, a.cut("02.01.2005KASA            250,00"), chunk);
    typer.continuation(b.cut("          FISI"), ignore);
    typer.endRecord(chunk);
    typer.total(6, b.cut("          TOPLAM      1.750,00"), chunk);
    writer.take(chunk);

    using Row = std::vector<std::string>;
    const auto row = [&](int r) {
        Row cells;
        for (int c = 0; c < grid.colCount(); ++c) cells.emplace_back(grid.cell(c, r));
        return cells;
    };
    EXPECT_EQ(row(1), (Row{"1", "100", "01.01.2005", "HAVALE GELENODEME", "1500,00"}));
    EXPECT_EQ(row(2), (Row{"2", "200", "02.01.2005", "KASA FISI", "250,00"}));
    EXPECT_EQ(shape.recordLines, (std::vector<std::int32_t>{2, 5}));
    check.finish();
    EXPECT_EQ(check.verdict().checked, 1);
    EXPECT_TRUE(check.verdict().allAgree());
    ASSERT_EQ(writer.labels().size(), 1u);
    EXPECT_EQ(writer.labels()[0].values, (Row{"100", "200"}));
}

}  // namespace
}  // namespace tablamo
