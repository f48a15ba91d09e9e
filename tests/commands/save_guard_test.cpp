// The saves never write over the report that was read, and leave a read-only file alone
// unless the user says so.

#include "commands/save_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "commands/open_commands.h"
#include "commands/profile_commands.h"
#include "commands/save_commands.h"
#include "core/workspace.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::RecordingUi;
using testing::TempDir;
using testing::writeBytes;

const std::string kLedger = std::string(TABLAMO_SAMPLES) + "/muavin.txt";
const std::string kLetter = std::string(TABLAMO_SAMPLES) + "/not-a-report.txt";

struct SaveCase {
    const char* name;
    std::function<void(Workspace&, UiPort&)> save;
    const char* ending;  // what the command puts after the chosen name
};

const SaveCase kSaves[] = {
    {"CSV", [](Workspace& ws, UiPort& ui) { saveCsv(ws, ui); }, ".csv"},
    {"HTML",
     [](Workspace& ws, UiPort& ui) {
         HtmlView view;
         saveHtml(ws, ui, view);
     },
     ".html"},
    {"Excel", [](Workspace& ws, UiPort& ui) { saveExcel(ws, ui); }, ".xlsx"},
    {"Düzeni kaydet",
     [](Workspace& ws, UiPort& ui) {
         ws.profilesFolder = fs::temp_directory_path().string();  // there already
         saveLayoutProfile(ws, ui);
     },
     ".json"},
};

// "Aç" on `path`; false when it stopped with an error.
bool open(Workspace& ws, const std::string& path) {
    RecordingUi ui;
    ui.answers.push_back(path);
    return runCommand(ui, [&] { openReport(ws, ui); });
}

TEST(SaveGuard, NoSaveWritesOverTheReportItCameFrom) {
    for (const SaveCase& c : kSaves) {
        TempDir dir;
        const std::string report = dir / (std::string("rapor") + c.ending);
        writeBytes(report, readBytes(kLedger));
        Workspace ws;
        ASSERT_TRUE(open(ws, report));
        RecordingUi ui;
        // Named as typed, and through another spelling of the same folder.
        for (const std::string& typed : {report, dir / ("./alt/.." + std::string("/rapor"))}) {
            fs::create_directories(dir.path() / "alt");
            ui.answers.push_back(typed);
            EXPECT_FALSE(runCommand(ui, [&] { c.save(ws, ui); })) << c.name;
        }
        EXPECT_EQ(readBytes(report), readBytes(kLedger)) << c.name;
        ASSERT_EQ(ui.errors.size(), 2u) << c.name;
        EXPECT_EQ(ui.errors[0], "'" + report + "' çıktısı '" + report +
                                    "' girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı.")
            << c.name;
        EXPECT_TRUE(ui.messages.empty()) << c.name;
    }
}

TEST(SaveGuard, AReadOnlyFileIsReplacedOnlyWhenTheUserSaysYes) {
    for (const SaveCase& c : kSaves) {
        for (const bool yes : {false, true}) {
            TempDir dir;
            Workspace ws;
            ASSERT_TRUE(open(ws, kLedger));
            const std::string target = dir / (std::string("kilitli") + c.ending);
            writeBytes(target, "eski");
            fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
            RecordingUi ui;
            ui.answers.push_back(target);
            ui.replies.push_back(yes);
            EXPECT_EQ(runCommand(ui, [&] { c.save(ws, ui); }), yes) << c.name;
            EXPECT_EQ(ui.questions, std::vector<std::string>{"\"" + target +
                                                             "\" salt okunur bir dosya. Yerine "
                                                             "yazılsın mı?"})
                << c.name;
            EXPECT_EQ(readBytes(target) != "eski", yes) << c.name;
            if (!yes) {
                EXPECT_EQ(ui.errors, std::vector<std::string>{"\"" + target +
                                                              "\" salt okunur bir dosya; yerine "
                                                              "yazılmadı."})
                    << c.name;
            }
        }
    }
}

// A file already there is replaced without a word only when this table was saved to it last;
// another is asked about, and "Hayır" brings the dialog back.
TEST(SaveGuard, AFileThereIsReplacedOnlyWhenTheUserSaysSoOrThisTableWasSavedToIt) {
    const struct {
        const char* what;
        bool savedBefore;           // this table was saved to the file first
        bool otherReport;           // then another report was opened
        std::optional<bool> reply;  // the question's answer; nothing: not asked
    } cases[] = {
        {"another file, kept", false, false, false},
        {"another file, replaced", false, false, true},
        {"this table's own save", true, false, std::nullopt},
        {"this table's save, another report now", true, true, false},
    };
    for (const SaveCase& c : std::span(kSaves).first(3)) {
        for (const auto& k : cases) {
            SCOPED_TRACE(std::string(c.name) + ": " + k.what);
            TempDir dir;
            writeBytes(dir / "kasa.txt", readBytes(kLedger));
            Workspace ws;
            ASSERT_TRUE(open(ws, kLedger));
            const std::string target = dir / (std::string("yevmiye") + c.ending);
            RecordingUi ui;
            if (k.savedBefore) {
                ui.answers.push_back(target);
                ASSERT_TRUE(runCommand(ui, [&] { c.save(ws, ui); }));
            } else {
                writeBytes(target, "another report's table");
            }
            if (k.otherReport) {
                ASSERT_TRUE(open(ws, dir / "kasa.txt"));
            }
            const std::string before = readBytes(target);
            ui = RecordingUi();
            ui.answers.push_back(target);
            if (k.reply) ui.replies.push_back(*k.reply);
            EXPECT_TRUE(runCommand(ui, [&] { c.save(ws, ui); }));
            EXPECT_EQ(ui.questions.size(), k.reply ? 1u : 0u);
            if (k.reply) {
                EXPECT_EQ(ui.questions[0], "\"" + target + "\" zaten var. Yerine yazılsın mı?");
            }
            const bool written = !k.reply || *k.reply;
            if (!k.savedBefore) {
                EXPECT_EQ(readBytes(target) != before, written);
            }
            EXPECT_EQ(ui.dialogs.size(), written ? 1u : 2u);  // "Hayır": asked for a name again
        }
    }
}

TEST(SaveGuard, DialogsOfferTheReportTheTableCameFromNotARefusedOne) {
    TempDir dir;
    Workspace ws;
    EXPECT_FALSE(open(ws, dir / "yok.txt"));  // not there: nothing to offer yet
    EXPECT_EQ(csvDialogRequest(ws).fileName, "");
    const std::string ledger = dir / "muavin.txt";
    const std::string letter = dir / "mektup.txt";
    writeBytes(ledger, readBytes(kLedger));
    writeBytes(letter, readBytes(kLetter));
    EXPECT_TRUE(open(ws, ledger));
    EXPECT_TRUE(open(ws, letter));  // refused by the import: the table is still the ledger's
    EXPECT_EQ(ws.titleStrip, "Zorvik Tablamo ver. 1.3 - " + letter + " dosyası yüklendi.");
    EXPECT_EQ(csvDialogRequest(ws).fileName, dir / "muavin.csv");
    EXPECT_EQ(htmlDialogRequest(ws).fileName, dir / "muavin.html");
    EXPECT_EQ(excelSaveDialogRequest(ws).fileName, dir / "muavin.xlsx");
    // A text loaded and imported by "Dosyayı Aktar" is the table's from then on.
    writeBytes(dir / "kasa.txt", readBytes(kLedger));
    loadReport(ws, dir / "kasa.txt");
    RecordingUi ui;
    ASSERT_TRUE(importLoadedReport(ws, ui).imported());
    EXPECT_EQ(csvDialogRequest(ws).fileName, dir / "kasa.csv");
}

TEST(SaveGuard, TheWindowsSaveOptionIsCheckedBeforeAnythingIsRead) {
    TempDir dir;
    const std::string report = dir / "rapor.csv";
    writeBytes(report, "a;b\r\n");
    const struct {
        std::string target;
        std::string problem;
    } cases[] = {
        {"", "--save: boş bir dosya adı verildi"},
        {"tablo.pdf",
         "--save: 'tablo.pdf' adının uzantısı kaydedilen bir biçim değil (.csv, .html, .htm, "
         ".xlsx, .xls)"},
        {"tablo.txt",
         "--save: 'tablo.txt' adının uzantısı kaydedilen bir biçim değil (.csv, .html, .htm, "
         ".xlsx, .xls)"},
        {report, "'" + report + "' çıktısı '" + report +
                     "' girdisinin üzerine yazılacaktı; hiçbir şey yazılmadı"},
        {dir / "tablo.xlsx", ""},
        {dir / "tablo.CSV", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(saveOptionProblem(report, c.target), c.problem) << c.target;
    }
    // Without a report the start's empty table would be saved.
    EXPECT_EQ(saveOptionProblem("", dir / "tablo.xlsx"),
              "--save: kaydedilecek rapor verilmedi (--open RAPOR)");
}

}  // namespace
}  // namespace tablamo
