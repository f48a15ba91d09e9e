// The report's title read from its first lines, as the printed pages and the sheets name it.

#include "commands/report_title.h"

#include <gtest/gtest.h>

#include "core/encoding.h"
#include "core/input_encoding.h"
#include "core/report_text.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

// The report's lines written in UTF-8, held as the DOS program prints them.
ReportText reportOf(const std::vector<std::string>& lines) {
    InputReading reading;
    return ReportText(*recodeReportBytes(testing::joinCrLf(lines), InputEncoding::Utf8, reading));
}

TEST(ReportTitle, APeriodIsTwoDatesParted) {
    const struct {
        const char* line;
        const char* period;
    } cases[] = {
        {"            01.01.2024 - 31.03.2024", "01.01.2024 - 31.03.2024"},
        {"D\xF6nem: 1/3/24-31/3/24  Sayfa: 2", "1/3/24 - 31/3/24"},
        {"Tarih : 24.03.2006", ""},
        {"Hesaplar 120.01.001 - 320.01.002", ""},
        {"01.01.2024 - 31.03", ""},
        {"Basim 15.04.2024 11:20 - 31.03.2024", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(periodIn(c.line), c.period) << c.line;
}

TEST(ReportTitle, AMergedTablesPeriodSpansItsReports) {
    const struct {
        const char *a, *b, *spanned;
    } cases[] = {
        {"01.03.2024 - 31.03.2024", "01.02.2024 - 29.02.2024", "01.02.2024 - 31.03.2024"},
        {"01.01.2024 - 31.03.2024", "01.01.2024 - 31.03.2024", "01.01.2024 - 31.03.2024"},
        {"1/12/99 - 31/12/99", "1/1/00 - 31/1/00", "1/12/99 - 31/1/00"},  // over the century
        {"01.03.2024 - 31.03.2024", "", ""},                              // one prints none
    };
    for (const auto& c : cases) EXPECT_EQ(spannedPeriod(c.a, c.b), c.spanned) << c.a;
}

TEST(ReportTitle, FirmAndTitleFromTheFirstLines) {
    const struct {
        const char* what;
        std::vector<std::string> lines;
        const char* firm;
        const char* title;
        const char* name;
        const char* period = "";
    } cases[] = {
        {"page number and print date left out",
         {"ERDOĞAN OTOMOTİV SAN.TİC.A.Ş.              Sayfa :   1",
          "              MUAVİN DEFTERİ                  Tarih : 25.02.2006", "",
          "Hesap Kodu : 120.01.0045"},
         "ERDOĞAN OTOMOTİV SAN.TİC.A.Ş.",
         "MUAVİN DEFTERİ",
         "MUAVİN DEFTERİ"},
        {"title beside the firm, field line under it",
         {"ÇUKUROVA PAMUK İPLİK SAN.A.Ş.       MUAVİN DEFTERİ        Sayfa: 1",
          "Hesap: 320.03.4685  ÇAĞLAYAN"},
         "ÇUKUROVA PAMUK İPLİK SAN.A.Ş.",
         "MUAVİN DEFTERİ",
         "MUAVİN DEFTERİ"},
        {"the period on a field's line, below the two of the title",
         {"ANADOLU GIDA A.Ş.        Sayfa : 1", "      YEVMİYE DEFTERİ", "",
          "Dönem : 01.03.2024-31.03.2024    Tarih : 05.04.2024", "----------"},
         "ANADOLU GIDA A.Ş.",
         "YEVMİYE DEFTERİ",
         "YEVMİYE DEFTERİ",
         "01.03.2024 - 31.03.2024"},
        {"letters printed apart, a date beside the firm",
         {"ÖZGÜR BASIM A.Ş.                     26.01.2006",
          "                 M U A V İ N   D E F T E R İ", "         01.01.2005 - 31.12.2005"},
         "ÖZGÜR BASIM A.Ş.",
         "MUAVİN DEFTERİ",
         "MUAVİN DEFTERİ",
         "01.01.2005 - 31.12.2005"},
        {"a second line naming a field is no title",
         {"YILDIZ ECZA       15.01.2003", "Banka Hesabı : 102.01.011"},
         "YILDIZ ECZA",
         "",
         ""},
        {"title of two parts",
         {"AKBANK T.A.Ş.", "          HESAP EKSTRESİ       ÜNAL  ELEKTRİK"},
         "AKBANK T.A.Ş.",
         "HESAP EKSTRESİ  ÜNAL ELEKTRİK",
         "HESAP EKSTRESİ"},
        {"printer codes left out",
         {"\x1B@\x1B"
          "EULUDAĞ İÇECEK A.Ş.\x0F        KDV LİSTESİ"},
         "ULUDAĞ İÇECEK A.Ş.",
         "KDV LİSTESİ",
         "KDV LİSTESİ"},
        {"a code's parameter goes with it",
         {"\x1Bx1\x1B!\x08"
          "ALTIN GIDA       \x0E"
          "MUAVİN\x14"},
         "ALTIN GIDA",
         "MUAVİN",
         "MUAVİN"},
        {"headings first", {"Tarih   Hesap Adı", "---------- ----"}, "Tarih Hesap Adı", "", ""},
        {"nothing above the rule line", {"", "---------- ----", "SONRA"}, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ReportTitle title = reportTitle(reportOf(c.lines));
        EXPECT_EQ(win1254ToUtf8(title.firm), c.firm);
        EXPECT_EQ(win1254ToUtf8(title.title), c.title);
        EXPECT_EQ(win1254ToUtf8(title.name), c.name);
        EXPECT_EQ(title.period, c.period);
    }
}

}  // namespace
}  // namespace tablamo
