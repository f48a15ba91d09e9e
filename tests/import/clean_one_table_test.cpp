// Report shapes read as one clean table each: the rows they begin with, how many, and what
// their totals come to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean_read.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::fields;
using testing::Read;
using testing::Row;

// One table each, the rows it begins with (the headings first), how many rows it has, what
// its totals come to.
TEST(CleanShapes, OneTableShapes) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<Row> rows;
        std::size_t count;
        const char* note;
    };
    const std::vector<Case> cases = {
        {"codes that read as one day in two years; rates printed with their percent sign are "
         "their figures and key no record, so the grand total under them is a total",
         {"KOD        ACIKLAMA                    BUTCE  GERCEKLESEN    GERC.%",
          "---------- -------------------- ------------ ------------ ---------",
          "7.1.01     PERSONEL                1.000,00       900,00    %90,00",
          "7.1.02     ENERJI                  2.000,00     2.200,00   %110,00",
          "7.2.01     KIRA                    1.000,00     1.000,00   %100,00",
          "---------- -------------------- ------------ ------------ ---------",
          "           GENEL TOPLAM            4.000,00     4.100,00   %102,50"},
         {{"KOD", "ACIKLAMA", "BUTCE", "GERCEKLESEN", "GERC.%"},
          {"7.1.01", "PERSONEL", "1000,00", "900,00", "90,00"}},
         4,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"a B/A mark a blank after its balance, under one rule with it, a column after them",
         {"Tarih      Aciklama         Borc     Alacak    Bakiye B/A      Doviz",
          "---------- ---------- ---------- ---------- ------------- ----------",
          "07.01.2024 HAVALE                    668,91   92.636,74 B   3.049,57",
          "27.01.2024 EFT                         6,87   92.629,87 B   2.851,50",
          "31.01.2024 FATURA         100,00              92.729,87 B   2.951,50"},
         {{"Tarih", "Aciklama", "Borc", "Alacak", "Bakiye", "B/A", "Doviz"},
          {"07.01.2024", "HAVALE", "", "668,91", "92636,74", "B", "3049,57"}},
         4,
         ""},
        {"parts under a total (a store's gains and losses of a count): placed, not checked",
         {"Stok Kodu    Stok Adi        Fark Tutari", "------------ ------------ -------------",
          "153.02.0112  PIRINC          12.476,15", "153.02.0668  VIDA            19.045,38-",
          "153.02.0373  NOHUT          196.868,10-", "             DEPO TOPLAMI   203.437,33-",
          "               SAYIM FAZLASI 99.999,99", "               SAYIM EKSIGI 215.913,48-"},
         {},
         4,
         "1 toplam satırı kayıtlarla tutuyor; 2 toplam denetlenemedi"},
        {"balances of nought without a mark (more of them than of marks), each one's last nought "
         "where the glued marks stand",
         {"D.No  Kat Maliki             Aidat   Tahsilat        Bakiye",
          "----- ---------------- ----------- ---------- -------------",
          "01    NURAY SAHIN         1.850,00                3.700,00B",
          "02    HULYA KOC           1.250,00   1.250,00          0,00",
          "03    GONUL TAS           1.600,00   3.200,00     1.600,00A",
          "04    CENGIZ AKIN         1.000,00   1.000,00          0,00",
          "05    ORHAN CIFTCI          500,00     500,00          0,00",
          "                       -------------------------------------",
          "      TOPLAM              6.200,00   5.950,00     2.100,00B"},
         {{"D.No", "Kat Maliki", "Aidat", "Tahsilat", "Bakiye", "B/A"},
          {"01", "NURAY SAHIN", "1850,00", "", "3700,00", "B"},
          {"02", "HULYA KOC", "1250,00", "1250,00", "0,00", ""}},
         6,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"a balance of nothing printed without a mark, its nought where the marks stand",
         {"CARI KOD   UNVANI                       BAKIYE  PORTFOY CEK",
          "---------- -------------------- -------------- ------------",
          "120.01.001 EGE GIDA                  1.000,00B     5.000,00",
          "120.01.002 TOROS KIMYA                    0,00         0,00",
          "120.01.003 MARMARA DERI                300,00A     1.000,00",
          "120.01.004 AKSU TEKSTIL                150,00B       500,00",
          "           -------------------- -------------- ------------",
          "           TOPLAM                      850,00B     6.500,00"},
         {{"CARI KOD", "UNVANI", "BAKIYE", "B/A", "PORTFOY CEK"},
          {"120.01.001", "EGE GIDA", "1000,00", "B", "5000,00"},
          {"120.01.002", "TOROS KIMYA", "0,00", "", "0,00"}},
         5,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"one record under its group's line: the totals' figures show the amounts it leaves "
         "empty",
         {"    HESAP      GIDER            DAGITILACAK",
          "    KODU       ADI                    TUTAR     URETIM      IDARI", "",
          "    760 PAZARLAMA SATIS DAGITIM GID.",
          "    760.01.002 Reklam giderleri    2.987,00                2.987,00",
          "                                ----------- ---------- ----------",
          "              ANA HESAP TOPLAMI    2.987,00       0,00   2.987,00"},
         {{"HESAP KODU", "GIDER ADI", "DAGITILACAK TUTAR", "URETIM", "IDARI"},
          {"760.01.002", "Reklam giderleri", "2987,00", "", "2987,00"}},
         2,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"balances of one width with their marks glued on, under one unbroken rule",
         {"Tarih       Aciklama          TL Borc     TL Bakiye",
          "--------------------------------------------------",
          "14.04.2019  Havale           94393.47    199772.67B",
          "30.04.2019  Doviz alisi       3082.49    202855.16B",
          "30.04.2019  Odeme           312894.91    110039.75A"},
         {{"Tarih", "Aciklama", "TL Borc", "TL Bakiye", "B/A"},
          {"14.04.2019", "Havale", "94393,47", "199772,67", "B"}},
         4,
         ""},
        {"columns parted by bars under one unbroken rule, whole quantities and dates of a "
         "month's name",
         {"             | Belge   |                |   Giris |    Cikis |     Kalan",
          "    Tarih    | No      | Islem          | Miktari |  Miktari |    Miktar",
          " =======================================================================",
          " 23 Oca 2017 | 14347   | Sayim fazlasi  |   17515 |          |     17515",
          " 11 Sub 2017 | 16006   | Satis iadesi   |   21773 |          |     39288",
          " 19 May 2017 | 13532   | Transfer       |         |    30720 |      8568"},
         {{"Tarih", "Belge No", "Islem", "Giris Miktari", "Cikis Miktari", "Kalan Miktar"},
          {"23.01.2017", "14347", "Sayim fazlasi", "17515", "", "17515"}},
         4,
         ""},
        {"a heading of two words over names whose second words happen to line up",
         {"  Hesap Kodu  Gider Adi                Tutar",
          "  760.01.001  Yol ve konaklama       2292,52",
          "  760.01.002  Reklam giderleri     271617,98",
          "  760.01.003  Numune giderleri       2909,74"},
         {{"Hesap Kodu", "Gider Adi", "Tutar"}, {"760.01.001", "Yol ve konaklama", "2292,52"}},
         4,
         ""},
        {"two records under one unbroken rule",
         {"   Hesap       Gider              Dagitilacak",
          "   Kodu        Adi                      Tutar       Idari       Satis",
          "   ---------------------------------------------------------------",
          "   730.01.001  Bakim onarim            815,62      627,40      188,22",
          "   730.01.002  Is guvenligi         26.575,00   25.367,05    1.207,95",
          "   ANA HESAP TOPLAMI                27.390,62   25.994,45    1.396,17", "",
          "   GENEL TOPLAM                     27.390,62   25.994,45    1.396,17"},
         {{"Hesap Kodu", "Gider Adi", "Dagitilacak Tutar", "Idari", "Satis"},
          {"730.01.001", "Bakim onarim", "815,62", "627,40", "188,22"}},
         3,
         "2 toplam satırı kayıtlarla tutuyor"},
        {"two lines of headings parted by colons over a block line of a colon of its own",
         {" VADE       : CEK     :            :", " TARIHI     : NO      : BANKA      :     TUTAR",
          " VADE : NISAN 2005", " 2005-04-03 : 7976147 : Akbank     :  1.080,00",
          " 2005-04-04 : 3385653 : Vakifbank  : 13.968,00",
          " 2005-04-20 : 4857025 : Halkbank   :  2.349,16", " VADE : MAYIS 2005",
          " 2005-05-21 : 9043512 : Akbank     :  6.805,34"},
         {{"VADE", "VADE TARIHI", "CEK NO", "BANKA", "TUTAR"},
          {"01.04.2005", "03.04.2005", "7976147", "Akbank", "1080,00"}},
         5,
         ""},
        {"account names whose longest run up to the next column, a blank between",
         {"  Hesap Kodu  Hesap Adi                   Aciklama                     Borc     "
          "Alacak",
          "  191.02      INDIRILECEK KDV 02          Tahsilat makbuzu 3001    4.705,25",
          "  120.02      ALICILAR 02                 Tahsilat makbuzu 3001              "
          "4.705,25",
          "  360.02      ODENECEK VERGI VE FONLAR 02 Tahsilat makbuzu 59900   2.929,05",
          "  600.01      YURT ICI SATISLAR 01        Tahsilat makbuzu 59900             "
          "2.929,05",
          "  770.01      GENEL YONETIM GIDERLERI 01  Alis faturasi 86047         41,00",
          "  136.02      DIGER CESITLI ALACAKLAR 02  Alis faturasi 86047                   "
          "41,00",
          "  360.01      ODENECEK VERGI VE FONLAR 01 Banka masrafi                184,63",
          "  102.01      BANKALAR 01                 Banka masrafi                         "
          "184,63"},
         {{"Hesap Kodu", "Hesap Adi", "Aciklama", "Borc", "Alacak"},
          {"191.02", "INDIRILECEK KDV 02", "Tahsilat makbuzu 3001", "4705,25", ""}},
         9,
         ""},
        {"a wrapped text's last word, a number, run on into an amount's column",
         {" Hesap   Hesap Adi      Aciklama       Borc     Alacak",
          " ------- -------------- ------ ---------- ----------",
          " 770.01  GENEL GIDER    Odeme,      38,11       0,00",
          "                        dekont 90511",
          " 335.01  PERSONEL       Odeme,       0,00      38,11",
          "                        dekont 90512"},
         {{"Hesap", "Hesap Adi", "Aciklama", "Borc", "Alacak"},
          {"770.01", "GENEL GIDER", "Odeme, dekont 90511", "38,11", "0,00"}},
         3,
         ""},
        {"vouchers' dates in their block lines, carried as dates",
         {"Hesap    Aciklama            Borc     Alacak",
          "-------- ------------ ---------- ----------", "Yevmiye No : 1   Tarih : 2021-03-02",
          "100.01   Kasa             100,00       0,00",
          "600.01   Satis              0,00     100,00", "Yevmiye No : 2   Tarih : 2021-03-05",
          "102.01   Banka             50,00       0,00",
          "120.01   Alici              0,00      50,00"},
         {{"Yevmiye No", "Tarih", "Hesap", "Aciklama", "Borc", "Alacak"},
          {"1", "02.03.2021", "100.01", "Kasa", "100,00", "0,00"}},
         5,
         ""},
        {"one account's block line over its records, a footer's line after the last total",
         {"Tarih        Aciklama          Borc    Alacak",
          "=============================================", "120.01.751 NUR ECZA DEPOSU",
          "01-01-2007   Acilis fisi    2097,04         -",
          "07-02-2007   Satis faturasi   46,20         -",
          "18-05-2007   Virman               -     10,00",
          "             RAPOR TOPLAMI  2143,24     10,00", "",
          "Bu rapor bilgisayar ortaminda hazirlanmistir."},
         {{"Tarih", "Aciklama", "Borc", "Alacak"}, {"01.01.2007", "Acilis fisi", "2097,04", ""}},
         4,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"descriptions some of which end with a number on one edge, no heading over it",
         {" Kod    Hesap Adi        Aciklama                   Borc     Alacak",
          " 335.01 PERSONEL 01      KDV mahsubu            1.127,00       0,00",
          " 770.02 GENEL GIDER 02   KDV mahsubu                0,00   1.127,00",
          " 136.01 DIGER ALACAK 01  Satis faturasi 34460  21.905,00       0,00",
          " 191.01 INDIRILECEK 01   Alis faturasi 734460       0,00   2.304,69",
          " 770.01 GENEL GIDER 01   Satis faturasi 34460       0,00  19.600,31"},
         {{"Kod", "Hesap Adi", "Aciklama", "Borc", "Alacak"},
          {"335.01", "PERSONEL 01", "KDV mahsubu", "1127,00", "0,00"}},
         6,
         ""},
        {"descriptions whose second words end together, one heading word over them",
         {" Hesap  Hesap", " Kodu   Adi                         Aciklama            Borc  Alacak",
          " 320.02 SATICILAR 02                Banka masrafi       3,87    0,00",
          " 153.02 TICARI MALLAR 02            Kira tahakkuk      96,86    0,00",
          " 610.01 SATISTAN IADELER 01         Banka masrafi       8,65    0,00",
          " 136.02 DIGER CESITLI ALACAKLAR 02  Kira tahakkuk       0,00  109,38",
          "                                                     ------- -------",
          "        FIS TOPLAMI                                   109,38  109,38"},
         {{"Hesap Kodu", "Hesap Adi", "Aciklama", "Borc", "Alacak"},
          {"320.02", "SATICILAR 02", "Banka masrafi", "3,87", "0,00"}},
         5,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"two months under headings and no rule, their total under them",
         {" Ay                            Matrah            KDV        Toplam", "",
          " KASIM 2016                367.349,17      73.469,83    440.819,00",
          " ARALIK 2016                16.063,91       3.212,78     19.276,69",
          "                        ------------- -------------- -------------",
          " YEKUN                     383.413,08      76.682,61    460.095,69"},
         {{"Ay", "Matrah", "KDV", "Toplam"}, {"01.11.2016", "367349,17", "73469,83", "440819,00"}},
         3,
         "1 toplam satırı kayıtlarla tutuyor"},
        {"a frame's balances with their marks glued on, a dash where one is nothing",
         {"+------+----------+----------+-------------+",
          "| KOD  |     BORC |   ALACAK |      BAKIYE |",
          "+------+----------+----------+-------------+",
          "| 100  | 1.000,00 |        - |   1.000,00B |",
          "| 102  |   500,00 |   500,00 |          -  |",
          "| 120  |   300,00 |   600,00 |     300,00A |",
          "| 320  |   200,00 |        - |     200,00B |",
          "+------+----------+----------+-------------+"},
         {{"KOD", "BORC", "ALACAK", "BAKIYE", "B/A"},
          {"100", "1000,00", "", "1000,00", "B"},
          {"102", "500,00", "500,00", "", ""}},
         5,
         ""},
        {"under one unbroken rule, a heading right-aligned over a balance and its mark",
         {"SATICI CARI HESAP EKSTRESI", "",
          "Tarih       Evrak No    Vade        Aciklama                           Borc     "
          "    Alacak           Bakiye",
          "--------------------------------------------------------------------------------"
          "---------------------------",
          "HESAP KODU : 320.01.002   UNVANI : OZTURK MAKINA SAN. TIC. LTD. STI.",
          "                                    DEVREDEN BAKIYE                             "
          "                38.714,79 A",
          "23.01.2024  A746073     08.03.2024  ALIS FAT. HAMMADDE                          "
          " 19.364,89      58.079,68 A",
          "27.01.2024  HV17902     27.01.2024  ODEME - HAVALE                 6.055,88     "
          "                52.023,80 A",
          "03.02.2024  A214884     04.03.2024  NAKLIYE FATURASI                            "
          " 75.620,14     127.643,94 A",
          "06.02.2024  A358124     22.03.2024  NAKLIYE FATURASI                            "
          "149.426,15     277.070,09 A"},
         {{"Tarih", "Evrak No", "Vade", "Aciklama", "Borc", "Alacak", "Bakiye", "B/A"}},
         5,
         ""},
    };
    for (const Case& c : cases) {
        const Read t(c.lines);
        EXPECT_TRUE(t.outcome.warnings.empty()) << c.name;
        ASSERT_EQ(t.rows.size(), c.count) << c.name;
        for (std::size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(t.rows[r], c.rows[r]) << c.name;
        EXPECT_EQ(t.outcome.note, c.note) << c.name;
    }
}

}  // namespace
}  // namespace tablamo
