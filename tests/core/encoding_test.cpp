#include "core/encoding.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

TEST(Encoding, TurkishLettersRoundTrip) {
    struct Case {
        const char* win;
        const char* utf8;
    };
    const Case cases[] = {
        {"\xDDSTANBUL", "İSTANBUL"},
        {"\xC7\xD0\xD6\xDC\xDD\xDE", "ÇĞÖÜİŞ"},
        {"\xE7\xF0\xF6\xFC\xFD\xFE", "çğöüış"},
        {"\x80 \x9F", "€ Ÿ"},
        {"abc", "abc"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win1254ToUtf8(c.win), c.utf8) << c.utf8;
        EXPECT_EQ(utf8ToWin1254(c.utf8), std::optional<std::string>(c.win)) << c.utf8;
    }
}

TEST(Encoding, RefusesWhatTheCodePageLacks) {
    for (const char* s : {"日本", "\xC3", "\xE2\x82", "\xFF", "Ω"}) {
        EXPECT_FALSE(utf8ToWin1254(s).has_value()) << s;
    }
}

TEST(Encoding, EveryByteSurvivesTheRoundTrip) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToWin1254(win1254ToUtf8(one)), std::optional<std::string>(one)) << b;
    }
}

}  // namespace
}  // namespace tablamo
