#include "core/layout_profile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/throw_msg.h"

namespace tablamo {
namespace {

LayoutProfile everyFieldChanged() {
    LayoutProfile p;
    p.layout.StartRow = "-3";
    p.layout.StartColumn = "2";
    p.layout.SearchCriterion = "=====";
    p.layout.FieldSeparator = "\xFE";  // ş
    p.layout.FrameCriterion = "\xCD\xCD";
    p.layout.FrameSeparator = "|";
    for (int k = 1; k <= ReportLayout::kWidthCount; ++k) p.layout.setColumnWidth(k, k - 3);
    p.layout.AutoColumnSearch = false;
    p.layout.LedgerMarks = false;
    p.cleanTable = true;
    p.fingerprint = "Tarih \"Fi\xFE\" [TL] A\xE7\xFDklama";
    return p;
}

TEST(ProfileJson, EveryFieldComesBack) {
    const LayoutProfile p = everyFieldChanged();
    const std::string json = profileToJson(p);
    EXPECT_EQ(profileFromJson(json, "p.json"), p);
    // UTF-8 in the file, the widths side by side.
    EXPECT_NE(json.find("\"FieldSeparator\": \"\xC5\x9F\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"ColumnWidths\": [-2, -1, 0, 1,"), std::string::npos) << json;
    EXPECT_EQ(profileFromJson(profileToJson(LayoutProfile{}), "p.json"), LayoutProfile{});
}

// A valid profile with `from` replaced by `to`.
std::string edited(const std::string& from, const std::string& to) {
    std::string json = profileToJson(LayoutProfile{});
    const std::size_t at = json.find(from);
    if (at == std::string::npos) ADD_FAILURE() << "no " << from;
    return json.replace(at, from.size(), to);
}

TEST(ProfileJson, BadProfilesNameTheFileAndTheKey) {
    const std::string p = "Düzen dosyası \"p.json\": ";
    const struct {
        const char* name;
        std::string json;
        std::string message;
    } cases[] = {
        {"not JSON", "{\"version\": 1,", p + "JSON değil: 1. satır, 15. sütunda yazım hatası"},
        {"no object", "[1]", p + "düzen dosyası değil: bir JSON nesnesi yok"},
        {"number past any range", edited("[10,", "[1e999,"),
         p + "JSON değil: '1e999' sayısı çok büyük"},
        {"no version", edited("\"version\": 1,", ""), p + "\"version\" eksik"},
        {"unknown version", edited("\"version\": 1", "\"version\": 2"),
         p + "\"version\": 2 bu programın okuduğu bir sürüm değil (1)"},
        {"version as text", edited("\"version\": 1", "\"version\": \"1\""),
         p + "\"version\": \"1\" bu programın okuduğu bir sürüm değil (1)"},
        {"unknown key", edited("\"cleanTable\"", "\"clean\": 1, \"cleanTable\""),
         p + "\"clean\" bir düzen dosyası anahtarı değil"},
        {"missing key", edited(",\n  \"cleanTable\": false", ""), p + "\"cleanTable\" eksik"},
        {"unknown layout key", edited("\"LedgerMarks\"", "\"Widths\": [], \"LedgerMarks\""),
         p + "\"layout.Widths\" bir düzen dosyası anahtarı değil"},
        {"missing layout key", edited("\"StartColumn\": 1,", ""),
         p + "\"layout.StartColumn\" eksik"},
        {"width with a fraction", edited("[10, 12,", "[10, 12.5,"),
         p + "\"layout.ColumnWidths[1]\": 12.5 bir tam sayı değil"},
        {"width as text", edited("[10,", "[\"10\","),
         p + "\"layout.ColumnWidths[0]\": \"10\" bir tam sayı değil"},
        {"width too large", edited("[10,", "[3000000000,"),
         p + "\"layout.ColumnWidths[0]\": 3000000000 izin verilen aralığın dışında"},
        {"nineteen widths", edited("[10, ", "["),
         p + "\"layout.ColumnWidths\": 20 tam sayı olmalı; "
             "[12,39,19,19,19,19,19,19,19,10,10,10,10,… verilmiş"},
        {"start row 1.0", edited("\"StartRow\": 1", "\"StartRow\": 1.0"),
         p + "\"layout.StartRow\": 1.0 bir tam sayı değil"},
        {"text Windows-1254 lacks", edited("\"----------\"", "\"\xE2\x9C\x93\""),
         p + "\"layout.SearchCriterion\": \"\xE2\x9C\x93\" Windows-1254'te olmayan bir karakter "
             "içeriyor"},
        {"separator as number", edited("\"FieldSeparator\": \" \"", "\"FieldSeparator\": 5"),
         p + "\"layout.FieldSeparator\": metin olmalı; 5 verilmiş"},
        {"check as text", edited("\"LedgerMarks\": true", "\"LedgerMarks\": \"yes\""),
         p + "\"layout.LedgerMarks\": true ya da false olmalı; \"yes\" verilmiş"},
        {"layout as array", edited("\"layout\": {", "\"layout\": [], \"x\": {"),
         p + "\"x\" bir düzen dosyası anahtarı değil"},
        {"layout not an object",
         "{\"version\": 1, \"fingerprint\": \"\", \"layout\": 3, \"cleanTable\": true}",
         p + "\"layout\": nesne olmalı; 3 verilmiş"},
        {"fingerprint ill-formed UTF-8",
         edited("\"fingerprint\": \"\"", "\"fingerprint\": \"\xFF\""),
         p + "JSON değil: 3. satır, 19. sütunda yazım hatası"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testing::errorText([&] { profileFromJson(c.json, "p.json"); }), c.message)
            << c.name;
    }
}

TEST(HeadingFingerprint, IsTheLineAsTheImportConvertsItWithBlanksCollapsed) {
    const struct {
        const char* name;
        std::string dos;
        std::string expected;
    } cases[] = {
        {"blanks collapsed and trimmed", "  Tarih    Fi\x9F No\t Bor\x87  \r",
         "Tarih Fi\xFE No Bor\xE7"},
        {"frame characters deleted", "\xBA Tarih   \xB3 A\x87\x8Dklama \xBA",
         "Tarih A\xE7\xFDklama"},
        {"nothing but blanks", "   \t ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(headingFingerprint(c.dos), c.expected) << c.name;
}

TEST(ProfilesFolder, FollowsXdgConfigHome) {
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfig ? oldConfig : "";
    const char* home = std::getenv("HOME");
    ::setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
    EXPECT_EQ(profilesFolder(), "/srv/conf/tablamo/profiles");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: passed over
    EXPECT_EQ(profilesFolder(), std::string(home ? home : "") + "/.config/tablamo/profiles");
    if (oldConfig) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(ProfileName, IsTheFileNameWithoutJson) {
    EXPECT_EQ(profileName("/home/a/.config/tablamo/profiles/muavin-2005.json"), "muavin-2005");
    EXPECT_EQ(profileName("KASA.JSON"), "KASA");
    EXPECT_EQ(profileName("dir/plain"), "plain");
}

}  // namespace
}  // namespace tablamo
