// Figures of one width, whole quantities and counts as the clean table reads them; what it
// says when it reads no record or no line of columns; the samples' notes, openings and totals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean_read.h"
#include "import/report_import.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::Clean;
using testing::fields;
using testing::kData;
using testing::Read;
using testing::readFile;
using testing::Row;
using testing::rule;

// Amounts all of one width stand right as any figures do: a total's wider figure under them
// is theirs, not its label's.
// A balance confirmation marks our balance, theirs and the difference each with its own B/A:
// each total is signed by its own marks, and a wrong one is named.
TEST(CleanImport, EachAmountSignedByItsOwnMarks) {
    const std::vector<int> w = {11, 9, 11, 3, 11, 3, 10, 3};
    const auto list = [&](const char* fark) {
        return std::vector<std::string>{
            "MUTABAKAT LISTESI",
            fields({"Hesap", "Adi", ">Bizdeki", "B/A", ">Firmadaki", "B/A", ">Fark", "B/A"}, w),
            rule(w),
            fields({"120.01", "AKDENIZ", ">100.000,00", "B", ">90.000,00", "B", ">10.000,00", "B"},
                   w),
            fields({"120.02", "BOGAZICI", ">5.000,00", "B", ">2.000,00", "A", ">7.000,00", "B"}, w),
            fields({"120.03", "CEYHAN", ">20.000,00", "A", ">25.000,00", "A", ">5.000,00", "B"}, w),
            rule(w),
            fields({"", "TOPLAM", ">85.000,00", "B", ">63.000,00", "B", fark, "B"}, w)};
    };
    // The same with each mark glued to its amount, under one rule of one run.
    const auto glued = [](const char* fark) {
        const std::string rule(79, '-');
        return std::vector<std::string>{
            "MUTABAKAT LISTESI",
            "Hesap Kodu     Hesap Adi                  Bizdeki       Firmadaki          Fark",
            "                                           Bakiye          Bakiye",
            rule,
            "120.01.0007    AKDENIZ GIDA           100.000,00B      90.000,00B    10.000,00B",
            "120.01.0014    BOGAZICI TEKSTIL         5.000,00B       2.000,00A     7.000,00B",
            "120.01.0021    CEYHAN TARIM            20.000,00A      25.000,00A     5.000,00B",
            rule,
            std::string("               TOPLAM                  85.000,00B      63.000,00B    ") +
                fark};
    };
    for (const bool apart : {true, false}) {
        const Read right(apart ? list(">22.000,00") : glued("22.000,00B"));
        EXPECT_TRUE(right.outcome.warnings.empty()) << apart;
        EXPECT_EQ(right.outcome.note, "1 toplam satırı kayıtlarla tutuyor") << apart;
        const Read wrong(apart ? list(">22.000,10") : glued("22.000,10B"));
        ASSERT_EQ(wrong.outcome.warnings.size(), 1u) << apart;
        EXPECT_NE(wrong.outcome.warnings[0].find("Fark"), std::string::npos);
    }
}

TEST(CleanImport, AmountsOfOneWidthUnderAWiderTotal) {
    Clean t({"Taksit  Vade             Taksit Tutari", "1       22.05.2009         68.368,36",
             "2       22.06.2009         68.368,36", "3       22.07.2009         68.368,36",
             "YILLIK TOPLAM             205.105,08"});
    ASSERT_EQ(t.records(), 3) << t.outcome.message;
    EXPECT_EQ(t.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
}

// Grouped whole lira all of one width under a sum's heading are amounts, not codes; the
// grand total's wider figure run on into the month's column before it is its own.
TEST(CleanImport, WholeLiraOfOneWidthUnderASumsHeading) {
    const std::vector<int> w = {8, 14, 11, 11, 11};
    const auto sheet = [&](const char* aralik) {
        return std::vector<std::string>{
            fields({"Kod", "Musteri", ">KASIM", ">ARALIK", ">TOPLAM"}, w),
            std::string(55, '-'),
            fields({"M0011", "ANADOLU INS", ">14.192", ">9.536", ">267.081"}, w),
            fields({"M0018", "DORUK ELEKT", ">70.651", ">0", ">553.491"}, w),
            fields({"M0025", "IPEK HALI T", ">0", ">139.149", ">371.315"}, w),
            fields({"", "", ">---------", ">---------", ">---------"}, w),
            fields({"", "GENEL TOPLAM", ">84.843", aralik, ">1.191.887"}, w)};
    };
    Clean right(sheet(">148.685"));
    ASSERT_EQ(right.records(), 3) << right.outcome.message;
    EXPECT_EQ(right.row(1), (Row{"M0011", "ANADOLU INS", "14192", "9536", "267081"}));
    EXPECT_EQ(right.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    Clean wrong(sheet(">148.684"));
    EXPECT_EQ(wrong.outcome.warnings.size(), 1u) << wrong.outcome.note;
}

// The first page's title and period printed again on the next page's top, under a firm's
// line that numbers the page: the page's header, though the period reads as a record.
TEST(CleanImport, AFirstPagesHeaderPrintedAgainHeadsTheNextPage) {
    const std::vector<int> w = {5, 11, 12, 4, 12};
    const auto page = [&](const std::string& number, const Row& a, const Row& b) {
        return std::vector<std::string>{
            (number == "1" ? "" : "\f") + std::string("FIRMA A.S.") + std::string(40, ' ') +
                "Syf: " + number,
            "              AYLIK UCRET LISTESI",
            "Haziran 2024",
            "",
            fields({"Sicil", "TC Kimlik", "Adi", ">Gun", ">Brut Ucret"}, w),
            rule(w),
            fields(a, w),
            fields(b, w)};
    };
    std::vector<std::string> lines =
        page("1", {"00316", "44703350686", "AHMET", ">30", ">61.354,99"},
             {"01107", "39106323094", "ELIF", ">30", ">35.788,30"});
    const std::vector<std::string> next =
        page("2", {"01170", "32701506880", "OSMAN", ">30", ">38.451,84"},
             {"01186", "62996655929", "CAGLAR", ">30", ">71.556,13"});
    lines.insert(lines.end(), next.begin(), next.end());
    Clean t(lines);
    ASSERT_EQ(t.records(), 4) << t.outcome.note;
    EXPECT_EQ(t.row(3), (Row{"01170", "32701506880", "OSMAN", "30", "38451,84"}));
    EXPECT_EQ(t.outcome.note, "");
}

// A stock card under a rule of one run: dated lines of whole quantities are its records, the
// rule parts no columns, and the total under them is no heading line.
TEST(CleanImport, WholeQuantitiesUnderARuleOfOneRun) {
    const std::vector<int> w = {11, 6, 16, 8, 8, 8};
    Clean t(
        {fields({"", "Belge", "", ">Giris", ">Cikis", ">Kalan"}, w),
         fields({"Tarih", "No", "Islem", ">Miktari", ">Miktari", ">Miktar"}, w),
         " " + std::string(56, '-'), fields({"11.01.2014", "09056", "Alis", ">50", "", ">50"}, w),
         fields({"02.02.2014", "16174", "Sarf", "", ">20", ">30"}, w),
         fields({"27.04.2014", "06816", "Alis", ">14", "", ">44"}, w), " " + std::string(56, '-'),
         "STOK KODU TOPLAMI" + fields({"", ">64", ">20", ">44"}, {16, 8, 8, 8})});
    ASSERT_EQ(t.records(), 3) << t.outcome.message;
    EXPECT_EQ(t.row(2), (Row{"02.02.2014", "16174", "Sarf", "", "20", "30"}));
    EXPECT_EQ(t.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
}

// A count the sure records print only dashes for is an amount where another record fills it.
TEST(CleanImport, DashesForNoneInACountColumn) {
    Clean t({"Sicil  Adi        Gun  Izin  Mesai", "00991  Ali        19     -   34,8",
             "02729  Veli       21     1", "00606  Can        22     -   35,8",
             "07259  Ece        21     -   52,4"});
    ASSERT_EQ(t.records(), 4) << t.outcome.message;
    EXPECT_EQ(t.row(1), (Row{"00991", "Ali", "19", "", "34,8"}));
    EXPECT_EQ(t.row(2), (Row{"02729", "Veli", "21", "1", ""}));
}

// Columns read from the records where no rule parts them, whatever their values print: a date
// with its month's name, amounts signed with "+", a description that fills its column up to
// where an amount of the next would begin.
TEST(CleanImport, ColumnsOfTheRecordsWhateverTheirValuesPrint) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        Row second;
    };
    const Case cases[] = {
        {"a month's name",
         {"Tarih       Fis  Aciklama       Borc      Alacak",
          "02 Eyl 2012 4000 POS slip 1   360,52",
          "03 Eyl 2012 4001 POS slip 2                188,79",
          "15 Eki 2012 4002 EFT gelen                 100,00"},
         {"03.09.2012", "4001", "POS slip 2", "", "188,79"}},
        {"a document number with its series under two heading words",
         {"Tarih      Fatura No  Musteri              Tutar",
          "01.06.2023 A 053000   ULUDAG           48.838,00",
          "02.06.2023 A 053001   LIMAN GIDA       25.897,00",
          "06.06.2023 A 053002   AKSOY               169,00"},
         {"02.06.2023", "A 053001", "LIMAN GIDA", "25897,00"}},
        {"plus signs",
         {"TARIH      FIS  ACIKLAMA          TUTAR      BAKIYE",
          "01.08.2024 4000 Odeme - ERGUN   -322,54  +27.830,61",
          "02.08.2024 4002 EFT gelen     +7.387,08  +35.217,69",
          "03.08.2024 4003 EFT gelen     +1.000,00  +36.217,69"},
         {"02.08.2024", "4002", "EFT gelen", "7387,08", "35217,69"}},
        {"a text up to an amount's room",
         {"TARIH      FIS  ACIKLAMA           CEKILEN      YATAN",
          "01.08.2024 4000 Fatura 82386     24.313,31",
          "02.08.2024 4001 EFT YAZICI LTD.ST          22.304,54",
          "03.08.2024 4002 Kira              1.763,07"},
         {"02.08.2024", "4001", "EFT YAZICI LTD.ST", "", "22304,54"}},
    };
    for (const Case& c : cases) {
        Clean t(c.lines);
        ASSERT_EQ(t.records(), 3) << c.name << ": " << t.outcome.message;
        EXPECT_EQ(t.row(2), c.second) << c.name;
    }
}

TEST(CleanImport, NoRecordsGivesThePlainTableAndSaysSo) {
    Clean t({"x", "Baslik", "----------", "yalnizca yazi", "", "baska yazi"});
    // The plain import's cut of line 3 by the rule line's one width, 9 with LedgerMarks.
    EXPECT_EQ(t.outcome.status, ImportStatus::NoRecords);
    EXPECT_FALSE(t.outcome.imported());
    EXPECT_EQ(
        t.outcome.message,
        "Temiz tablo: raporda kayıt satırı ayırt edilemedi.\r\nTablo temiz olmadan aktarıldı.");
    EXPECT_FALSE(t.ws.clean());
    EXPECT_EQ(t.ws.grid().colCount(), Grid::kColumnCount);
    EXPECT_EQ(t.ws.grid().cell(1, 0), "A");
    EXPECT_EQ(t.ws.grid().cell(1, 3), "yalnizca");
    EXPECT_EQ(t.ws.grid().cell(2, 3), "yazi");
}

// A journal printing each voucher's number and date on its first line only: its other
// lines are the voucher's all the same, as its balance shows.
TEST(CleanImport, AVouchersNumberAndDateOnItsFirstLineOnly) {
    const std::vector<int> w = {5, 10, 8, 16, 10, 10};
    const Read t({fields({">Yev.", "Tarih", "Hesap", "Hesap Adi", ">Borc", ">Alacak"}, w), rule(w),
                  fields({">1", "02/01/2024", "102.01", "BANKA", ">1.000,00", ""}, w),
                  fields({"", "", "120.01", "ALTUN TICARET", "", ">1.000,00"}, w),
                  fields({">2", "03/01/2024", "770.01", "GENEL YONETIM", ">500,00", ""}, w),
                  fields({"", "", "191.01", "KDV", ">100,00", ""}, w),
                  fields({"", "", "100.01", "KASA", "", ">600,00"}, w), rule(w),
                  fields({"", "", "", "GENEL TOPLAM", ">1.600,00", ">1.600,00"}, w)});
    ASSERT_EQ(t.rows.size(), 6u);
    EXPECT_EQ(t.rows[2], (Row{"1", "02.01.2024", "120.01", "ALTUN TICARET", "", "1000,00"}));
    EXPECT_EQ(t.rows[5], (Row{"2", "03.01.2024", "100.01", "KASA", "", "600,00"}));
}

// A framed list of one record and no rule under its headings: the record over the rule is
// no heading, so totals under it with no record to give them are no table, and warn of
// nothing; the plain table is there, as the plain import finds it.
TEST(CleanImport, ARecordOverTheRuleMakesNoTableOfItsTotals) {
    const auto total = [](const std::string& label) {
        return "  " + label + std::string(43 - label.size(), ' ') +
               "|  2,082.43 |        |       1,822.10 |        260.30 |  2,082.40 |        0.03";
    };
    const Read t(
        {"AMORTISMAN LISTESI", "",
         "  Dem.No     | Demirbasin Adi    | Tarih     |   Maliyet | Oran   |  Onceki Amort. |"
         "   Cari Amort. |  Birikmis |   Net Deger",
         "", "  HESAP : 253 TESIS, MAKINE VE CIHAZLAR",
         "  253.09.001 | Jenerator 150 kVA | 12/07/11  |  2,082.43 | %12,50 |       1,822.10 |"
         "        260.30 |  2,082.40 |        0.03",
         "  " + std::string(121, '-'), total("HESAP TOPLAMI (1 adet)"),
         "             |                   |           |           |        |                |"
         "               |           |",
         total("Sayfa Toplami"), total("RAPOR TOPLAMI (1 adet)")});
    EXPECT_EQ(t.outcome.status, ImportStatus::NoRecords);
    EXPECT_TRUE(t.outcome.warnings.empty());
    EXPECT_TRUE(t.ws.grid().cell(2, 5).starts_with("253")) << t.ws.grid().cell(2, 5);
}

// Ten hyphens, but no rule under headings and no frame: the plain table, not one cut by the
// default widths as if it were read.
TEST(CleanImport, NoLineOfColumnsGivesThePlainTableAndSaysSo) {
    Clean t({"x", "Baslik", "abc ----------", "01.01.2024  Fatura   1.500,00"});
    EXPECT_EQ(t.outcome.status, ImportStatus::NoRecords);
    EXPECT_EQ(t.outcome.message,
              "Temiz tablo: raporda sütunları gösteren bir çizgi ya da çerçeve bulunamadı.\r\n"
              "Tablo temiz olmadan aktarıldı.");
    EXPECT_FALSE(t.ws.clean());
    EXPECT_EQ(t.ws.grid().cell(1, 3), "01.01.2024");
}

// One text over figures, a blank line over it: no heading line to measure it against.
TEST(CleanImport, ALoneTextUnderABlankLineIsReadWithoutHarm) {
    Clean t({"", "\x1a  \x9f", "7,5 0", "0.0NAKLI"});
    ASSERT_TRUE(t.ws.clean());
    EXPECT_EQ(t.row(1), Row({"7,5", "0"}));
}

TEST(CleanImport, APlainImportAfterwardsIsThePlainTable) {
    Clean t(readFile(kData + "/clean/mizan/report.txt"));
    ASSERT_TRUE(t.ws.clean());
    EXPECT_EQ(t.ws.grid().colCount(), 9);  // with the accounts' levels
    EXPECT_TRUE(importReport(t.ws).imported());
    EXPECT_FALSE(t.ws.clean());
    EXPECT_EQ(t.ws.grid().colCount(), Grid::kColumnCount);
    EXPECT_EQ(t.ws.grid().cell(20, 0), "T");
}

// A total printed one place further right than its records, its label under the dates:
// the digit it prints past the table line makes it no record, and the columns keep their
// kinds.
TEST(CleanImport, ATotalPrintedAPlaceFurtherRightSpoilsNoColumn) {
    const std::vector<int> w = {8, 10, 12, 12};
    Clean t({
        fields({"Kod", "Tarih", ">Borc", ">Alacak"}, w),
        rule(w),
        fields({"D-1", "19.01.2021", ">5.608,97", ">2.804,48"}, w),
        fields({"D-2", "23.01.2015", ">8.848,11", ">8.848,11"}, w),
        "         TOPLAM         14.457,08     11.652,59",
    });
    ASSERT_EQ(t.records(), 2);
    EXPECT_EQ(t.row(1), (Row{"D-1", "19.01.2021", "5608,97", "2804,48"}));
    EXPECT_EQ(t.ws.clean()->columns[1].kind, ColumnKind::Date);
    EXPECT_TRUE(t.outcome.warnings.empty());
}

// The report's own totals: silent when they agree, a warning naming the total line, the
// column and both amounts when a record line was taken out.
// Whole numbers under a heading that names them numbers tell records apart; under any other
// heading they are counted.
TEST(CleanImport, NumbersUnderANumberHeadingAreCodes) {
    const std::vector<int> w = {10, 7, 20, 12};
    for (const auto& [heading, kind] :
         {std::pair{"Yev.No", ColumnKind::Code}, std::pair{"Fis No", ColumnKind::Code},
          std::pair{"Miktar", ColumnKind::Amount}}) {
        Clean t({fields({"Tarih", heading, "Aciklama", ">Borc"}, w), rule(w),
                 fields({"28.01.2024", ">151", "Masraf", ">40.175,45"}, w),
                 fields({"24.02.2024", ">152", "Virman", ">35.348,00"}, w)});
        ASSERT_EQ(t.records(), 2) << heading;
        EXPECT_EQ(t.ws.clean()->columns[1].kind, kind) << heading;
        EXPECT_EQ(t.ws.clean()->columns[3].kind, ColumnKind::Amount) << heading;
    }
}

// A voucher's explanation printed under its last entry, right before its total, is the
// voucher's: every entry of it holds the explanation, no account name goes on with it.
TEST(CleanImport, AVouchersExplanationIsAFieldOfItsEntries) {
    const std::string report = readFile(kData + "/clean/yevmiye-defteri/report.txt");
    const std::string total = "F\x98\x9e TOPLAMI";  // code page 857
    const std::string note = std::string(13, ' ') + "Ocak kira tahakkuku\r\n";
    std::string noted = report;
    int notes = 0;
    for (std::size_t at = noted.find(total); at != std::string::npos && notes < 3;
         at = noted.find(total, at + note.size() + total.size())) {
        const std::size_t line = noted.rfind("\r\n", at) + 2;
        noted.insert(line, note);
        ++notes;
    }
    Clean plain(report), t(noted);
    ASSERT_EQ(t.records(), plain.records());
    const Grid& g = t.ws.grid();
    ASSERT_EQ(g.colCount(), plain.ws.grid().colCount() + 1);
    const int column = g.colCount() - 1;
    int explained = 0;
    for (int r = 1; r <= t.records(); ++r) {
        Row row = t.row(r);
        explained += row.back() == "Ocak kira tahakkuku";
        row.pop_back();
        EXPECT_EQ(row, plain.row(r)) << r;
    }
    EXPECT_EQ(std::string(g.cell(column, 0)), "Fi\xfe A\xe7\xfdklamas\xfd");
    // The first three vouchers: 7, 2 and 2 entries.
    EXPECT_EQ(explained, 11);
    EXPECT_EQ(t.outcome.warnings, plain.outcome.warnings);
}

// With "Açılışlar", each account's DEVİR is a row of its own, its kind marked, between the
// records in print order; without it the table is the records alone.
TEST(CleanImport, OpeningsKeptAsMarkedRows) {
    const std::string report = readFile(kData + "/clean/muavin-hesap-devirli/report.txt");
    Clean plain(report);
    Workspace ws;
    ws.regional = RegionalSettings::turkish();
    ws.settings.openings = true;
    ws.text = ReportText(report);
    const ImportOutcome outcome = importCleanReport(ws, Clock());
    ASSERT_TRUE(outcome.imported());
    const Grid& g = ws.grid();
    const Grid& p = plain.ws.grid();
    ASSERT_EQ(g.colCount(), p.colCount() + 1);
    const int kind = g.colCount() - 1;
    EXPECT_EQ(std::string(g.cell(kind, 0)), "Sat\xfdr T\xfcr\xfc");
    std::vector<int> openings;
    for (int r = 1, q = 1; r < g.rowCount(); ++r) {
        const std::string k(g.cell(kind, r));
        if (k == "A\xe7\xfdl\xfd\xfe") {
            openings.push_back(r);
            continue;
        }
        ASSERT_EQ(k, "Kay\xfdt") << r;
        // Every record as the plain clean table has it, in the same order.
        for (int c = 0; c + 1 < kind; ++c)
            ASSERT_EQ(std::string(g.cell(c + 1, r)), std::string(p.cell(c + 1, q))) << r;
        ++q;
    }
    ASSERT_EQ(g.rowCount() - p.rowCount(), static_cast<int>(openings.size()));
    ASSERT_GE(openings.size(), 2U);
    // The first account's opening, before its first record: its account, its words, its
    // balance and mark.
    std::vector<std::string> first;
    for (int c = 1; c < kind; ++c) first.emplace_back(g.cell(c, openings[0]));
    EXPECT_EQ(openings[0], 1);
    EXPECT_NE(std::find(first.begin(), first.end(), "100.01"), first.end());
    EXPECT_NE(std::find(first.begin(), first.end(), "DEV\xddR"), first.end());
    EXPECT_NE(std::find(first.begin(), first.end(), "148,00"), first.end())
        << ::testing::PrintToString(first);
    EXPECT_EQ(ws.clean()->lineOfRow(openings[0]), 8);
    EXPECT_EQ(outcome.warnings, plain.outcome.warnings);
}

TEST(CleanImport, TotalsProveTheRecords) {
    for (const char* kind :
         {"muavin-tek-hesap", "mizan", "parantezli-sayfa", "kasa-defteri-cerceveli"}) {
        const std::string report = readFile(kData + "/clean/" + std::string(kind) + "/report.txt");
        Clean whole(report);
        EXPECT_TRUE(whole.outcome.warnings.empty()) << kind << ": " << whole.outcome.warnings[0];
        EXPECT_FALSE(whole.outcome.note.empty()) << kind;
        EXPECT_TRUE(whole.ws.clean()->totals.allAgree()) << kind;
    }
    // muavin-tek-hesap without line 12, "25.01.2005 ... 116.335,56".
    std::string report = readFile(kData + "/clean/muavin-tek-hesap/report.txt");
    std::size_t at = 0;
    for (int line = 1; line < 12; ++line) at = report.find("\r\n", at) + 2;
    report.erase(at, report.find("\r\n", at) + 2 - at);
    Clean cut(report);
    // The balance after the gap does not follow, and the page's total does not agree; the
    // sums carried on from that total repeat it and say nothing more; the grand total is
    // compared with the records.
    EXPECT_EQ(cut.outcome.warnings,
              (std::vector<std::string>{
                  "uyarı: satır 12, Bakiye: raporda 15.145,56B, önceki bakiyeden 101.190,00A",
                  "uyarı: satır 32 \"SAYFA TOPLAMI\", Borç: raporda 253.212,72, kayıtlardan "
                  "136.877,16",
                  "uyarı: satır 97 \"GENEL TOPLAM\", Borç: raporda 3.037.862,59, kayıtlardan "
                  "2.921.527,03"}));
    EXPECT_EQ(cut.outcome.note, "");
    EXPECT_TRUE(cut.outcome.imported());  // the table is written all the same
}

}  // namespace
}  // namespace tablamo
