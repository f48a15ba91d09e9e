// The converter's --reconcile: a ledger and a statement into the four sheets, the closing
// line and the exit status; command lines that cannot run; inputs that are no table.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "export/xlsx_package.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using testing::readBytes;
using testing::TempDir;
namespace fs = std::filesystem;

const std::string kPairs = std::string(TABLAMO_TEST_DATA) + "/reconcile/";

struct Reconciled {
    int status;
    std::string err;
};

Reconciled reconcileIn(const TempDir& dir, const std::string& args) {
    const std::string command = "cd '" + dir.path().string() +
                                "' && '" TABLAMO_CONVERT
                                "' --decimal-separator , --date-separator . " +
                                args + " 2>err >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(dir / "err")};
}

std::string pair(const std::string& kind) {
    return "--reconcile '" + kPairs + kind + "/defter.txt' '" + kPairs + kind + "/ekstre.txt'";
}

std::string lastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of('\n');
    const std::size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

TEST(ReconcileConvert, FourSheetsInOrderAmountsAsNumbers) {
    TempDir dir;
    const Reconciled run = reconcileIn(dir, pair("banka-akbank") + " -o mutabakat.xls");
    EXPECT_EQ(run.status, 0) << run.err;
    // As its truth.json counts them.
    EXPECT_EQ(lastLine(run.err), "48 eşleşti, 5 yalnız defterde, 6 yalnız ekstrede; fark 0,00");
    const testing::XlsxPackage book(dir / "mutabakat.xlsx");
    EXPECT_EQ(book.sheetNames, (std::vector<std::string>{"Mutabakat", "Eşleşenler",
                                                         "Yalnız Defterde", "Yalnız Ekstrede"}));
    const auto statement = book.cells(0);
    EXPECT_EQ(statement.at("A1").value, "Kalem");
    EXPECT_EQ(statement.at("A2").value.rfind("Defter bakiyesi (", 0), 0u);
    const auto matches = book.cells(1);
    EXPECT_EQ(matches.at("J1").value, "Eşleşme");
    EXPECT_EQ(matches.at("D2").type, "");           // an amount: a number
    EXPECT_EQ(matches.at("B2").type, "");           // a date
    EXPECT_EQ(matches.at("A2").type, "inlineStr");  // a report line: a code
    // The printed page's header: our firm over the account and the date of our balance.
    const std::string sheet = testing::readPart(dir / "mutabakat.xlsx", "xl/worksheets/sheet1.xml");
    EXPECT_NE(
        sheet.find("\nMutabakat: Hesap : 102.01.003 AKBANK TİCARİ ŞB. - 31.08.2023</oddHeader>"),
        std::string::npos)
        << sheet.substr(sheet.find("<headerFooter"), 300);
}

TEST(ReconcileConvert, ExitStatusAndFilesByHowItEnds) {
    const struct {
        const char* name;
        std::string args;
        int status;
        const char* said;  // in stderr
        bool written;
    } cases[] = {
        {"CsvFileEach", pair("banka-akbank") + " -o m.csv", 0, "fark 0,00", true},
        {"NoRecordsOnOneSideAllOnTheOther", pair("bos-defter") + " -o m.csv", 0,
         "0 eşleşti, 0 yalnız defterde, 3 yalnız ekstrede; fark 0,00", true},
        {"NoTable",
         "--reconcile '" + kPairs + "cari-yil/defter.txt' '" + TABLAMO_SAMPLES +
             "/not-a-report.txt' -o m.csv",
         1, "dosya formatı geçerli değil", false},
        {"ManyAccountsNoneOfThem",
         "--reconcile '" + kPairs + "banka-cok-hesap/defter.txt' '" + kPairs +
             "cari-yil/ekstre.txt' -o m.csv",
         1,
         "hesabın kayıtlarını taşıyor (102.01.001 AKBANK TİCARİ, 102.01.002 EGE BANKASI, "
         "102.01.003",
         false},
        {"ManyAccountsTheStatementsOne", pair("banka-cok-hesap") + " -o m.csv", 0,
         "ekstreyle eşleşen 102.01.002 EGE BANKASI mutabakata alındı", true},
        {"SameFileTwice",
         "--reconcile '" + kPairs + "cari-yil/defter.txt' '" + kPairs +
             "cari-yil/defter.txt' -o m.csv",
         2, "defter ile ekstre aynı döküm", false},
        {"StatementGivenFirst",
         "--reconcile '" + kPairs + "banka-akbank/ekstre.txt' '" + kPairs +
             "banka-akbank/defter.txt' -o m.csv",
         2, "bir banka ekstresi", false},
        {"OutputFolderMissing", pair("cari-yil") + " -o yok/m.csv", 1, "'yok' klasörü yok", false},
        {"OneInput", "--reconcile '" + kPairs + "cari-yil/defter.txt' -o m.csv", 2,
         "iki girdi gerekir", false},
        {"NoOutput", pair("cari-yil"), 2, "--output ile yazılacak dosya verilmeli", false},
        {"BothDirections", pair("cari-yil") + " --mirror --same-side -o m.csv", 2,
         "birlikte verilemez", false},
        {"DaysNoNumber", pair("cari-yil") + " --days x -o m.csv", 2, "bir gün sayısı değil", false},
        {"DaysWithoutReconcile", "--days 3 '" + kPairs + "cari-yil/defter.txt'", 2,
         "yalnızca --reconcile ile", false},
        {"NotWithMerge", pair("cari-yil") + " --clean --merge x.xlsx", 2,
         "--merge, --reconcile ile birlikte verilemez", false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const Reconciled run = reconcileIn(dir, c.args);
        EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.name << "\n" << run.err;
        for (const char* part : {"mutabakat", "eslesenler", "yalniz-defterde", "yalniz-ekstrede"})
            EXPECT_EQ(fs::exists(dir / (std::string("m-") + part + ".csv")), c.written)
                << c.name << " " << part;
    }
}

TEST(ReconcileConvert, APrintedClosingThatDoesNotFollowIsSaid) {
    TempDir dir;
    const std::string folder = dir / "p";
    ASSERT_EQ(std::system(("/usr/bin/python3 '" TABLAMO_SAMPLES "/reconcile' --seed 3 --kind "
                           "banka-akbank --out '" +
                           folder + "'")
                              .c_str()),
              0);
    const Reconciled run = reconcileIn(dir,
                                       "--reconcile p/banka-akbank-3/defter.txt "
                                       "p/banka-akbank-3/ekstre.txt -o m.xlsx");
    // The seed draws which side prints it: that side's warning, and 100,00 left either way.
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(" son bakiyesi "), std::string::npos) << run.err;
    EXPECT_NE(lastLine(run.err).find("100,00"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tablamo::cli
