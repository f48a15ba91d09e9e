// The workbook's XML byte for byte: the worksheet rows, each part of the package, and a
// whole small workbook as the writer puts it together.

#include <gtest/gtest.h>

#include "core/byte_sink.h"
#include "core/grid.h"
#include "export/sheet_xml.h"
#include "export/xlsx_parts.h"
#include "export/xlsx_writer.h"
#include "export/zip_reader.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

constexpr Date kToday{2026, 12, 8};
const std::string kXml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const std::string kSpaces =
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
const std::string kPackageRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const std::string kOffice = "application/vnd.openxmlformats-officedocument.";
const std::string kMargins =
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/></worksheet>";

// A row of `columns` cells holding `cells` by grid column (column 0 is never written).
Grid::RowCells rowOf(std::size_t columns,
                     std::initializer_list<std::pair<int, std::string_view>> cells) {
    Grid::RowCells row(columns);
    for (const auto& [c, text] : cells) row[static_cast<std::size_t>(c)] = text;
    return row;
}

std::string text(const char* address, const std::string& xml, const char* style = "") {
    return std::string("<c r=\"") + address + "\"" + style + " t=\"inlineStr\"><is><t>" + xml +
           "</t></is></c>";
}

TEST(SheetXml, RowsAsTheWorksheetHoldsThem) {
    using K = ColumnKind;
    const struct {
        const char* name;
        std::vector<ColumnKind> kinds;
        Grid::RowCells cells;
        int sheetRow;
        bool heading;
        std::string xml;
    } cases[] = {
        {"typed by value; an empty cell left out; escapes",
         {},
         rowOf(8, {{1, "31.12.2005"},
                   {2, "150,75"},
                   {4, " Ali & <Veli> "},
                   {5, "\x01_x0041_\r\xDE\""},
                   {6, "01.01.1899"},
                   {7, "_x0020\x01_x002"}}),
         7,
         false,
         "<row r=\"7\"><c r=\"A7\" s=\"1\"><v>38717</v></c><c r=\"B7\"><v>150.75</v></c>"
         "<c r=\"D7\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> Ali &amp; &lt;Veli&gt; "
         "</t></is></c>" +
             text("E7", "_x0001__x005F_x0041__x000D_\xC5\x9E\"") + text("F7", "01.01.1899") +
             // "_x0020" and the escape of the control byte after it would read as a blank.
             text("G7", "_x005F_x0020_x0001__x002") + "</row>"},
        {"a heading row: bold texts, dates too",
         {},
         rowOf(4, {{1, "Tarih"}, {3, "31.12.2005"}}),
         1,
         true,
         "<row r=\"1\">" + text("A1", "Tarih", " s=\"3\"") + text("C1", "31.12.2005", " s=\"3\"") +
             "</row>"},
        {"typed by the columns' kinds",
         {K::Amount, K::Date, K::Code, K::Text, K::Amount},
         rowOf(6, {{1, "1234,56"}, {2, "12.05"}, {3, "0012"}, {4, "150"}, {5, "yok"}}),
         1048576,
         false,
         "<row r=\"1048576\"><c r=\"A1048576\" s=\"2\"><v>1234.56</v></c>"
         "<c r=\"B1048576\" s=\"1\"><v>46154</v></c>" +
             text("C1048576", "0012") + text("D1048576", "150") + text("E1048576", "yok") +
             "</row>"},
        {"a row without cells is left out", {}, rowOf(6, {}), 3, false, ""},
        {"column 27 is AA",
         {},
         rowOf(28, {{1, "a"}, {27, "z"}}),
         2,
         false,
         "<row r=\"2\">" + text("A2", "a") + text("AA2", "z") + "</row>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SheetRows rows(static_cast<int>(c.cells.size()), RegionalSettings::turkish(), kToday,
                             c.kinds);
        std::string xml(rows.bound(c.cells), '\0');
        char* end = rows.write(xml.data(), c.cells, c.sheetRow, c.heading);
        xml.resize(static_cast<std::size_t>(end - xml.data()));
        EXPECT_EQ(xml, c.xml);
    }
    const SheetRows rows(3, RegionalSettings::turkish(), kToday, {});
    std::string room(rows.bound(rowOf(3, {{1, "x"}})), '\0');
    const std::string tooLong(32768, 'x');
    EXPECT_THROW_MSG(rows.write(room.data(), rowOf(3, {{1, tooLong}}), 1, false),
                     "String exceeds Excel's limit of 32,767 characters.");
}

TEST(SheetXml, PackagePartsAsWritten) {
    // A second worksheet whose name needs escaping, and in the hidden filter name, quoting.
    const std::vector<SheetEntry> sheets{{"Tablamo", "C", 41, {}},
                                         {"Ali'nin & <\xC5\x9E>", "T", 3, {}}};
    // A clean table's worksheet as it prints: its heading row on every page, its header.
    const SheetEntry printed{"Muavin", "H", 61, {true, true, true, "&LA && B", "&CSayfa &P"}};
    const std::string sheetType = kOffice + "spreadsheetml.worksheet+xml\"/>";
    const std::pair<std::string, std::string> parts[] = {
        {contentTypesPart(2),
         kXml +
             "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
             "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
             "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
             "<Override PartName=\"/docProps/app.xml\" ContentType=\"" +
             kOffice +
             "extended-properties+xml\"/><Override PartName=\"/docProps/core.xml\" "
             "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
             kOffice +
             "spreadsheetml.sheet.main+xml\"/><Override PartName=\"/xl/styles.xml\" "
             "ContentType=\"" +
             kOffice +
             "spreadsheetml.styles+xml\"/><Override PartName=\"/xl/worksheets/sheet1.xml\" "
             "ContentType=\"" +
             sheetType + "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" +
             sheetType + "</Types>"},
        {rootRelsPart(),
         kXml + kPackageRels + "<Relationship Id=\"rId1\" Type=\"" + kRel +
             "officeDocument\" Target=\"xl/workbook.xml\"/><Relationship Id=\"rId2\" "
             "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
             "core-properties\" Target=\"docProps/core.xml\"/><Relationship Id=\"rId3\" Type=\"" +
             kRel + "extended-properties\" Target=\"docProps/app.xml\"/></Relationships>"},
        {appPart(sheets),
         kXml + "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                "extended-properties\" xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/"
                "2006/docPropsVTypes\"><Application>Microsoft Excel</Application><DocSecurity>0"
                "</DocSecurity><ScaleCrop>false</ScaleCrop><HeadingPairs><vt:vector size=\"2\" "
                "baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>"
                "<vt:variant><vt:i4>2</vt:i4></vt:variant></vt:vector></HeadingPairs>"
                "<TitlesOfParts><vt:vector size=\"2\" baseType=\"lpstr\"><vt:lpstr>Tablamo"
                "</vt:lpstr><vt:lpstr>Ali'nin &amp; &lt;\xC5\x9E&gt;</vt:lpstr></vt:vector>"
                "</TitlesOfParts><AppVersion>12.0000</AppVersion></Properties>"},
        {corePart(365 * 86400 + 3661),
         kXml + "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/"
                "metadata/core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                "xmlns:dcterms=\"http://purl.org/dc/terms/\" xmlns:xsi=\"http://www.w3.org/2001/"
                "XMLSchema-instance\"><dc:creator></dc:creator><dcterms:created xsi:type=\""
                "dcterms:W3CDTF\">1971-01-01T01:01:01Z</dcterms:created><dcterms:modified "
                "xsi:type=\"dcterms:W3CDTF\">1971-01-01T01:01:01Z</dcterms:modified>"
                "</cp:coreProperties>"},
        {workbookPart(sheets),
         kXml + "<workbook " + kSpaces +
             "><workbookPr/><bookViews><workbookView/></bookViews><sheets><sheet "
             "name=\"Tablamo\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Ali'nin &amp; &lt;"
             "\xC5\x9E&gt;\" sheetId=\"2\" r:id=\"rId2\"/></sheets><definedNames><definedName "
             "name=\"_xlnm._FilterDatabase\" localSheetId=\"0\" hidden=\"1\">'Tablamo'!$A$1:$C$41"
             "</definedName><definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"1\" "
             "hidden=\"1\">'Ali''nin &amp; &lt;\xC5\x9E&gt;'!$A$1:$T$3</definedName>"
             "</definedNames></workbook>"},
        {workbookPart({{"Tablamo", "", 0, {}}}),
         kXml + "<workbook " + kSpaces +
             "><workbookPr/><bookViews><workbookView/></bookViews><sheets><sheet "
             "name=\"Tablamo\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {workbookRelsPart(2),
         kXml + kPackageRels + "<Relationship Id=\"rId1\" Type=\"" + kRel +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
             kRel +
             "worksheet\" Target=\"worksheets/sheet2.xml\"/><Relationship Id=\"rId3\" "
             "Type=\"" +
             kRel + "styles\" Target=\"styles.xml\"/></Relationships>"},
        {stylesPart("dd\\.mm\\.yyyy"),
         kXml + "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                "<numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"dd\\.mm\\.yyyy\"/>"
                "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00\"/></numFmts><fonts count=\"2\">"
                "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font><font><b/>"
                "<sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
                "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill>"
                "<patternFill patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border>"
                "<left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs "
                "count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
                "</cellStyleXfs><cellXfs count=\"4\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                "borderId=\"0\" xfId=\"0\"/><xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" "
                "borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/><xf numFmtId=\"165\" "
                "fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>"
                "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
                "applyFont=\"1\"/></cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" "
                "xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>"},
        {sheetHead(true, true, {12.5, 0, 300, -1, 7}),
         kXml + "<worksheet " + kSpaces +
             "><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"><pane ySplit=\"1\" "
             "topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/><selection "
             "pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/></sheetView></sheetViews>"
             "<sheetFormatPr defaultRowHeight=\"15\"/><cols><col min=\"1\" max=\"1\" "
             "width=\"12.5\" customWidth=\"1\"/><col min=\"3\" max=\"3\" width=\"255\" "
             "customWidth=\"1\"/><col min=\"5\" max=\"5\" width=\"7\" customWidth=\"1\"/></cols>"
             "<sheetData>"},
        {sheetHead(false, false, {}),
         kXml + "<worksheet " + kSpaces +
             "><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews><sheetFormatPr "
             "defaultRowHeight=\"15\"/><sheetData>"},
        {sheetTail(sheets[0]), "</sheetData><autoFilter ref=\"A1:C41\"/>" + kMargins},
        {sheetTail({"Tablamo", "", 0, {}}), "</sheetData>" + kMargins},
        {workbookPart({printed}),
         kXml + "<workbook " + kSpaces +
             "><workbookPr/><bookViews><workbookView/></bookViews><sheets><sheet "
             "name=\"Muavin\" sheetId=\"1\" r:id=\"rId1\"/></sheets><definedNames><definedName "
             "name=\"_xlnm._FilterDatabase\" localSheetId=\"0\" hidden=\"1\">'Muavin'!$A$1:$H$61"
             "</definedName><definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">"
             "'Muavin'!$1:$1</definedName></definedNames></workbook>"},
        {sheetHead(false, false, {}, true),
         kXml + "<worksheet " + kSpaces +
             "><sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><sheetViews><sheetView "
             "workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>"
             "<sheetData>"},
        {sheetTail(printed),
         "</sheetData><autoFilter ref=\"A1:H61\"/>" +
             kMargins.substr(0, kMargins.size() - std::string("</worksheet>").size()) +
             "<pageSetup paperSize=\"9\" orientation=\"landscape\" fitToWidth=\"1\" "
             "fitToHeight=\"0\"/><headerFooter><oddHeader>&amp;LA &amp;&amp; B</oddHeader>"
             "<oddFooter>&amp;CSayfa &amp;P</oddFooter></headerFooter></worksheet>"},
    };
    for (const auto& [xml, expected] : parts) EXPECT_EQ(xml, expected);
}

TEST(SheetXml, AWholeWorkbookAsThePackageHoldsIt) {
    // The clean table's layout: a heading row, typed columns, widths.
    Grid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setRow(0, rowOf(3, {{1, "Tarih"}, {2, "Tutar"}}));
    grid.setRow(1, rowOf(3, {{1, "31.12.2005"}, {2, "1234,56"}}));
    grid.setRow(2, rowOf(3, {{2, "-5,00"}}));
    WorkbookOptions options;
    options.headingRow = true;
    options.kinds = {ColumnKind::Date, ColumnKind::Amount};
    options.widths = {10, 12};
    StringSink sink;
    writeWorkbook(grid, "Temiz", sink, RegionalSettings::turkish(), kToday, options);

    const auto members = testing::readFrontToBack(sink.bytes());
    std::vector<std::string> names;
    for (const auto& [name, content] : members) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels",
                                               "docProps/app.xml", "docProps/core.xml",
                                               "xl/_rels/workbook.xml.rels", "xl/styles.xml",
                                               "xl/workbook.xml", "xl/worksheets/sheet1.xml"}));
    EXPECT_EQ(members.at("xl/worksheets/sheet1.xml"),
              kXml + "<worksheet " + kSpaces +
                  "><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"><pane "
                  "ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"
                  "<selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/></sheetView>"
                  "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/><cols><col min=\"1\" "
                  "max=\"1\" width=\"10\" customWidth=\"1\"/><col min=\"2\" max=\"2\" "
                  "width=\"12\" customWidth=\"1\"/></cols><sheetData><row r=\"1\">" +
                  text("A1", "Tarih", " s=\"3\"") + text("B1", "Tutar", " s=\"3\"") +
                  "</row><row r=\"2\"><c r=\"A2\" s=\"1\"><v>38717</v></c><c r=\"B2\" "
                  "s=\"2\"><v>1234.56</v></c></row><row r=\"3\"><c r=\"B3\" s=\"2\"><v>-5</v>"
                  "</c></row></sheetData><autoFilter ref=\"A1:B3\"/>" +
                  kMargins);
    EXPECT_EQ(members.at("xl/workbook.xml"),
              kXml + "<workbook " + kSpaces +
                  "><workbookPr/><bookViews><workbookView/></bookViews><sheets><sheet "
                  "name=\"Temiz\" sheetId=\"1\" r:id=\"rId1\"/></sheets><definedNames>"
                  "<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"0\" "
                  "hidden=\"1\">'Temiz'!$A$1:$B$3</definedName></definedNames></workbook>");
}

}  // namespace
}  // namespace tablamo
