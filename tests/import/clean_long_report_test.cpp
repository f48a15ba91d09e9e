// A report long enough for the clean pass to read it on two threads, checked against the
// same pages read on one.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/workspace.h"
#include "import/clean_import.h"

namespace tablamo {
namespace {

struct Imported {
    Workspace ws;
    ImportOutcome outcome;

    explicit Imported(std::string bytes) {
        ws.regional = RegionalSettings::turkish();
        ws.text = ReportText(std::move(bytes));
        outcome = importCleanReport(ws);
    }
    std::vector<std::string_view> row(int r) const {
        std::vector<std::string_view> cells;
        for (int c = 1; c < ws.grid().colCount(); ++c) cells.push_back(ws.grid().cell(c, r));
        return cells;
    }
};

// 365 copies of a ledger of several accounts, 131,400 lines: its records in chunks on two
// threads must come out in order, each with the account its page header names, and every
// printed total must still agree with the records above it.
TEST(CleanLongReport, TwoThreadsGiveTheRecordsOfOne) {
    std::ifstream in(std::string(TABLAMO_TEST_DATA) + "/clean/muavin-cok-hesap/report.txt",
                     std::ios::binary);
    const std::string ledger{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const int copies = 365;
    std::string bytes;
    for (int i = 0; i < copies; ++i) bytes += ledger;

    const Imported one(ledger);
    const Imported many(bytes);
    ASSERT_GE(many.ws.text.lineCount(), 131072);
    const int lines = one.ws.text.lineCount();
    const int records = one.ws.grid().rowCount() - 1;
    ASSERT_GT(records, 100);
    ASSERT_EQ(many.ws.grid().rowCount() - 1, copies * records);
    ASSERT_EQ(many.row(0), one.row(0));
    for (int r = 1; r < many.ws.grid().rowCount(); ++r) {
        const int copy = (r - 1) / records;
        const int same = (r - 1) % records + 1;
        ASSERT_EQ(many.row(r), one.row(same)) << "row " << r;
        ASSERT_EQ(many.ws.clean()->lineOfRow(r), *one.ws.clean()->lineOfRow(same) + copy * lines);
    }
    EXPECT_EQ(one.outcome.note, "6 toplam satırı kayıtlarla tutuyor");
    EXPECT_EQ(many.outcome.note, "2190 toplam satırı kayıtlarla tutuyor");
    EXPECT_TRUE(many.outcome.warnings.empty());
}

}  // namespace
}  // namespace tablamo
