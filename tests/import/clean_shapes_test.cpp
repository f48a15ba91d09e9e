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
    const std::vector<int> rw = {4, 14, 12, 12, 10};
    cases.push_back({"rates alone on the headings' last line, one unbroken rule under them",
                     {fields({"Sira", "Adi Soyadi", ">Brut", ">SGK Isveren", ">Issizlik"}, rw),
                      fields({"", "", "", ">%15,5", ">%2"}, rw), std::string(56, '-'),
                      fields({"1", "MURAT KARA", ">60.454,53", ">9.370,45", ">1.209,09"}, rw),
                      fields({"2", "EMINE AYDIN", ">37.093,47", ">5.749,49", ">741,87"}, rw)},
                     {{"Sira", "Adi Soyadi", "Brut", "SGK Isveren %15,5", "Issizlik %2"},
                      {"1", "MURAT KARA", "60454,53", "9370,45", "1209,09"}}});
    const std::string fill(30, '\xC4');
    cases.push_back(
        {"a frame's records, a balance printed with its date and figure under the frame",
         {"\xDA" + fill.substr(0, 10) + "\xC2" + fill.substr(0, 8) + "\xC2" + fill + "\xC2" +
              fill.substr(0, 14) + "\xBF",
          "\xB3Tarih     \xB3"
          "Belge No\xB3"
          "Aciklama" +
              std::string(22, ' ') + "\xB3" + std::string(9, ' ') + "Tutar\xB3",
          "\xC3" + fill.substr(0, 10) + "\xC5" + fill.substr(0, 8) + "\xC5" + fill + "\xC5" +
              fill.substr(0, 14) + "\xB4",
          "\xB3"
          "23.03.2024\xB3"
          "DK-2739 \xB3"
          "Cek no 004543                 \xB3     36.765,99\xB3",
          "\xB3"
          "23.03.2024\xB3"
          "CK-4169 \xB3"
          "EFT masrafi                   \xB3     84.476,33\xB3",
          "\xC0" + fill.substr(0, 10) + "\xC1" + fill.substr(0, 8) + "\xC1" + fill + "\xC1" +
              fill.substr(0, 14) + "\xD9",
          "", "   BANKA EKSTRE BAKIYESI (31.03.2024)            264.603,90"},
         {{"Tarih", "Belge No", "Aciklama", "Tutar"},
          {"23.03.2024", "DK-2739", "Cek no 004543", "36765,99"}}});
    const std::vector<int> kw = {22, 8, 14};
    cases.push_back(
        {"a cash count by notes, the book's balance and the difference under it",
         {fields({"Kupur", ">Adet", ">Tutar"}, kw), rule(kw), "BANKNOTLAR",
          fields({"200 TL", ">34", ">6.800,00"}, kw), fields({"100 TL", ">145", ">14.500,00"}, kw),
          fields({"50 TL", ">16", ">800,00"}, kw), "",
          "   KASA DEFTERI BAKIYESI (15.03.2024)  :      22.100,00",
          "   SAYIM FARKI                          :           0,00"},
         {{"Kupur", "Adet", "Tutar"}, {"200 TL", "34", "6800,00"}}});
    cases.push_back(
        {"a bank reconciliation under one unbroken rule, its summary's labels dated in brackets",
         {"Tarih      Belge No Aciklama                                Tutar", std::string(65, '-'),
          "A) EKLENECEKLER", "21.03.2024 DK-7061  Kredi karti slip                    78.178,69",
          "21.03.2024 CK-5249  Cek no 004580                       79.877,01",
          "                    TOPLAM                             158.055,70", "",
          "   BANKA EKSTRE BAKIYESI (31.03.2024)      :     246.336,77",
          "   DEFTER BAKIYESI (102.01 HESAP)           :     404.392,47"},
         {{"Tarih", "Belge No", "Aciklama", "Tutar"},
          {"21.03.2024", "DK-7061", "Kredi karti slip", "78178,69"}}});
    cases.push_back({"a heading's second word alone on the line under it, no rule",
                     {"Tarih      Fis No Istasyon         Litre    Birim       Tutar",
                      "                                            Fiyat",
                      "02.01.2024 012809 OPET CORLU       59,22    41,29    2.445,19",
                      "03.01.2024 008713 SHELL MERTER     65,00    41,98    2.728,70",
                      "08.01.2024 023631 OPET CORLU       49,51    41,91    2.074,96"},
                     {{"Tarih", "Fis No", "Istasyon", "Litre", "Birim Fiyat", "Tutar"},
                      {"02.01.2024", "012809", "OPET CORLU", "59,22", "41,29", "2445,19"}}});
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
    cases.push_back({"headings one blank apart, each ending flush with its values",
                     {"Tarih       Net Satis Prim Orani Prim Tutari", std::string(44, '-'),
                      "04.04.2024 185.474,11       %2,0    3.709,48",
                      "05.04.2024 158.101,16       %2,5    3.952,53"},
                     {{"Tarih", "Net Satis", "Prim Orani", "Prim Tutari"}}});
    cases.push_back({"two names whose second words end a place apart are one text",
                     {"DEM.NO     ADI            TARIH        MALIYET", std::string(46, '='),
                      "252.04.001 Idari bina   25.04.2003   94,357.00",
                      "252.02.002 Uretim holu  13.04.2024  376,011.00"},
                     {{"DEM.NO", "ADI", "TARIH", "MALIYET"},
                      {"252.04.001", "Idari bina", "25.04.2003", "94357,00"}}});
    cases.push_back(
        {"two tables parted by colons, one under the other, before a journal's",
         {"Ay          :  Satislar :  Iadeler :      Net", "",
          "Ocak 2019   :  1.000,00 :   100,00 :   900,00",
          "Subat 2019  :  2.000,00 :   200,00 : 1.800,00",
          "Mart 2019   :  3.000,00 :   300,00 : 2.700,00", "", "FATURALAR",
          ": Tarih      : No     :    Tutar :", std::string(34, '-'),
          ": 01.03.2019 : 078000 : 1.000,00 :", ": 02.03.2019 : 078001 : 2.000,00 :",
          ": 03.03.2019 : 078002 : 3.000,00 :", "", "YEVMIYE", "Tarih      Fis No      Borc",
          "---------- ------ ---------", "01.03.2019 000001  1.000,00",
          "02.03.2019 000002  2.000,00"},
         {{"Ay", "Satislar", "Iadeler", "Net"}, {"01.01.2019", "1000,00", "100,00", "900,00"}},
         3});
    // A currency statement's month-end revaluations print no voucher number: each account's
    // dated DEVREDEN BAKIYE still lacks what the records usually print, and opens it.
    const std::vector<int> xw = {10, 8, 17, 10, 11};
    std::vector<std::string> statement = {
        fields({"Tarih", "Evrak No", "Aciklama", ">Borc", ">Bakiye"}, xw), rule(xw)};
    for (const char* account : {"120.01", "120.02"}) {
        const std::vector<std::vector<std::string>> lines = {
            {"01.01.2024", "", "DEVREDEN BAKIYE", ">100,00", ">100,00"},
            {"05.01.2024", "FTR001", "Fatura", ">10,00", ">110,00"},
            {"31.01.2024", "", "Kur farki", ">5,00", ">115,00"},
            {"03.02.2024", "FTR002", "Fatura", ">20,00", ">135,00"},
            {"09.02.2024", "FTR003", "Fatura", ">1,00", ">136,00"}};
        statement.push_back(std::string("Cari Kodu : ") + account);
        for (const auto& line : lines) statement.push_back(fields(line, xw));
    }
    cases.push_back({"a statement's revaluations without a voucher number",
                     statement,
                     {{"Cari Kodu", "Tarih", "Evrak No", "Aciklama", "Borc", "Bakiye"},
                      {"120.01", "05.01.2024", "FTR001", "Fatura", "10,00", "110,00"}}});
    // A frame drawn tight around its cells, a bare line of a group's class across it.
    const std::vector<int> tw = {8, 12, 10};
    const auto tight = [&](const Row& cells) {
        std::string line = "\xB3";
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const std::string cell = fields({cells[k]}, {tw[k]});
            line += cell + std::string(static_cast<std::size_t>(tw[k]) - cell.size(), ' ') + "\xB3";
        }
        return line;
    };
    const auto across = [](const std::string& text) {
        return "\xB3" + text + std::string(32 - text.size(), ' ') + "\xB3";
    };
    const std::string inner = "\xC3" + std::string(8, '\xC4') + "\xC5" + std::string(12, '\xC4') +
                              "\xC5" + std::string(10, '\xC4') + "\xB4";
    cases.push_back({"a tight frame's records under bare lines of their classes",
                     {"DEMIRBAS LISTESI", inner, tight({"Dem.No", "Adi", ">Maliyet"}), inner,
                      across("252 BINALAR"), tight({"252.0001", "Idari bina", ">1.000,00"}),
                      tight({"252.0002", "Depo", ">2.000,00"}), across("253 TESISLER"),
                      tight({"253.0001", "Torna", ">3.000,00"}),
                      tight({"253.0002", "Pres", ">4.000,00"}), inner},
                     {{"Grup", "Dem.No", "Adi", "Maliyet"},
                      {"252 BINALAR", "252.0001", "Idari bina", "1000,00"}}});
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

}  // namespace
}  // namespace tablamo
