#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean_read.h"

namespace tablamo {
namespace {

using testing::Read;
using testing::Row;

// A total that names its group by a code with a nought first ("(03)") is checked as any
// other: the code is no figure printed into its label.
TEST(CleanShapes, AGroupsCodeInATotalsLabelIsNoFigure) {
    const auto report = [](const char* tutar) {
        return std::vector<std::string>{
            "Tarih      Fatura No  Musteri              Tutar        KDV",
            "-----------------------------------------------------------",
            "PLASIYER : 03 - H. KILIC",
            std::string("05.01.2024 A-000101   AKIN GIDA       ") + tutar + "      20,00",
            "09.01.2024 A-000103   NUR MOBILYA          40,00       8,00",
            "           PLASIYER TOPLAMI (03)          140,00      28,00",
            "PLASIYER : 04 - A. YILMAZ",
            "06.01.2024 A-000102   DEMIR TICARET       250,50      50,00",
            "           PLASIYER TOPLAMI (04)          250,50      50,00",
            "           GENEL TOPLAM                   390,50      78,00"};
    };
    const Read right(report("     100,00"));
    EXPECT_TRUE(right.outcome.warnings.empty());
    EXPECT_EQ(right.outcome.note, "3 toplam satırı kayıtlarla tutuyor");
    const Read wrong(report("     100,01"));
    ASSERT_FALSE(wrong.outcome.warnings.empty());
    EXPECT_NE(wrong.outcome.warnings[0].find("(03)"), std::string::npos);
}

// A month and its year alone over its records ("OCAK 2024" in the date column) heads their
// group; it is no record of its own.
TEST(CleanShapes, AMonthAloneOverItsRecordsIsTheirGroup) {
    const Read t({"Tarih      Pusula  Adi                Brut",
                  "----------------------------------------------", "OCAK 2024",
                  "08/01/2024 GP-0001 SUKRU YAGCI    1.000,00",
                  "10/01/2024 GP-0002 RAMAZAN UNAL     500,00",
                  "                   AY TOPLAMI     1.500,00", "SUBAT 2024",
                  "05/02/2024 GP-0003 AYSE KILIC     2.000,00",
                  "                   AY TOPLAMI     2.000,00"});
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[3], (Row{"01.02.2024", "05.02.2024", "GP-0003", "AYSE KILIC", "2000,00"}));
    EXPECT_EQ(t.outcome.note, "2 toplam satırı kayıtlarla tutuyor");
}

// A line of fields first printed under a group's records closes that group (its count): no
// field of the group under it, and not placed in the table.
TEST(CleanShapes, AFieldLineFirstPrintedUnderItsGroupClosesIt) {
    const Read t({"Stok Kodu  Urun Adi             Birim      Fiyat",
                  "-------------------------------------------------", "*** 01 - TEMIZLIK ***",
                  "0001       SABUN                ADET       12,50",
                  "0002       DETERJAN             KG         48,00", "Gruptaki urun sayisi : 2",
                  "*** 02 - GIDA ***", "0003       UN                   KG         21,00",
                  "Gruptaki urun sayisi : 1"});
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[0], (Row{"Grup", "Stok Kodu", "Urun Adi", "Birim", "Fiyat"}));
    EXPECT_EQ(t.rows[3], (Row{"02 - GIDA", "0003", "UN", "KG", "21,00"}));
    // The last stands under the table as its footer.
    EXPECT_EQ(t.outcome.note, "1 satır tabloya alınmadı: 6");
}

// A period line of years with a label's date ("Tarih: 14.01.2025") over the headings is the
// page's header, no record: the records under continuous rules are read by their columns.
TEST(CleanShapes, YearsAndALabelsDateOverTheHeadingsAreNoRecord) {
    const Read t({"2023 - 2024 Yillari (Net Satis)                 Tarih: 14.01.2025",
                  "------------------------------------------------------------",
                  "Grup   Grup Adi                  2023 Tutar      2024 Tutar",
                  "------------------------------------------------------------",
                  "01.01  UNLU MAMULLER           1.519.995,02    2.482.151,87",
                  "01.02  SUT URUNLERI               66.774,98       57.693,58",
                  "01.03  ET VE SARKUTERI         3.593.918,30    5.685.578,75",
                  "       GENEL TOPLAM            5.180.688,30    8.225.424,20"});
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[0], (Row{"Grup", "Grup Adi", "2023 Tutar", "2024 Tutar"}));
    EXPECT_EQ(t.rows[2], (Row{"01.02", "SUT URUNLERI", "66774,98", "57693,58"}));
}

// A line of signatures with blanks to fill in by hand under a group's total heads no group.
TEST(CleanShapes, ALineOfSignaturesToFillInHeadsNoGroup) {
    const Read t({"Cinsi         Degeri     Adet         Tutar",
                  "----------------------------------------------", "KASA KODU : 01",
                  "BANKNOT       200,00      169      33.800,00",
                  "KASA TOPLAMI                       33.800,00", "Sayimi yapan: ..........",
                  "KASA KODU : 02", "BANKNOT       100,00       10       1.000,00",
                  "KASA TOPLAMI                        1.000,00", "Kontrol eden: ..........",
                  "KASA KODU : 03", "BANKNOT        20,00        5         100,00",
                  "KASA TOPLAMI                          100,00"});
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[0], (Row{"KASA KODU", "Cinsi", "Degeri", "Adet", "Tutar"}));
    EXPECT_EQ(t.rows[3], (Row{"03", "BANKNOT", "20,00", "5", "100,00"}));
}

// An opening balance kept as a row takes the date it is printed with into the date column.
TEST(CleanShapes, AnOpeningKeepsItsDate) {
    const Read t({"TARIH      FIS NO  ACIKLAMA                   BORC       ALACAK",
                  "---------- ------- -------------------- ------------ ------------",
                  "01.01.2024         DEVIR                    1.000,00",
                  "05.01.2024 000101  FATURA                     500,00",
                  "09.01.2024 000102  TAHSILAT                                300,00"},
                 true);
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[1], (Row{"01.01.2024", "", "DEVIR", "1000,00", "", "A\xe7\xfdl\xfd\xfe"}));
}

// A chart whose classes and groups print undotted (1 over 10 over 100 over 100.01): levels by
// their digits too; the grand total sums the classes alone, a parent its sub-accounts.
TEST(CleanShapes, UndottedClassesAndGroupsNestByTheirDigits) {
    const auto sheet = [](const char* kasa) {
        return std::vector<std::string>{"HESAP KODU HESAP ADI                 TUTAR",
                                        "---------- -------------------- ----------",
                                        "1          DONEN VARLIKLAR          300,00",
                                        "10         HAZIR DEGERLER           300,00",
                                        std::string("100        KASA                     ") + kasa,
                                        "100.01     MERKEZ KASA               60,00",
                                        "100.02     SUBE KASASI               40,00",
                                        "102        BANKALAR                 200,00",
                                        "           AKTIF TOPLAMI            300,00"};
    };
    const Read right(sheet("100,00"));
    EXPECT_TRUE(right.outcome.warnings.empty()) << right.outcome.warnings.front();
    ASSERT_EQ(right.rows.size(), 7u);
    EXPECT_EQ(right.rows[3], (Row{"100", "KASA", "100,00", "3", ""}));
    EXPECT_EQ(right.rows[4], (Row{"100.01", "MERKEZ KASA", "60,00", "4", "Evet"}));
    // KASA against its sub-accounts, and HAZIR DEĞERLER against KASA as printed.
    const Read wrong(sheet("100,01"));
    ASSERT_EQ(wrong.outcome.warnings.size(), 2u);
    EXPECT_NE(wrong.outcome.warnings[1].find("\"100\""), std::string::npos)
        << wrong.outcome.warnings[1];
}

// An account's field printed again over the next page's headings with "(devam)" is the same
// account.
TEST(CleanShapes, AnAccountGoingOnIsTheSameAccount) {
    const std::vector<std::string> head = {
        "Tarih       Aciklama              Borc       Alacak        Bakiye", std::string(66, '-')};
    std::vector<std::string> lines;
    const auto page = [&](int n, const std::string& account, std::vector<std::string> records) {
        lines.insert(lines.end(), {(n > 1 ? "\f" : "") + std::string("OZGUR GIDA A.S.   SAYFA : ") +
                                       std::to_string(n),
                                   "SATICI EKSTRESI", "HESAP KODU : " + account, ""});
        lines.insert(lines.end(), head.begin(), head.end());
        lines.insert(lines.end(), records.begin(), records.end());
    };
    page(1, "320.01.002",
         {"23.01.2024  FATURA                         19.364,89   19.364,89 A",
          "27.01.2024  HAVALE            6.055,88                 13.309,01 A"});
    page(2, "320.01.002 (devam)",
         {"03.02.2024  NAKLIYE                        75.620,14   88.929,15 A"});
    page(3, "320.01.003", {"05.02.2024  FATURA                            100,00      100,00 A"});
    const Read t(lines);
    ASSERT_EQ(t.rows.size(), 5u);
    EXPECT_EQ(t.rows[0].front(), "HESAP KODU");
    EXPECT_EQ(t.rows[3].front(), "320.01.002");
}

// A group's block printed again on the next page, "(devam)" after each line, is the groups
// going on: placed, one depot over all of them or not.
TEST(CleanShapes, ABlockPrintedAgainIsPlaced) {
    const std::vector<std::string> head = {
        "             BELGE                     GIRIS     CIKIS     KALAN",
        "  TARIH       NO     ISLEM           MIKTARI   MIKTARI    MIKTAR",
        "----------   -----   ------------   --------  --------  --------"};
    std::vector<std::string> lines = {"FIRMA A.S.                                  Sayfa : 1", ""};
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(lines.end(), {"MERKEZ DEPO", "AMBALAJ", "AMB.0575 KOLI BANDI ADET",
                               "09.02.2016   05588   Uretim              832         -       832",
                               "18.04.2016   02507   Alis                132         -       964",
                               "                     KART TOPLAMI        964         -       964",
                               "GIDA", "GID.6002 PIRINC KG",
                               "06.02.2016   08618   Alis              2.127         -     2.127",
                               "10.03.2016   28000   Fire                  -       734     1.393",
                               "                     SAYFA TOPLAMI     3.091       734",
                               "\fFIRMA A.S.                                  Sayfa : 2", ""});
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(lines.end(), {"MERKEZ DEPO (devam)", "GIDA (devam)", "GID.6002 PIRINC KG (devam)",
                               "17.03.2016   26713   Alis              1.339         -     2.732",
                               "                     KART TOPLAMI      3.466       734     2.732",
                               "                     GENEL TOPLAM      4.430       734"});
    const Read t(lines);
    ASSERT_EQ(t.rows.size(), 6u);
    EXPECT_EQ(t.rows[5][1], "GID.6002 PIRINC KG");
    EXPECT_EQ(t.outcome.note, "4 toplam satırı kayıtlarla tutuyor");
}

// Records printed over two lines (a payroll's gross pay on the first, taxes and net under it,
// headed by a second heading line) are one row each, the second line's columns after the
// first's; its totals checked over both lines. Under a gapped rule, rules around the headings
// or none (a dash for nothing on a second line). Figures alone under the first line's own
// columns (each record's amount in another currency) are no second line of the record.
TEST(CleanShapes, RecordsPrintedOverTwoLinesAreOneRowEach) {
    enum class Rule { Gapped, Around, None };
    const auto payroll = [](const char* net, Rule rule) {
        const std::string line = rule == Rule::Gapped
                                     ? "----- ---------------- -------------- ---------- ---------"
                                     : std::string(58, '-');
        std::vector<std::string> lines = {
            "Sicil Adi Soyadi       Gorevi         Brut Ucret  SGK Isci",
            "        Gelir V.     Net Ucret"};
        if (rule == Rule::Around) lines.insert(lines.begin(), line);
        if (rule != Rule::None) lines.push_back(line);
        lines.insert(
            lines.end(),
            {"BOLUM : 01 - YONETIM", "01011 YUSUF TEKIN      MUHASEBECI      20.002,50  2.800,35",
             std::string(rule == Rule::None ? "               -     " : "            0,00     ") +
                 net,
             "01031 IBRAHIM ISIK     USTABASI        75.244,21 10.534,19",
             "        6.277,94     57.260,36", "BOLUM : 02 - URETIM",
             "02001 EMINE OZDEMIR    GUVENLIK        49.150,19  6.881,03",
             "        2.950,95     38.605,48",
             "      GENEL TOPLAM                    144.396,90 20.215,57",
             "        9.228,89    112.867,96"});
        return lines;
    };
    for (const Rule rule : {Rule::Gapped, Rule::Around, Rule::None}) {
        SCOPED_TRACE(static_cast<int>(rule));
        const Read t(payroll("17.002,12", rule));
        ASSERT_EQ(t.rows.size(), 4u);  // the headings and three records
        EXPECT_EQ(t.rows[2], (Row{"01 - YONETIM", "01031", "IBRAHIM ISIK", "USTABASI", "75244,21",
                                  "10534,19", "6277,94", "57260,36"}));
        EXPECT_EQ(t.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
        const Read wrong(payroll("17.002,13", rule));
        ASSERT_EQ(wrong.outcome.warnings.size(), 1u);
        EXPECT_NE(wrong.outcome.warnings[0].find("112.867,97"), std::string::npos);
    }
    const Read fx({"Tarih      Fis No  Aciklama                Borc      Alacak",
                   "---------- ------- ---------------- ----------- -----------",
                   "05.01.2024 0001    SATIS FATURASI      1.000,00        0,00",
                   "                                          31,25        0,00",
                   "09.01.2024 0002    TAHSILAT                0,00      500,00",
                   "                                           0,00       15,60",
                   "12.01.2024 0003    SATIS FATURASI      2.000,00        0,00",
                   "                                          62,10        0,00"});
    ASSERT_EQ(fx.rows.size(), 4u);
    EXPECT_EQ(fx.rows[1], (Row{"05.01.2024", "0001", "SATIS FATURASI", "1000,00", "0,00"}));
}

}  // namespace
}  // namespace tablamo
