// Counts, whole quantities and the figures of totals: what a clean table reads them as and
// how it checks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clean_read.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::fields;
using testing::Read;
using testing::Row;
using testing::rule;

// An age bucket no record of a short list falls in (blank, or dashes for none), whose totals
// print amounts, is a column still: its totals are checked, and a wrong one named.
TEST(CleanShapes, AColumnOnlyTotalsFillIsKept) {
    const std::vector<int> w = {10, 8, 9, 8, 8};
    for (const char* none : {"", ">-"}) {
        const auto list = [&](const char* bucket) {
            return std::vector<std::string>{
                fields({"Cari Kodu", "Unvani", ">Bakiye", ">0-30", ">31-60"}, w),
                rule(w),
                fields({"120.01", "ALI", ">100,00", ">100,00", none}, w),
                fields({"120.02", "VELI", ">50,00", ">50,00", none}, w),
                std::string(51, '-'),
                fields({"TOPLAM", "", ">150,00", ">150,00", bucket}, w)};
        };
        const Read right(list(">0,00"));
        EXPECT_TRUE(right.outcome.warnings.empty()) << none;
        EXPECT_EQ(right.rows.at(0), (Row{"Cari Kodu", "Unvani", "Bakiye", "0-30", "31-60"}));
        EXPECT_EQ(right.rows.at(1).back(), "") << none;
        const Read wrong(list(">12,50"));
        ASSERT_EQ(wrong.outcome.warnings.size(), 1u) << none;
        EXPECT_NE(wrong.outcome.warnings[0].find("31-60"), std::string::npos);
    }
}

// An income statement that prints its accounts under "Ayrinti" and their total a column
// aside, under "Toplam": the total agrees with the accounts, as the rates' total does.
TEST(CleanShapes, ATotalPrintedAColumnAsideOfItsAmounts) {
    const std::vector<int> w = {5, 22, 14, 14, 6};
    const Read statement({fields({"Hesap", "Aciklama", ">Ayrinti", ">Toplam", ">Oran"}, w), rule(w),
                          "A- BRUT SATISLAR",
                          fields({"600", "Yurt Ici Satislar", ">8.819.796,07", "", ">63,30"}, w),
                          fields({"601", "Yurt Disi Satislar", ">1.568.268,10", "", ">11,26"}, w),
                          fields({"602", "Diger Gelirler", ">3.828.769,21", "", ">27,48"}, w),
                          fields({"", "A TOPLAMI", "", ">14.216.833,38", ">102,04"}, w)});
    EXPECT_TRUE(statement.outcome.warnings.empty());
    EXPECT_EQ(statement.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
}

// A summary keyed by names alone (product groups): its TOPLAM line is the total, under the
// headings' own rule, a blank line or none, and a wrong figure of it is named.
TEST(CleanShapes, ATotalNamedLikeTheRecordsOfASummary) {
    const std::vector<int> w = {21, 12, 12};
    const auto summary = [&](const std::string& over, const char* total) {
        return std::vector<std::string>{"GRUPLARA GORE KAR",
                                        fields({"Grup Adi", ">Satis", ">Kar"}, w),
                                        rule(w),
                                        fields({"Hali ve kilim", ">10.000,00", ">1.000,00"}, w),
                                        fields({"Boya", ">4.000,00", ">400,00"}, w),
                                        fields({"Cam", ">5.000,00", ">500,00"}, w),
                                        over,
                                        fields({"TOPLAM", total, ">1.900,00"}, w)};
    };
    for (const std::string& over : {rule(w), std::string()}) {
        const Read right(summary(over, ">19.000,00"));
        EXPECT_EQ(right.rows.size(), 4u) << over;
        EXPECT_EQ(right.outcome.note, "1 toplam satırı kayıtlarla tutuyor") << over;
        const Read wrong(summary(over, ">19.000,01"));
        EXPECT_EQ(wrong.outcome.warnings.size(), 1u) << over;
    }
}

// A count beside each name ("İKİYÜZLÜK  10  2.000,00", a cash count) makes no key of its
// own: the names still tell the records.
TEST(CleanShapes, ANamedSummaryWithACountBesideItsAmounts) {
    const std::vector<int> w = {14, 8, 14};
    const auto count = [&](const char* total) {
        return std::vector<std::string>{fields({"Kupur Cinsi", ">Adet", ">Tutar"}, w),
                                        rule(w),
                                        fields({"IKIYUZLUK", ">10", ">2.000,00"}, w),
                                        fields({"YUZLUK", ">5", ">500,00"}, w),
                                        fields({"BIR LIRA", ">7", ">7,00"}, w),
                                        rule(w),
                                        fields({"TOPLAM", "", total}, w)};
    };
    const Read right(count(">2.507,00"));
    ASSERT_EQ(right.rows.size(), 4u);  // the headings and three records
    EXPECT_EQ(right.rows[2], (Row{"YUZLUK", "5", "500,00"}));
    EXPECT_EQ(right.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    EXPECT_EQ(Read(count(">2.508,00")).outcome.warnings.size(), 1u);
}

// A column of single digits and dashes for none stands right, as counts do: the wider figure
// of its total is its own, and checked.
TEST(CleanShapes, ACountOfDashesAndDigitsTakesItsTotalsFigure) {
    const auto sheet = [](const char* izin) {
        return std::vector<std::string>{
            "Sicil  Adi        Gun  HT  Izin  Mesai",
            "00991  Ali         21   8     5   34,8",
            "02729  Veli        22   8     -   12,0",
            "00606  Can         20   8     7   35,8",
            "07259  Ece         21   8     -   52,4",
            std::string("TOPLAM             84  32    ") + izin + "  135,0"};
    };
    const Read right(sheet("12"));
    EXPECT_TRUE(right.outcome.warnings.empty());
    const Read wrong(sheet("13"));
    ASSERT_EQ(wrong.outcome.warnings.size(), 1u);
    EXPECT_NE(wrong.outcome.warnings[0].find("Izin"), std::string::npos);
}

// The last column of a frame drawn without its right edge reaches to the line's end; its
// whole quantities still stand right, and a running one is checked.
TEST(CleanShapes, TheLastColumnOfAnOpenFrameRuns) {
    const auto card = [](const char* kalan) {
        return std::vector<std::string>{
            "  Tarih      | Belge | Islem     | Giris | Cikis |  Kalan",
            "  -------------------------------------------------------",
            "  DEVIR                          |       |       |     31",
            "  14.04.2006 | 28696 | Iade      |    20 |       |     51",
            std::string("  23.07.2006 | 09825 | Alis      |     5 |       |     ") + kalan,
            "  31.07.2006 | 08240 | Satis     |       |    48 |      8",
            "  02.10.2006 | 20928 | Transfer  |       |     3 |      5",
            "  03.10.2006 | 04625 | Iade      |     1 |       |      6",
            "  19.11.2006 | 03823 | Iade      |    12 |       |     18",
            "  KART TOPLAMI                   |    38 |    51 |     18"};
    };
    const Read right(card("56"));
    EXPECT_TRUE(right.outcome.warnings.empty());
    const Read wrong(card("57"));
    ASSERT_FALSE(wrong.outcome.warnings.empty());
    EXPECT_NE(wrong.outcome.warnings[0].find("Kalan"), std::string::npos);
}

// Attendance sheets: register numbers, names, day marks and counts. One of counts alone is a
// table too; a column only a record of no decimals fills joins the formula it completes
// (days paid = days - sick days - unpaid days), no warning.
TEST(CleanShapes, AttendanceSheetsOfCounts) {
    const std::vector<int> w = {5, 8, 7, 3, 3, 3, 3, 5};
    const auto line = [&](const Row& cells) { return fields(cells, w); };
    const std::vector<std::string> counts = {
        line({"Sicil", "Adi", "Gunler", ">Cal", ">Rap", ">Ucr", ">Top", ">Prim"}),
        std::string(44, '-'),
        line({"09633", "Serife", "X X H X", ">21", ">1", "", ">31", ">30"}),
        line({"00091", "Abdullah", "X X H I", ">20", "", "", ">31", ">31"}),
        line({"08814", "Zehra", "X I H X", ">21", ">2", "", ">31", ">29"}),
        line({"04390", "Osman", "X X H X", ">22", "", "", ">31", ">31"}),
        line({"02387", "Ayse", "U X H X", ">19", ">1", ">1", ">31", ">29"}),
        line({"05397", "Unal", "R X H X", ">17", ">2", "", ">31", ">29"}),
        std::string(44, '-'),
        line({"", "TOPLAM", "", ">120", ">6", ">1", ">186", ">179"})};
    std::vector<std::string> overtime = counts;
    for (const std::size_t r : {2u, 4u, 7u}) overtime[r] += "   12,5";
    overtime[0] += "  Mesai";
    overtime.back() += "   37,5";
    for (const auto& sheet : {counts, overtime}) {
        const Read t(sheet);
        ASSERT_TRUE(t.ws.clean()) << t.outcome.message;
        EXPECT_TRUE(t.outcome.warnings.empty()) << t.outcome.warnings.front();
        ASSERT_EQ(t.rows.size(), 7u);
        const auto ucr = std::find(t.rows[0].begin(), t.rows[0].end(), "Ucr");
        ASSERT_NE(ucr, t.rows[0].end());
        EXPECT_EQ(t.rows[5].at(static_cast<std::size_t>(ucr - t.rows[0].begin())), "1");
    }
}

// A total's figure wider than its records' runs on into the names' column before it: the
// digits there are the figure's, checked whole; a warning prints what the records give as
// the report prints its figures.
TEST(CleanShapes, ATotalsWiderFigureIsReadWhole) {
    const auto list = [](const char* miktar, const char* third = "891.400") {
        return std::vector<std::string>{
            "Tarih       Musteri            Miktar       Tutar",
            std::string(48, '-'),
            "02.01.2024  ZIRVE MADENCILIK   792.162     5599.01",
            "05.01.2024  AKDENIZ YAPI LTD   547.584   120695.03",
            std::string("09.01.2024  SARAY HALI AS      ") + third + "    14198.00",
            std::string("                      TOPLAM  ") + miktar + "   140492.04"};
    };
    EXPECT_TRUE(Read(list("2231.146")).outcome.warnings.empty());
    // Its digits in the column a nought first ("2|031.146").
    EXPECT_EQ(Read(list("2031.146", "691.400")).outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    const Read wrong(list("2231.147"));
    ASSERT_EQ(wrong.outcome.warnings.size(), 1u);
    EXPECT_NE(wrong.outcome.warnings[0].find("2231.147"), std::string::npos);
    // What the records give, as the report prints its figures: not grouped.
    EXPECT_NE(wrong.outcome.warnings[0].find("2231.146"), std::string::npos)
        << wrong.outcome.warnings[0];
}

// Last year's figures under an attendance sheet's totals, words first and counts for keys, are
// no record for sure: the register numbers stay the records' keys.
TEST(CleanShapes, ASummaryUnderTheTotalsLeavesTheKeys) {
    // clang-format off
    const Read t({
        "   SICIL  ADI                             1 1 1 1 1 1 1 1 1 1 2 2 2 2 2 2 2 2 2 2 3   CALISILAN   HAFTA   YILLIK          UCRETSIZ   TOPLAM  PRIM   FAZLA     GECE",
        "   NO     SOYADI        1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0         GUN  TATILI     IZIN   RAPOR      IZIN      GUN  GUNU   MESAI  MESAISI",
        "   ------ ------------- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - ----------- ------- -------- ------- --------- -------- ----- ------- --------",
        "   IDARI ISLER",
        "   01853  Hasan SIMSEK  H H X X X X X H H X X X X X H H X X X X I H H X X R X X H H          18      10        1       1                 30    29    14,7",
        "   08231  Fatma AYDIN   H H X X X X X H H U X X X X H H X X X X X H H U X X X X H H          18      10                          2       30    28             30,9",
        "   08339  Ayse AGAOGLU  H H X X X X I H H X X X X X H H X X X R X H H X X X X X H H          18      10        1       1                 30    29             34,8",
        "   09079  Mustafa KILIC H H X I X X X H H X I X X R H H X X X X X H H X X I X X H H          16      10        3       1                 30    29             22,1",
        "                                                                                    ----------- ------- -------- ------- --------- -------- ----- ------- --------",
        "   Sayfa Toplami                                                                             70      40        5       3         2      120   115    14,7     87,8",
        "   GECEN YIL AYNI DONEM                                                                      63      30        3       1         1       87    68     8,1     55,7"});
    // clang-format on
    ASSERT_TRUE(t.ws.clean()) << t.outcome.message;
    ASSERT_EQ(t.rows.size(), 5u);
    EXPECT_EQ(t.rows[1].at(0), "01853");
}

// Without a rule, one text at the table's edge between the headings and the first record is
// the first group's line, not one more line of headings.
TEST(CleanShapes, AGroupsLineUnderHeadingsWithoutARule) {
    const Read t(
        {"MUAVIN", "Tarih       Aciklama            Borc      Alacak",
         "----------  ------------  ----------  ----------", "02.01.2024  Kira            1.250,00",
         "05.01.2024  Satis 4411                 12.400,50", "09.01.2024  Z raporu          845,10",
         "", "YASLANDIRMA RAPORU", "CARI KODU  UNVANI                 TOPLAM   0-30 GUN  31-60 GUN",
         "TRAKYA", "120.01.085 KOCAK ZUCCACIYE     21.113,32   1.165,56  19.947,76",
         "120.01.640 GUNES KIRTASIYE     58.268,36   4.850,00  53.418,36",
         "120.06.552 UGUR BILGISAYAR     89.474,47       0,00  89.474,47"});
    ASSERT_EQ(t.ws.book.tables.size(), 2u) << t.outcome.message;
    const Grid& aging = t.ws.book.tables[1].grid;
    std::vector<std::string> headings;
    for (int c = 1; c < aging.colCount(); ++c) headings.emplace_back(aging.cell(c, 0));
    EXPECT_EQ(headings.front(), "CARI KODU");
}

// A count only records of whole numbers fill (no record for sure prints it) is an amount
// still: its total is checked, and a wrong one named.
TEST(CleanShapes, ACountNoSureRecordFillsIsTotalled) {
    const auto sheet = [](const char* rapor) {
        return std::vector<std::string>{
            "Sicil  Adi        Gun  Rapor  Mesai",
            "-----  ---------  ---  -----  -----",
            "00991  Ali         19          34,8",
            "02729  Veli        21      2",
            "00606  Can         22          35,8",
            "07259  Ece         21          52,4",
            "-----------------------------------",
            std::string("TOPLAM              83  ") + rapor + "  123,0"};
    };
    const Read right(sheet("    2"));
    EXPECT_TRUE(right.outcome.warnings.empty());
    EXPECT_EQ(right.rows.at(2), (Row{"02729", "Veli", "21", "2", ""}));
    const Read wrong(sheet("    3"));
    ASSERT_EQ(wrong.outcome.warnings.size(), 1u);
    EXPECT_NE(wrong.outcome.warnings[0].find("Rapor"), std::string::npos);
}

// A page's period printed over one-character columns, between its title and the headings
// again: the page's header, neither a record nor evidence of what the columns hold.
TEST(CleanShapes, APeriodOverTheColumnsHeadsItsPage) {
    const std::vector<std::string> head = {"Sicil Adi    1 2 3 4 5 6 7 8  Gun  Mesai",
                                           "----- ------ - - - - - - - -  ---  -----"};
    std::vector<std::string> lines = {"DEMIR TEKSTIL", "PUANTAJ  01.01.2024 - 31.01.2024", ""};
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(lines.end(),
                 {"00991 Ali    X X H X X X X R    7   34,8", "02729 Veli   X X H X X X X X    8",
                  "00606 Can    X X H X R X X X    7   35,8", "\fDEMIR TEKSTIL",
                  "             01.01.2024 - 31.01.2024", ""});
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(
        lines.end(),
        {"07259 Ece    X X H X X X X X    8   52,4", "01452 Oya    X R H X X X X X    8",
         "----------------------------------------", "TOPLAM                         38  123,0"});
    const Read t(lines);
    EXPECT_TRUE(t.outcome.warnings.empty()) << t.outcome.message;
    ASSERT_EQ(t.rows.size(), 6u);
    EXPECT_EQ(t.rows[4],
              (Row{"07259", "Ece", "X", "X", "H", "X", "X", "X", "X", "X", "8", "52,4"}));
    EXPECT_EQ(t.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
}

// A frame's line under a total that spans merged columns, closing the page, draws the same
// table on: the next page's records are its own, and the grand total covers both pages.
TEST(CleanShapes, AFramesLineUnderAMergedTotalDrawsItOn) {
    const std::string top = "+--------+------------+----------+----------+";
    const std::string merged = "+---------------------+----------+----------+";
    const std::vector<std::string> head = {top, "| Makbuz | Tarih      |    Nakit |      Cek |",
                                           top};
    std::vector<std::string> lines = {"TAHSILAT LISTESI", ""};
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(lines.end(), {"| 000681 | 01.04.2024 | 2.419,89 |          |",
                               "| 000682 | 01.04.2024 |          |   445,12 |", top,
                               "| GUN TOPLAMI         | 2.419,89 |   445,12 |", merged,
                               "\fTAHSILAT LISTESI", ""});
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(lines.end(), {"| 000683 | 02.04.2024 | 1.119,03 |          |", top,
                               "| GUN TOPLAMI         | 1.119,03 |     0,00 |", merged,
                               "| GENEL TOPLAM        | 3.538,92 |   445,12 |", merged});
    const Read t(lines);
    EXPECT_EQ(t.ws.book.tables.size(), 1u);
    EXPECT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.outcome.note, "3 toplam satırı kayıtlarla tutuyor");
}

// A page of no records whose page total prints dashes or nothing: zeros that agree. Dashes
// under a page of records print a wrong zero; nothing under it is no figure to check.
TEST(CleanShapes, APageTotalOfNoFigures) {
    const std::vector<int> w = {8, 10, 12};
    const std::vector<std::string> head = {fields({"Kod", "Adi", ">Tutar"}, w), rule(w)};
    const auto list = [&](const std::string& one, const std::string& two) {
        std::vector<std::string> lines = head;
        lines.insert(lines.end(), {fields({"120.01", "ALI", ">100,00"}, w),
                                   fields({"120.02", "VELI", ">50,00"}, w),
                                   fields({"SAYFA TOPLAMI", one}, {19, 12}), "", "\fMIZAN", ""});
        lines.insert(lines.end(), head.begin(), head.end());
        lines.insert(lines.end(), {fields({"SAYFA TOPLAMI", two}, {19, 12}),
                                   fields({"GENEL TOPLAM", ">150,00"}, {19, 12})});
        return lines;
    };
    struct Case {
        const char* name;
        const char *one, *two, *note;
        std::size_t warnings;
    };
    const std::vector<Case> cases = {
        {"dashes", ">150,00", ">-", "3 toplam satırı kayıtlarla tutuyor", 0},
        {"nothing", ">150,00", "", "3 toplam satırı kayıtlarla tutuyor", 0},
        {"dashes under records", ">-", ">-", "", 1},
        {"nothing under records", "", "", "2 toplam satırı kayıtlarla tutuyor", 0},
    };
    for (const Case& c : cases) {
        const Read t(list(c.one, c.two));
        EXPECT_EQ(t.rows.size(), 3u) << c.name;
        EXPECT_EQ(t.outcome.note, c.note) << c.name;
        EXPECT_EQ(t.outcome.warnings.size(), c.warnings) << c.name;
    }
}

// Counts right under the runs of a rule of equals signs, the runs narrower than the fields:
// amounts, their totals checked.
TEST(CleanShapes, CountsUnderARuleOfEqualsSigns) {
    const auto sheet = [](const char* izin) {
        return std::vector<std::string>{
            "SICIL   ADI          CAL.   IZIN    MESAI",
            "=====   =========   =====   ====   ======",
            "00991   Ali            21      1     34,8",
            "02729   Veli           22            12,0",
            "00606   Can            20      3     35,8",
            "                    -----   ----   ------",
            std::string("        TOPLAM         63     ") + izin + "     82,6"};
    };
    const Read right(sheet(" 4"));
    EXPECT_EQ(right.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    const Read wrong(sheet(" 5"));
    ASSERT_EQ(wrong.outcome.warnings.size(), 1u);
    EXPECT_NE(wrong.outcome.warnings[0].find("IZIN"), std::string::npos);
}

// A list of one record under its headings, no rule between, its total under it: a table,
// its total checked.
TEST(CleanShapes, AListOfOneRecord) {
    const auto list = [](const char* total) {
        return std::vector<std::string>{"FIRMA",
                                        "",
                                        "Kod     Adi              Tutar",
                                        "100.01  KASA ODEME    1.000,00",
                                        "------------------------------",
                                        std::string("TOPLAM                ") + total};
    };
    const Read right(list("1.000,00"));
    EXPECT_EQ(right.rows,
              (std::vector<Row>{{"Kod", "Adi", "Tutar"}, {"100.01", "KASA ODEME", "1000,00"}}));
    EXPECT_EQ(right.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    const Read wrong(list("1.200,00"));
    EXPECT_EQ(wrong.outcome.warnings.size(), 1u);
}

// A group's total, the list's only and last one, where no group is seen to begin: it covers
// the whole list, and a wrong one is named.
TEST(CleanShapes, AGroupsOnlyTotalCoversTheList) {
    const std::vector<int> w = {10, 14, 12};
    const auto list = [&](const char* total) {
        return std::vector<std::string>{fields({"No", "Adi", ">Bedeli"}, w),
                                        rule(w),
                                        "254 TASITLAR",
                                        fields({"254.01.001", "Binek oto", ">28.664,64"}, w),
                                        fields({"254.08.002", "Minibus", ">1.982,11"}, w),
                                        fields({"254.05.003", "Panelvan", ">2.002,67"}, w),
                                        fields({"HESAP TOPLAMI", total}, {25, 12})};
    };
    EXPECT_EQ(Read(list(">32.649,42")).outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    EXPECT_EQ(Read(list(">34.652,09")).outcome.warnings.size(), 1u);
}

// Whole numbers of a few digits under a rate's heading are rates, not codes; under a number's
// heading, codes.
TEST(CleanShapes, WholeRatesUnderARatesHeading) {
    const std::vector<int> w = {10, 8, 12, 8, 10};
    const auto list = [&](const char* heading) {
        return std::vector<std::string>{
            fields({"Tarih", "Fatura", ">Matrah", heading, ">KDV"}, w), rule(w),
            fields({"02.01.2024", "A014000", ">9.114,59", "   20", ">1.822,92"}, w),
            fields({"02.01.2024", "A014001", ">906,00", "   20", ">181,20"}, w),
            fields({"06.01.2024", "A014006", ">214,00", "   10", ">21,40"}, w)};
    };
    const Read rate(list("  Orani"));
    ASSERT_TRUE(rate.ws.clean());
    EXPECT_EQ(rate.ws.clean()->columns.at(3).kind, ColumnKind::Amount);
    const Read number(list("   No"));
    ASSERT_TRUE(number.ws.clean());
    EXPECT_EQ(number.ws.clean()->columns.at(3).kind, ColumnKind::Code);
}

}  // namespace
}  // namespace tablamo
