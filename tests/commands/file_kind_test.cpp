// A file "Aç" refuses is said what it is, when its first bytes tell, with what to do; a
// folder is offered to "Birleştir…".

#include "commands/file_kind.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/open_commands.h"
#include "core/workspace.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using namespace std::string_literals;

TEST(FileKind, TheFirstBytesSayWhatTheFileIs) {
    const struct {
        const char* what;
        std::string bytes;
        const char* said;  // the first line of the words; empty: nothing said
    } cases[] = {
        {"pdf", "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj", "Bu dosya bir PDF belgesi."},
        {"workbook", "PK\x03\x04\x14\0\0\0\x08\0[Content_Types].xml xl/workbook.xml"s,
         "Bu dosya bir Excel çalışma kitabı (.xlsx): zaten bir tablo; Excel ya da LibreOffice "
         "ile açılır."},
        {"zip", "PK\x03\x04\x14\0\0\0\x08\0rapor.txt"s,
         "Bu dosya bir zip arşivi: içindeki raporu bir klasöre çıkarıp onu açın."},
        {"old office", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0"s,
         "Bu dosya eski biçimde bir Excel ya da Word belgesi (.xls, .doc)."},
        {"png", "\x89PNG\r\n\x1A\n", "Bu dosya bir resim (PNG)."},
        {"jpeg", "\xFF\xD8\xFF\xE0\0\x10JFIF"s, "Bu dosya bir resim (JPEG)."},
        {"utf-16 with its mark", "\xFF\xFEM\0U\0A\0V\0"s,
         "Bu dosya UTF-16 (Unicode) olarak kaydedilmiş bir metin."},
        {"utf-16 without", "T\0a\0r\0i\0h\0 \0 \0 \0F\0i\0s\0 \0N\0o\0\r\0\n\0"s,
         "Bu dosya UTF-16 (Unicode) olarak kaydedilmiş bir metin."},
        {"a letter", "Sayın müdürüm,\r\nRaporu ekte gönderiyorum.\r\n", ""},
        {"a text that begins as a bitmap", "BMW YETKILI SERVIS\r\nKasa raporu\r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string help = notAReportHelp(c.bytes);
        EXPECT_EQ(help.substr(0, help.find("\r\n")).substr(0, std::string(c.said).size()), c.said);
        EXPECT_EQ(help.empty(), *c.said == '\0');
    }
    // What to do: print the report to a file; a UTF-16 text is saved again instead.
    EXPECT_NE(notAReportHelp("%PDF-1.4").find("raporu DOS programından dosyaya yazdırın"),
              std::string::npos);
    EXPECT_EQ(notAReportHelp("\xFF\xFEM\0"s).find("yazdırın"), std::string::npos);
}

TEST(FileKind, AFolderOpenedIsOfferedToBirlestir) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "ay");
    testing::writeBytes(
        dir / "ay/muavin.txt",
        testing::readBytes(std::string(TABLAMO_TEST_DATA) + "/clean/muavin-tek-hesap/report.txt"));
    testing::writeBytes(dir / "belge.pdf", "%PDF-1.5\n");
    for (const bool yes : {false, true}) {
        Workspace ws;
        testing::RecordingUi ui;
        ui.answers.push_back(dir / "ay");
        ui.replies.push_back(yes);
        EXPECT_FALSE(openReport(ws, ui).has_value());
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_EQ(ui.questions[0], folderQuestion(dir / "ay"));
        EXPECT_EQ(ws.book.isMerge(), yes);
        EXPECT_TRUE(ui.errors.empty());
    }
    // A PDF: the import's words, then what it is and what to do.
    Workspace ws;
    testing::RecordingUi ui;
    ui.answers.push_back(dir / "belge.pdf");
    ASSERT_TRUE(openReport(ws, ui).has_value());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              std::string(kNotAReportMessage) + "\r\n\r\n" + notAReportHelp("%PDF-1.5\n"));
}

}  // namespace
}  // namespace tablamo
