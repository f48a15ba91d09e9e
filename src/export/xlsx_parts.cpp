#include "export/xlsx_parts.h"

#include <charconv>
#include <cmath>

#include "core/platform/system.h"

namespace tablamo {
namespace {

constexpr const char* kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kRelationshipTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr const char* kContentTypes = "application/vnd.openxmlformats-officedocument.";

std::string number(long long n) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    return {digits, static_cast<std::size_t>(end - digits)};
}

// "$A$1:$T$40" for an autofilter's hidden name.
std::string absoluteRange(const SheetEntry& sheet) {
    return "$A$1:$" + sheet.filterColumn + "$" + number(sheet.filterRows);
}

// A sheet's name as a formula quotes it, escaped for the XML: 'O''Brien'.
std::string quotedSheet(const std::string& name) {
    std::string quoted;
    for (const char c : name) quoted += c == '\'' ? "''" : std::string(1, c);
    return "'" + xmlEscaped(quoted) + "'";
}

// Two digits of a date or time field.
std::string twoDigits(int n) {
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

}  // namespace

std::string xmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string contentTypesPart(int sheets) {
    std::string x = kXmlDeclaration;
    x += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">";
    x += "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
         "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    auto part = [&x](const std::string& name, const char* type) {
        x += "<Override PartName=\"" + name + "\" ContentType=\"" + type + "\"/>";
    };
    part("/docProps/app.xml",
         "application/vnd.openxmlformats-officedocument.extended-properties+xml");
    part("/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    const std::string sheet = std::string(kContentTypes) + "spreadsheetml.worksheet+xml";
    const std::string book = std::string(kContentTypes) + "spreadsheetml.sheet.main+xml";
    const std::string styles = std::string(kContentTypes) + "spreadsheetml.styles+xml";
    part("/xl/workbook.xml", book.c_str());
    part("/xl/styles.xml", styles.c_str());
    for (int i = 1; i <= sheets; ++i)
        part("/xl/worksheets/sheet" + number(i) + ".xml", sheet.c_str());
    return x + "</Types>";
}

std::string rootRelsPart() {
    std::string x = kXmlDeclaration;
    x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    x += std::string("<Relationship Id=\"rId1\" Type=\"") + kRelationshipTypes +
         "officeDocument\" Target=\"xl/workbook.xml\"/>";
    x += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
         "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>";
    x += std::string("<Relationship Id=\"rId3\" Type=\"") + kRelationshipTypes +
         "extended-properties\" Target=\"docProps/app.xml\"/>";
    return x + "</Relationships>";
}

std::string appPart(const std::vector<SheetEntry>& sheets) {
    const std::string count = number(static_cast<long long>(sheets.size()));
    std::string x = kXmlDeclaration;
    x += "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
         "extended-properties\" xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/"
         "2006/docPropsVTypes\"><Application>Microsoft Excel</Application>"
         "<DocSecurity>0</DocSecurity><ScaleCrop>false</ScaleCrop><HeadingPairs>"
         "<vt:vector size=\"2\" baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr>"
         "</vt:variant><vt:variant><vt:i4>" +
         count +
         "</vt:i4></vt:variant></vt:vector>"
         "</HeadingPairs><TitlesOfParts><vt:vector size=\"" +
         count + "\" baseType=\"lpstr\">";
    for (const SheetEntry& s : sheets) x += "<vt:lpstr>" + xmlEscaped(s.name) + "</vt:lpstr>";
    return x + "</vt:vector></TitlesOfParts><AppVersion>12.0000</AppVersion></Properties>";
}

std::string corePart(std::time_t now) {
    const std::tm t = platform::utcTime(now);
    const std::string stamp = number(t.tm_year + 1900) + "-" + twoDigits(t.tm_mon + 1) + "-" +
                              twoDigits(t.tm_mday) + "T" + twoDigits(t.tm_hour) + ":" +
                              twoDigits(t.tm_min) + ":" + twoDigits(t.tm_sec) + "Z";
    std::string x = kXmlDeclaration;
    x += "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
         "core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
         "xmlns:dcterms=\"http://purl.org/dc/terms/\" xmlns:xsi=\"http://www.w3.org/2001/"
         "XMLSchema-instance\"><dc:creator></dc:creator>";
    x += "<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + stamp + "</dcterms:created>";
    x += "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + stamp + "</dcterms:modified>";
    return x + "</cp:coreProperties>";
}

std::string workbookPart(const std::vector<SheetEntry>& sheets) {
    std::string x = kXmlDeclaration;
    x += std::string("<workbook xmlns=\"") + kMain + "\" xmlns:r=\"" + kRelationships +
         "\"><workbookPr/><bookViews><workbookView/></bookViews><sheets>";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string id = number(static_cast<long long>(i + 1));
        x += "<sheet name=\"" + xmlEscaped(sheets[i].name) + "\" sheetId=\"" + id +
             "\" r:id=\"rId" + id + "\"/>";
    }
    x += "</sheets>";
    // An autofilter is known to the spreadsheet by a hidden name per worksheet.
    std::string names;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].filterRows == 0) continue;
        names += "<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"" +
                 number(static_cast<long long>(i)) + "\" hidden=\"1\">" +
                 quotedSheet(sheets[i].name) + "!" + absoluteRange(sheets[i]) + "</definedName>";
    }
    // The heading row printed on top of every page.
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (!sheets[i].print.enabled || !sheets[i].print.headingRepeated) continue;
        names += "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"" +
                 number(static_cast<long long>(i)) + "\">" + quotedSheet(sheets[i].name) +
                 "!$1:$1</definedName>";
    }
    if (!names.empty()) x += "<definedNames>" + names + "</definedNames>";
    return x + "</workbook>";
}

std::string workbookRelsPart(int sheets) {
    std::string x = kXmlDeclaration;
    x += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (int i = 1; i <= sheets; ++i) {
        x += "<Relationship Id=\"rId" + number(i) + "\" Type=\"" + kRelationshipTypes +
             "worksheet\" Target=\"worksheets/sheet" + number(i) + ".xml\"/>";
    }
    x += "<Relationship Id=\"rId" + number(sheets + 1) + "\" Type=\"" + kRelationshipTypes +
         "styles\" Target=\"styles.xml\"/>";
    return x + "</Relationships>";
}

std::string stylesPart(std::string_view dateFormat, bool wrapped) {
    // The cellXfs in the order of CellStyle: plain, date, amount, bold heading, and wrapped
    // text and heading; a workbook that wraps no text has its styles part as before there
    // was one to wrap.
    std::string x = kXmlDeclaration;
    x += std::string("<styleSheet xmlns=\"") + kMain + "\"><numFmts count=\"2\">" +
         "<numFmt numFmtId=\"164\" formatCode=\"" + xmlEscaped(dateFormat) + "\"/>" +
         "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00\"/></numFmts>";
    x += "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
         "</font><font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
         "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill>"
         "<patternFill patternType=\"gray125\"/></fill></fills><borders count=\"1\"><border>"
         "<left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs "
         "count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"";
    // A workbook whose texts wrap sets every cell at the top of its row, as the report
    // prints a record's figures beside its first line: the style "Normal" too, which some
    // programs take for a cell that names no style.
    const std::string top =
        wrapped ? " applyAlignment=\"1\"><alignment vertical=\"top\"/></xf>" : "/>";
    x += top + "</cellStyleXfs><cellXfs count=\"";
    x += wrapped ? "6" : "4";
    x += "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"" + top;
    x += "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
         "applyNumberFormat=\"1\"" +
         top;
    x += "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
         "applyNumberFormat=\"1\"" +
         top;
    x += "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"" +
         top;
    if (wrapped) {
        x += "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
             "applyAlignment=\"1\"><alignment vertical=\"top\" wrapText=\"1\"/></xf>"
             "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
             "applyFont=\"1\" applyAlignment=\"1\"><alignment vertical=\"top\" "
             "wrapText=\"1\"/></xf>";
    }
    x += "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
         "builtinId=\"0\"/></cellStyles></styleSheet>";
    return x;
}

std::string sheetHead(bool selected, bool frozenHeading, const std::vector<double>& widths,
                      bool fitToPage) {
    std::string x = kXmlDeclaration;
    x += std::string("<worksheet xmlns=\"") + kMain + "\" xmlns:r=\"" + kRelationships + "\">";
    if (fitToPage) x += "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";
    x += "<sheetViews><sheetView";
    if (selected) x += " tabSelected=\"1\"";
    x += " workbookViewId=\"0\"";
    if (frozenHeading) {
        x += "><pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" "
             "state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"A2\" "
             "sqref=\"A2\"/></sheetView>";
    } else {
        x += "/>";
    }
    x += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    std::string cols;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        // Excel's widest column is 255 characters; NaN and non-positive widths are left out.
        if (!(widths[i] > 0)) continue;
        char width[32];
        char* end = std::to_chars(width, width + sizeof width, std::fmin(widths[i], 255.0)).ptr;
        const std::string column = number(static_cast<long long>(i + 1));
        cols += "<col min=\"" + column + "\" max=\"" + column + "\" width=\"" +
                std::string(width, static_cast<std::size_t>(end - width)) +
                "\" customWidth=\"1\"/>";
    }
    if (!cols.empty()) x += "<cols>" + cols + "</cols>";
    return x + "<sheetData>";
}

std::string sheetTail(const SheetEntry& sheet) {
    std::string x = "</sheetData>";
    if (sheet.filterRows > 0) {
        x += "<autoFilter ref=\"A1:" + sheet.filterColumn + number(sheet.filterRows) + "\"/>";
    }
    x += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
         "header=\"0.3\" footer=\"0.3\"/>";
    const SheetPrint& print = sheet.print;
    if (print.enabled) {
        // A4, as wide as the page and as many pages long as it takes.
        x += std::string("<pageSetup paperSize=\"9\" orientation=\"") +
             (print.landscape ? "landscape" : "portrait") +
             "\" fitToWidth=\"1\" fitToHeight=\"0\"/>";
        x += "<headerFooter><oddHeader>" + xmlEscaped(print.header) + "</oddHeader><oddFooter>" +
             xmlEscaped(print.footer) + "</oddFooter></headerFooter>";
    }
    return x + "</worksheet>";
}

}  // namespace tablamo
