#include "export/csv_writer.h"

#include <gtest/gtest.h>

#include "core/import_settings.h"
#include "export/clean_writers.h"

namespace tablamo {
namespace {

Grid::RowCells rowOf(std::initializer_list<std::string_view> cells) {
    Grid::RowCells row{};
    std::size_t c = 0;
    for (const std::string_view cell : cells) row[c++] = cell;
    return row;
}

std::string csvOf(const Grid& grid, TextEncoding encoding = TextEncoding::Windows1254) {
    StringSink sink;
    writeCsv(grid, sink, encoding);
    return sink.bytes();
}

TEST(CleanCsv, ACellASpreadsheetWouldRunAsAFormulaIsWrittenAsAText) {
    const struct {
        const char* cell;
        const char* clean;  // the clean table's field
        const char* plain;  // the plain CSV's: as it is
    } cases[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\"",
         "\"=HYPERLINK(\"\"http://x\"\")\""},
        {"@SUM(A1)", "\"'@SUM(A1)\"", "@SUM(A1)"},
        {"+A1", "\"'+A1\"", "+A1"},
        {"-2+3", "\"'-2+3\"", "-2+3"},
        {"=a;b", "\"'=a;b\"", "=a;b"},
        {"-", "\"'-\"", "-"},
        // Numbers stay numbers.
        {"-1.234,56", "-1.234,56", "\"-1.234,56\""},
        {"+12", "+12", "+12"},
        {"-0,5%", "-0,5%", "\"-0,5%\""},
        {"-1234.56", "-1234.56", "-1234.56"},
        {"a=b", "a=b", "a=b"},
    };
    for (const auto& c : cases) {
        Grid grid;
        grid.setColCount(3);
        grid.setRowCount(2);
        grid.setCell(1, 1, c.cell);
        grid.setCell(2, 1, "x");
        StringSink clean;
        writeCleanCsv(grid, clean, ';');
        EXPECT_EQ(clean.bytes(), std::string(";\r\n") + c.clean + ";x\r\n") << c.cell;
        EXPECT_EQ(commaText(grid.row(1)), std::string(",") + c.plain + ",x") << c.cell;
    }
}

TEST(CommaText, QuotesACellWithAControlCharacterBlankQuoteOrComma) {
    const struct {
        std::string cell;
        std::string field;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"01.01.2005", "01.01.2005"},
        {" ", "\" \""},
        {"   ", "\"   \""},
        {"A\xE7\xFDl\xFD\xFE", "A\xE7\xFDl\xFD\xFE"},  // letters above 127 alone: no quotes
        {"A\xE7\xFDl\xFD\xFE fi\xFEi", "\"A\xE7\xFDl\xFD\xFE fi\xFEi\""},
        {"1.500,00", "\"1.500,00\""},
        {"a\"b", "\"a\"\"b\""},
        {"\"\"", "\"\"\"\"\"\""},
        {"\x01", "\"\x01\""},
        {"a\tb", "\"a\tb\""},
        {"a\r\nb", "\"a\r\nb\""},
        {"\x1F", "\"\x1F\""},
        {"!", "!"},  // code 33 is past the range
        {"\x7F", "\x7F"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},  // code 0 is not in 1 to 32
        {"<b>&;", "<b>&;"},
        // Long cells are tested eight bytes at a time: a trigger in each place of a word.
        {"abcdefgh", "abcdefgh"},
        {"abcdefgh,", "\"abcdefgh,\""},
        {"abcdefghijklmno ", "\"abcdefghijklmno \""},
        {"abcdefghij\"klmnop", "\"abcdefghij\"\"klmnop\""},
        {",bcdefghijklmnop", "\",bcdefghijklmnop\""},
        {"\xDD\xDE\xFD\xFE\xE7\xF6\xFC\xF0\xC7\xD6\xDC\xD0",
         "\xDD\xDE\xFD\xFE\xE7\xF6\xFC\xF0\xC7\xD6\xDC\xD0"},
        {"!#$%&'()*+-./0123456789:;", "!#$%&'()*+-./0123456789:;"},  // 33 and up, but " and ,
        {std::string("abcdefg\0hijklmn", 15), std::string("abcdefg\0hijklmn", 15)},
    };
    for (const auto& c : cases) {
        const Grid::RowCells row = rowOf({c.cell});
        EXPECT_EQ(commaText(row), c.field + std::string(20, ',')) << c.cell;
    }
}

TEST(CommaText, JoinsAllTwentyOneCellsWithSingleCommas) {
    EXPECT_EQ(commaText(rowOf({})), std::string(20, ','));
    EXPECT_EQ(commaText(rowOf({"1", "01.01.2005", "A\xE7\xFDl\xFD\xFE fi\xFEi", "1.500,00"})),
              "1,01.01.2005,\"A\xE7\xFDl\xFD\xFE fi\xFEi\",\"1.500,00\"" + std::string(17, ','));
    Grid::RowCells full{};
    for (auto& cell : full) cell = "x";
    EXPECT_EQ(commaText(full), "x,x,x,x,x,x,x,x,x,x,x,x,x,x,x,x,x,x,x,x,x");
}

TEST(WriteCsv, FreshGridGivesTheLetterLineAndTwentyFourNumberedLines) {
    Grid grid;
    NumberGridHeaders(grid);
    std::string expected = ",A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T\r\n";
    for (int r = 1; r < 25; ++r) expected += std::to_string(r) + std::string(20, ',') + "\r\n";
    EXPECT_EQ(csvOf(grid), expected);
}

TEST(WriteCsv, WritesEveryRowIncludingEmptyTrailingRows) {
    Grid grid;
    grid.setRowCount(31);
    NumberGridHeaders(grid);
    grid.setCell(3, 2, "a,b");
    const std::string csv = csvOf(grid);
    EXPECT_NE(csv.find("\r\n2,,,\"a,b\"" + std::string(17, ',') + "\r\n"), std::string::npos);
    EXPECT_TRUE(csv.ends_with("\r\n30" + std::string(20, ',') + "\r\n"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 31);
}

TEST(WriteCsv, EmptyGridWritesNothing) {
    Grid grid;
    grid.setRowCount(0);
    EXPECT_EQ(csvOf(grid), "");
    EXPECT_EQ(csvOf(grid, TextEncoding::Utf8), "\xEF\xBB\xBF");
}

TEST(WriteCsv, Utf8StartsWithAByteOrderMarkAndRecodesEveryByte) {
    Grid grid;
    grid.setRowCount(2);
    grid.setRow(1, rowOf({"1", "\xDD\x80\"\xFE", "\xC7"}));
    EXPECT_EQ(csvOf(grid, TextEncoding::Utf8),
              "\xEF\xBB\xBF" + std::string(20, ',') + "\r\n" +
                  "1,\"\xC4\xB0\xE2\x82\xAC\"\"\xC5\x9F\",\xC3\x87" + std::string(18, ',') +
                  "\r\n");
}

TEST(WriteCsv, ARowLargerThanTheBufferComesOutWhole) {
    Grid grid;
    grid.setRowCount(3);
    const std::string big(700000, 'x');
    const std::string quoted(300000, '"');
    grid.setRow(1, rowOf({"1", big, quoted}));
    grid.setCell(0, 2, "2");
    EXPECT_EQ(csvOf(grid), std::string(20, ',') + "\r\n1," + big + ",\"" +
                               std::string(600000, '"') + "\"" + std::string(18, ',') + "\r\n2" +
                               std::string(20, ',') + "\r\n");
}

TEST(WriteCsv, ALongGridComesOutRowAfterRowInOrder) {
    // Long enough to be laid out on two threads, with a last pair of runs cut short.
    Grid grid;
    grid.setRowCount(300001);
    NumberGridHeaders(grid);
    // The lines as a reader of the file sees them: the letters, then per row its number and one
    // cell, in double quotes when it holds a blank.
    std::string expected = ",A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T\r\n";
    for (int r = 1; r < grid.rowCount(); ++r) {
        const std::string a = std::to_string(r * 7 % 1000) + (r % 3 ? "" : " x");
        grid.setCell(1 + r % 20, r, a);
        expected += std::to_string(r);
        for (int c = 1; c <= 20; ++c) {
            expected += ',';
            if (c == 1 + r % 20) expected += r % 3 ? a : "\"" + a + "\"";
        }
        expected += "\r\n";
    }
    for (const auto encoding : {TextEncoding::Windows1254, TextEncoding::Utf8}) {
        const std::string csv = csvOf(grid, encoding);
        EXPECT_EQ(csv, encoding == TextEncoding::Utf8 ? "\xEF\xBB\xBF" + expected : expected);
    }
}

TEST(CsvFileName, AppendsTheSuffixUnlessTheNamesOwnLastSuffixIsCsv) {
    const std::pair<const char*, const char*> cases[] = {
        {"rapor", "rapor.csv"},
        {"/home/ali/rapor", "/home/ali/rapor.csv"},
        {"rapor.csv", "rapor.csv"},
        {"rapor.CSV", "rapor.CSV"},
        {"rapor.Csv", "rapor.Csv"},
        {"rapor.yedek.csv", "rapor.yedek.csv"},
        {"Yedek.2005/rapor.csv", "Yedek.2005/rapor.csv"},
        {"Yedek.2005/rapor", "Yedek.2005/rapor.csv"},
        {"Yedek.csv/rapor", "Yedek.csv/rapor.csv"},
        {"rapor.txt", "rapor.txt.csv"},
        {"rapor.csvx", "rapor.csvx.csv"},
        {"raporcsv", "raporcsv.csv"},
        {"", ".csv"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(csvFileName(in), out) << in;
}

}  // namespace
}  // namespace tablamo
