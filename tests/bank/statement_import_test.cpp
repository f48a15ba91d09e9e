#include "bank/statement_import.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bank/statement_layout.h"
#include "core/error.h"
#include "core/workspace.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

TEST(StatementText, CleanAmount) {
    struct Case {
        std::string in, comma, point;
    };
    const Case cases[] = {
        {"1,234.56", "1234,56", "1234.56"},
        {"=12,500.00", "12500,00", "12500.00"},
        {"1 234.56", "1234,56", "1234.56"},
        {"-1,234.56", "-1234,56", "-1234.56"},
        {"- 25.00", "- 25,00", "- 25.00"},  // negative: the blank stays
        {"0.00", "0,00", "0.00"},
        {"0 0", "0 0", "0 0"},  // zero keeps its blanks
        {"01.02.2010", "01,02,2010", "01.02.2010"},
        {"===", "", ""},
        {"TAR\xDDH", "TAR\xDDH", "TAR\xDDH"},
        {"AB 12", "AB 12", "AB 12"},
        {"1 2,3 4", "1234", "1234"},  // thousands commas go before the test
        {"EFT 1.5", "EFT 1,5", "EFT 1.5"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanAmount(c.in, ','), c.comma) << c.in;
        EXPECT_EQ(CleanAmount(c.in, '.'), c.point) << c.in;
    }
}

TEST(StatementText, StripEquals) {
    struct Case {
        std::string in, comma, point;
    };
    const Case cases[] = {
        {"=123 456", "123456", "123456"},
        {"AB 12", "AB 12", "AB 12"},
        {"1,234.56", "1,234.56", "1,234.56"},  // "," and "." stay
        {"=1 2.5", "1 2.5", "12.5"},           // a number only with "." as separator
        {"=1 2,5", "12,5", "1 2,5"},
        {"= 0", " 0", " 0"},
        {"- 5", "- 5", "- 5"},
        {"===", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripEquals(c.in, ','), c.comma) << c.in;
        EXPECT_EQ(StripEquals(c.in, '.'), c.point) << c.in;
    }
}

TEST(StatementText, CollapseBlanksHalvesEachRunRoundingUp) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a b", "a b"},
        {"a  b", "a b"},
        {"a   b", "a  b"},
        {"a    b", "a  b"},
        {"a     b", "a   b"},
        {"a" + std::string(8, ' ') + "b", "a    b"},
        {"  a  ", " a "},
        {"a \t b", "a \t b"},  // only the blank counts
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(CollapseBlanks(in), out) << '[' << in << ']';
}

// One statement line: each field padded to its column width (columns 1 to 9).
std::string record(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        line += fields[k];
        if (k + 1 < fields.size() && fields[k].size() < std::size_t(kStatementWidths[k])) {
            line.append(std::size_t(kStatementWidths[k]) - fields[k].size(), ' ');
        }
    }
    return line;
}

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

const std::string kHyphens(127, '-');
const std::string kEquals(127, '=');

struct Fixture {
    Workspace ws;

    explicit Fixture(const std::vector<std::string>& lines) {
        ws.regional.decimalSeparator = ',';
        ws.text = ReportText(join(lines));
    }
    // Text left by an earlier import in every data cell of the first `rows` rows.
    void fillOld(int rows) {
        ws.grid().setRowCount(rows);
        for (int r = 1; r < rows; ++r) {
            for (int c = 1; c <= 20; ++c) ws.grid().setCell(c, r, "old");
        }
    }
    std::string cell(int c, int r) const { return std::string(ws.grid().cell(c, r)); }
    std::vector<std::string> row(int r, int from, int to) const {
        std::vector<std::string> v;
        for (int c = from; c <= to; ++c) v.push_back(cell(c, r));
        return v;
    }
};

TEST(Statement, ClassifiesEveryLineByItsDateField) {
    std::string longTransaction = record({"1", "01022010", "=000123", " 03022010", "0100",
                                          "EFT GELEN", "1,234.56", "A", "=12,500.00"});
    longTransaction.resize(127, ' ');
    longTransaction += "12.50X";  // column 10 (width 5 here) and column 11
    Fixture f({
        "TITLE",
        record({"No", "\x9EUBE", "A.B 1", "", "", "", "", "", "BAK.\x98YE"}),
        "    D\x9AZENLEYEN   \x9EUBE :  KADIK\x99Y  ",
        "",
        "abcd",
        record({"", "", "", "", "", "DEVAMI"}),        // continuation: blank date field
        "    \xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4 x",  // only frame characters there
        record({"", "TAR\xDDH", "F\xDD\xDE NO", "VAL\xD6R", "KOD", "A\xC7IKLAMA", "TUTAR", "B/A",
                "BAK.\xDDYE"}),
        record({"", "TAR\x98H", "F\x98\x9E NO", " VAL\x99R", "KOD"}),
        kHyphens,
        longTransaction,
        record({"2", "05022010", "", " 05022010", "", "HAVALE G\x99NDER\x98LEN", "-1,234.56", "B",
                "11,265.44"}),
        kEquals,
        "    HESAP \x9EUBES\x98 : 0123",
        "    IBAN     : TR12 0004",
        "    IBANX",
    });
    f.fillOld(30);
    f.ws.settings.layout.setColumnWidth(10, 5);
    for (int k = 1; k <= 9; ++k) f.ws.settings.layout.ColumnWidths[std::size_t(k - 1)] = "x";
    importStatement(f.ws);

    EXPECT_EQ(f.ws.grid().rowCount(), 16);
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(f.ws.settings.layout.ColumnWidths[std::size_t(k - 1)],
                  std::to_string(kStatementWidths[k - 1]));
        EXPECT_EQ(f.ws.grid().colWidth(k), 7 * kStatementWidths[k - 1]);
    }
    EXPECT_EQ(f.ws.grid().colWidth(10), 35);
    EXPECT_EQ(f.ws.grid().colWidth(11), 70);
    EXPECT_EQ(f.cell(0, 15), "15");
    EXPECT_EQ(f.cell(20, 0), "T");

    using V = std::vector<std::string>;
    // The header row: every field as text, points kept, DOS letters converted.
    EXPECT_EQ(f.row(1, 1, 10), (V{"No", "\xDEUBE", "A.B 1", "", "", "", "", "", "BAK.\xDDYE", ""}));
    // Information line: the whole line, not converted, blanks halved; 3 to 20 untouched.
    EXPECT_EQ(f.row(2, 1, 4), (V{"", "D\x9AZENLEYEN  \x9EUBE : KADIK\x99Y", "old", "old"}));
    EXPECT_EQ(f.cell(20, 2), "old");
    // The four lines after it are dropped: the heading follows in row 3.
    EXPECT_EQ(f.row(3, 1, 9), (V{"", "TAR\xDDH", "SF\xDD\xDE NO", "VAL\xD6R", "KOD", "A\xC7IKLAMA",
                                 "TUTAR", "B/A", "BAK,\xDDYE"}));
    // The same heading in the DOS code page reads as a transaction with dates.
    EXPECT_EQ(f.row(4, 1, 5), (V{"", "TA/R\x98/H", "SF\x98\x9E NO", "VA/L\x99/R", "KOD"}));
    EXPECT_EQ(f.row(5, 1, 10), (V{"----", "--/--/----", "S-------", "--/--/----",
                                  std::string(8, '-'), std::string(24, '-'), std::string(24, '-'),
                                  std::string(5, '-'), std::string(36, '-'), ""}));
    EXPECT_EQ(f.row(6, 1, 11), (V{"1", "01/02/2010", "S000123", "03/02/2010", "0100", "EFT GELEN",
                                  "1234,56", "A", "12500,00", "12,50", "X"}));
    EXPECT_EQ(f.row(7, 1, 9), (V{"2", "05/02/2010", "S", "05/02/2010", "",
                                 "HAVALE G\x99NDER\x98LEN", "-1234,56", "B", "11265,44"}));
    EXPECT_EQ(f.row(8, 1, 20), (V{"====", "", "S", "", "", "", "", "", "", "",
                                  "",     "", "",  "", "", "", "", "", "", ""}));
    EXPECT_EQ(f.row(9, 1, 3), (V{"", "HESAP \x9EUBES\x98 : 0123", "old"}));
    EXPECT_EQ(f.row(10, 1, 3), (V{"", "IBAN   : TR12 0004", "old"}));
    // "IBAN" marks an information line only when nothing else stands in the field.
    EXPECT_EQ(f.row(11, 1, 3), (V{"", "IB/AN/X", "S"}));
    // Below the last statement row the earlier text stays.
    for (int r = 12; r < 16; ++r) EXPECT_EQ(f.row(r, 1, 2), (V{"old", "old"})) << r;
}

TEST(Statement, AmountsFollowTheDecimalSeparator) {
    Fixture f(
        {"", "", record({"1", "01022010", "=12 5.5", " 03022010", "1.5", "A.B", "1,234.56"})});
    f.ws.regional.decimalSeparator = '.';
    importStatement(f.ws);
    EXPECT_EQ(f.row(2, 2, 7), (std::vector<std::string>{"01/02/2010", "S125.5", "03/02/2010", "1.5",
                                                        "A.B", "1234.56"}));
}

TEST(Statement, OneLineTextGivesTwoRowsAndAnEmptyHeader) {
    Fixture f({record({"1", "01022010", "", " 03022010"})});
    f.fillOld(10);
    importStatement(f.ws);
    EXPECT_EQ(f.ws.grid().rowCount(), 2);
    EXPECT_EQ(f.cell(0, 1), "1");
    for (int c = 1; c <= 20; ++c) EXPECT_EQ(f.cell(c, 1), "") << c;
}

TEST(Statement, EmptyTextChangesNothing) {
    Fixture f({});
    f.fillOld(7);
    importStatement(f.ws);
    EXPECT_EQ(f.ws.settings.layout.ColumnWidths[0], "10");
    EXPECT_EQ(f.ws.grid().rowCount(), 7);
    EXPECT_EQ(f.ws.grid().colWidth(1), 100);
    EXPECT_EQ(f.cell(1, 1), "old");
}

TEST(Statement, StartColumnZeroWritesTheHeaderOverTheLetters) {
    Fixture f({"", "HEAD", record({"1", "01022010"})});
    f.ws.grid().setCell(0, 0, "corner");
    f.ws.settings.layout.StartColumn = "0";
    importStatement(f.ws);
    EXPECT_EQ(f.cell(1, 0), "HEAD");
    EXPECT_EQ(f.cell(2, 0), "");
    EXPECT_EQ(f.cell(0, 0), "corner");
    EXPECT_EQ(f.cell(2, 1), "01/02/2010");
    EXPECT_EQ(f.ws.grid().rowCount(), 3);
}

// Each accepted line keeps a row: the table grows only when StartColumn lies past StartRow.
TEST(Statement, TheTableGrowsSoNoAcceptedLineIsLost) {
    const std::string t1 = record({"1", "01022010"});
    const std::string t2 = record({"2", "02022010"});
    const std::string t3 = record({"3", "03022010"});
    struct Case {
        std::vector<std::string> lines;
        std::string startRow, startColumn;
        int rowCount;
        int lastRow;  // the row that holds t3
    };
    const Case cases[] = {
        {{"x", "H", t1, t2, t3}, "1", "1", 5, 4},          // the defaults fit exactly
        {{t1, t2, t3}, "0", "1", 4, 3},                    // every line accepted
        {{"x", "H", t1, "", t2, "", t3}, "1", "3", 7, 6},  // dropped lines make room
        {{"x", "H", t1, t2, t3}, "1", "5", 9, 8},
        {{t1, t2, t3, "y"}, "-1", "1", 5, 4},   // line -1 reads as empty
        {{"y", t1, t2, t3}, "-2", "1", 4, -1},  // the last line is not reached
    };
    for (const auto& c : cases) {
        Fixture f(c.lines);
        f.ws.settings.layout.StartRow = c.startRow;
        f.ws.settings.layout.StartColumn = c.startColumn;
        importStatement(f.ws);
        SCOPED_TRACE(c.startRow + "/" + c.startColumn);
        EXPECT_EQ(f.ws.grid().rowCount(), c.rowCount);
        for (int r = 1; r < c.rowCount; ++r) EXPECT_EQ(f.cell(0, r), std::to_string(r));
        for (int r = 0; r < c.rowCount; ++r) EXPECT_EQ(f.cell(1, r) == "3", r == c.lastRow) << r;
    }
}

TEST(Statement, AStartColumnTooFarOutIsRefusedBeforeAnyRow) {
    Fixture f({"", "HEAD", record({"1", "01022010"})});
    f.fillOld(5);
    f.ws.settings.layout.StartColumn = "2000000000";
    EXPECT_THROW_MSG(importStatement(f.ws), "Grid index out of range");
    EXPECT_EQ(f.ws.grid().rowCount(), 3);
    EXPECT_EQ(f.cell(1, 1), "old");
}

TEST(Statement, NegativeStartRowReadsEmptyLinesBeforeTheFirst) {
    Fixture f(
        {record({"1", "01022010"}), record({"2", "02022010"}), "z", record({"4", "04022010"})});
    f.fillOld(4);
    f.ws.settings.layout.StartRow = "-2";
    importStatement(f.ws);
    // The header comes from line -2 (empty); lines -1 to 1 are examined, 2 and 3 are not.
    using V = std::vector<std::string>;
    EXPECT_EQ(f.row(1, 1, 3), (V{"", "", ""}));
    EXPECT_EQ(f.row(2, 1, 2), (V{"1", "01/02/2010"}));
    EXPECT_EQ(f.row(3, 1, 2), (V{"2", "02/02/2010"}));
    EXPECT_EQ(f.ws.grid().rowCount(), 4);
}

// A bad setting stops the import where it is read: what came before stays, no row is filled.
TEST(Statement, ABadSettingStopsAfterWhatWasAlreadyDone) {
    struct Case {
        int field;  // 10: width 10, 'C': StartColumn, 'R': StartRow
        std::string text;
        bool pixelsSet;
    };
    const Case cases[] = {{10, "12 ", false}, {20, "", false}, {'C', "1x", true}, {'R', "$", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "field " << c.field << " '" << c.text << "'");
        Fixture f({"", "HEAD", record({"1", "01022010"})});
        f.fillOld(25);
        if (c.field == 'C') {
            f.ws.settings.layout.StartColumn = c.text;
        } else if (c.field == 'R') {
            f.ws.settings.layout.StartRow = c.text;
        } else {
            f.ws.settings.layout.ColumnWidths[std::size_t(c.field - 1)] = c.text;
        }
        EXPECT_THROW_MSG(importStatement(f.ws), "'" + c.text + "' is not a valid integer value");
        EXPECT_EQ(f.ws.settings.layout.ColumnWidths[8], "36");
        EXPECT_EQ(f.ws.grid().rowCount(), 3);
        EXPECT_EQ(f.cell(0, 2), "2");
        EXPECT_EQ(f.cell(1, 0), "A");
        EXPECT_EQ(f.ws.grid().colWidth(1), c.pixelsSet ? 28 : 100) << c.text;
        EXPECT_EQ(f.cell(1, 1), "old");
        EXPECT_EQ(f.cell(1, 2), "old");
    }
}

}  // namespace
}  // namespace tablamo
