// The converter's --merge and --sheet-per: a month's folder in one workbook with every input
// in "Özet" and the summary file, and a report's accounts on sheets of their own.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

#include "commands/merge_command.h"
#include "commands/save_commands.h"
#include "core/workspace.h"
#include "export/xlsx_package.h"
#include "support/converter_run.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using testing::readBytes;
using testing::TempDir;
namespace fs = std::filesystem;

const std::string kData = TABLAMO_TEST_DATA;

std::string clean(const std::string& kind) { return kData + "/clean/" + kind + "/report.txt"; }

struct Converted {
    int status;
    std::string err;
};

// The converter run in `folder` on a Turkish system, as `args` say; stderr kept.
Converted convertIn(const TempDir& folder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal-separator", ",", "--date-separator", "."});
    const testing::ConverterRun run =
        testing::runConverter(args, {folder.path().string(), RLIM_INFINITY, {}});
    return {run.status, run.err};
}

void put(const TempDir& dir, const std::string& name, const std::string& from) {
    fs::create_directories(fs::path(dir / name).parent_path());
    fs::copy_file(from, dir / name);
}

TEST(MergeConvert, AMonthsFolderInOneWorkbookWithEveryInputListed) {
    TempDir dir;
    put(dir, "ay/ocak/muavin.txt", clean("muavin-tek-hesap"));
    put(dir, "ay/ocak/kasa.txt", clean("kasa-defteri-cerceveli"));
    put(dir, "ay/subat/muavin.txt", clean("muavin-tek-hesap"));
    put(dir, "ay/subat/mektup.txt", std::string(TABLAMO_SAMPLES) + "/not-a-report.txt");
    put(dir, "ay/.gizli.txt", clean("mizan"));
    const Converted run =
        convertIn(dir, {"--clean", "--merge", "ay.xls", "--summary", "ozet.jsonl", "ay"});
    EXPECT_EQ(run.status, 1) << run.err;  // a letter among the reports
    EXPECT_NE(run.err.find("3 dosya dönüştürüldü, 1 başarısız, 0 uyarı"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("ay/subat/muavin.txt -> ay.xlsx \"MUAVİN DEFTERİ\" (8 toplam"),
              std::string::npos);
    EXPECT_NE(run.err.find("\nyazıldı: ay.xlsx\n"), std::string::npos);

    const testing::XlsxPackage book(dir / "ay.xlsx");
    EXPECT_EQ(book.sheetNames, (std::vector<std::string>{"KASA DEFTERİ (Ocak - Mart 2005)",
                                                         "MUAVİN DEFTERİ", "Özet"}));
    const auto summary = book.cells(2);
    const std::string jsonl = readBytes(dir / "ozet.jsonl");
    const struct {
        const char* source;
        const char* status;
        const char* rows;
        const char* json;
    } inputs[] = {
        {"ocak/kasa.txt", "birleştirildi", "50", "\"status\":\"converted\",\"rows\":50"},
        {"ocak/muavin.txt", "birleştirildi", "60", "\"status\":\"converted\",\"rows\":60"},
        {"subat/mektup.txt", "alınmadı", "0", "\"status\":\"rejected\",\"rows\":0"},
        {"subat/muavin.txt", "birleştirildi", "60", "\"status\":\"converted\",\"rows\":60"},
    };
    for (std::size_t i = 0; i < std::size(inputs); ++i) {
        const std::string row = std::to_string(i + 2);
        EXPECT_EQ(summary.at("A" + row).value, inputs[i].source);
        EXPECT_EQ(summary.at("C" + row).value, inputs[i].status);
        EXPECT_EQ(summary.at("G" + row).value, inputs[i].rows);
        EXPECT_NE(jsonl.find("{\"input\":\"ay/" + std::string(inputs[i].source) +
                             "\",\"output\":\"ay.xlsx\"," + inputs[i].json),
                  std::string::npos)
            << inputs[i].source;
    }
    EXPECT_EQ(summary.count("A6"), 0u);  // the hidden file is no input
    EXPECT_EQ(book.cells(1).at("A62").value, "subat/muavin.txt");

    // The window's "Birleştir…" on the folder makes the same book, and "Excel" saves it so.
    Workspace ws;
    ws.regional = RegionalSettings::turkish();
    ws.settings.OpenExcelAfterSave = false;
    testing::RecordingUi ui;
    ASSERT_TRUE(mergeFilesIntoGrid(ws, ui, {dir / "ay"}));
    ui.answers.push_back(dir / "pencere.xlsx");
    ASSERT_TRUE(runCommand(ui, [&] { saveExcel(ws, ui); }));
    const testing::XlsxPackage window(dir / "pencere.xlsx");
    ASSERT_EQ(window.sheetNames, book.sheetNames);
    for (std::size_t i = 0; i < book.sheetNames.size(); ++i) {
        EXPECT_EQ(window.sheetXml(static_cast<int>(i)), book.sheetXml(static_cast<int>(i)))
            << book.sheetNames[i];
    }

    // The merged file never replaces an input.
    const Converted refused =
        convertIn(dir, {"--clean", "--merge", "ay/ocak/kasa.txt", "--to", "csv", "ay"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "tablamo-convert: --merge: 'ay/ocak/kasa.txt' dosyası 'ay/ocak/kasa.txt' girdisinin "
              "üzerine yazılacaktı; hiçbir şey yazılmadı\n");
}

TEST(MergeConvert, ASheetPerAccountOrAFilePerAccount) {
    TempDir dir;
    put(dir, "muavin.txt", clean("muavin-cok-hesap"));
    put(dir, "kasa.txt", clean("kasa-defteri-cerceveli"));
    Converted run =
        convertIn(dir, {"--clean", "--sheet-per", "Hesap Kodu", "-o", "m.xlsx", "muavin.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(testing::XlsxPackage(dir / "m.xlsx").sheetNames,
              (std::vector<std::string>{"320.01.00838", "320.01.07181", "320.01.46809",
                                        "320.01.55242", "320.01.66654"}));
    run = convertIn(dir, {"--clean", "--sheet-per", "hesap kodu", "-o", "m.csv", "muavin.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "muavin.txt -> m.csv (5 dosya; 6 toplam satırı kayıtlarla tutuyor)\n");
    EXPECT_EQ(readBytes(dir / "m-320.01.55242.csv").substr(0, 12), "Hesap Kodu;H");
    EXPECT_FALSE(fs::exists(dir / "m.csv"));

    // A report without the column is written whole, with a warning.
    run = convertIn(dir, {"--clean", "--sheet-per", "Hesap Kodu", "-o", "k.xlsx", "kasa.txt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "kasa.txt: uyarı: --sheet-per: \"Hesap Kodu\" başlıklı sütun yok; tablo tek "
              "sayfada yazıldı\nkasa.txt -> k.xlsx (8 toplam satırı kayıtlarla tutuyor)\n");
    EXPECT_EQ(testing::XlsxPackage(dir / "k.xlsx").sheetNames, std::vector<std::string>{"Tablamo"});
}

TEST(MergeConvert, AStatementAmongTheReportsIsMergedAsAStatement) {
    TempDir dir;
    put(dir, "ay/muavin.txt", clean("muavin-tek-hesap"));
    put(dir, "ay/ekstre.txt", std::string(TABLAMO_SAMPLES) + "/akbank-ekstre.txt");
    const Converted run = convertIn(dir, {"--clean", "--merge", "ay.xlsx", "ay"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("ay/ekstre.txt: Akbank hesap ekstresi olarak okundu\n"
                           "ay/ekstre.txt -> ay.xlsx \"HESAP EKSTRESİ\"\n"),
              std::string::npos)
        << run.err;
    const testing::XlsxPackage book(dir / "ay.xlsx");
    EXPECT_EQ(book.sheetNames,
              (std::vector<std::string>{"HESAP EKSTRESİ", "MUAVİN DEFTERİ", "Özet"}));
    // Its sheet is the one --akbank gives the statement alone.
    put(dir, "tek/ekstre.txt", std::string(TABLAMO_SAMPLES) + "/akbank-ekstre.txt");
    ASSERT_EQ(convertIn(dir, {"--clean", "--akbank", "--merge", "tek.xlsx", "tek"}).status, 0);
    const auto merged = book.cells(0);
    const auto alone = testing::XlsxPackage(dir / "tek.xlsx").cells(0);
    ASSERT_EQ(merged.size(), alone.size());
    for (const auto& [at, cell] : alone) EXPECT_EQ(merged.at(at).value, cell.value) << at;
}

}  // namespace
}  // namespace tablamo::cli
