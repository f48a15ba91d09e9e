// Workbooks of several tables: each on worksheets of its own, names kept apart, the page
// setup that prints them and the totals row under a table.

#include <gtest/gtest.h>

#include "core/grid.h"
#include "export/column_fit.h"
#include "export/output_formats.h"
#include "export/xlsx_package.h"
#include "export/xlsx_writer.h"
#include "support/temp_dir.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

using testing::XlsxPackage;

constexpr Date kSheetsToday{2026, 12, 8};

Grid tableOf(const std::vector<std::vector<std::string>>& rows) {
    Grid grid;
    grid.setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            grid.setCell(static_cast<int>(c) + 1, static_cast<int>(r), rows[r][c]);
    }
    grid.setColCount(static_cast<int>(rows[0].size()) + 1);
    return grid;
}

TEST(WorkbookSheets, TablesPrintSetupAndTotals) {
    const Grid narrow =
        tableOf({{"Hesap", "Tutar"}, {"120", "1234,56"}, {"320", "0,01"}, {"100", "yok"}});
    const Grid wide = tableOf({{"A", "B", "C"}, {"x", "y", "z"}});
    WorkbookSheet first{&narrow, "Muavin", {}};
    first.options.headingRow = true;
    first.options.kinds = {ColumnKind::Code, ColumnKind::Amount};
    first.options.widths = {12, 14};
    first.options.print = {true, "A & B \"Ltd\"", "M\xDDZAN", {}};
    first.options.totals = {"Toplam", {false, true}};
    WorkbookSheet second{&wide, "\xD6zet", {}};
    second.options.headingRow = true;
    second.options.widths = {40, 40, 40};
    second.options.print.enabled = true;
    testing::TempDir dir;
    const std::string path = dir / "ay.xlsx";
    const WorkbookSheet tables[] = {first, second};
    saveWorkbook(tables, path, RegionalSettings::turkish(), kSheetsToday);

    const XlsxPackage book(path);
    EXPECT_EQ(book.sheetNames, (std::vector<std::string>{"Muavin", "\xC3\x96zet"}));
    const std::string muavin = book.sheetXml(0);
    const std::string ozet = book.sheetXml(1);
    for (const std::string& part : {
             std::string("<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><sheetViews>"
                         "<sheetView tabSelected=\"1\""),
             std::string("<row r=\"5\"><c r=\"A5\" s=\"3\" t=\"inlineStr\"><is><t>Toplam</t>"
                         "</is></c><c r=\"B5\" s=\"2\"><f>SUM(B2:B4)</f><v>1234.57</v></c>"
                         "</row></sheetData>"),
             std::string("<pageSetup paperSize=\"9\" orientation=\"portrait\" fitToWidth=\"1\" "
                         "fitToHeight=\"0\"/><headerFooter><oddHeader>&amp;LA &amp;&amp; B "
                         "&quot;Ltd&quot;&amp;C&amp;&quot;-,Bold&quot;M\xC4\xB0ZAN</oddHeader>"
                         "<oddFooter>&amp;CSayfa &amp;P / &amp;N</oddFooter></headerFooter>"),
         }) {
        EXPECT_NE(muavin.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(ozet.find("tabSelected"), std::string::npos);
    EXPECT_NE(ozet.find("orientation=\"landscape\""), std::string::npos);
    EXPECT_NE(ozet.find("<oddHeader></oddHeader>"), std::string::npos);
    EXPECT_EQ(ozet.find("SUM("), std::string::npos);
    EXPECT_NE(testing::readPart(path, "xl/workbook.xml")
                  .find("<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">'Muavin'!"
                        "$1:$1</definedName><definedName name=\"_xlnm.Print_Titles\" "
                        "localSheetId=\"1\">'\xC3\x96zet'!$1:$1</definedName>"),
              std::string::npos);
    // The same name in other letters' case is refused.
    const WorkbookSheet twins[] = {{&narrow, "Kasa", {}}, {&wide, "KASA", {}}};
    EXPECT_THROW_MSG(
        saveWorkbook(twins, dir / "iki.xlsx", RegionalSettings::turkish(), kSheetsToday),
        "Cannot create file \"" + (dir / "iki.xlsx") +
            "\". Worksheet name 'KASA' is already in use.");
}

TEST(WorkbookSheets, CleanTableColumnsAreWideEnoughToPrint) {
    const Grid grid = tableOf(
        {{"Tarih", "Yevmiye No", "B/A", "Uzun bir ba\xFEl\xFDk, daha da uzun olan bir ba\xFEl\xFDk",
          "Adet", "F\xFD\xFE", "Tutar", "A\xE7\xFDklama"},
         {"01.01.05", "1", "B", "x", "3", "TED\xDDYE", "1234567,89", "Kasadan bankaya virman"},
         {"02.01.05", "2", "A", "y", "4", "MAHSUP", "5,5", "Kira"}});
    CleanShape shape;
    shape.columns = {{ColumnKind::Date, 8},    {ColumnKind::Code, 7}, {ColumnKind::Text, 19},
                     {ColumnKind::Text, 12},   {ColumnKind::Text, 0}, {ColumnKind::Text, 6},
                     {ColumnKind::Amount, 10}, {ColumnKind::Text, 12}};
    const WorkbookOptions book = cleanWorkbookOptions(grid, shape, {false, "F", "T", {}});
    // The date's four-digit year; a short heading's bold letters; the report's width; a long
    // heading wrapped over a narrow column; a capitals' word ("MAHSUP" is no "MAHSU"); an
    // amount with its thousands grouped; a text longer than its column wrapped.
    EXPECT_EQ(book.widths, (std::vector<double>{11, 12, 19, 12, 6, 8, 13, 12}));
    EXPECT_EQ(book.wrapped,
              (std::vector<bool>{false, false, false, true, false, false, false, true}));
    EXPECT_EQ(book.kinds.size(), 8u);
    EXPECT_TRUE(book.headingRow && book.print.enabled);
    EXPECT_EQ(book.print.title, "T");
    // The widest word as a font draws it, not the first of the longest: the screen's columns
    // are measured by it.
    EXPECT_EQ(columnFits(grid)[5].word, "MAHSUP");
}

TEST(WorkbookSheets, UniqueSheetNamesFollowTheRules) {
    const std::string longName(40, 'x');
    const struct {
        const char* text;
        std::vector<std::string> taken;
        std::string name;
    } cases[] = {
        {"120.01/001", {}, "120.01_001"},
        {"a*b?[c]:\\d", {}, "a_b__c___d"},
        {" 'Kasa' ", {}, "Kasa"},
        {"", {}, "(bo\xFE)"},
        {"kasa", {"Muavin", "KASA"}, "kasa (2)"},
        {"kasa", {"KASA", "kasa (2)"}, "kasa (3)"},
        {"history", {}, "history (2)"},
        {"\xFD\xFEik", {"I\xDEIK"}, "\xFD\xFEik (2)"},
        {longName.c_str(), {}, std::string(31, 'x')},
        {longName.c_str(), {std::string(31, 'x')}, std::string(27, 'x') + " (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SheetNames taken;
        for (const std::string& t : c.taken) taken.take(t);
        EXPECT_EQ(taken.unique(c.text, "(bo\xFE)"), c.name);
        // The name given is taken in its turn.
        EXPECT_NE(taken.unique(c.name, "(bo\xFE)"), c.name);
    }
}

TEST(WorkbookSheets, LandscapeWhenWiderThanAnUprightPage) {
    const struct {
        std::vector<double> widths;
        int columns;
        bool landscape;
    } cases[] = {
        {{}, 9, false},                            // nine default columns: 576 pixels
        {{}, 11, true},                            // eleven: 704
        {{80}, 1, false},                          // 565
        {{10, 7, 6, 32, 14, 14, 15, 1}, 8, true},  // a sub-ledger's columns
        {{90}, 1, false},                          // 635
        {{95}, 1, true},                           // 670
        {{-1, 0, 300}, 3, true},                   // a width past 255 counts as 255
    };
    for (const auto& c : cases) {
        EXPECT_EQ(printsLandscape(c.widths, c.columns), c.landscape) << c.columns;
    }
}

TEST(WorkbookSheets, AWrappedTextMakesItsRowAsTallAsItsLines) {
    const struct {
        const char* text;
        double width;
        int lines;
    } cases[] = {
        {"Kira", 10, 1},
        {"Kasadan bankaya virman", 30, 1},
        {"Kasadan bankaya virman", 10, 3},
        {"GENEL Y\xD6NET\xDDM G\xDD"
         "DERLER\xDD",
         25, 1},                          // capitals, yet one line
        {"12345678901234567890", 10, 3},  // a word wider than the column
    };
    for (const auto& c : cases) EXPECT_EQ(wrappedLines(c.text, c.width), c.lines) << c.text;

    const Grid grid =
        tableOf({{"A\xE7\xFDklama", "Tutar"}, {"Kasadan bankaya virman", "1,5"}, {"Kira", "2"}});
    WorkbookSheet sheet{&grid, "Kasa", {}};
    sheet.options.headingRow = true;
    sheet.options.kinds = {ColumnKind::Text, ColumnKind::Amount};
    sheet.options.widths = {10, 8};
    sheet.options.wrapped = {true, false};
    testing::TempDir dir;
    const WorkbookSheet tables[] = {sheet};
    saveWorkbook(tables, dir / "k.xlsx", RegionalSettings::turkish(), kSheetsToday);
    const std::string xml = XlsxPackage(dir / "k.xlsx").sheetXml(0);
    EXPECT_NE(xml.find("<row r=\"1\"><c r=\"A1\" s=\"5\""), std::string::npos);
    EXPECT_NE(xml.find("<row r=\"2\" ht=\"45\" customHeight=\"1\"><c r=\"A2\" s=\"4\""),
              std::string::npos);
    EXPECT_NE(xml.find("<row r=\"3\"><c r=\"A3\" s=\"4\""), std::string::npos);
    EXPECT_NE(testing::readPart(dir / "k.xlsx", "xl/styles.xml").find("wrapText=\"1\""),
              std::string::npos);
}

}  // namespace
}  // namespace tablamo
