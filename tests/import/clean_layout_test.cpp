#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean/heading_lines.h"
#include "clean/table_layout.h"
#include "core/import_settings.h"
#include "core/report_text.h"
#include "import/column_detection.h"
#include "import/table_locator.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::boxed;
using testing::boxLine;
using testing::fields;
using testing::joinCrLf;
using testing::rule;

const std::vector<int> kW = {10, 10, 10};

// Which lines over the rule line (or inside the frame) are the headings, and what each
// column is headed by.
TEST(CleanLayout, HeadingLinesAndTheirWords) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<int> headingLines;
        std::vector<std::string> headings;  // of fields 0 to 2
        int dataStart;
    };
    const std::string head = fields({"Tarih", "Aciklama", ">Tutar"}, kW);
    const std::string upper = fields({"", "Fis", ">Borc"}, kW);
    const std::string lower = fields({"Tarih", "No", ">Bakiye"}, kW);
    const std::vector<Case> cases = {
        {"one line under a blank",
         {"FIRMA", "", head, rule(kW)},
         {2},
         {"Tarih", "Aciklama", "Tutar"},
         4},
        {"two lines flush",
         {"", upper, lower, rule(kW)},
         {1, 2},
         {"Tarih", "Fis No", "Borc Bakiye"},
         4},
        {"a title is no heading",
         {"GECICI MIZAN", head, rule(kW)},
         {1},
         {"Tarih", "Aciklama", "Tutar"},
         3},
        {"a header field is no heading",
         {"Hesap Kodu : 100", head, rule(kW)},
         {1},
         {"Tarih", "Aciklama", "Tutar"},
         3},
        {"three lines at most",
         {upper, upper, upper, lower, rule(kW)},
         {1, 2, 3},
         {"Tarih", "Fis Fis No", "Borc Borc Bakiye"},
         5},
        {"a page's first line begins them",
         {upper, "\f" + upper.substr(1), lower, rule(kW)},
         {1, 2},
         {"Tarih", "Fis No", "Borc Bakiye"},
         4},
        {"a word goes to the column it covers most",
         {"", "Tarih   Aciklamasi   Tutar", rule(kW)},
         {1},
         {"Tarih", "Aciklamasi", "Tutar"},
         3},
        {"words that do not line up: each over its column",
         {"", fields({" Cari", " Son Islem", "  Borc"}, kW),
          fields({"Kodu", "Tarihi", ">Toplami"}, kW), rule(kW)},
         {1, 2},
         {"Cari Kodu", "Son Islem Tarihi", "Borc Toplami"},
         4},
        {"a title over the columns' boundaries is none",
         {"     GUNLUK MIZAN  01.2024", fields({"Kodu", "Tarihi", ">Toplami"}, kW), rule(kW)},
         {1},
         {"Kodu", "Tarihi", "Toplami"},
         3},
        {"capitals at the left edge over headings in small letters are the title",
         {"", "MIZAN", fields({"Hesap"}, kW), fields({"Kodu", ">Borc", ">Alacak"}, kW), rule(kW)},
         {2, 3},
         {"Hesap Kodu", "Borc", "Alacak"},
         5},
        {"a word printed letter by letter heads every column under it",
         {"", "             B  A  K  I  Y  E", fields({"Kodu", ">Borc", ">Alacak"}, kW), rule(kW)},
         {1, 2},
         {"Kodu", "BAKIYE Borc", "BAKIYE Alacak"},
         4},
        {"single letters apart are no word",
         {"", fields({"", "B", ">A"}, kW), fields({"Kodu", ">Borc", ">Alacak"}, kW), rule(kW)},
         {1, 2},
         {"Kodu", "B Borc", "A Alacak"},
         4},
        {"inside a frame down to its inner rule",
         {"x", boxLine(kW, "\xC9\xBB", '\xD1', '\xCD'), boxed({"", "Fis", ">Borc"}, kW),
          boxed({"Tarih", "No", ">Bakiye"}, kW), boxLine(kW, "\xC7\xB6", '\xC5', '\xC4'),
          boxed({"01.01.2005", "1", ">1,00"}, kW)},
         {2, 3},
         {"Tarih", "Fis No", "Borc Bakiye"},
         5},
    };
    for (const Case& c : cases) {
        const ReportText text(joinCrLf(c.lines));
        ReportLayout settings;
        settings.LedgerMarks = false;  // the widths as the rule line draws them
        DetectionReadout readout;
        const TableLocation location = locateTable(text, settings);
        detectColumns(text, location, settings, readout);
        const TableLayout table = tableLayoutOf(text, location, settings);
        EXPECT_EQ(table.headingLines, c.headingLines) << c.name;
        EXPECT_EQ(fieldHeadings(text, table, {0, 1, 2}), c.headings) << c.name;
        EXPECT_EQ(table.dataStart, c.dataStart) << c.name;
    }
}

// Marks glued to the amounts are a column of their own; a heading word over both the amount
// and its mark heads the amount.
TEST(CleanLayout, GluedMarksLeaveTheHeadingsToTheAmount) {
    const std::string record = fields({"01.01.2005", "1", ">1,00B"}, kW);
    const ReportText text(
        joinCrLf({"", fields({"", "", ">TL"}, kW), fields({"Tarih", "No", ">Bakiye"}, kW), rule(kW),
                  record, record, record}));
    ReportLayout settings;
    settings.LedgerMarks = false;
    DetectionReadout readout;
    const TableLocation location = locateTable(text, settings);
    detectColumns(text, location, settings, readout);
    TableLayout table = tableLayoutOf(text, location, settings);
    table.splitGluedMarks(text, {4, 5, 6});
    EXPECT_TRUE(table.gluedMarks[3]);
    const std::vector<std::string> expected = {"Tarih", "No", "TL Bakiye", ""};
    EXPECT_EQ(fieldHeadings(text, table, {0, 1, 2, 3}), expected);
}

// Whether a line stands over the next one as a heading line does.
TEST(CleanLayout, LinesFlushOverTheLineUnder) {
    struct Case {
        const char* name;
        const char *upper, *lower;
        bool flush;
    };
    const std::vector<Case> cases = {
        {"words flush left or right", "Demirbas   Alis     Maliyet", "No         Tarihi    Bedeli",
         true},
        {"a word centred over the word under it", "  Alis      Maliyet", " Tarihi      Bedeli",
         true},
        {"a word astray", "    Alis     Maliyet", " Tarihi      Bedeli", false},
        {"a word centred over a shorter one", " Demirbas  Demirbasin", "    No     Adi", true},
        {"a title's last word over a shorter one", "CARI HESAP EKSTRESI", "              FIS",
         false},
        {"a text ending flush with a word beside words flush one by one",
         " Maliyet Amortisman   Onceki Yillar", "  Bedeli Orani          Amortismani", true},
        {"a title over the headings", "      AMORTISMAN LISTESI", "No         Tarihi    Bedeli",
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(heading_lines::flushOver(c.upper, c.lower), c.flush) << c.name;
}

}  // namespace
}  // namespace tablamo
