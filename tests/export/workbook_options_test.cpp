// The clean table's workbook (a heading row, kinds and widths per column), the workbook as
// openpyxl reads it, and failures while the worksheets are being written.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <random>

#include "core/grid.h"
#include "export/xlsx_package.h"
#include "export/xlsx_writer.h"
#include "support/failing_disk.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::TempDir;
using testing::XlsxPackage;

constexpr Date kOptionsToday{2026, 12, 8};

// A clean table: headings in grid row 0, then three rows. Columns: code, text, amount,
// date, text, and one without a kind (typed by cellValue).
Grid cleanGrid() {
    Grid grid;
    grid.setRowCount(4);
    const char* rows[4][6] = {
        {"Hesap Kodu", "A\xE7\xFDklama", "Tutar", "Tarih", "2005", "Adet"},
        {"00120", "Sat\xFD\xFE", "1234,56", "31.12.2005", "12,5", "7"},
        {"120.01", "-", "-0,5", "01.01.1899", "", "05.01.99"},
        {"", "x", "1.234,56", "yar\xFDn", "", ""},
    };
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 6; ++c) grid.setCell(c + 1, r, rows[r][c]);
    }
    return grid;
}

WorkbookOptions cleanOptions() {
    WorkbookOptions o;
    o.headingRow = true;
    o.kinds = {ColumnKind::Code, ColumnKind::Text, ColumnKind::Amount, ColumnKind::Date,
               ColumnKind::Text};
    o.widths = {12.5, 30, 0, 11};
    return o;
}

TEST(CleanWorkbook, KindsHeadingRowFrozenPaneAutofilterAndWidths) {
    TempDir dir;
    const std::string path = dir / "temiz.xlsx";
    SaveToExcel(cleanGrid(), "Tablamo", path, RegionalSettings::turkish(), kOptionsToday,
                cleanOptions());

    const XlsxPackage book(path);
    const std::string date = "dd\\.mm\\.yyyy";
    const struct {
        const char* address;
        const char* type;
        std::string format;
        const char* value;
    } cells[] = {
        {"A1", "inlineStr", "", "Hesap Kodu"},
        {"B1", "inlineStr", "", "A\xC3\xA7\xC4\xB1klama"},
        {"C1", "inlineStr", "", "Tutar"},
        {"D1", "inlineStr", "", "Tarih"},
        {"E1", "inlineStr", "", "2005"},
        {"F1", "inlineStr", "", "Adet"},
        {"A2", "inlineStr", "", "00120"},
        {"B2", "inlineStr", "", "Sat\xC4\xB1\xC5\x9F"},
        {"C2", "", "#,##0.00", "1234.56"},
        {"D2", "", date, "38717"},
        {"E2", "inlineStr", "", "12,5"},
        {"F2", "", "", "7"},
        {"A3", "inlineStr", "", "120.01"},
        {"B3", "inlineStr", "", "-"},
        {"C3", "", "#,##0.00", "-0.5"},
        {"D3", "inlineStr", "", "01.01.1899"},
        {"F3", "", date, "36165"},
        {"B4", "inlineStr", "", "x"},
        {"C4", "inlineStr", "", "1.234,56"},
        {"D4", "inlineStr", "", "yar\xC4\xB1n"},
    };
    const auto read = book.cells(0);
    EXPECT_EQ(read.size(), std::size(cells));
    for (const auto& c : cells) {
        SCOPED_TRACE(c.address);
        ASSERT_TRUE(read.count(c.address));
        EXPECT_EQ(read.at(c.address).type, c.type);
        EXPECT_EQ(read.at(c.address).format, c.format);
        EXPECT_EQ(read.at(c.address).value, c.value);
    }
    const std::string sheet = book.sheetXml(0);
    for (const char* part :
         {"<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>",
          "<cols><col min=\"1\" max=\"1\" width=\"12.5\" customWidth=\"1\"/><col min=\"2\" "
          "max=\"2\" width=\"30\" customWidth=\"1\"/><col min=\"4\" max=\"4\" width=\"11\" "
          "customWidth=\"1\"/></cols>",
          "<autoFilter ref=\"A1:T4\"/>"}) {
        EXPECT_NE(sheet.find(part), std::string::npos) << part;
    }
    EXPECT_NE(testing::readPart(path, "xl/workbook.xml").find("'Tablamo'!$A$1:$T$4"),
              std::string::npos);
}

TEST(CleanWorkbook, EveryWorksheetStartsWithTheHeadingRow) {
    Grid grid;
    const int dataRows = kWorksheetRows + 1;  // the first sheet holds one row less under it
    grid.setRowCount(dataRows + 1);
    grid.setCell(1, 0, "S\xFDra");
    for (int r = 1; r <= dataRows; ++r) grid.setCell(1, r, std::to_string(r));
    TempDir dir;
    const std::string path = dir / "uzun.xlsx";
    WorkbookOptions options;
    options.headingRow = true;
    SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kOptionsToday, options);

    const XlsxPackage book(path);
    EXPECT_EQ(book.sheetNames, (std::vector<std::string>{"Tablamo", "Tablamo (2)"}));
    const std::string first = book.sheetXml(0);
    EXPECT_NE(first.find("<c r=\"A1048576\"><v>1048575</v></c></row></sheetData>"),
              std::string::npos);
    EXPECT_NE(first.find("<autoFilter ref=\"A1:T1048576\"/>"), std::string::npos);
    const auto second = book.cells(1);
    EXPECT_EQ(second.size(), 3u);
    EXPECT_EQ(second.at("A1").value, "S\xC4\xB1ra");
    EXPECT_EQ(second.at("A2").value, "1048576");
    EXPECT_EQ(second.at("A3").value, "1048577");
    EXPECT_NE(book.sheetXml(1).find("<autoFilter ref=\"A1:T3\"/>"), std::string::npos);
}

// What a spreadsheet library sees: openpyxl's reading of the plain and the clean workbook.
TEST(CleanWorkbook, OpenpyxlReadsValuesTypesFormatsAndLayout) {
    TempDir dir;
    const std::string plain = dir / "duz.xlsx";
    const std::string clean = dir / "temiz.xlsx";
    SaveToExcel(cleanGrid(), "Tablamo", plain, RegionalSettings::turkish(), kOptionsToday);
    SaveToExcel(cleanGrid(), "Temiz", clean, RegionalSettings::turkish(), kOptionsToday,
                cleanOptions());
    auto read = [&](const std::string& path) {
        const std::string out = dir / "okunan.txt";
        const int raw =
            std::system(("/usr/bin/python3 '" TABLAMO_EXPORT_TESTS "/read_workbook.py' '" + path +
                         "' > '" + out + "' 2>&1")
                            .c_str());
        return std::make_pair(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testing::readBytes(out));
    };
    const auto [plainStatus, plainText] = read(plain);
    if (plainStatus == 3) GTEST_SKIP() << "openpyxl is missing (apt-get install python3-openpyxl)";
    ASSERT_EQ(plainStatus, 0) << plainText;
    // The plain workbook from grid row 1 on, typed by cellValue.
    EXPECT_EQ(plainText,
              "sheet Tablamo freeze=None filter=None\n"
              "A1|int|General|-|120\nB1|str|General|-|Sat\xC4\xB1\xC5\x9F\n"
              "C1|float|General|-|1234.56\nD1|datetime|dd\\.mm\\.yyyy|-|2005-12-31T00:00:00\n"
              "E1|float|General|-|12.5\nF1|int|General|-|7\n"
              "A2|str|General|-|120.01\nB2|str|General|-|-\nC2|float|General|-|-0.5\n"
              "D2|str|General|-|01.01.1899\nF2|datetime|dd\\.mm\\.yyyy|-|1999-01-05T00:00:00\n"
              "B3|str|General|-|x\nC3|str|General|-|1.234,56\nD3|str|General|-|yar\xC4\xB1n\n");
    // The same workbook with every size and offset in ZIP64 form reads the same.
    WorkbookOptions zip64;
    zip64.zip64Limit = 0;
    const std::string large = dir / "zip64.xlsx";
    SaveToExcel(cleanGrid(), "Tablamo", large, RegionalSettings::turkish(), kOptionsToday, zip64);
    EXPECT_EQ(read(large), std::make_pair(0, plainText));
    const auto [cleanStatus, cleanText] = read(clean);
    ASSERT_EQ(cleanStatus, 0) << cleanText;
    EXPECT_EQ(cleanText,
              "sheet Temiz freeze=A2 filter=A1:T4\nwidth A 12.5\nwidth B 30\nwidth D 11\n"
              "A1|str|General|b|Hesap Kodu\nB1|str|General|b|A\xC3\xA7\xC4\xB1klama\n"
              "C1|str|General|b|Tutar\nD1|str|General|b|Tarih\nE1|str|General|b|2005\n"
              "F1|str|General|b|Adet\n"
              "A2|str|General|-|00120\nB2|str|General|-|Sat\xC4\xB1\xC5\x9F\n"
              "C2|float|#,##0.00|-|1234.56\nD2|datetime|dd\\.mm\\.yyyy|-|2005-12-31T00:00:00\n"
              "E2|str|General|-|12,5\nF2|int|General|-|7\n"
              "A3|str|General|-|120.01\nB3|str|General|-|-\nC3|float|#,##0.00|-|-0.5\n"
              "D3|str|General|-|01.01.1899\nF3|datetime|dd\\.mm\\.yyyy|-|1999-01-05T00:00:00\n"
              "B4|str|General|-|x\nC4|str|General|-|1.234,56\nD4|str|General|-|yar\xC4\xB1n\n");
}

// A sheet takes the ZIP64 form only when its own cells may pass the limit, not whenever the
// grid's whole storage could (LibreOffice opens no workbook with a ZIP64 member).
TEST(CleanWorkbook, ASheetTakesTheZip64FormOnlyWhenItsCellsMayPassTheLimit) {
    const struct {
        std::uint64_t limit;
        int version;  // version needed to extract the sheet: 20 plain, 45 ZIP64
    } cases[] = {{0xFFFFFFFFu, 20}, {64 << 10, 20}, {1000, 45}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        WorkbookOptions options = cleanOptions();
        options.zip64Limit = c.limit;
        StringSink sink;
        writeWorkbook(cleanGrid(), "Tablamo", sink, RegionalSettings::turkish(), kOptionsToday,
                      options);
        const std::string& zip = sink.bytes();
        const std::size_t name = zip.find("xl/worksheets/sheet1.xml");
        ASSERT_NE(name, std::string::npos);
        ASSERT_EQ(zip.compare(name - 30, 4, "PK\x03\x04"), 0)
            << "the first name is the local header's";
        EXPECT_EQ(static_cast<unsigned char>(zip[name - 26]), c.version);
    }
}

// A grid whose workbook is a few megabytes: many chunks, on both threads.
Grid noisyGrid() {
    Grid grid;
    grid.setRowCount(20001);
    std::mt19937 gen(7);
    Grid::RowCells cells{};
    std::string texts[Grid::kColumnCount];
    for (int r = 1; r < grid.rowCount(); ++r) {
        for (int c = 1; c < Grid::kColumnCount; ++c) {
            texts[c] = std::to_string(gen()) + "x" + std::to_string(gen() % 1000);
            cells[static_cast<std::size_t>(c)] = texts[c];
        }
        grid.setRow(r, cells);
    }
    return grid;
}

// A sink that fails once it has taken `limit` bytes.
class FailingSink : public ByteSink {
public:
    explicit FailingSink(std::size_t limit) : m_limit(limit) {}
    void write(const char*, std::size_t size) override {
        if (m_taken + size > m_limit) throw Error("disk gone");
        m_taken += size;
    }
    using ByteSink::write;

private:
    std::size_t m_limit;
    std::size_t m_taken = 0;
};

TEST(WorkbookFailures, ASinkFailingAnywhereEndsTheWriteWithItsError) {
    const Grid grid = noisyGrid();
    StringSink whole;
    writeWorkbook(grid, "Tablamo", whole, RegionalSettings::turkish(), kOptionsToday);
    ASSERT_GT(whole.bytes().size(), std::size_t{2} << 20);
    for (const std::size_t limit :
         {std::size_t{0}, std::size_t{2000}, std::size_t{1} << 20, whole.bytes().size() - 10}) {
        SCOPED_TRACE(limit);
        FailingSink sink(limit);
        try {
            writeWorkbook(grid, "Tablamo", sink, RegionalSettings::turkish(), kOptionsToday);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "disk gone");
        }
    }
}

TEST(WorkbookFailures, ASizeLimitInTheMiddleOfTheSheetKeepsTheOldFile) {
    const Grid grid = noisyGrid();
    TempDir dir;
    const std::string path = dir / "eski.xlsx";
    testing::writeBytes(path, "eski dosya");
    try {
        testing::FileSizeLimit limit(std::size_t{3} << 19);  // 1.5 MiB
        SaveToExcel(grid, "Tablamo", path, RegionalSettings::turkish(), kOptionsToday);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". File too large");
    }
    EXPECT_EQ(testing::readBytes(path), "eski dosya");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"eski.xlsx"});
}

}  // namespace
}  // namespace tablamo
