// Reports merged into one book: tables by headings, the "Kaynak" column, the reports that
// merge nothing, "Özet", and the book saved with a sheet per group.

#include "commands/report_merge.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/merge_reading.h"
#include "core/encoding.h"
#include "core/grid.h"
#include "core/platform/files.h"
#include "export/xlsx_package.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

std::string clean(const std::string& kind) {
    return std::string(TABLAMO_TEST_DATA) + "/clean/" + kind + "/report.txt";
}

MergeReading turkishReading(int threads) {
    MergeReading reading;
    reading.regional = RegionalSettings::turkish();
    reading.threads = threads;
    return reading;
}

std::vector<std::string> column(const Grid& grid, int c) {
    std::vector<std::string> cells;
    for (int r = 0; r < grid.rowCount(); ++r) cells.push_back(win1254ToUtf8(grid.cell(c, r)));
    return cells;
}

TEST(ReportMerge, SameHeadingsOneTableOthersApartFailuresListedInOrder) {
    const std::vector<MergeSource> sources = {
        {clean("muavin-tek-hesap"), "ocak/muavin.txt", {}, 0},
        {clean("mizan"), "ocak/mizan.txt", {}, 0},
        {std::string(TABLAMO_TEST_DATA) + "/yok.txt", "yok.txt", {}, 0},
        {std::string(TABLAMO_SAMPLES) + "/not-a-report.txt", "mektup.txt", {}, 0},
        {clean("muavin-tek-hesap"), "subat/muavin.txt", {}, 0},
        {{}, "kapali", "Cannot open folder \"kapali\". Permission denied", 0},
    };
    ReportMerge merge;
    std::vector<std::size_t> order;
    const std::vector<MergedReport> reports =
        mergeReports(sources, turkishReading(3), merge, [&](std::size_t i, const MergedReport& r) {
            order.push_back(i);
            EXPECT_EQ(r.source, sources[i].label);
        });
    EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5}));

    const struct {
        MergeStatus status;
        const char* sheet;
        int firstRow;
        int records;
        int totals;
        std::size_t messages;
    } expected[] = {
        {MergeStatus::Merged, "MUAV\xDDN DEFTER\xDD", 1, 60, 8, 0},
        {MergeStatus::Merged, "GENEL GE\xC7\xDD\x43\xDD M\xDDZAN", 1, 50, 6, 0},
        {MergeStatus::Failed, "", 0, 0, 0, 1},
        {MergeStatus::Rejected, "", 0, 0, 0, 1},
        {MergeStatus::Merged, "MUAV\xDDN DEFTER\xDD", 61, 60, 8, 0},
        {MergeStatus::Failed, "", 0, 0, 0, 1},
    };
    ASSERT_EQ(reports.size(), std::size(expected));
    for (std::size_t i = 0; i < reports.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(reports[i].status, expected[i].status);
        EXPECT_EQ(reports[i].sheet, expected[i].sheet);
        EXPECT_EQ(reports[i].placed.empty() ? 0 : reports[i].placed.front().firstRow,
                  expected[i].firstRow);
        EXPECT_EQ(reports[i].records, expected[i].records);
        EXPECT_EQ(reports[i].totalsChecked, expected[i].totals);
        EXPECT_EQ(reports[i].messages.size(), expected[i].messages);
    }
    EXPECT_EQ(reports[2].messages[0].rfind("Cannot open file", 0), 0u);
    // Each report's closing total as printed, beside what its records add up to.
    EXPECT_EQ(win1254ToUtf8(reports[0].printedTotal),
              "GENEL TOPLAM 3.037.862,59 3.029.277,60 8.584,99 B");
    EXPECT_EQ(win1254ToUtf8(reports[0].recordSums), "Borç 3.037.862,59; Alacak 3.029.277,60");
    EXPECT_EQ(win1254ToUtf8(reports[1].printedTotal).rfind("GENEL TOPLAM 2.590.634,77", 0), 0u);
    EXPECT_EQ(reports[2].printedTotal, "");

    const std::vector<BookTable> tables = merge.tables();
    ASSERT_EQ(tables.size(), 2u);
    const Grid& muavin = *tables[0].grid;
    EXPECT_EQ(muavin.rowCount(), 121);
    EXPECT_EQ(muavin.colCount(), 10);  // the numbers, "Kaynak" and the report's eight
    const std::vector<std::string> sourceColumn = column(muavin, 1);
    EXPECT_EQ(sourceColumn[0], "Kaynak");
    EXPECT_EQ(sourceColumn[1], "ocak/muavin.txt");
    EXPECT_EQ(sourceColumn[60], "ocak/muavin.txt");
    EXPECT_EQ(sourceColumn[61], "subat/muavin.txt");
    EXPECT_EQ(muavin.cell(0, 61), "61");
    EXPECT_EQ(muavin.row(61)[2], muavin.row(1)[2]);  // the same report twice
    EXPECT_EQ(tables[0].shape->columns.size(), 9u);
    EXPECT_EQ(tables[0].shape->recordLines.size(), 120u);
    EXPECT_EQ(win1254ToUtf8(tables[0].print.firm), "ERDOĞAN OTOMOTİV SAN.TİC.A.Ş.");
}

TEST(ReportMerge, SummaryListsEveryReportWithItsCounts) {
    MergedReport merged;
    merged.source = "ocak/çek.txt";
    merged.status = MergeStatus::Merged;
    merged.sheet = "Kasa";
    merged.records = 12;
    merged.totalsChecked = 3;
    merged.warnings = 1;
    merged.messages = {"uyarı: satır 9\r\nikinci"};
    for (int l = 1; l <= 21; ++l) merged.unplacedLines.push_back(l * 10);
    merged.printedTotal = "GENEL TOPLAM 1.234,56 1.234,56";
    merged.recordSums = "Bor\xE7 1.234,56; Alacak 1.234,56";
    MergedReport failed;
    failed.source = "bozuk.txt";
    failed.messages = {"Cannot open file \"bozuk.txt\". Permission denied."};

    const SummaryTable table = summaryTable({merged, failed});
    ASSERT_EQ(table.grid.rowCount(), 3);
    const std::vector<std::vector<std::string>> rows = {
        {"Kaynak", "Sayfa", "Durum", "Açıklama", "Raporun toplamı", "Kayıtların toplamı", "Kayıt",
         "Denetlenen toplam", "Uyarı", "Yerleştirilemeyen satır"},
        {"ocak/çek.txt", "Kasa", "birleştirildi",
         "uyarı: satır 9 ikinci; yerleştirilemeyen satırlar: 10, 20, 30, 40, 50, 60, 70, 80, "
         "90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, …",
         "GENEL TOPLAM 1.234,56 1.234,56", "Borç 1.234,56; Alacak 1.234,56", "12", "3", "1", "21"},
        {"bozuk.txt", "", "okunamadı", "Cannot open file \"bozuk.txt\". Permission denied.", "", "",
         "0", "0", "0", "0"},
    };
    for (int r = 0; r < 3; ++r) {
        for (int c = 1; c <= 10; ++c) {
            EXPECT_EQ(win1254ToUtf8(table.grid.cell(c, r)), rows[r][c - 1]) << r << "," << c;
        }
    }
    EXPECT_EQ(table.shape.columns.size(), 6u);  // the counts are typed by their values
}

TEST(ReportMerge, SavedWithASheetPerAccountAndTheSummaryLast) {
    const std::vector<MergeSource> sources = {
        {clean("muavin-cok-hesap"), "muavin.txt", {}, 0},
        {clean("kasa-defteri-cerceveli"), "kasa.txt", {}, 0},
    };
    ReportMerge merge;
    std::vector<MergedReport> reports = mergeReports(sources, turkishReading(1), merge);
    testing::TempDir dir;
    WriteOptions options;
    options.regional = RegionalSettings::turkish();
    const std::vector<std::string> written =
        saveMerge(merge, reports, OutputFormat::Xlsx, dir / "ay.xlsx", options, "hesap  KODU");
    EXPECT_EQ(written, std::vector<std::string>{dir / "ay.xlsx"});
    const testing::XlsxPackage book(dir / "ay.xlsx");
    EXPECT_EQ(book.sheetNames, (std::vector<std::string>{
                                   "320.01.00838", "320.01.07181", "320.01.46809", "320.01.55242",
                                   "320.01.66654", "KASA DEFTERİ (Ocak - Mart 2005)", "Özet"}));
    EXPECT_EQ(win1254ToUtf8(reports[0].sheet),
              "320.01.00838, 320.01.07181, 320.01.46809, 320.01.55242, 320.01.66654");
    // An account's sheet ends in its totals; the cash book, not split, has none.
    EXPECT_NE(book.sheetXml(1).find("<c r=\"I10\" s=\"2\"><f>SUM(I2:I9)</f>"), std::string::npos);
    EXPECT_EQ(book.sheetXml(5).find("<f>"), std::string::npos);
    EXPECT_EQ(book.cells(6).at("B2").value,
              "320.01.00838, 320.01.07181, 320.01.46809, "
              "320.01.55242, 320.01.66654");

    // As CSV: a file per sheet, named after the book and the sheet.
    ReportMerge again;
    reports = mergeReports(sources, turkishReading(2), again);
    const std::vector<std::string> files =
        saveMerge(again, reports, OutputFormat::Csv, dir / "ay.csv", options);
    EXPECT_EQ(files, (std::vector<std::string>{dir / "ay-MUAVİN DEFTERİ.csv",
                                               dir / "ay-KASA DEFTERİ (Ocak - Mart 2005).csv",
                                               dir / "ay-Özet.csv"}));
    for (const std::string& f : files)
        EXPECT_TRUE(std::filesystem::exists(platform::toFsPath(f))) << f;
}

}  // namespace
}  // namespace tablamo
