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

// Shapes whose first record, or first table, the lines tell only by what they print.
TEST(CleanShapes, RecordsToldByWhatTheyPrint) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<Row> rows;  // the first rows, the headings first
        std::size_t tables = 1;
    };
    const std::vector<int> bw = {6, 7, 3, 3, 5, 6};
    const auto barred = [&](const Row& cells) {
        std::string line;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const std::string cell = fields({cells[k]}, {bw[k]});
            line += (k ? " | " : " ") + cell +
                    std::string(static_cast<std::size_t>(bw[k]) - cell.size(), ' ');
        }
        return line + " |";
    };
    const std::vector<int> sw = {11, 5, 10, 9, 6, 9};
    const std::vector<int> mw = {12, 14, 10};
    const std::vector<int> cw = {6, 12, 12, 12};
    const std::vector<int> jw = {7, 18, 12, 12};
    const std::vector<int> lw = {4, 10, 11, 11, 11, 9, 12};
    std::vector<Case> cases = {
        {"a sheet's first record prints whole numbers only, under two lines of headings",
         {"PUANTAJ", "", barred({"SICIL", "ADI", "", "", ">GUN", ">FAZLA"}),
          barred({"NO", "SOYADI", "1", "2", ">SAYI", ">MESAI"}),
          barred({"03739", "Ali", "X", "H", ">25", ""}),
          barred({"02019", "Veli", "X", "X", ">24", ">16,8"}),
          barred({"04506", "Can", "R", "X", ">22", ""}),
          barred({"07786", "Ece", "X", "X", ">16", ">55,6"}),
          barred({"08029", "Ayse", "X", "X", ">24", ">45,5"})},
         {{"SICIL NO", "ADI SOYADI", "1", "2", "GUN SAYI", "FAZLA MESAI"},
          {"03739", "Ali", "X", "H", "25", ""},
          {"02019", "Veli", "X", "X", "24", "16,8"}}},
        {"a stock card dated with the month's name, its items' lines heading their movements",
         {fields({"Tarih", "Belge", "Islem", ">Giris", ">Cikis", ">Kalan"}, sw),
          std::string(49, '-'), "KOLI BANDI 45 MM ADET",
          fields({"13 Sub 2023", "25118", "Sayim", ">345", "", ">345"}, sw),
          fields({"15 Nis 2023", "21870", "Satis", "", ">141", ">204"}, sw),
          fields({"12 Ara 2023", "22326", "Fire", "", ">29", ">175"}, sw), "", "PIRINC BALDO KG",
          fields({"02 Oca 2023", "19211", "Alis", ">52", "", ">52"}, sw),
          fields({"21 Oca 2023", "01300", "Fire", "", ">30", ">22"}, sw)},
         {{"Grup", "Tarih", "Belge", "Islem", "Giris", "Cikis", "Kalan"},
          {"KOLI BANDI 45 MM ADET", "13.02.2023", "25118", "Sayim", "345", "", "345"},
          {"KOLI BANDI 45 MM ADET", "15.04.2023", "21870", "Satis", "", "141", "204"},
          {"KOLI BANDI 45 MM ADET", "12.12.2023", "22326", "Fire", "", "29", "175"},
          {"PIRINC BALDO KG", "02.01.2023", "19211", "Alis", "52", "", "52"}}},
        {"a stock card's items under no rule, thousands first, then an item of a few",
         {fields({"Tarih", "Belge", "Islem", ">Giris", ">Cikis", ">Kalan"}, sw),
          "Stok Kodu : A1   Birim : KG", "DEVREDEN MIKTAR" + std::string(33, ' ') + "60.072",
          fields({"15/01/2021", "07479", "Satis", ">0", ">28.394", ">31.678"}, sw),
          fields({"12/03/2021", "20980", "Sarf", ">0", ">3.850", ">27.828"}, sw),
          fields({"02/04/2021", "03221", "Sayim", ">4.801", ">0", ">32.629"}, sw),
          fields({"21/06/2021", "02480", "Iade", ">1.001.031", ">0", ">1.033.660"}, sw),
          "Stok Kodu : A2   Birim : KG", "DEVREDEN MIKTAR" + std::string(38, ' ') + "3",
          fields({"05/04/2021", "11660", "Giris", ">7", ">0", ">10"}, sw),
          fields({"21/06/2021", "18900", "Sayim", ">4", ">0", ">14"}, sw),
          fields({"13/07/2021", "12741", "Iade", ">32", ">0", ">46"}, sw)},
         {{"Stok Kodu", "Tarih", "Belge", "Islem", "Giris", "Cikis", "Kalan"},
          {"A1", "15.01.2021", "07479", "Satis", "0", "28394", "31678"},
          {"A1", "12.03.2021", "20980", "Sarf", "0", "3850", "27828"},
          {"A1", "02.04.2021", "03221", "Sayim", "4801", "0", "32629"},
          {"A1", "21.06.2021", "02480", "Iade", "1001031", "0", "1033660"},
          {"A2", "05.04.2021", "11660", "Giris", "7", "0", "10"}}},
        {"cost centres' codes a blank before their names, a line of last year's figures under",
         {fields({"Yeri", "Aciklama", ">Butce", ">Gercek"}, cw),
          fields({"7", "URETIM", ">638.700,00", ">456.589,68"}, cw),
          fields({"7.1", "Hammadde", ">628.700,00", ">448.056,54"}, cw),
          fields({"7.1.01", "Elektrik", ">455.100,00", ">269.195,29"}, cw),
          fields({"7.1.02", "Su", ">173.600,00", ">178.861,25"}, cw),
          fields({"7.2", "Enerji", ">10.000,00", ">8.533,14"}, cw),
          fields({"", "YEKUN", ">638.700,00", ">456.589,68"}, cw),
          "   GECEN YIL AYNI DONEM    1.293.412,56     684.482,62"},
         {{"Yeri", "Aciklama", "Butce", "Gercek",
           "D\xFC"
           "zey",
           "Son D\xFC"
           "zey"},
          {"7", "URETIM", "638700,00", "456589,68", "1", ""},
          {"7.1", "Hammadde", "628700,00", "448056,54", "2", ""}}},
        {"a journal's vouchers headed by fields printed label :value, no rule under the headings",
         {fields({"Kodu", "Adi", ">Borc", ">Alacak"}, jw),
          "Yevmiye No :135   Tarih :23.02.2008   Fis No :19149",
          fields({"100.02", "KASA", ">201.391,06", ""}, jw),
          fields({"391.01", "HESAPLANAN KDV", "", ">201.391,06"}, jw),
          "Yevmiye No :136   Tarih :24.03.2008   Fis No :24215",
          fields({"191.02", "INDIRILECEK KDV", ">1.755,73", ""}, jw),
          fields({"320.01", "SATICILAR", ">3.247,42", ""}, jw),
          fields({"102.01", "BANKALAR", "", ">5.003,15"}, jw),
          "Yevmiye No :139   Tarih :14.05.2008   Fis No :10362",
          fields({"335.02", "PERSONELE BORCLAR", ">1.371,01", ""}, jw),
          fields({"102.01", "BANKALAR", "", ">1.371,01"}, jw)},
         {{"Yevmiye No", "Tarih", "Fis No", "Kodu", "Adi", "Borc", "Alacak"},
          {"135", "23.02.2008", "19149", "100.02", "KASA", "201391,06", ""}}},
        {"a loan plan after a journal's entries, two amounts more on every line",
         {fields({"Kodu", "Adi", ">Borc", ">Alacak"}, jw),
          fields({"100.01", "KASA", ">553,40", ""}, jw),
          fields({"600.01", "SATISLAR", "", ">553,40"}, jw),
          fields({"102.01", "BANKALAR", ">1.884,91", ""}, jw),
          fields({"120.01", "ALICILAR", "", ">1.884,91"}, jw), "", "KREDI PLANI",
          fields({"No", "Vade", ">Taksit", ">Anapara", ">Faiz", ">BSMV", ">Kalan"}, lw),
          fields({"1", "25.08.2007", ">81.726,73", ">65.976,73", ">15.000,00", ">750,00",
                  ">809.023,27"},
                 lw),
          fields({"2", "25.09.2007", ">81.726,73", ">67.164,31", ">13.869,92", ">692,50",
                  ">741.858,96"},
                 lw),
          fields({"3", "25.10.2007", ">81.726,73", ">68.373,28", ">12.717,58", ">635,87",
                  ">673.485,68"},
                 lw)},
         {{"Kodu", "Adi", "Borc", "Alacak"}, {"100.01", "KASA", "553,40", ""}},
         2},
        {"a summary by month after the dated records and a line of words, its amounts where theirs "
         "stand",
         {fields({"Tarih", "Aciklama", ">Tutar"}, mw),
          fields({"02.01.2024", "Kira", ">1.250,00"}, mw),
          fields({"05.01.2024", "Satis 4411", ">12.400,50"}, mw),
          fields({"09.01.2024", "Z raporu", ">845,10"}, mw),
          fields({"15.01.2024", "Z raporu", ">3.000,00"}, mw),
          fields({"", "GECEN YIL 2023", ">9.999,00"}, mw), "", "AYLIK OZET",
          fields({"Ay", "", ">Tutar"}, mw), fields({"Ocak 2024", "", ">17.495,60"}, mw),
          fields({"Subat 2024", "", ">2.100,00"}, mw), fields({"Mart 2024", "", ">950,00"}, mw)},
         {{"Tarih", "Aciklama", "Tutar"},
          {"02.01.2024", "Kira", "1250,00"},
          {"05.01.2024", "Satis 4411", "12400,50"},
          {"09.01.2024", "Z raporu", "845,10"},
          {"15.01.2024", "Z raporu", "3000,00"}},
         2},
    };
    cases.push_back({"bars alone, two lines of headings, a group's block right under them",
                     {"STOK DEGERLEME", "", "|            |          |  Birim |          |",
                      "| Stok Kodu  | Stok Adi |Maliyet |    Tutar |", "DEPO : 01 MERKEZ",
                      "| 150.01.001 | SAC      |  42,10 |   526,05 |",
                      "| 150.01.002 | TEL      | 310,25 |   930,00 |", "DEPO : 02 SUBE",
                      "| 150.01.003 | GRANUL   |  18,40 |   368,00 |"},
                     {{"DEPO", "Stok Kodu", "Stok Adi", "Birim Maliyet", "Tutar"},
                      {"01 MERKEZ", "150.01.001", "SAC", "42,10", "526,05"}}});
    cases.push_back(
        {"a frame whose one column stands flush to its bar, the next a blank short of it",
         {"ABC TICARET                        SAYFA :   1", "",
          "\xC9\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCB\xCD\xCD\xCD\xCD\xCD\xCD\xCD"
          "\xCD\xCD\xCD\xCD\xCB\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xBB",
          "\xBA  TARIH   \xBA   GIRIS   \xBA    TUTAR     \xBA",
          "\xCC\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCE\xCD\xCD\xCD\xCD\xCD\xCD\xCD"
          "\xCD\xCD\xCD\xCD\xCE\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\xB9",
          "\xBA"
          "26.01.2024\xBA     203,00\xBA   316.633,31 \xBA",
          "\xBA"
          "13.02.2024\xBA      93,00\xBA   151.224,51 \xBA"},
         {{"TARIH", "GIRIS", "TUTAR"}, {"26.01.2024", "203,00", "316633,31"}}});
    cases.push_back(
        {"colons, two lines of headings, a group's line printing the frame's edges alone",
         {"YASLANDIRMA", "  : Cari   : Unvani   :   0-30 :  Toplam :",
          "  : Kodu   :          :    Gun :  Bakiye :",
          "  : MARMARA                              :",
          "  : 120.01 : ALI      : 100,00 :  100,00 :",
          "  : 120.02 : VELI     :  50,00 :   60,00 :",
          "  : EGE                                  :",
          "  : 120.03 : CAN      :        :   12,50 :"},
         {{"Grup", "Cari Kodu", "Unvani", "0-30 Gun", "Toplam Bakiye"},
          {"MARMARA", "120.01", "ALI", "100,00", "100,00"}}});
    // Whole quantities grouped by thousands among ones of a few digits; the period its page's
    // header prints again (no form feed) stands over them.
    const std::vector<int> qw = {10, 5, 8, 7, 7, 7};
    std::vector<std::string> card = {
        "STOK HAREKETLERI",
        fields({"Tarih", "Belge", "Islem", ">Giris", ">Cikis", ">Kalan"}, qw),
        std::string(49, '='),
        fields({"22.01.2019", "06444", "Sarf", "", ">1.844", ">981"}, qw),
        fields({"26.06.2019", "03342", "Iade", ">4.367", "", ">5.348"}, qw),
        fields({"03.02.2019", "04829", "Alis", ">318", "", ">5.666"}, qw),
        fields({"06.04.2019", "02857", "Fire", "", ">5", ">5.661"}, qw),
        std::string(49, '-'),
        fields({"", "", "TOPLAM", ">4.685", ">1.849", ""}, qw),
        "",
        "ABC TICARET",
        std::string(24, ' ') + "01.01.2019 - 31.12.2019",
        fields({"Tarih", "Belge", "Islem", ">Giris", ">Cikis", ">Kalan"}, qw),
        std::string(49, '='),
        fields({"02.07.2019", "27456", "Giris", ">58", "", ">5.719"}, qw)};
    cases.push_back({"a stock card's whole quantities, some grouped by thousands",
                     card,
                     {{"Tarih", "Belge", "Islem", "Giris", "Cikis", "Kalan"},
                      {"22.01.2019", "06444", "Sarf", "", "1844", "981"},
                      {"26.06.2019", "03342", "Iade", "4367", "", "5348"}}});
    cases.push_back(
        {"a heading wider than its column; words one blank apart flush with the word under them",
         {"DEM.NO  MALIYET  AMORTISMAN   ONCEKI YILLAR",
          "NO        BEDEL  ORANI          AMORTISMANI", std::string(43, '-'),
          "252.01  75,58    %4                   9,14",
          "252.02  36,77    %6,67                2,87",
          "253.01  22,78    %20                 14,50"},
         {{"DEM.NO NO", "MALIYET BEDEL", "AMORTISMAN ORANI", "ONCEKI YILLAR AMORTISMANI"},
          {"252.01", "75,58", "%4", "9,14"}}});
    cases.push_back({"a heading's second word over the blanks before the next column's values",
                     {"Tarih         Matrah  KDV Orani   KDV Tutari", std::string(44, '-'),
                      "02.06.2023 31.550,34  %18           5.679,06",
                      "05.06.2023 52.629,73  %8            4.210,38"},
                     {{"Tarih", "Matrah", "KDV Orani", "KDV Tutari"}}});
    cases.push_back({"two names whose second words end a place apart are one text",
                     {"DEM.NO     ADI            TARIH        MALIYET", std::string(46, '='),
                      "252.04.001 Idari bina   25.04.2003   94,357.00",
                      "252.02.002 Uretim holu  13.04.2024  376,011.00"},
                     {{"DEM.NO", "ADI", "TARIH", "MALIYET"},
                      {"252.04.001", "Idari bina", "25.04.2003", "94357,00"}}});
    for (const Case& c : cases) {
        const Read t(c.lines);
        if (!t.ws.clean() || t.rows.size() < c.rows.size()) {
            ADD_FAILURE() << c.name << ": " << t.outcome.message;
            continue;
        }
        for (std::size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(t.rows[r], c.rows[r]) << c.name;
        EXPECT_EQ(t.ws.book.tables.size(), c.tables) << c.name;
    }
}

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
        {"codes that read as one day in two years; rates printed with their percent sign key "
         "no "
         "record, so the grand total under them is a total",
         {"KOD        ACIKLAMA                    BUTCE  GERCEKLESEN    GERC.%",
          "---------- -------------------- ------------ ------------ ---------",
          "7.1.01     PERSONEL                1.000,00       900,00    %90,00",
          "7.1.02     ENERJI                  2.000,00     2.200,00   %110,00",
          "7.2.01     KIRA                    1.000,00     1.000,00   %100,00",
          "---------- -------------------- ------------ ------------ ---------",
          "           GENEL TOPLAM            4.000,00     4.100,00   %102,50"},
         {{"KOD", "ACIKLAMA", "BUTCE", "GERCEKLESEN", "GERC.%"},
          {"7.1.01", "PERSONEL", "1000,00", "900,00", "%90,00"}},
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
