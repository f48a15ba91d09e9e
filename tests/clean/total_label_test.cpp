#include "clean/total_label.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tablamo {
namespace {

TEST(TotalLabel, WordsSayWhatATotalCovers) {
    for (const char* label : {"SAYFA TOPLAMI", "Toplam :", "*** GENEL TOPLAM ***", "Nakli Yek\xFCn",
                              "Sonraki Sayfaya Devir", "D\xD6NEM SONU BAK\xDDYE", "Yek\xFCn",
                              "Kasa Devri", "\xD6nceki Sayfadan"}) {
        EXPECT_TRUE(isTotalLabel(label)) << label;
    }
    for (const char* text : {"AKSOY NAKL\xDDYAT LTD.\xDE"
                             "T\xDD.",
                             "Havale, Akbank", "Toplantı", "120.03.021 DEVR\xDDM TOPTAN GIDA"}) {
        EXPECT_FALSE(isTotalLabel(text)) << text;
    }
    EXPECT_FALSE(isTotalLabel("Bakiye d\xFCzeltmesi", false));

    const struct {
        const char* label;
        TotalClass kind;
        const char* key;
        std::optional<std::int64_t> count;
        std::vector<std::string> words;
        const char* family;
    } cases[] = {
        {"SAYFA TOPLAMI", TotalClass::Page, "SAYFA TOPLAM", {}, {}, "SAYFA TOPLAM"},
        {"NAKL\xDD YEK\xDCN", TotalClass::Forward, "NAKLI YEKUN", {}, {}, "NAKLI YEKUN"},
        {"\xD6NCEK\xDD SAYFADAN NAK\xDDL",
         TotalClass::Back,
         "ONCEKI SAYFA NAKIL",
         {},
         {},
         "ONCEKI SAYFA NAKIL"},
        {"Sonraki Sayfaya Devir",
         TotalClass::Forward,
         "SONRAKI SAYFA DEVIR",
         {},
         {},
         "SONRAKI SAYFA DEVIR"},
        {"GENEL YEK\xDCN", TotalClass::Grand, "GENEL YEKUN", {}, {}, "GENEL YEKUN"},
        {"D\xD6NEM BA\xDEI STOK", TotalClass::Back, "DONEM BASI STOK", {}, {}, "DONEM BASI STOK"},
        {"D\xD6NEN VARLIKLAR TOPLAMI",
         TotalClass::Plain,
         "TOPLAM",
         {},
         {"DONEN", "VARLIKLAR"},
         "TOPLAM DONEN VARLIKLAR"},
        {"1 D\xD6NEN VARLIKLAR TOPLAMI",
         TotalClass::Plain,
         "TOPLAM",
         {},
         {"1", "DONEN", "VARLIKLAR"},
         "TOPLAM #1 DONEN VARLIKLAR"},
        {"01.03.2019 G\xDCN TOPLAMI",
         TotalClass::Group,
         "GUN TOPLAM",
         {},
         {"01.03.2019"},
         "GUN TOPLAM #D"},
        {"1.3.2019 G\xDCN TOPLAMI",
         TotalClass::Group,
         "GUN TOPLAM",
         {},
         {"1.3.2019"},
         "GUN TOPLAM #D"},
        {"120.01 TOPLAMI", TotalClass::Plain, "TOPLAM", {}, {"120.01"}, "TOPLAM #3.2"},
        {"\xDEUBAT AYI TOPLAMI",
         TotalClass::Plain,
         "TOPLAM",
         {},
         {"SUBAT", "AYI"},
         "TOPLAM #M AYI"},
        {"TL TOPLAMI (34 adet)", TotalClass::Plain, "TOPLAM", 34, {"TL"}, "TOPLAM TL"},
        {"CAR\xDD TOPLAM (12 kay\xFDt)", TotalClass::Group, "CARI TOPLAM", 12, {}, "CARI TOPLAM"},
        // What a balance is of, in brackets, is no account's total.
        {"DEFTER BAK\xDDYES\xDD (102.01 HESAP)",
         TotalClass::Plain,
         "BAKIYE",
         {},
         {"DEFTER", "102.01", "HESAP"},
         "BAKIYE DEFTER #3.2 HESAP"},
        {"(NAKL\xDD YEK\xDCN)", TotalClass::Forward, "NAKLI YEKUN", {}, {}, "NAKLI YEKUN"},
    };
    for (const auto& c : cases) {
        const TotalLabel l = readTotalLabel(c.label);
        EXPECT_EQ(l.kind, c.kind) << c.label;
        EXPECT_EQ(l.key, c.key) << c.label;
        EXPECT_EQ(l.count, c.count) << c.label;
        EXPECT_EQ(l.words, c.words) << c.label;
        EXPECT_EQ(l.family, c.family) << c.label;
    }
}

}  // namespace
}  // namespace tablamo
