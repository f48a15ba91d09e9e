#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "export/xlsx_package.h"
#include "support/converter_run.h"
#include "support/several_tables.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::string kData = TABLAMO_TEST_DATA;
const std::vector<std::string> kTurkish = {"--decimal-separator", ",",  "--date-separator", ".",
                                           "--date-order",        "dmy"};

struct Outcome {
    int status;
    std::string err;
};

// Runs the real converter on a Turkish system; stderr is captured.
Outcome convert(std::vector<std::string> args) {
    args.insert(args.begin(), kTurkish.begin(), kTurkish.end());
    const testing::ConverterRun run = testing::runConverter(args);
    return {run.status, run.err};
}

std::string report(const std::string& kind) { return kData + "/clean/" + kind + "/report.txt"; }

// The first `n` lines of a file.
std::string head(const std::string& path, int n) {
    const std::string bytes = readBytes(path);
    std::size_t at = 0;
    for (int i = 0; i < n && at != std::string::npos; ++i) at = bytes.find('\n', at + 1);
    return bytes.substr(0, at == std::string::npos ? bytes.size() : at + 1);
}

// Whether a kind's folder holds a file `pending` naming `table` on a line of its own: a kind
// whose clean table the converter cannot write yet (its other lines name checks that only the
// variant checker makes).
bool tablePending(const std::filesystem::path& dir) {
    if (!std::filesystem::exists(dir / "pending")) return false;
    std::istringstream lines(readBytes(dir / "pending"));
    for (std::string line; std::getline(lines, line);) {
        if (line == "table" || line == "table\r") return true;
    }
    return false;
}

// The report kinds: the folders under tests/data/clean that hold a truth.
std::vector<std::string> readyKinds() {
    std::vector<std::string> kinds;
    for (const auto& entry : std::filesystem::directory_iterator(kData + "/clean")) {
        if (std::filesystem::exists(entry.path() / "truth.json") && !tablePending(entry.path()))
            kinds.push_back(entry.path().filename().string());
    }
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

TEST(CleanConvert, GoldenTablesOfEveryKind) {
    const std::vector<std::string> kinds = readyKinds();
    ASSERT_FALSE(kinds.empty()) << kData;
    for (const std::string& kind : kinds) {
        TempDir dir;
        std::vector<std::string> args = {"--clean", "-o", dir / "out.csv", report(kind)};
        if (kind.starts_with("akbank")) args.insert(args.begin(), "--akbank");
        const Outcome run = convert(args);
        EXPECT_EQ(run.status, 0) << kind << run.err;
        // The file's line says that the report's own totals agree.
        EXPECT_NE(run.err.find("-> " + (dir / "out.csv") + " ("), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(" kayıtlarla tutuyor"), std::string::npos) << run.err;
        EXPECT_EQ(readBytes(dir / "out.csv"), readBytes(kData + "/clean/" + kind + "/expected.csv"))
            << kind;
        // A report of several tables: one file for each table after the first.
        for (int n = 2; std::filesystem::exists(kData + "/clean/" + kind + "/expected-" +
                                                std::to_string(n) + ".csv");
             ++n) {
            const std::string name = "-" + std::to_string(n) + ".csv";
            EXPECT_EQ(readBytes(dir / ("out" + name)),
                      readBytes(kData + "/clean/" + kind + "/expected" + name))
                << kind << " table " << n;
        }
    }
}

TEST(CleanConvert, LineNumbersSeparatorsPagesAndEncodings) {
    TempDir dir;
    const std::string in = report("muavin-tek-hesap");
    ASSERT_EQ(convert({"--clean", "--line-numbers", "-q", "-o", dir / "n.csv", in}).status, 0);
    EXPECT_EQ(head(dir / "n.csv", 2),
              "Tarih;Yevmiye No;Fi\xFE No;A\xE7\xFDklama;Bor\xE7;Alacak;Bakiye;B/A;Sat\xFDr\r\n"
              "01.01.2005;000375;000216;A\xE7\xFDl\xFD\xFE fi\xFEi;29040,00;;29040,00;B;10\r\n");
    ASSERT_EQ(convert({"--clean", "--csv-separator", ",", "-q", "-o", dir / "c.csv", in}).status,
              0);
    EXPECT_EQ(
        head(dir / "c.csv", 2).substr(head(dir / "c.csv", 1).size()),
        "01.01.2005,000375,000216,A\xE7\xFDl\xFD\xFE fi\xFEi,\"29040,00\",,\"29040,00\",B\r\n");
    ASSERT_EQ(convert({"--clean", "--encoding", "utf-8", "-q", "-o", dir / "u.csv", in}).status, 0);
    EXPECT_EQ(head(dir / "u.csv", 1),
              "\xEF\xBB\xBFTarih;Yevmiye No;Fiş No;Açıklama;Borç;Alacak;Bakiye;B/A\r\n");
    ASSERT_EQ(convert({"--clean", "-q", "--to", "html", "-o", dir / "p.html", in}).status, 0);
    const std::string page = readBytes(dir / "p.html");
    EXPECT_NE(page.find("<col class=\"date\" width=\"77\">"), std::string::npos);
    EXPECT_NE(page.find("    <tr><th>Tarih</th><th>Yevmiye No</th>"), std::string::npos);
    EXPECT_NE(page.find("<td>000375</td><td>000216</td><td>A\xE7\xFDl\xFD\xFE fi\xFEi</td>"
                        "<td align=\"right\">29040,00</td><td align=\"right\"></td>"),
              std::string::npos);
    EXPECT_NE(page.find("Sat\xFD\xFE faturas\xFD &quot;Ocak&quot;"), std::string::npos);
}

TEST(CleanConvert, ATotalThatDisagreesWarnsAndFailsOnlyWhenStrict) {
    TempDir dir;
    // mizan without its line 8, "100 KASA": the class and grand totals no longer agree.
    std::string bytes = readBytes(report("mizan"));
    std::size_t at = 0;
    for (int line = 1; line < 8; ++line) at = bytes.find("\r\n", at) + 2;
    bytes.erase(at, bytes.find("\r\n", at) + 2 - at);
    writeBytes(dir / "mizan.txt", bytes);
    const Outcome lax = convert({"--clean", "-o", dir / "lax.csv", dir / "mizan.txt"});
    EXPECT_EQ(lax.status, 0) << lax.err;
    EXPECT_NE(lax.err.find(": uyarı: satır 35 \"DÖNEN VARLIKLAR TOPLAMI\", Borç: raporda "
                           "1.526.910,87, kayıtlardan 1.160.462,96\n"),
              std::string::npos)
        << lax.err;
    EXPECT_EQ(lax.err.find("tutuyor"), std::string::npos);
    const Outcome strict =
        convert({"--clean", "--strict", "-o", dir / "strict.csv", dir / "mizan.txt"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find("uyarı: "), std::string::npos);
    EXPECT_NE(strict.err.find("--strict: "), std::string::npos);
    EXPECT_EQ(readBytes(dir / "strict.csv"), readBytes(dir / "lax.csv"));  // written all the same

    // In a batch, --strict counts the files it wrote and their warnings as the run without.
    std::filesystem::create_directories(dir.path() / "ay");
    std::filesystem::copy_file(dir / "mizan.txt", dir / "ay/eksik.txt");
    std::filesystem::copy_file(report("mizan"), dir / "ay/tam.txt");
    const auto summary = [](const std::string& err) {
        const std::size_t line = err.rfind('\n', err.size() - 2) + 1;
        return err.substr(line, err.find(" (", line) - line);
    };
    const Outcome laxBatch = convert({"--clean", "-q", dir / "ay"});
    const Outcome strictBatch = convert({"--clean", "--strict", "-q", dir / "ay"});
    EXPECT_EQ(laxBatch.status, 0) << laxBatch.err;
    EXPECT_EQ(strictBatch.status, 1) << strictBatch.err;
    EXPECT_TRUE(summary(strictBatch.err).starts_with("2 dosya dönüştürüldü, 0 başarısız, "))
        << strictBatch.err;
    EXPECT_EQ(summary(strictBatch.err), summary(laxBatch.err));
    EXPECT_NE(summary(strictBatch.err), "2 dosya dönüştürüldü, 0 başarısız, 0 uyarı");
}

// Lines the clean table could not place are named, counted in the summary and, with
// --strict, fail the input; --signed-balance adds the balance signed by its marks.
TEST(CleanConvert, LinesNotPlacedAndTheSignedBalance) {
    TempDir dir;
    const Outcome lax = convert({"--clean", "--summary", dir / "s.jsonl", "-o", dir / "k.csv",
                                 report("gunluk-kasa-raporu")});
    EXPECT_EQ(lax.status, 0) << lax.err;
    EXPECT_NE(lax.err.find("; 11 satır tabloya alınmadı: 17, 24, 33, 46, 59, 73, 86, 90, 95, "
                           "102, 108)"),
              std::string::npos)
        << lax.err;
    EXPECT_NE(readBytes(dir / "s.jsonl").find(",\"unplaced\":11,"), std::string::npos);
    const Outcome strict =
        convert({"--clean", "--strict", "-o", dir / "k.csv", report("gunluk-kasa-raporu")});
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find("--strict: raporun bazı satırları tabloya alınmadı"),
              std::string::npos)
        << strict.err;

    ASSERT_EQ(convert({"--clean", "--signed-balance", "-q", "-o", dir / "m.csv",
                       report("muavin-tek-hesap")})
                  .status,
              0);
    const std::string signed_ = readBytes(dir / "m.csv");
    EXPECT_EQ(head(dir / "m.csv", 1),
              "Tarih;Yevmiye No;Fi\xFE No;A\xE7\xFDklama;Bor\xE7;Alacak;Bakiye;B/A;"
              "\xDD\xFE"
              "aretli Bakiye\r\n");
    EXPECT_NE(signed_.find(";29040,00;B;29040,00\r\n"), std::string::npos);
    EXPECT_NE(signed_.find(";A;-"), std::string::npos);
    EXPECT_EQ(convert({"--signed-balance", "-o", dir / "p.csv", report("mizan")}).status, 2);
}

TEST(CleanConvert, ReportsWithoutRecordsAndRefusedOptions) {
    TempDir dir;
    writeBytes(dir / "bos.txt",
               "BASLIK\r\n\r\nTarih      Aciklama\r\n---------- ----------\r\n"
               "sadece yazi\r\n");
    const Outcome none = convert({"--clean", "-o", dir / "bos.csv", dir / "bos.txt"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("Temiz tablo: raporda kayıt satırı ayırt edilemedi."),
              std::string::npos)
        << none.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "bos.csv"));
    EXPECT_EQ(convert({"--line-numbers", "-o", dir / "y.csv", report("mizan")}).status, 2);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"bos.txt"}));
}

TEST(CleanConvert, TheWorkbookIsTypedByColumnUnderBoldHeadings) {
    TempDir dir;
    const Outcome run = convert({"--clean", "-o", dir / "m.xlsx", report("muavin-tek-hesap")});
    ASSERT_EQ(run.status, 0) << run.err;
    const testing::XlsxPackage book(dir / "m.xlsx");
    const auto cells = book.cells(0);
    // Headings, then 01.01.2005 | 000375 | 000216 | Açılış fişi | 29040,00 | | 29040,00 | B.
    const struct {
        const char* address;
        const char* type;
        const char* format;
        const char* value;
    } expected[] = {
        {"A1", "inlineStr", "", "Tarih"},      {"B1", "inlineStr", "", "Yevmiye No"},
        {"A2", "", "dd\\.mm\\.yyyy", "38353"}, {"B2", "inlineStr", "", "000375"},
        {"E2", "", "#,##0.00", "29040"},       {"H2", "inlineStr", "", "B"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.address);
        ASSERT_TRUE(cells.count(e.address));
        EXPECT_EQ(cells.at(e.address).type, e.type);
        EXPECT_EQ(cells.at(e.address).format, e.format);
        EXPECT_EQ(cells.at(e.address).value, e.value);
    }
    const std::string sheet = book.sheetXml(0);
    EXPECT_NE(sheet.find("<pane "), std::string::npos);
    EXPECT_NE(sheet.find("<autoFilter "), std::string::npos);
    EXPECT_EQ(cells.count("F2"), 0u);  // a blank amount stays empty
    // Printed across the page, with the report's firm, title and period over every page and
    // a column as wide as its heading ("Yevmiye No" over a column of seven).
    for (const char* part : {"<col min=\"2\" max=\"2\" width=\"12\" customWidth=\"1\"/>",
                             "orientation=\"landscape\" fitToWidth=\"1\"",
                             "<oddHeader>&amp;LERDO\xC4\x9E"
                             "AN OTOMOT\xC4\xB0V SAN.T\xC4\xB0"
                             "C.A.\xC5\x9E.&amp;C&amp;"
                             "&quot;-,Bold&quot;MUAV\xC4\xB0N DEFTER\xC4\xB0\n&amp;&quot;-,"
                             "Regular&quot;01.01.2005 - 31.12.2005</oddHeader>"}) {
        EXPECT_NE(sheet.find(part), std::string::npos) << part;
    }
}

TEST(CleanConvert, EveryTableOfAReportThatPrintsSeveral) {
    TempDir dir;
    writeBytes(dir / "rapor.txt", testing::severalTablesReport());
    const Outcome book = convert({"--clean", "-o", dir / "r.xlsx", dir / "rapor.txt"});
    ASSERT_EQ(book.status, 0) << book.err;
    EXPECT_NE(book.err.find("(3 tablo; 1 toplam satırı kayıtlarla tutuyor; HESAP ÖZETİ: 1 "
                            "toplam satırı kayıtlarla tutuyor; AYLIK DÖKÜM: 1 toplam"),
              std::string::npos)
        << book.err;
    EXPECT_EQ(testing::XlsxPackage(dir / "r.xlsx").sheetNames,
              (std::vector<std::string>{"MUAVİN DEFTERİ", "HESAP ÖZETİ", "AYLIK DÖKÜM"}));

    // Each table its own file, its records numbered by their report lines.
    ASSERT_EQ(
        convert({"--clean", "--line-numbers", "-q", "-o", dir / "r.csv", dir / "rapor.txt"}).status,
        0);
    EXPECT_EQ(readBytes(dir / "r-3.csv"),
              "Ay;Bor\xE7;Alacak;Sat\xFDr\r\nOcak;100,00;40,00;26\r\n\xDEubat;1025,50;0,00;27\r\n");
    EXPECT_EQ(head(dir / "r-2.csv", 2),
              "Hesap Kodu;Hesap Ad\xFD;Bor\xE7;Alacak;Sat\xFDr\r\n120.01.001;ALFA LTD.\xDET\xDD.;"
              "125,50;40,00;17\r\n");
    EXPECT_EQ(head(dir / "r.csv", 2),
              "Tarih;Fi\xFE No;A\xE7\xFDklama;Bor\xE7;Alacak;Sat\xFDr\r\n02.01.2024;0001;"
              "Sat\xFD\xFE faturas\xFD;100,00;;7\r\n");
}

}  // namespace
}  // namespace tablamo::cli
