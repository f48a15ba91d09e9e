#include "import/report_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "core/workspace.h"
#include "support/recording_ui.h"
#include "support/report_lines.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

using testing::joinCrLf;

// A small report cut with narrow widths: 4, 6, 8 and then 2 for every further field.
struct Fixture {
    Workspace ws;
    testing::RecordingUi ui;

    explicit Fixture(const std::vector<std::string>& lines, bool autoSearch = false) {
        ws.regional.decimalSeparator = ',';
        ws.text = ReportText(joinCrLf(lines));
        ws.settings.layout.AutoColumnSearch = autoSearch;
        const int widths[] = {4, 6, 8};
        for (int k = 1; k <= 20; ++k)
            ws.settings.layout.setColumnWidth(k, k <= 3 ? widths[k - 1] : 2);
    }
    // The import's outcome, its message recorded as the window would show it.
    ImportStatus run() {
        const ImportOutcome outcome = importReport(ws);
        if (!outcome.message.empty()) ui.messages.push_back(outcome.message);
        return outcome.status;
    }
    std::string cell(int c, int r) const { return std::string(ws.grid().cell(c, r)); }
};

const std::string kRule = "---------- -----";

TEST(ReportImport, CutsTheFirstLineAsTextAndTheRestWithNumbers) {
    Fixture f({"BASLIK", "AB  1.50 x    12.50  ", "\x98Z  1.50 \xB3 \x98  12.50", kRule});
    EXPECT_EQ(f.run(), ImportStatus::Imported);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(f.ws.grid().rowCount(), 4);
    EXPECT_EQ(f.cell(0, 3), "3");
    EXPECT_EQ(f.cell(5, 0), "E");
    // Row 1 holds line 1 as text: points stay.
    EXPECT_EQ(f.cell(1, 1), "AB");
    EXPECT_EQ(f.cell(2, 1), "1.50 x");
    EXPECT_EQ(f.cell(3, 1), "12.5");
    EXPECT_EQ(f.cell(4, 1), "0");
    // Row 2 holds line 2: column 1 as text, the others as numbers.
    EXPECT_EQ(f.cell(1, 2), "\xDDZ");
    // The frame bar goes after trimming, leaving a blank; a positive amount loses it.
    EXPECT_EQ(f.cell(2, 2), "1,50");
    EXPECT_EQ(f.cell(3, 2), "\xDD  12,5");  // not a number: its blanks stay
    EXPECT_EQ(f.cell(4, 2), "0");
    EXPECT_EQ(f.cell(1, 3), "----");
    EXPECT_EQ(f.cell(2, 3), "------");
    EXPECT_EQ(f.cell(3, 3), "-----");
    for (int c = 5; c <= 20; ++c) EXPECT_EQ(f.cell(c, 2), "") << c;
}

TEST(ReportImport, FrameBarBesideAnAmount) {
    Fixture f({"x", "x", "\xB3 1.234 \xB3 1.234 "});
    f.ws.settings.layout.SearchCriterion = "x";
    f.ws.settings.layout.setColumnWidth(1, 8);
    f.ws.settings.layout.setColumnWidth(2, 8);
    f.run();
    EXPECT_EQ(f.cell(1, 2), " 1.234");  // column 1 is text: the blank after the bar stays
    EXPECT_EQ(f.cell(2, 2), "1,234");   // a positive amount loses its blanks
}

TEST(ReportImport, OneLineText) {
    for (const int startRow : {0, 1}) {
        Fixture f({kRule});
        f.ws.settings.layout.StartRow = std::to_string(startRow);
        f.ws.grid().setCell(1, 1, "old");
        f.run();
        EXPECT_EQ(f.ws.grid().rowCount(), 2);
        EXPECT_EQ(f.cell(1, 1), startRow == 0 ? "----" : "");
        EXPECT_EQ(f.cell(2, 1), startRow == 0 ? "------" : "");
    }
}

TEST(ReportImport, RejectsATextWithNeitherCriterionAndChangesNothing) {
    Fixture f({"just", "text"});
    f.ws.grid().setRowCount(40);
    f.ws.grid().setCell(3, 30, "keep");
    EXPECT_EQ(f.run(), ImportStatus::NotAReport);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0],
              "Excel e aktarmaya çalıştığınız dosya formatı geçerli değil.\r\n"
              "Lütfen açıklamalar doğrultusunda geçerli\r\ndosyalarla işleme devam edin.");
    EXPECT_EQ(f.ws.grid().rowCount(), 40);
    EXPECT_EQ(f.cell(3, 30), "keep");
    EXPECT_EQ(f.ws.settings.layout.columnWidth(1), 4);
}

TEST(ReportImport, EmptyTextDoesNothing) {
    Fixture f({});
    f.ws.grid().setCell(2, 2, "keep");
    EXPECT_EQ(f.run(), ImportStatus::EmptyText);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(f.cell(2, 2), "keep");
    EXPECT_EQ(f.ws.grid().rowCount(), 25);
}

TEST(ReportImport, DetectionRunsOnlyWhenAutomaticAndTheFrameVariantWins) {
    const std::string frame =
        "\xC9" + std::string(10, '\xCD') + "\xD1" + std::string(12, '\xCD') + "\xBB";
    const std::string rule = std::string(10, '-') + " " + std::string(12, '-');
    struct Case {
        bool autoSearch;
        std::vector<std::string> lines;
        int w1, w2;
    };
    const Case cases[] = {
        {false, {"T", rule}, 4, 6},               // the settings as they stand
        {true, {"T", rule}, 11, 12},              // the rule line
        {true, {"T", frame}, 12, 13},             // the frame line
        {true, {"T", rule, "U", frame}, 12, 13},  // both: the frame variant runs second
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        Fixture f(c.lines, c.autoSearch);
        f.ws.settings.layout.LedgerMarks = false;
        f.run();
        EXPECT_EQ(f.ws.settings.layout.columnWidth(1), c.w1);
        EXPECT_EQ(f.ws.settings.layout.columnWidth(2), c.w2);
        EXPECT_EQ(f.ws.grid().colWidth(1), 7 * c.w1);
        EXPECT_EQ(f.ws.grid().colWidth(2), 7 * c.w2);
        EXPECT_EQ(f.ws.grid().colWidth(0), 30);
    }
}

TEST(ReportImport, StartRowPicksTheFirstLineAndLaterRowsComeOutEmpty) {
    std::vector<std::string> lines = {kRule};
    for (int i = 1; i < 8; ++i) lines.push_back("L" + std::to_string(i));
    Fixture f(lines);
    f.ws.settings.layout.StartRow = "5";
    f.ws.grid().setCell(1, 6, "old");
    f.run();
    EXPECT_EQ(f.ws.grid().rowCount(), 8);
    EXPECT_EQ(f.cell(1, 1), "L5");
    EXPECT_EQ(f.cell(1, 3), "L7");
    EXPECT_EQ(f.cell(1, 4), "");
    EXPECT_EQ(f.cell(1, 6), "");
}

TEST(ReportImport, StartColumnPastStartRowGrowsTheTableSoNoLineIsLost) {
    std::vector<std::string> lines = {kRule};
    for (int i = 1; i < 6; ++i) lines.push_back("L" + std::to_string(i));
    Fixture f(lines);
    f.ws.settings.layout.StartColumn = "3";
    f.ws.grid().setCell(1, 1, "keep1");
    f.ws.grid().setCell(1, 2, "keep2");
    f.run();
    EXPECT_EQ(f.ws.grid().rowCount(), 8);  // six lines, lines 1..5 in rows 3..7
    EXPECT_EQ(f.cell(1, 1), "keep1");
    EXPECT_EQ(f.cell(1, 2), "keep2");
    EXPECT_EQ(f.cell(1, 3), "L1");
    EXPECT_EQ(f.cell(1, 7), "L5");
    EXPECT_EQ(f.cell(0, 7), "7");
}

TEST(ReportImport, GrowthFollowsTheLinesRead) {
    struct Case {
        const char* startRow;
        const char* startColumn;
        int lines;
        int rows;
    };
    const Case cases[] = {
        {"1", "1", 6, 6},   // the defaults: exactly one row per line
        {"0", "1", 6, 7},   // every line read: the last lands in row 6
        {"-3", "1", 6, 8},  // lines -3..3 land in rows 1..7
        {"9", "4", 6, 6},   // no line of the text is read
        {"1", "0", 6, 6},  {"0", "-2", 6, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "StartRow " << c.startRow << ", StartColumn " << c.startColumn);
        std::vector<std::string> lines = {kRule};
        for (int i = 1; i < c.lines; ++i) lines.push_back("L" + std::to_string(i));
        Fixture f(lines);
        f.ws.settings.layout.StartRow = c.startRow;
        f.ws.settings.layout.StartColumn = c.startColumn;
        f.run();
        EXPECT_EQ(f.ws.grid().rowCount(), c.rows) << c.startRow << "/" << c.startColumn;
        // The last line of the text that the import reads is in the table.
        const int L = std::stoi(c.startRow), r0 = std::stoi(c.startColumn);
        const int last = std::min(c.lines - 1, L + c.lines);
        if (last >= L && last >= 0) {
            EXPECT_EQ(f.cell(1, r0 + last - L), last == 0 ? "----" : "L" + std::to_string(last));
        }
    }
}

TEST(ReportImport, StartColumnZeroWritesOverTheLetters) {
    Fixture f({"x", kRule, "AB"});
    f.ws.settings.layout.StartColumn = "0";
    f.run();
    EXPECT_EQ(f.cell(1, 0), "----");
    EXPECT_EQ(f.cell(1, 1), "AB");
    EXPECT_EQ(f.cell(0, 1), "1");
}

TEST(ReportImport, WidthsAreSixteenBitAndZeroGivesAnEmptyColumn) {
    Fixture f({kRule, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"});
    f.ws.settings.layout.setColumnWidth(1, 65536 + 3);  // cuts as 3
    f.ws.settings.layout.setColumnWidth(2, 0);
    f.ws.settings.layout.setColumnWidth(3, 2);
    f.ws.settings.layout.setColumnWidth(4, -65536 + 1);  // cuts as 1
    f.run();
    EXPECT_EQ(f.cell(1, 1), "ABC");
    EXPECT_EQ(f.cell(2, 1), "");
    EXPECT_EQ(f.cell(3, 1), "DE");
    EXPECT_EQ(f.cell(4, 1), "F");
    EXPECT_EQ(f.cell(5, 1), "GH");
    EXPECT_EQ(f.ws.grid().colWidth(2), 0);
    EXPECT_EQ(f.ws.grid().colWidth(1), 7 * 65539);
}

TEST(ReportImport, ABadSettingStopsAfterTheHeadersBeforeAnyCell) {
    struct Case {
        const char* badWidth;
        const char* startColumn;
        bool displayWidthsSet;
        std::string message;
    };
    const Case cases[] = {
        {"10 ", "1", false, "'10 ' is not a valid integer value"},
        {nullptr, "x", true, "'x' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Fixture f({kRule, "NEW1", "NEW2"});
        f.ws.grid().setRowCount(30);
        f.ws.grid().setCell(1, 1, "old");
        f.ws.grid().setColWidth(5, 55);
        if (c.badWidth) f.ws.settings.layout.ColumnWidths[6] = c.badWidth;
        f.ws.settings.layout.StartColumn = c.startColumn;
        EXPECT_THROW_MSG(f.run(), c.message);
        EXPECT_EQ(f.ws.grid().rowCount(), 3);
        EXPECT_EQ(f.cell(0, 2), "2");
        EXPECT_EQ(f.cell(20, 0), "T");
        EXPECT_EQ(f.cell(1, 1), "old");
        EXPECT_EQ(f.ws.grid().colWidth(5), c.displayWidthsSet ? 14 : 55);
    }
}

TEST(ReportImport, AStartColumnTooFarOutIsRefused) {
    Fixture f({kRule, "a"});
    f.ws.settings.layout.StartColumn = "2000000000";
    EXPECT_THROW(f.run(), Error);
}

TEST(ReportImport, SaysHowManyColumnsPastTheTwentiethWereLeftOut) {
    std::string rule = std::string(10, '-');
    for (int k = 1; k < 24; ++k) rule += " ---";
    const struct {
        const char* name;
        std::vector<std::string> lines;
        std::size_t warnings;
    } cases[] = {
        {"TwentyFourColumns", {"BASLIK", rule, "x"}, 1},
        {"TwentyColumns", {"BASLIK", rule.substr(0, 10 + 19 * 4), "x"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.lines, true);
        const ImportOutcome outcome = importReport(f.ws);
        ASSERT_EQ(outcome.warnings.size(), c.warnings);
        if (c.warnings) {
            EXPECT_EQ(outcome.warnings[0],
                      "uyarı: 2. satırdaki çizgide 24 sütun var; ilk 20 sütun alındı, sonraki 4 "
                      "sütun dışarıda kaldı (Temiz tablo hepsini alır).");
        }
    }
}

}  // namespace
}  // namespace tablamo
