#include "app/rtf/rtf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tablamo::rtf {
namespace {

struct TextCase {
    const char* name;
    std::string input;
    std::u32string expected;
};

class RtfText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfText, ReadsTheVisibleText) {
    const auto doc = read(GetParam().input);
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(doc->plainText(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfText,
    ::testing::Values(
        TextCase{"Empty", "{\\rtf1}", U""},
        TextCase{"PlainWords", "{\\rtf1 Merhaba d\\'fcnya}", U"Merhaba dünya"},
        TextCase{"ParAndTab", "{\\rtf1 a\\par b\\tab c\\line d}", U"a\nb\tc\nd"},
        TextCase{"TurkishHexDefault1254", "{\\rtf1 \\'dd\\'fd\\'de\\'fe\\'d0\\'f0}", U"İıŞşĞğ"},
        TextCase{"HexIn1252", "{\\rtf1\\ansi\\ansicpg1252 \\'dd\\'fd}", U"Ýý"},
        TextCase{"HexUpperCaseDigits", "{\\rtf1 \\'C7\\'e7}", U"Çç"},
        TextCase{"UnicodeSkipsOneFallback", "{\\rtf1 \\u9552?x}", U"═x"},
        TextCase{"UnicodeNegative", "{\\rtf1 \\u-3999?}", U"\xF061"},
        TextCase{"UcTwoSkipsTwo", "{\\rtf1\\uc2 \\u351 ssx}", U"şx"},
        TextCase{"UcSkipCountsHexAsOne", "{\\rtf1 \\u351\\'73x}", U"şx"},
        TextCase{"UcIsScopedToGroup", "{\\rtf1 {\\uc2 a}\\u351?b}", U"aşb"},
        TextCase{"EscapedSpecials", "{\\rtf1 \\\\ \\{ \\}}", U"\\ { }"},
        TextCase{"DelimiterBlankIsEaten", "{\\rtf1\\b bold\\b0  x}", U"bold x"},
        TextCase{"FileLineBreaksAreNotText", "{\\rtf1 a\r\nb}", U"ab"},
        TextCase{"FontTableSkipped", "{\\rtf1{\\fonttbl{\\f0 Arial;}}x}", U"x"},
        TextCase{"ColourTableSkipped", "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;}x}", U"x"},
        TextCase{"StarDestinationSkipped", "{\\rtf1{\\*\\generator Riched20;}x}", U"x"},
        TextCase{"UnknownStarWithNestedGroups", "{\\rtf1{\\*\\foo a{b}c}x}", U"x"},
        TextCase{"InfoSkipped", "{\\rtf1{\\info{\\title T}}x}", U"x"},
        TextCase{"FieldShowsResultOnly",
                 "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", U"link"},
        TextCase{"EscapedNewlineIsParagraph", "{\\rtf1 a\\\nb}", U"a\nb"},
        TextCase{"NamedPunctuation", "{\\rtf1 \\bullet\\endash\\emdash\\ldblquote\\rdblquote}",
                 U"•–—“”"},
        TextCase{"TextAfterDocumentIgnored", "{\\rtf1 a}trailing", U"a"},
        TextCase{"BinaryDataSkipped", "{\\rtf1 a{\\*\\blip\\bin4 }{x\\}b}", U"ab"},
        TextCase{"BinaryDataOutsideAPicture", "{\\rtf1 a\\bin3 {}{b}", U"ab"},
        TextCase{"UnknownWordsIgnored", "{\\rtf1\\pard\\sa200\\sl276\\slmult1 x}", U"x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfFormat, RunsCarryBoldItalicUnderlineAndGroupsRestoreThem) {
    const auto doc = read("{\\rtf1 a{\\b b{\\i c\\ul d}e}\\ul f\\ulnone g\\b h\\plain i}");
    ASSERT_TRUE(doc.has_value());
    const std::vector<rtf::Run> expected = {
        {U"a", false, false, false}, {U"b", true, false, false}, {U"c", true, true, false},
        {U"d", true, true, true},    {U"e", true, false, false}, {U"f", false, false, true},
        {U"g", false, false, false}, {U"h", true, false, false}, {U"i", false, false, false},
    };
    EXPECT_EQ(doc->runs, expected);
}

TEST(RtfFormat, ZeroParameterTurnsAFormatOff) {
    const auto doc = read("{\\rtf1\\b a\\b0 b\\i1 c\\i0 d}");
    ASSERT_TRUE(doc.has_value());
    const std::vector<rtf::Run> expected = {{U"a", true, false, false},
                                            {U"b", false, false, false},
                                            {U"c", false, true, false},
                                            {U"d", false, false, false}};
    EXPECT_EQ(doc->runs, expected);
}

struct BadCase {
    const char* name;
    std::string input;
};

class RtfRefused : public ::testing::TestWithParam<BadCase> {};

TEST_P(RtfRefused, IsNotRead) { EXPECT_FALSE(read(GetParam().input).has_value()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfRefused,
    ::testing::Values(BadCase{"PlainText", "Merhaba"}, BadCase{"EmptyFile", ""},
                      BadCase{"NeverClosed", "{\\rtf1 a"},
                      BadCase{"InnerGroupNeverClosed", "{\\rtf1 {\\b a}"},
                      BadCase{"BackslashAtEnd", "{\\rtf1 a\\"},
                      BadCase{"HexCutShort", "{\\rtf1 \\'f"},
                      BadCase{"HexNotHex", "{\\rtf1 \\'zz}"},
                      BadCase{"TooDeep", "{\\rtf1 " + std::string(kMaxNesting, '{') + "x" +
                                             std::string(kMaxNesting + 1, '}')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfNesting, DeepestAllowedNestingIsRead) {
    const std::string input =
        "{\\rtf1 " + std::string(kMaxNesting - 1, '{') + "x" + std::string(kMaxNesting, '}');
    const auto doc = read(input);
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(doc->plainText(), U"x");
}

TEST(RtfNesting, AMillionOpeningBracesAreRefusedWithoutRecursion) {
    EXPECT_FALSE(read("{\\rtf1 " + std::string(1'000'000, '{')).has_value());
}

TEST(RtfHelpFile, TheShippedHelpFileReads) {
    std::ifstream in(TABLAMO_SOURCE_ROOT "/yardim", std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(isRichText(bytes));
    const auto doc = read(bytes);
    ASSERT_TRUE(doc.has_value());
    const std::u32string text = doc->plainText();
    for (const char32_t* heading :
         {U"Tablamo nedir?", U"Temiz tablo", U"Sütunlar sekmesi", U"Raporları birleştirmek",
          U"Hangi dosyaları okur?", U"sütunlar nasıl bulunur?", U"Düğmeler", U"Yazılan dosyalar",
          U"çift çizgi (═)"}) {
        EXPECT_NE(text.find(heading), std::u32string::npos);
    }
    EXPECT_EQ(text.find(U"Arial"), std::u32string::npos);  // the font table is not text
}

}  // namespace
}  // namespace tablamo::rtf
