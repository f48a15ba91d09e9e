#include "export/xlsx_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/error.h"
#include "core/grid.h"
#include "core/import_settings.h"
#include "export/sheet_xml.h"
#include "export/xlsx_package.h"
#include "support/temp_dir.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

namespace fs = std::filesystem;
using testing::XlsxPackage;

constexpr Date kToday{2026, 12, 8};

// A fresh folder per test, removed afterwards.
class XlsxWriter : public ::testing::Test {
protected:
    void SetUp() override { m_dir = m_folder.path(); }
    std::string file(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    testing::TempDir m_folder;
    fs::path m_dir;
};

// Days since 30 December 1899: the workbook's serial of a date from March 1900 on.
long serial(int y, int m, int d) {
    y -= m <= 2;
    const long era = y / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    return days + 25569;  // 1970-01-01 is serial 25569
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(XlsxNames, ColumnLettersFileNameSheetNameAndDateFormat) {
    const std::pair<int, const char*> columns[] = {{1, "A"},    {20, "T"},    {26, "Z"},
                                                   {27, "AA"},  {52, "AZ"},   {53, "BA"},
                                                   {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [column, expected] : columns) {
        char buffer[4];
        EXPECT_EQ(SheetRows::letters(column, buffer), expected) << column;
    }

    const std::pair<const char*, const char*> names[] = {
        {"rapor.xlsx", "rapor.xlsx"},
        {"rapor.XLSX", "rapor.XLSX"},
        {"rapor.xls", "rapor.xlsx"},
        {"/a/b/Rapor.XlS", "/a/b/Rapor.xlsx"},
        {"rapor", "rapor.xlsx"},
        {"rapor.csv", "rapor.csv.xlsx"},
        {"rapor.xlsx.bak", "rapor.xlsx.bak.xlsx"},
        {"xls", "xls.xlsx"},
    };
    for (const auto& [in, out] : names) EXPECT_EQ(xlsxFileName(in), out) << in;

    EXPECT_EQ(worksheetName("Tablamo", 0), "Tablamo");
    EXPECT_EQ(worksheetName("Tablamo", 1), "Tablamo (2)");
    EXPECT_EQ(worksheetName("Tablamo", 11), "Tablamo (12)");

    EXPECT_EQ(dateNumberFormat(RegionalSettings::turkish()), "dd\\.mm\\.yyyy");
    EXPECT_EQ(dateNumberFormat({'.', '/', DateOrder::MonthDayYear}), "mm\\/dd\\/yyyy");
    EXPECT_EQ(dateNumberFormat({'.', '-', DateOrder::YearMonthDay}), "yyyy\\-mm\\-dd");
}

TEST_F(XlsxWriter, FreshGridGivesOneEmptyWorksheet) {
    Grid grid;
    NumberGridHeaders(grid);  // letters and row numbers never reach the worksheet
    const std::string path = file("bos.xlsx");
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kToday);
    const XlsxPackage book(path);
    EXPECT_EQ(book.sheetNames, std::vector<std::string>{"Tablamo"});
    EXPECT_TRUE(book.cells(0).empty());
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"bos.xlsx"});  // no temporary left
}

TEST_F(XlsxWriter, CellsAreTypedAsDatesNumbersAndTexts) {
    Grid grid;
    NumberGridHeaders(grid);
    const struct {
        int col, row;
        const char* text;
        const char* address;
        const char* type;    // "" for numbers and dates
        const char* format;  // the date format, or ""
        std::string value;   // as written in the sheet
    } cases[] = {
        {1, 1, "31/12/2005", "A1", "", "dd\\.mm\\.yyyy", std::to_string(serial(2005, 12, 31))},
        {2, 1, "31.12.2005", "B1", "", "dd\\.mm\\.yyyy", std::to_string(serial(2005, 12, 31))},
        {3, 1, "12.05", "C1", "", "dd\\.mm\\.yyyy", std::to_string(serial(2026, 5, 12))},
        {4, 1, "05.01.99", "D1", "", "dd\\.mm\\.yyyy", std::to_string(serial(1999, 1, 5))},
        {5, 1, "05.01.30", "E1", "", "dd\\.mm\\.yyyy", std::to_string(serial(2030, 1, 5))},
        {1, 2, "1.234,56", "A2", "inlineStr", "", "1.234,56"},
        {2, 2, "150,75", "B2", "", "", "150.75"},
        {3, 2, "-0,5", "C2", "", "", "-0.5"},
        {4, 2, "-250", "D2", "", "", "-250"},
        {5, 2, "-1", "E2", "", "", "-1"},
        // The shortest text that reads back as the same number.
        {6, 2, "0,1", "F2", "", "", "0.1"},
        {7, 2, "123456789012345678", "G2", "", "", "123456789012345680"},
        {8, 2, "0,000001", "H2", "", "", "1e-06"},
        {20, 24, "Son", "T24", "inlineStr", "", "Son"},
        // Windows-1254 letters arrive as UTF-8.
        {1, 3, "\xDE\xFD\xF0\xDD \xFC\xE7", "A3", "inlineStr", "",
         "\xC5\x9E\xC4\xB1\xC4\x9F\xC4\xB0 \xC3\xBC\xC3\xA7"},
        // Before the workbook's first date (1900) the date keeps its text.
        {2, 3, "01.01.1899", "B3", "inlineStr", "", "01.01.1899"},
        {3, 3, "01.03.1900", "C3", "", "dd\\.mm\\.yyyy", "61"},
        // Blanks are a text, not an empty cell.
        {4, 3, "  ", "D3", "inlineStr", "", "  "},
        // What a spreadsheet would run as a formula stays a text.
        {5, 3, "=HYPERLINK(\"http://x\")", "E3", "inlineStr", "", "=HYPERLINK(\"http://x\")"},
        {6, 3, "@SUM(A1)", "F3", "inlineStr", "", "@SUM(A1)"},
        {7, 3, "+A1", "G3", "inlineStr", "", "+A1"},
    };
    for (const auto& c : cases) grid.setCell(c.col, c.row, c.text);
    const std::string path = file("rapor.xlsx");
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kToday);

    const XlsxPackage book(path);
    const auto cells = book.cells(0);
    EXPECT_EQ(cells.size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(cells.count(c.address));
        const auto& cell = cells.at(c.address);
        EXPECT_EQ(cell.type, c.type);
        EXPECT_EQ(cell.format, c.format);
        EXPECT_EQ(cell.value, c.value);
    }
}

TEST_F(XlsxWriter, DatesFollowTheRegionalOrderAndSeparator) {
    Grid grid;
    grid.setCell(1, 1, "12/31/2005");
    grid.setCell(2, 1, "12.5");
    const std::string path = file("us.xlsx");
    SaveToExcel(grid, "Tablamo", path, {'.', '/', DateOrder::MonthDayYear}, kToday);
    const auto cells = XlsxPackage(path).cells(0);
    EXPECT_EQ(cells.at("A1").format, "mm\\/dd\\/yyyy");
    EXPECT_EQ(cells.at("A1").value, std::to_string(serial(2005, 12, 31)));
    EXPECT_EQ(cells.at("B1").value, "12.5");
}

TEST_F(XlsxWriter, ControlCharactersLeaveTheSheetXmlWellFormed) {
    Grid grid;
    const std::string texts[] = {
        std::string("a\x01"
                    "b\x1F"
                    "c\x0B"
                    "d",
                    7),
        std::string("s\0n", 3),    // a zero byte does not end the text
        "_x0041_ stays as typed",  // looks like an escape, is not one
        "<&> \"quoted\"",
        "line\r\nbreak\ttab",
    };
    for (int i = 0; i < static_cast<int>(std::size(texts)); ++i) grid.setCell(1, i + 1, texts[i]);
    const std::string path = file("kontrol.xlsx");
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kToday);

    const XlsxPackage book(path);
    const std::string xml = book.sheetXml(0);
    for (const char ch : xml) {
        const auto byte = static_cast<unsigned char>(ch);
        EXPECT_TRUE(byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r')
            << "raw control byte " << int(byte) << " in the sheet XML";
    }
    const auto cells = book.cells(0);
    for (int i = 0; i < static_cast<int>(std::size(texts)); ++i) {
        const auto& cell = cells.at("A" + std::to_string(i + 1));
        EXPECT_EQ(cell.type, "inlineStr");
        EXPECT_EQ(cell.value, texts[i]) << i;
    }
}

// A process whose numbers are written with a decimal comma still writes "0.35".
TEST_F(XlsxWriter, NumbersAreWrittenTheSameInEveryLocale) {
    const char* const commaLocales[] = {"tr_TR.UTF-8", "tr_TR.utf8", "de_DE.UTF-8", "de_DE.utf8"};
    const char* found = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name)) {
            found = name;
            break;
        }
    }
    if (!found) GTEST_SKIP() << "no locale with a decimal comma is installed";
    Grid grid;
    grid.setCell(1, 1, "0,35");
    const std::string path = file("yerel.xlsx");
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kToday);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(XlsxPackage(path).cells(0).at("A1").value, "0.35") << found;
}

TEST_F(XlsxWriter, RowsBeyondOneWorksheetGoOnTheNext) {
    Grid grid;
    const int dataRows = kWorksheetRows + 3;
    grid.setRowCount(dataRows + 1);
    for (int r = 1; r <= dataRows; ++r) grid.setCell(1, r, std::to_string(r));
    grid.setCell(20, dataRows, "son");
    const std::string path = file("buyuk.xlsx");
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kToday);

    const XlsxPackage book(path);
    EXPECT_EQ(book.sheetNames, (std::vector<std::string>{"Tablamo", "Tablamo (2)"}));
    auto count = [](const std::string& xml, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = 0; (at = xml.find(what, at)) != std::string::npos; at += what.size())
            ++n;
        return n;
    };
    const std::string first = book.sheetXml(0);
    EXPECT_EQ(count(first, "<row "), static_cast<std::size_t>(kWorksheetRows));
    EXPECT_NE(first.find("<c r=\"A1048576\"><v>1048576</v></c>"), std::string::npos);
    const auto second = book.cells(1);
    EXPECT_EQ(count(book.sheetXml(1), "<row "), 3u);
    EXPECT_EQ(second.at("A1").value, "1048577");
    EXPECT_EQ(second.at("A3").value, "1048579");
    EXPECT_EQ(second.at("T3").value, "son");
}

TEST_F(XlsxWriter, AFailedSaveLeavesTheExistingFileIntact) {
    Grid grid;
    grid.setCell(1, 1, "yeni");
    const std::string path = file("eski.xlsx");
    { std::ofstream(path, std::ios::binary) << "old contents"; }

    // A name Excel does not take is refused before anything is written.
    EXPECT_THROW_MSG(SaveToExcel(grid, "Bad[name]", path, RegionalSettings::turkish(), kToday),
                     "Cannot create file \"" + path + "\". " +
                         "Worksheet name cannot contain invalid characters: '[ ] : * ? / \\'");
    EXPECT_EQ(slurp(path), "old contents");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"eski.xlsx"});

    const std::string missing = file("yok/rapor.xlsx");
    const std::string folder = file("klasor.xlsx");
    fs::create_directory(folder);
    const std::pair<std::string, std::string> failures[] = {
        {missing, "Cannot create file \"" + missing + "\". No such file or directory"},
        {folder, "Cannot create file \"" + folder + "\". Is a directory"},
    };
    for (const auto& [target, message] : failures) {
        EXPECT_THROW_MSG(SaveToExcel(grid, "Tablamo", target, RegionalSettings::turkish(), kToday),
                         message);
    }
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"eski.xlsx", "klasor.xlsx"}));

    // A failure in the middle of the sheet (a text too long for a cell) releases the file
    // and leaves no temporary one.
    auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    Grid longCell;
    longCell.setCell(1, 1, "a");
    longCell.setCell(1, 2, std::string(40000, 'x'));
    const auto before = openFiles();
    for (int i = 0; i < 3; ++i) {
        EXPECT_THROW(SaveToExcel(longCell, "Tablamo", path, RegionalSettings::turkish(), kToday),
                     Error);
    }
    EXPECT_EQ(openFiles(), before);
    EXPECT_EQ(slurp(path), "old contents");

    // The next save replaces the old file with the workbook, keeping its permissions.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kToday);
    EXPECT_EQ(XlsxPackage(path).cells(0).at("A1").value, "yeni");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace tablamo
