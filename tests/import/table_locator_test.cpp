#include "import/table_locator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "clean/table_finder.h"
#include "core/import_settings.h"
#include "core/report_text.h"
#include "locator_lines.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::boxLine;
using testing::fields;
using testing::joinCrLf;
using testing::rule;

using testing::kLocatorHead;
using testing::kLocatorWidths;
using testing::kTop;

// Which line the table is read by, for each mix of criteria and the column search.
TEST(TableLocator, TheLineTheTableIsReadBy) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        bool autoSearch;
        TableFormat format;
        int line;
        std::optional<int> ruleLine, frameLine;
        std::vector<std::int32_t> widths;
    };
    const Case cases[] = {
        {"a rule line",
         {"x", kLocatorHead, rule(kLocatorWidths)},
         true,
         TableFormat::RuleLine,
         2,
         2,
         {},
         {11, 12, 8}},
        {"a frame", {"x", kTop, kLocatorHead}, true, TableFormat::Frame, 1, {}, 1, {14, 14, 11}},
        {"both, searched: the frame",
         {kTop, "x", kLocatorHead, rule(kLocatorWidths)},
         true,
         TableFormat::Frame,
         0,
         3,
         0,
         {}},
        {"both, not searched: the rule line",
         {kTop, "x", kLocatorHead, rule(kLocatorWidths)},
         false,
         TableFormat::RuleLine,
         3,
         3,
         0,
         {11, 12, 8}},
        {"a criterion without a rule line",
         {"abcd ----------", "x"},
         true,
         TableFormat::RuleLine,
         -1,
         {},
         {},
         {}},
        {"neither", {"x", "y"}, true, TableFormat::None, -1, {}, {}, {}},
    };
    for (const Case& c : cases) {
        const ReportText text(joinCrLf(c.lines));
        ReportLayout layout;
        layout.AutoColumnSearch = c.autoSearch;
        const TableLocation at = locateTable(text, layout);
        EXPECT_EQ(at.format, c.format) << c.name;
        EXPECT_EQ(at.line, c.line) << c.name;
        EXPECT_EQ(at.ruleLine, c.ruleLine) << c.name;
        EXPECT_EQ(at.frameLine, c.frameLine) << c.name;
        EXPECT_EQ(at.widths, c.widths) << c.name;
        EXPECT_EQ(at.isReport(), c.format != TableFormat::None) << c.name;
        if (c.format == TableFormat::Frame) {
            EXPECT_EQ(at.separator, "\xD1") << c.name;
        }
        if (c.format == TableFormat::RuleLine) {
            EXPECT_EQ(at.separator, " ") << c.name;
        }
    }
}

// The clean table finds what the plain import does not take: rules of "=", any first column,
// frames of single or double lines; a total's underline or a title's is no table.
TEST(TableLocator, TheCleanTableFindsMore) {
    const std::vector<int> narrow = {3, 10, 8};
    std::string allEquals = rule(kLocatorWidths);
    for (char& c : allEquals) c = c == '-' ? '=' : c;
    const std::string single = boxLine(kLocatorWidths, "\xDA\xBF", '\xC2', '\xC4');
    const std::string dbl = boxLine(kLocatorWidths, "\xC9\xBB", '\xCB', '\xCD');
    const std::string underline = std::string(24, ' ') + "----------";
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        bool broader;
        TableFormat format;
        int line;
        std::string separator;
        std::vector<std::int32_t> widths;
    };
    const Case cases[] = {
        {"a rule of equals signs",
         {"x", kLocatorHead, allEquals, "y"},
         true,
         TableFormat::RuleLine,
         2,
         " ",
         {11, 13, 7}},
        {"equals signs over and under: the lower",
         {"x", "", allEquals, kLocatorHead, allEquals},
         true,
         TableFormat::RuleLine,
         4,
         " ",
         {11, 13, 7}},
        {"the same hyphens over and under: the lower",
         {"x", rule(kLocatorWidths), kLocatorHead, rule(kLocatorWidths), "y"},
         false,
         TableFormat::RuleLine,
         3,
         " ",
         {11, 13, 7}},
        {"equals signs over, hyphens under: the plain rule line",
         {"x", allEquals, kLocatorHead, rule(kLocatorWidths)},
         false,
         TableFormat::RuleLine,
         3,
         " ",
         {11, 13, 7}},
        {"a narrow first column",
         {"x", fields({"No", "Tarih", ">Tutar"}, narrow), rule(narrow)},
         true,
         TableFormat::RuleLine,
         2,
         " ",
         {4, 11, 7}},
        {"a frame of single lines",
         {"x", single, kLocatorHead},
         true,
         TableFormat::Frame,
         1,
         "\xC2",
         {14, 14, 11}},
        {"a frame of double lines",
         {"x", dbl, kLocatorHead},
         true,
         TableFormat::Frame,
         1,
         "\xCB",
         {14, 14, 11}},
        {"a mixed frame: the plain one",
         {"x", kTop, kLocatorHead},
         false,
         TableFormat::Frame,
         1,
         "\xD1",
         {14, 14, 11}},
        {"bars alone, the first one the frame's edge",
         {"x", "| Tarih    | No    |   Tutar |", "| 01.01.24 | 1     |   10,00 |",
          "| 02.01.24 | 2     |   20,00 |", "| 03.01.24 | 3     |   30,00 |"},
         true,
         TableFormat::Frame,
         1,
         "|",
         {12, 8, 10, 4066}},
        {"bars alone without edges, two records under headings that draw them",
         {"x", "           | Belge |   Tutar | Bakiye", "  Tarih    | No    |         |",
          "  01.01.24 | 1     |   10,00 |  10,00", "  02.01.24 | 2     |   20,00 |  30,00",
          "  TOPLAM                 30,00 |  30,00"},
         true,
         TableFormat::Frame,
         1,
         "|",
         {12, 8, 10, 4066}},
        {"bars alone: lines that print some of them count for them",
         {"x", "  Tarih    | No | Islem |    Tutar| Bakiye",
          "  01.01.24 | 1  | Alis  |    10,00|  10,00",
          "  02.01.24 | 2  | Alis  |    20,00|  30,00",
          "  TOPLAM        |       |    30,00|  30,00",
          "  ARA TOP       |       |    30,00|  30,00",
          "  GRUP          |       |    30,00|  30,00",
          "  GENEL         |       |    30,00|  30,00"},
         true,
         TableFormat::Frame,
         1,
         "|",
         {12, 5, 8, 10, 4061}},
        {"a total's underline and a title's are none",
         {"x", "  ==========", kLocatorHead, underline, "y"},
         false,
         TableFormat::RuleLine,
         -1,
         " ",
         {}},
    };
    for (const Case& c : cases) {
        const ReportText text(joinCrLf(c.lines));
        const ReportLayout layout;
        const TableLocation at = locateCleanTable(text, locateTable(text, layout), layout);
        EXPECT_EQ(at.broader, c.broader) << c.name;
        EXPECT_EQ(at.format, c.format) << c.name;
        EXPECT_EQ(at.line, c.line) << c.name;
        if (c.line >= 0) {
            EXPECT_EQ(at.separator, c.separator) << c.name;
        }
        EXPECT_EQ(at.widths, c.widths) << c.name;
        // The plain import takes none of what only the clean table finds.
        if (c.broader) {
            EXPECT_NE(locateTable(text, layout).widths, c.widths) << c.name;
        }
    }
}

}  // namespace
}  // namespace tablamo
