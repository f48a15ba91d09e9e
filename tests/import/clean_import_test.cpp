#include "import/clean_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clean_read.h"
#include "core/workspace.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::boxed;
using testing::boxLine;
using testing::Clean;
using testing::fields;
using testing::joinCrLf;
using testing::Row;
using testing::rule;

TEST(CleanImport, RecordsOnlyTypedWithTheirHeadingsAndLines) {
    const std::vector<int> w = {10, 6, 10, 10, 10};
    Clean t({
        "ORNEK TICARET A.S.                              Sayfa : 1",
        "",
        fields({"", "Fis"}, w),
        fields({"Tarih", "No", "Aciklama", ">Borc", ">Alacak"}, w),
        rule(w),
        fields({"01.01.2005", "000001", "Acilis", ">1.500,00"}, w),
        fields({"02.01.2005", "000002", "Tahsilat", "", ">1.250,00"}, w),
        "           " + rule({6, 10, 10, 10}),
        fields({"", "TOPLAM", "", ">1.500,00", ">1.250,00"}, w),
    });
    EXPECT_TRUE(t.outcome.imported());
    ASSERT_EQ(t.records(), 2);
    // Two heading lines joined per column; row 0 the headings, column 0 the numbers.
    EXPECT_EQ(t.row(0), (Row{"Tarih", "Fis No", "Aciklama", "Borc", "Alacak"}));
    EXPECT_EQ(t.row(1), (Row{"01.01.2005", "000001", "Acilis", "1500,00", ""}));
    EXPECT_EQ(t.row(2), (Row{"02.01.2005", "000002", "Tahsilat", "", "1250,00"}));
    EXPECT_EQ(t.ws.grid().cell(0, 2), "2");
    ASSERT_TRUE(t.ws.clean());
    const CleanShape& shape = *t.ws.clean();
    ASSERT_EQ(shape.columns.size(), 5u);
    EXPECT_EQ(shape.columns[0].kind, ColumnKind::Date);
    EXPECT_EQ(shape.columns[1].kind, ColumnKind::Code);
    EXPECT_EQ(shape.columns[3].kind, ColumnKind::Amount);
    EXPECT_EQ(shape.lineOfRow(2), 7);
    EXPECT_EQ(shape.lineOfRow(3), std::nullopt);
    EXPECT_EQ(t.outcome.note, "1 toplam satırı kayıtlarla tutuyor");
    EXPECT_TRUE(t.outcome.warnings.empty());
}

// A heading line over one that leaves some columns blank belongs to it when its words stand
// flush with those below or over nothing; a line of no word flush with one below is a title.
TEST(CleanImport, HeadingLinesOverASparseOne) {
    const std::vector<int> w = {10, 10, 10, 10};
    const std::string lower = fields({"", "", ">Toplami", ">Toplami"}, w);
    struct Case {
        const char* name;
        std::string upper;
        Row headings;
    };
    const std::vector<Case> cases = {
        {"headings",
         fields({"Hesap Kodu", "Hesap Adi", ">Borc", ">Alacak"}, w),
         {"Hesap Kodu", "Hesap Adi", "Borc Toplami", "Alacak Toplami"}},
        {"title", "GECICI MIZAN", {"", "", "Toplami", "Toplami"}},
    };
    for (const Case& c : cases) {
        Clean t({c.upper, lower, rule(w), fields({"100", "KASA", ">1.500,00", ">250,00"}, w),
                 fields({"101", "MERKEZ", ">1.500,00", ">250,00"}, w)});
        ASSERT_EQ(t.records(), 2) << c.name;
        EXPECT_EQ(t.row(0), c.headings) << c.name;
    }
}

TEST(CleanImport, LedgerMarksNeverSplitAValue) {
    // The balance ends under the rule line's last hyphen: LedgerMarks cut off its trailing
    // minus and the last letter of its heading, which the clean table gives back.
    const std::vector<int> w = {10, 10, 10};
    Clean minus({
        "x",
        "",
        fields({"Tarih", "Aciklama", ">Bakiye"}, w),
        rule(w),
        fields({"01.01.2005", "Fatura", ">1616.22-"}, w),
        fields({"02.01.2005", "Odeme", ">12.50"}, w),
    });
    EXPECT_EQ(minus.row(0), (Row{"Tarih", "Aciklama", "Bakiye"}));
    EXPECT_EQ(minus.row(1), (Row{"01.01.2005", "Fatura", "-1616,22"}));
    EXPECT_EQ(minus.row(2), (Row{"02.01.2005", "Odeme", "12,50"}));
    // B/A marks under the last position are a column of their own, headed by the B/A
    // that leans over the balance's column.
    const std::vector<int> m = {10, 10, 12, 1};
    Clean marks({
        "x",
        "",
        "Tarih      Aciklama       Bakiye B/A",
        rule(m),
        fields({"01.01.2005", "Fatura", ">1.616,22", "B"}, m),
        fields({"02.01.2005", "Odeme", ">12,50", "A"}, m),
    });
    EXPECT_EQ(marks.row(0), (Row{"Tarih", "Aciklama", "Bakiye", "B/A"}));
    EXPECT_EQ(marks.row(1), (Row{"01.01.2005", "Fatura", "1616,22", "B"}));
}

TEST(CleanImport, ContinuationsCarriedFieldsAndEmptyColumns) {
    const std::vector<int> w = {10, 10, 10, 10};
    const std::vector<std::string> headings = {
        fields({"Tarih", "Aciklama", "Evrak No", ">Tutar"}, w), rule(w)};
    Clean t({
        "MUAVIN                                 Sayfa: 1",
        "Hesap Kodu : 120.01.001   Donem : 2005",
        "",
        headings[0],
        headings[1],
        fields({"01.01.2005", "Uzun bir", "", ">1.500,00"}, w),
        fields({"", "aciklama"}, w),
        fields({"", "satiri"}, w),
        "",
        "                 - 1 -",
        "\fMUAVIN                                 Sayfa: 2",
        "Hesap Kodu : 320.01.002   Donem : 2005",
        "",
        headings[0],
        headings[1],
        fields({"03.01.2005", "Kisa", "", ">12,50"}, w),
    });
    ASSERT_EQ(t.records(), 2);
    // The account changes between pages, the period and the page number say nothing of a
    // record; "Evrak No" is empty in every record.
    EXPECT_EQ(t.row(0), (Row{"Hesap Kodu", "Tarih", "Aciklama", "Tutar"}));
    EXPECT_EQ(t.row(1), (Row{"120.01.001", "01.01.2005", "Uzun bir aciklama satiri", "1500,00"}));
    EXPECT_EQ(t.row(2), (Row{"320.01.002", "03.01.2005", "Kisa", "12,50"}));
    EXPECT_EQ(t.ws.clean()->columns[0].kind, ColumnKind::Code);
}

// A text cut at the column's edge is joined as it was cut, in the middle of a word too (in a
// frame too, whose cells keep a blank inside), digits after letters a word of their own; one
// wrapped between words keeps its blanks, also where a word happens to fill the column.
TEST(CleanImport, WrappedTextsAreJoinedAsTheProgramParted) {
    const std::vector<int> w = {10, 12, 10};
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> pieces;
        std::vector<std::string> joined;
        bool framed = false;
    };
    const Case cut = {"cut at the edge",
                      {{"HAVALE GELEN", " ODEME"},
                       {"CEK TAHSILAT", "I BANKADAN"},
                       {"FATURA NO 12", "345"},
                       {"KASA FIS NO", "12"},
                       {"DEVIR ACILIS", "I"},
                       {"ALIS IADESIN", "DEN"},
                       {"ODEME DEKONT", "29847"}},
                      {"HAVALE GELEN ODEME", "CEK TAHSILATI BANKADAN", "FATURA NO 12345",
                       "KASA FIS NO 12", "DEVIR ACILISI", "ALIS IADESINDEN", "ODEME DEKONT 29847"}};
    Case framed = cut;
    framed.name = "cut at the edge of a framed cell";
    framed.framed = true;
    const std::vector<Case> cases = {
        cut,
        framed,
        {"wrapped between words",
         {{"HAVALE", "GELEN ODEME"},
          {"CEK TAHSILAT", "BANKADAN"},
          {"FATURA NO", "12345"},
          {"KASA", "TAHSILATI"},
          {"DEVIR ACILIS", "KAYDI"},
          {"SATIS IADESI", "KDV"},
          {"BANKA HAVALE", "MASRAFI"}},
         {"HAVALE GELEN ODEME", "CEK TAHSILAT BANKADAN", "FATURA NO 12345", "KASA TAHSILATI",
          "DEVIR ACILIS KAYDI", "SATIS IADESI KDV", "BANKA HAVALE MASRAFI"}},
    };
    for (const Case& c : cases) {
        const auto line = c.framed ? boxed : fields;
        std::vector<std::string> lines = {"MUAVIN", ""};
        if (c.framed) lines.push_back(boxLine(w, "\xC9\xBB", '\xD1', '\xCD'));
        lines.push_back(line({"Tarih", "Aciklama", ">Tutar"}, w));
        lines.push_back(c.framed ? boxLine(w, "\xC7\xB6", '\xC5', '\xC4') : rule(w));
        for (const auto& [above, below] : c.pieces) {
            lines.push_back(line({"01.01.2005", above, ">1.500,00"}, w));
            lines.push_back(line({"", below}, w));
        }
        Clean t(lines);
        ASSERT_EQ(t.records(), static_cast<int>(c.joined.size())) << c.name;
        for (std::size_t r = 0; r < c.joined.size(); ++r) {
            EXPECT_EQ(t.row(static_cast<int>(r) + 1)[1], c.joined[r]) << c.name;
        }
    }
}

// A two-digit year falls in the 100 years that begin 80 years before today's: a report's
// dates reach far back (an asset bought in '62), and only some years ahead.
TEST(CleanImport, TwoDigitYearsAroundToday) {
    struct FixedClock : Clock {
        Date date;
        Date today() const override { return date; }
    };
    struct Case {
        int year;
        const char* written;
    };
    const std::vector<int> w = {10, 10, 10};
    for (const auto& [year, written] :
         {Case{2026, "12.03.1962"}, Case{2026, "12.03.2045"}, Case{2026, "31.12.1946"},
          Case{2000, "12.03.2019"}, Case{2000, "31.12.1920"}}) {
        FixedClock clock;
        clock.date = {year, 6, 1};
        const std::string printed = std::string(written).erase(6, 2);
        Clean t({"x", "", fields({"Tarih", "Aciklama", ">Tutar"}, w), rule(w),
                 fields({printed, "Fatura", ">1.500,00"}, w)},
                clock);
        ASSERT_EQ(t.records(), 1) << printed;
        EXPECT_EQ(t.row(1)[0], written) << printed << " in " << year;
    }
}

TEST(CleanImport, MoreThanTwentyColumnsAreKept) {
    std::vector<std::string> heads = {"Kod"}, record = {"0001"};
    for (int c = 1; c <= 24; ++c) {
        heads.push_back(">A" + std::string(1, static_cast<char>('a' + c - 1)));
        record.push_back(">" + std::to_string(10 + c) + ",00");
    }
    const std::vector<int> w(25, 10);
    Clean t({"x", "", fields(heads, w), rule(w), fields(record, w)});
    ASSERT_EQ(t.records(), 1);
    EXPECT_EQ(t.ws.grid().colCount(), 26);
    EXPECT_EQ(t.ws.grid().cell(25, 0), "Ax");
    EXPECT_EQ(t.ws.grid().cell(25, 1), "34,00");
}

// Tables whose columns no rule of runs parts: read from the records themselves, headings and
// all, and framed with the printer's own characters or with bars alone.
TEST(CleanImport, ColumnsReadFromThePrintWithoutARuleOfRuns) {
    const std::vector<int> w = {11, 7, 28, 14, 14}, inner = {10, 6, 27, 13, 13};
    const std::vector<std::vector<std::string>> rows = {
        {"Tarih", "Fis", "Aciklama", ">Borc", ">Alacak"},
        {"02.01.2024", "00012", "Kira odemesi", ">1.250,00", ""},
        {"05.01.2024", "00013", "Satis faturasi 4411", "", ">12.400,50"},
        {"09.01.2024", "00014", "Z raporu 725", ">845,10", ""},
        {"15.01.2024", "00015", "Z raporu 570", "", ">3.000,00"},
        {"", "", "GENEL TOPLAM", ">2.095,10", ">15.400,50"},
    };
    // A row between bars: each cell one narrower, a bar after it.
    const auto barred = [&](const std::vector<std::string>& cells) {
        std::string line = "|";
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const std::string cell = fields({cells[k]}, {inner[k]});
            line += cell + std::string(static_cast<std::size_t>(inner[k]) - cell.size(), ' ') + "|";
        }
        return line;
    };
    const std::string plusLine =
        "+----------+------+---------------------------+-------------+"
        "-------------+";
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        bool framed;
    };
    std::vector<Case> cases = {
        {"a rule of one run under the headings",
         {"FIRMA", "", fields(rows[0], w), std::string(74, '-')},
         false},
        {"equals signs around the headings",
         {std::string(74, '='), fields(rows[0], w), std::string(74, '=')},
         false},
        {"no rule at all", {"FIRMA", "KASA DEFTERI", "", fields(rows[0], w)}, false},
        {"a frame drawn with plus signs", {"FIRMA", plusLine, barred(rows[0]), plusLine}, true},
        {"bars alone", {"FIRMA", "", barred(rows[0])}, true},
    };
    for (Case& c : cases) {
        for (std::size_t r = 1; r < rows.size(); ++r)
            c.lines.push_back(c.framed ? barred(rows[r]) : fields(rows[r], w));
        Clean t(c.lines);
        ASSERT_TRUE(t.ws.clean()) << c.name << ": " << t.outcome.message;
        ASSERT_EQ(t.records(), 4) << c.name;
        EXPECT_EQ(t.row(0), (Row{"Tarih", "Fis", "Aciklama", "Borc", "Alacak"})) << c.name;
        EXPECT_EQ(t.row(3), (Row{"09.01.2024", "00014", "Z raporu 725", "845,10", ""})) << c.name;
        EXPECT_EQ(t.outcome.note, "1 toplam satırı kayıtlarla tutuyor") << c.name;
    }
    // Groups' block lines, the first between the headings and the first record: a carried
    // column, its month a date.
    std::vector<std::string> grouped = {"FIRMA", "", fields(rows[0], w), "VADE : MART 2024"};
    for (std::size_t r = 1; r + 1 < rows.size(); ++r) {
        if (r == 3) grouped.push_back("VADE : NISAN 2024");
        grouped.push_back(fields(rows[r], w));
    }
    Clean t(grouped);
    ASSERT_EQ(t.records(), 4) << t.outcome.message;
    EXPECT_EQ(t.row(0), (Row{"VADE", "Tarih", "Fis", "Aciklama", "Borc", "Alacak"}));
    EXPECT_EQ(t.row(1)[0], "01.03.2024");
    EXPECT_EQ(t.row(4)[0], "01.04.2024");
    // A code of one width one blank before a name, no rule: two columns.
    Clean codes({"FIRMA                Sayfa: 1", "TESLIMAT TAKIP", "",
                 "Siparis  Malzeme Malzeme Adi       Birim      Siparis",
                 "No       Kodu                                 Miktari",
                 "SA-1181  AM-0501 KOLI 60x40x40        AD   15.744,000",
                 "SA-1184  AM-0503 STREC FILM 23MY      KG    3.899,668",
                 "SA-1186  HM-0212 BOYA TOZ RAL7035     KG    5.301,194", "",
                 "                 TOPLAM                    24.944,862"});
    ASSERT_EQ(codes.records(), 3) << codes.outcome.message;
    EXPECT_EQ(codes.row(2), (Row{"SA-1184", "AM-0503", "STREC FILM 23MY", "KG", "3899,668"}));
}

// B/A marks glued to a balance that no rule of runs parts from it, or a blank apart in a table
// whose rule's last run ends elsewhere than the table's before: the mark a column of its own,
// and the second table a table of its own.
TEST(CleanImport, MarksBesideTheirBalancesAndTheTableTheyPart) {
    const std::vector<int> w = {10, 20, 14};
    Clean glued({"Tarih      Aciklama                     Bakiye", std::string(46, '-'),
                 fields({"02.01.2024", "Acilis", ">5.000,00B"}, w),
                 fields({"03.01.2024", "Odeme", ">2.250,50A"}, w),
                 fields({"05.01.2024", "Tahsilat", ">749,50B"}, w)});
    ASSERT_EQ(glued.records(), 3) << glued.outcome.message;
    EXPECT_EQ(glued.row(0), (Row{"Tarih", "Aciklama", "Bakiye", "B/A"}));
    EXPECT_EQ(glued.row(2), (Row{"03.01.2024", "Odeme", "2250,50", "A"}));
    // A short word over the balance ends over its mark too ("TL" over "Bakiye"): the balance's.
    Clean twoLines({"Islem      Islem                            TL",
                    "Tarih      Aciklama                     Bakiye", std::string(46, '-'),
                    fields({"02.01.2024", "Acilis", ">5.000,00B"}, w),
                    fields({"03.01.2024", "Odeme", ">2.250,50A"}, w),
                    fields({"05.01.2024", "Tahsilat", ">749,50B"}, w)});
    EXPECT_EQ(twoLines.row(0), (Row{"Islem Tarih", "Islem Aciklama", "TL Bakiye", "B/A"}));

    const std::vector<int> second = {10, 20, 14, 1};
    Clean two({"CARILER", "", fields({"Kod", "Ad", ">Bakiye"}, w), rule(w),
               fields({"120.01", "ALFA", ">10,00B"}, w), fields({"120.02", "BETA", ">2,50A"}, w),
               "", "SATICILAR", "", fields({"Kod", "Ad", ">Bakiye", "B"}, second), rule(second),
               fields({"320.01", "DELTA", ">4,00", "A"}, second),
               fields({"320.02", "GAMA", ">1,00", "B"}, second)});
    ASSERT_EQ(two.ws.book.tables.size(), 2u);
    EXPECT_EQ(two.ws.book.tables[1].name, "SATICILAR");
    EXPECT_EQ(two.ws.book.tables[1].grid.cell(3, 2), "1,00");
}

// Lines of words at the table's edge between the records head groups: the last of a block
// the innermost level, each a leading column; a line going on under a record stands where its
// text column begins.
TEST(CleanImport, BareBlockLinesHeadTheirGroups) {
    const std::vector<int> w = {10, 24, 10};
    Clean t({fields({"Tarih", "Islem", ">Miktar"}, w), rule(w), "FABRIKA AMBARI", "AMBALAJ",
             "AMB.1937 KOLI 60X40", fields({"24.01.2016", "Transfer", ">10,331"}, w),
             std::string(11, ' ') + "depolar arasi", fields({"09.02.2016", "Alis", ">1,367"}, w),
             "AMB.1940 KOLI 40X30", fields({"08.03.2016", "Uretim", ">23,127"}, w), "HAMMADDE",
             "HAM.0001 GRANUL", fields({"09.05.2016", "Iade", ">29,426"}, w)});
    ASSERT_EQ(t.records(), 4) << t.outcome.message;
    EXPECT_EQ(t.row(0), (Row{"Grup 2", "Grup 3", "Tarih", "Islem", "Miktar"}));
    EXPECT_EQ(t.row(1), (Row{"AMBALAJ", "AMB.1937 KOLI 60X40", "24.01.2016",
                             "Transfer depolar arasi", "10,331"}));
    EXPECT_EQ(t.row(3), (Row{"AMBALAJ", "AMB.1940 KOLI 40X30", "08.03.2016", "Uretim", "23,127"}));
    EXPECT_EQ(t.row(4), (Row{"HAMMADDE", "HAM.0001 GRANUL", "09.05.2016", "Iade", "29,426"}));
}
}  // namespace
}  // namespace tablamo
