// The help tab: the help file as rich text, as plain text, missing, or unreadable.

#include "app/help_view.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <filesystem>
#include <fstream>

#include "support/throw_msg.h"
#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

class HelpFileTest : public ::testing::Test {
protected:
    std::string write(const std::string& bytes) {
        const std::string file = (dir.path() + "/yardim").toStdString();
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    QString shownText() const { return view.textView()->toPlainText(); }

    QTemporaryDir dir;
    HelpView view;
};

TEST_F(HelpFileTest, EachKindOfFileShowsItsText) {
    const struct {
        const char* name;
        std::string bytes;
        QString expected;
    } cases[] = {
        {"PlainUtf8", "Satır bir\r\nSatır iki\r\n", QStringLiteral("Satır bir\nSatır iki\n")},
        {"PlainWindows1254", "Sat\xFDr \xFE\xF0", QStringLiteral("Satır şğ")},
        {"RichText", "{\\rtf1\\ansi\\ansicpg1254 Ba\\'fel\\'fdk\\par {\\b kal\\'fdn}}",
         QStringLiteral("Başlık\nkalın")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        view.loadFile(write(c.bytes));
        EXPECT_EQ(shownText(), c.expected);
    }
}

TEST_F(HelpFileTest, RichTextKeepsBoldItalicAndUnderline) {
    view.loadFile(write("{\\rtf1 a{\\b b}{\\i c}{\\ul d}}"));
    QTextDocument* doc = view.textView()->document();
    const struct {
        int position;  // the character after the cursor
        bool bold, italic, underline;
    } cases[] = {{1, false, false, false},
                 {2, true, false, false},
                 {3, false, true, false},
                 {4, false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        QTextCursor cursor(doc);
        cursor.setPosition(c.position);
        const QTextCharFormat f = cursor.charFormat();
        EXPECT_EQ(f.fontWeight() == QFont::Bold, c.bold);
        EXPECT_EQ(f.fontItalic(), c.italic);
        EXPECT_EQ(f.fontUnderline(), c.underline);
    }
}

TEST_F(HelpFileTest, AMissingFileIsNoErrorAndLeavesTheViewEmpty) {
    EXPECT_NO_THROW(view.loadFile((dir.path() + "/yok").toStdString()));
    EXPECT_EQ(shownText(), QString());
}

TEST_F(HelpFileTest, BrokenRichTextFailsToLoadAndKeepsTheViewAsItWas) {
    view.loadFile(write("ilk metin"));
    EXPECT_THROW_MSG(view.loadFile(write("{\\rtf1 {\\b kapanmayan grup")), "Failed to Load Stream");
    EXPECT_EQ(shownText(), QStringLiteral("ilk metin"));
}

TEST(HelpAtStartUp, TheWindowShowsTheHelpFileAndReportsOneItCannotRead) {
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/yardim").toStdString();
    tablamo::testing::RecordingUi ui;
    std::ofstream(file, std::ios::binary) << "{\\rtf1 Yard\\'fdm metni}";
    MainWindow good(&ui, file);
    EXPECT_EQ(good.helpView()->textView()->toPlainText(), QStringLiteral("Yardım metni"));
    EXPECT_TRUE(ui.errors.empty());

    std::ofstream(file, std::ios::binary | std::ios::trunc) << "{\\rtf1 \\'zz}";
    MainWindow broken(&ui, file);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"Failed to Load Stream."});
    EXPECT_EQ(broken.helpView()->textView()->toPlainText(), QString());
}

}  // namespace
}  // namespace tablamo::app::testing

namespace tablamo::app::testing {
namespace {

TEST(FindHelpFile, WorkingDirectoryThenBesideTheProgramThenTheDataFolder) {
    namespace fs = std::filesystem;
    const struct {
        const char* name;
        const char* holder;  // where the help file lies, under the temporary root
        const char* found;   // what is found, under the root ("yardim": the name alone)
    } cases[] = {
        {"WorkingDirectory", "cwd", "yardim"},
        {"BesideTheProgram", "prefix/bin", "prefix/bin/yardim"},
        {"InstalledDataFolder", "prefix/share/tablamo", "prefix/share/tablamo/yardim"},
        {"Nowhere", nullptr, "yardim"},
    };
    const fs::path before = fs::current_path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        fs::create_directories(root / "cwd");
        fs::create_directories(root / "prefix/bin");
        if (c.holder) {
            fs::create_directories(root / c.holder);
            std::ofstream(root / c.holder / "yardim") << "yard\xC4\xB1m";
        }
        fs::current_path(root / "cwd");
        const std::string found = findHelpFile((root / "prefix/bin").string());
        fs::current_path(before);
        const bool inCwd = std::string(c.found) == "yardim";
        EXPECT_EQ(found, inCwd ? std::string("yardim") : (root / c.found).string());
    }
}

}  // namespace
}  // namespace tablamo::app::testing
