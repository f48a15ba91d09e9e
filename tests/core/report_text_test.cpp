#include "core/report_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/error.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

TEST(ReportText, SplitsAtEveryKindOfLineBreak) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\n\n", {"", "", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("x\0y\r\nz", 6), {std::string("x\0y", 3), "z"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        const ReportText t(c.bytes);
        ASSERT_EQ(t.lineCount(), static_cast<int>(c.lines.size())) << c.bytes;
        for (int i = 0; i < t.lineCount(); ++i)
            EXPECT_EQ(t.line(i), c.lines[static_cast<size_t>(i)]);
        EXPECT_EQ(t.line(-1), "");
        EXPECT_EQ(t.line(t.lineCount()), "");
    }
}

TEST(ReportText, RefusesADeviceThatNeverEnds) {
    for (const auto& load : {ReportText::loadFile, ReportText::mapFile}) {
        EXPECT_THROW_MSG(load("/dev/zero"), "Cannot open file \"/dev/zero\". Not a regular file");
    }
}

TEST(ReportText, KnowsEveryLineBreakFromTheNextLinesStart) {
    // The line ends are not stored: each is found again before the next line's start.
    const ReportText t(std::string("a\r\r\nb\n\rc\r\n\n") + std::string(3, '\r'));
    const std::vector<std::string> lines = {"a", "", "b", "", "c", "", "", "", ""};
    ASSERT_EQ(t.lineCount(), static_cast<int>(lines.size()));
    for (int i = 0; i < t.lineCount(); ++i)
        EXPECT_EQ(t.line(i), lines[static_cast<size_t>(i)]) << i;
}

TEST(ReportText, ReadsAtMost4096BytesOfALine) {
    const ReportText t(std::string(5000, 'a') + "\r\nb");
    EXPECT_EQ(t.line(0).size(), 4096u);
    EXPECT_EQ(t.fullLine(0).size(), 5000u);
    EXPECT_EQ(t.line(1), "b");
}

TEST(ReportText, FindsTheLineOfTheFirstOccurrenceInTheWholeText) {
    struct Case {
        std::string bytes, needle;
        std::optional<int> line;
    };
    const Case cases[] = {
        {"ab\r\ncd\r\nxcd", "cd", 1},
        {"ab\ncd\nxcd", "cd", 1},
        {"ab\rcd", "b\r\nc", 0},  // the whole text joins with CR LF whatever the file had
        {"ab\r\ncd", "\r\ncd", 0},
        {"ab\ncd", "\ncd", 0},  // the LF of the joined CR LF
        {"ab", "", std::nullopt},
        {"", "a", std::nullopt},
        {"a\r\n\r\n----------", "----------", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReportText(c.bytes).lineOfFirstOccurrence(c.needle), c.line) << c.needle;
    }
}

TEST(ReportText, PositionsMapBackToTheirLine) {
    const ReportText t("ab\ncde\n\nf");
    EXPECT_EQ(t.joinedText(), "ab\r\ncde\r\n\r\nf");
    const int expected[] = {0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 3};
    for (size_t p = 0; p < std::size(expected); ++p)
        EXPECT_EQ(t.lineOfPosition(p), expected[p]) << p;
}

TEST(ReportText, LoadsTheBytesUnchangedAndNamesAFileItCannotRead) {
    const auto dir = std::filesystem::temp_directory_path() / "tablamo_report_text_test";
    std::filesystem::create_directories(dir);
    const auto file = dir / "r.txt";
    { std::ofstream(file, std::ios::binary) << "\x98STANBUL\r\n\xCD\xCD\r\n"; }
    const ReportText t = ReportText::loadFile(file.string());
    EXPECT_EQ(t.lineCount(), 2);
    EXPECT_EQ(t.line(0), "\x98STANBUL");

    for (const auto& bad : {dir / "missing.txt", dir}) {
        const std::string what = testing::errorText([&] { ReportText::loadFile(bad.string()); });
        EXPECT_EQ(what.rfind("Cannot open file \"" + bad.string() + "\". ", 0), 0u) << what;
        EXPECT_GT(what.size(), bad.string().size() + 22) << "no reason given";
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tablamo
