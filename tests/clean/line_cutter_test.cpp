#include "clean/line_cutter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tablamo {
namespace {

const YearWindow kCutterYears(Date{2026, 6, 1});

// What the cutter makes of a line cut into fields 6, 6 and 30 characters wide: each value
// trimmed, with its first and last character within the field (-1 when empty).
TEST(LineCutter, ValuesAndWhereTheyStand) {
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> values;
        std::vector<int> first, last;
    };
    const Case cases[] = {
        {"trimmed", "  AB   12 ", {"AB", "12", ""}, {2, 1, -1}, {3, 2, -1}},
        {"frame characters at the ends",
         "\xBA AB \xB3 CD  \xB3",
         {"AB", "CD", ""},
         {2, 1, -1},
         {3, 2, -1}},
        {"a frame character inside", "A\xB3Z   ", {"AZ", "", ""}, {0, -1, -1}, {2, -1, -1}},
        {"Â at a word's ends, a frame's ╢ alone",
         "\xB6"
         "DE\xB6   \xB6  ",
         {"\xB6"
          "DE\xB6",
          "", ""},
         {0, -1, -1},
         {3, -1, -1}},
        {"a long blank run",
         std::string(38, ' ') + "1,00",
         {"", "", "1,00"},
         {-1, -1, 26},
         {-1, -1, 29}},
        {"a short line", "AB", {"AB", "", ""}, {0, -1, -1}, {1, -1, -1}},
        {"control characters", "\fAB\t  ", {"AB", "", ""}, {1, -1, -1}, {2, -1, -1}},
        {"a trailing minus a place past its amount",
         "   AB 600,00-",
         {"AB", "600,00-", ""},
         {3, 0, -1},
         {4, 6, -1}},
        {"a dash of its own", "   AB       -", {"AB", "", "-"}, {3, -1, 0}, {4, -1, 0}},
        {"a word run on into the next field before a figure",
         "TOPLAMI  86",
         {"TOPLAMI", "86", ""},
         {0, 3, -1},
         {6, 4, -1}},
        {"a word run on into the next field before another",
         "TOPLAMI  AB",
         {"TOPLAM", "I  AB", ""},
         {0, 0, -1},
         {5, 4, -1}},
    };
    const std::vector<std::int32_t> widths = {6, 6, 30};
    LineCutter cutter(fieldSpansOf(widths), kCutterYears);
    for (const Case& c : cases) {
        // A long line first: what it left in the later fields must not show through.
        cutter.cut("XXXXXXYYYYYY" + std::string(28, 'Z'));
        const CutLine& cut = cutter.cut(c.line);
        for (std::size_t k = 0; k < c.values.size(); ++k) {
            EXPECT_EQ(cut.value[k], c.values[k]) << c.name << " " << k;
            EXPECT_EQ(cut.facts[k].empty, c.values[k].empty()) << c.name << " " << k;
            if (k < static_cast<std::size_t>(cut.count)) {
                EXPECT_EQ(cut.first[k], c.first[k]) << c.name << " " << k;
                EXPECT_EQ(cut.last[k], c.last[k]) << c.name << " " << k;
            }
        }
    }
}

// Once the columns' kinds are known, each value is read as its column reads it.
TEST(LineCutter, ValuesReadAsTheirColumns) {
    Kinds kinds;
    kinds[0].kind = ColumnKind::Date;
    kinds[1].kind = ColumnKind::Amount;
    kinds[1].decimals = 2;
    kinds[2].kind = ColumnKind::Text;
    const std::vector<std::int32_t> widths = {10, 12, 8};
    LineCutter cutter(fieldSpansOf(widths), kCutterYears);
    cutter.readAs(kinds);
    const CutLine& cut = cutter.cut("12.03.60    -1.234,5  A\xB3Z");
    EXPECT_EQ(cut.read[0].date, (Date{2060, 3, 12}));
    EXPECT_EQ(cut.read[1].units, -123450);
    // A text's frame characters stay for its conversion to delete.
    EXPECT_EQ(cut.value[2], "A\xB3Z");
    EXPECT_FALSE(cut.read[2].date || cut.read[2].units);
    // A value of another kind reads as nothing.
    EXPECT_FALSE(cutter.cut("Devir      Toplam").read[1].units);
    EXPECT_FALSE(cutter.cut("Devir      Toplam").read[0].date);

    // A name's last characters the amount's field cuts off are the name's; a mark glued to
    // an amount and stars around a remark are not.
    Kinds named;
    named[0].kind = ColumnKind::Text;
    named[1].kind = ColumnKind::Amount;
    named[1].decimals = 2;
    LineCutter names(fieldSpansOf(widths), kCutterYears);
    names.readAs(named);
    const struct {
        const char* line;
        const char* name;
        const char* amount;
    } runOn[] = {
        {"TARIM A.\x9E.", "TARIM A.\x9E.", ""},
        {"TARIM LTD.\x9ET\x98.", "TARIM LTD.\x9ET\x98.", ""},
        {"  1.234,50A", "1.234,50", "A"},
        {"* ARA RAPO***", "* ARA RAPO", "***"},
    };
    for (const auto& c : runOn) {
        const CutLine& cut = names.cut(c.line);
        EXPECT_EQ(cut.value[0], c.name) << c.line;
        EXPECT_EQ(cut.value[1], c.amount) << c.line;
    }

    // A percentage is read without its sign, wherever the sign stands, in a column of
    // figures; a text's percent stays as printed.
    const struct {
        const char* line;
        const char* value;
        std::int64_t units;
    } rates[] = {
        {"          %10,00", "10,00", 1000},  {"          -% 2,50", "-2,50", -250},
        {"          10,00 %", "10,00", 1000}, {"          -10,00%", "-10,00", -1000},
        {"          %18", "18", 1800},        {"          %1,2%", "%1,2%", 0},
    };
    for (const auto& r : rates) {
        const CutLine& cut = names.cut(r.line);
        EXPECT_EQ(cut.value[1], r.value) << r.line;
        EXPECT_EQ(cut.read[1].units.value_or(0), r.units) << r.line;
        EXPECT_EQ(cut.facts[1].percent, r.units != 0) << r.line;
    }
    EXPECT_EQ(names.cut("KDV %18,5").value[0], "KDV %18,5");
    // Before the kinds are known, a whole rate ("%18", a VAT rate's class) stays as printed;
    // a measured one reads as a figure.
    LineCutter untyped(fieldSpansOf(widths), kCutterYears);
    EXPECT_EQ(untyped.cut("          %18").value[1], "%18");
    EXPECT_TRUE(untyped.cut("          %18,50").facts[1].amount.valid);
}

}  // namespace
}  // namespace tablamo
