#include "core/error.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/throw_msg.h"

namespace tablamo {
namespace {

TEST(ErrorBoxText, FullStopUnlessTheTextEndsInOneOrSomethingBefore) {
    const std::pair<const char*, const char*> cases[] = {
        {"Grid index out of range", "Grid index out of range."},
        {"Done.", "Done."},
        {"Why?", "Why?."},   // "?" sorts after "."
        {"Wait!", "Wait!"},  // "!" sorts before "."
        {"a-", "a-"},
        {"a ", "a "},
        {"A/", "A/."},
        {"", "."},
        {"Bitti\xC3\xA7", "Bitti\xC3\xA7."},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(errorBoxText(in), out) << in;
}

TEST(ErrorTexts, AreTheRuntimeTexts) {
    EXPECT_STREQ(notAValidInteger("12 ").what(), "'12 ' is not a valid integer value");
    EXPECT_STREQ(notAValidInteger("\xDD").what(), "'İ' is not a valid integer value");
    EXPECT_STREQ(cannotOpenFile("/a b", "No such file").what(),
                 "Cannot open file \"/a b\". No such file");
    EXPECT_STREQ(cannotCreateFile("x", "Denied").what(), "Cannot create file \"x\". Denied");
    EXPECT_STREQ(gridIndexOutOfRange().what(), "Grid index out of range");
}

}  // namespace
}  // namespace tablamo

namespace tablamo {
namespace {

// The macro that checks the texts users see fails when it should: a statement that raises
// nothing, or another text, is a failure; the exact text is none.
TEST(ThrowMsg, FailsWhenNothingOrAnotherTextIsRaised) {
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG((void)0, "Cannot open file"), "raises nothing");
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(throw Error("Cannot open file \"a\"."), "Cannot open"),
                            "raised by");
    EXPECT_THROW_MSG(throw Error("Grid index out of range"), "Grid index out of range");
}

}  // namespace
}  // namespace tablamo
