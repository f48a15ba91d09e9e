#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean/table_finder.h"
#include "core/import_settings.h"
#include "core/report_text.h"
#include "import/table_locator.h"
#include "locator_lines.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::fields;
using testing::joinCrLf;
using testing::rule;

using testing::kLocatorHead;
using testing::kLocatorWidths;
using testing::kTop;

// The tables a report prints one after the other, each from its title (or its headings) to
// the next one's.
TEST(TableLocator, TablesOneAfterTheOther) {
    const std::vector<int> sw = {12, 30, 14};
    const std::string sumHead = fields({"Hesap Kodu", "Hesap Adi", ">Bakiye"}, sw);
    const std::string record = fields({"01.01.2024", "Fatura", ">1,00"}, kLocatorWidths);
    const std::string underline = std::string(24, ' ') + "--------";
    const std::vector<int> mw = {12, 14, 10};
    const auto wide = [](const std::string& a, const std::string& b) {
        return " " + a + std::string(12 - a.size(), ' ') + ":" + std::string(14 - b.size(), ' ') +
               b + " :" + std::string(6, ' ') + ":";
    };
    const auto bars = [](const std::string& a, const std::string& b, const std::string& c) {
        return "  " + a + std::string(10 - a.size(), ' ') + " | " + b +
               std::string(10 - b.size(), ' ') + " | " + std::string(9 - c.size(), ' ') + c + " |";
    };
    const auto colons = [](const std::string& a, const std::string& b, const std::string& c) {
        return "  " + a + std::string(8 - a.size(), ' ') + " : " + b +
               std::string(12 - b.size(), ' ') + " : " + std::string(10 - c.size(), ' ') + c + " :";
    };
    // A budget's page: its header, numbered, over the headings between unbroken rules, then
    // its lines, then what follows.
    const auto budgetPage = [](const std::string& number, std::vector<std::string> lines,
                               const std::vector<std::string>& after) {
        const std::string firm = "ANADOLU KONFEKSIYON SAN. A.S.";
        lines.insert(lines.begin(),
                     {(number == "   1" ? "" : "\f") + firm + std::string(28, ' ') + "Sf." + number,
                      std::string(27, ' ') + "MASRAF MERKEZI BUTCESI - 2024 I. CEYR", "",
                      std::string(64, '='),
                      "Masraf  Masraf Merkezi Adi                    Ocak         Subat", "Yeri",
                      std::string(64, '=')});
        lines.insert(lines.end(), after.begin(), after.end());
        return lines;
    };
    // Stock cards under the headings and `under` them, each card's moves under its item's line.
    const auto stockCards = [&](const std::string& under) {
        return std::vector<std::string>{
            "STOK KARTLARI", "",     kLocatorHead, under, "HRD.0105  VIDA 4x40  ADET",
            record,          record, record,       "",    "HRD.0112  DUBEL 8 MM  ADET",
            record,          record, record};
    };
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<int> firstLines, tableLines;
        std::string lastTitle;
    };
    const Case cases[] = {
        {"one table over two pages",
         {"x", kLocatorHead, rule(kLocatorWidths), record, "\fx", kLocatorHead,
          rule(kLocatorWidths), record, underline, record},
         {0},
         {2},
         ""},
        {"a summary under its title",
         {"x", kLocatorHead, rule(kLocatorWidths), record, "", "   HESAP OZETI", "", sumHead,
          rule(sw), "y"},
         {0, 5},
         {2, 8},
         "HESAP OZETI"},
        {"a title right over the headings, records between two rules",
         {"x", kLocatorHead, rule(kLocatorWidths), record, "", "HESAP OZETI", sumHead, rule(sw),
          fields({"100.01", "KASA", ">1,00"}, sw), fields({"102.01", "BANKA", ">2,00"}, sw),
          rule(sw), fields({"", "GENEL TOPLAM", ">3,00"}, sw)},
         {0, 5},
         {2, 7},
         "HESAP OZETI"},
        {"one table, its first page under a rule of one run, the next two under gapped ones",
         {"x", kLocatorHead, " " + std::string(34, '-'), record, record, "\fx", kLocatorHead,
          rule(kLocatorWidths), record, record, "\fx", kLocatorHead, rule(kLocatorWidths), record},
         {0},
         {2},
         ""},
        {"a summary under no rule, its title right over its headings",
         {fields({"Tarih", "Aciklama", ">Tutar"}, mw), fields({"02.01.2024", "Kira", ">1,00"}, mw),
          fields({"03.01.2024", "Satis", ">2,00"}, mw), fields({"04.01.2024", "Fire", ">3,00"}, mw),
          "", "AYLIK OZET", fields({"Ay", ">Adet", ">Tutar"}, mw),
          fields({"Ocak 2024", ">3", ">6,00"}, mw), fields({"Subat 2024", ">1", ">1,00"}, mw)},
         {0, 5},
         {0, 6},
         "AYLIK OZET"},
        {"a table parted by colons after records, under its title",
         {"x", kLocatorHead, rule(kLocatorWidths), record, record, record, "", "BUTCE",
          colons("Yeri", "Aciklama", "Butce"), colons("7", "URETIM", "1.000,00"),
          colons("7.1", "Hammadde", "600,00"), colons("7.2", "Enerji", "400,00")},
         {0, 7},
         {2, 8},
         "BUTCE"},
        {"a frame of bars alone after records under a rule, over two pages",
         {"x", kLocatorHead, rule(kLocatorWidths), record, record, "", "", "KASA",
          bars("Tarih", "Aciklama", "Tutar"), bars("03.01.2024", "Fire", "3,00"),
          bars("04.01.2024", "Alis", "4,00"), "\fx", "", bars("Tarih", "Aciklama", "Tutar"),
          bars("05.01.2024", "Fire", "5,00"), bars("06.01.2024", "Alis", "6,00")},
         {0, 7},
         {2, 8},
         "KASA"},
        {"two tables parted by colons after records, each of its own colons",
         {"x", kLocatorHead, rule(kLocatorWidths), record, record, record, "", "BUTCE",
          colons("Yeri", "Aciklama", "Butce"), colons("7", "URETIM", "1.000,00"),
          colons("7.1", "Hammadde", "600,00"), colons("7.2", "Enerji", "400,00"), "", "KASA",
          wide("Tarih", "Tutar"), wide("01.02.2024", "5,00"), wide("02.02.2024", "6,00"),
          wide("03.02.2024", "7,00")},
         {0, 7, 13},
         {2, 8, 14},
         "KASA"},
        {"a title over a rule of equals signs over the headings",
         {"x", kLocatorHead, rule(kLocatorWidths), record, record, record, "", "AYLIK OZET", "",
          std::string(40, '='), wide("Ay", "Tutar"), std::string(40, '-'),
          wide("Ocak 2024", "5,00"), wide("Subat 2024", "6,00")},
         {0, 7},
         {2, 10},
         "AYLIK OZET"},
        {"a title over two lines of headings, the first of two words",
         {"x", kLocatorHead, rule(kLocatorWidths), record, record, record, "", "YEVMIYE DEFTERI",
          " HESAP  HESAP", "  KODU  ADI          ACIKLAMA          BORC", std::string(43, '='),
          " 100.01 KASA 01      Maas tahakkuku  1.030,00",
          " 335.01 PERSONEL 01  Maas tahakkuku  "
          "    0,00"},
         {0, 7},
         {2, 10},
         "YEVMIYE DEFTERI"},
        {"a summary under its title, the first of its two heading lines over one column",
         {"x", kLocatorHead, rule(kLocatorWidths), record, record, record, "", "KDV OZETI", "",
          "             Kalem", "  KDV Orani  Sayisi         Matrah",
          "  ---------  ------  -------------", "  %1             23   2.696.890,80",
          "  %10            12   1.189.005,78"},
         {0, 7},
         {2, 11},
         "KDV OZETI"},
        {"a table under no rule after a frame of ASCII, its amounts where the frame's stand",
         {"x", "  +------------+------------+", "  | Ay         |      Tutar |",
          "  +------------+------------+", "  | Ocak 2024  |   1.000,00 |",
          "  | Subat 2024 |   2.000,00 |", "  | Mart 2024  |   3.000,00 |",
          "  +------------+------------+", "", "BUTCE", "  Yeri  Aciklama     Butce",
          "  7    Uretim        500,00", "  7.1  Hammad        300,00",
          "  7.2  Enerji        200,00"},
         {0, 9},
         {1, 10},
         "BUTCE"},
        {"a table under no rule after a frame, its groups' lines keeping its records apart",
         {"x",
          "  +------------+------------+",
          "  | Ay         |      Tutar |",
          "  +------------+------------+",
          "  | Ocak 2024  |   1.000,00 |",
          "  | Subat 2024 |   2.000,00 |",
          "  | Mart 2024  |   3.000,00 |",
          "  +------------+------------+",
          "",
          "BUTCE",
          "  Yeri  Aciklama     Butce",
          "",
          "  URETIM",
          "  HAMMADDE",
          "  7    Uretim        500,00",
          "               -----------",
          "  ALT TOPLAM          500,00",
          "               -----------",
          "  GRUP TOPLAMI        500,00",
          "  ENERJI",
          "  ELEKTRIK",
          "  DOGALGAZ",
          "",
          "  7.1  Hammad        300,00",
          "  7.2  Enerji        200,00"},
         {0, 9},
         {1, 10},
         "BUTCE"},
        {"a table parted by colons before a table under a rule",
         {"x", colons("Ay", "Aciklama", "Tutar"), colons("Ocak", "Satis", "1.000,00"),
          colons("Subat", "Iade", "600,00"), colons("Mart", "Satis", "400,00"), "", "", "KASA",
          kLocatorHead, rule(kLocatorWidths), record, record, record},
         {0, 7},
         {1, 9},
         "KASA"},
        {"a table parted by colons before a frame",
         {"x", colons("Ay", "Aciklama", "Tutar"), colons("Ocak", "Satis", "1.000,00"),
          colons("Subat", "Iade", "600,00"), colons("Mart", "Satis", "400,00"), "", kTop,
          kLocatorHead},
         {0, 6},
         {1, 6},
         ""},
        {"a table of other headings over records of the same shape, under no rule",
         {fields({"Tarih", "Aciklama", ">Tutar"}, mw), fields({"02.01.2024", "Kira", ">1,00"}, mw),
          fields({"03.01.2024", "Satis", ">2,00"}, mw), fields({"04.01.2024", "Fire", ">3,00"}, mw),
          "", "KASA DEFTERI", fields({"Gun", "Fis Turu", ">Bakiye"}, mw),
          fields({"05.01.2024", "Tahsil", ">5,00"}, mw),
          fields({"06.01.2024", "Tediye", ">4,00"}, mw),
          fields({"07.01.2024", "Tahsil", ">6,00"}, mw)},
         {0, 5},
         {0, 6},
         "KASA DEFTERI"},
        {"records under unbroken rules over two pages, the page number changing",
         budgetPage("   1",
                    {"7       FAALIYET GIDERLERI            1.005.437,15  1.195.346,83",
                     "7.1     URETIM MASRAF MERKEZLERI        520.248,35    364.535,83",
                     "7.1.01  Kesim Atolyesi                  162.071,65     31.782,40", ""},
                    budgetPage("   2",
                               {"8       YARDIMCI HIZMETLER              504.769,04    468.438,46",
                                "8.1     ENERJI                          198.193,78    310.990,93",
                                "8.1.01  Kazan Dairesi                    51.554,39    175.106,02",
                                "8.1.02  Jenerator                       146.639,39    135.884,91"},
                               {})),
         {0},
         {6},
         ""},
        {"stock cards, each under its item's line", stockCards(rule(kLocatorWidths)), {0}, {3}, ""},
        {"stock cards under an unbroken rule", stockCards(std::string(32, '-')), {0}, {3}, ""},
        {"a frame drawn tight around its cells, a group's lines across it",
         {"STOK", "+----------+-----+------------+--------+",
          "|Tarih     |Belge|Islem       |   Kalan|", "+----------+-----+------------+--------+",
          "|DEPO : MERKEZ                          |", "|DEVIR                       |     730|",
          "|04.03.2023|13785|Alis iadesi |     492|", "|08.03.2023|20355|Satis       |     439|",
          "|29.03.2023|15939|Sarf        |     181|", "+----------+-----+------------+--------+"},
         {0},
         {1},
         ""},
        {"records before a frame, no title over it",
         {"x", kLocatorHead, rule(kLocatorWidths), record, "", kTop, kLocatorHead},
         {0, 5},
         {2, 5},
         ""},
    };
    for (const Case& c : cases) {
        const ReportText text(joinCrLf(c.lines));
        const ReportLayout layout;
        const std::vector<ReportTable> tables =
            reportTables(text, locateCleanTable(text, locateTable(text, layout), layout), layout);
        std::vector<int> firstLines, tableLines;
        for (const ReportTable& t : tables) {
            firstLines.push_back(t.firstLine);
            tableLines.push_back(t.location.line);
        }
        EXPECT_EQ(firstLines, c.firstLines) << c.name;
        EXPECT_EQ(tableLines, c.tableLines) << c.name;
        for (std::size_t i = 0; i + 1 < tables.size(); ++i) {
            EXPECT_EQ(tables[i].endLine, tables[i + 1].firstLine) << c.name;
        }
        EXPECT_EQ(tables.back().endLine, text.lineCount()) << c.name;
        EXPECT_EQ(tables.back().title, c.lastTitle) << c.name;
    }
}

}  // namespace
}  // namespace tablamo
