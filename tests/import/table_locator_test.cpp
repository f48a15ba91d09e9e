#include "import/table_locator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/import_settings.h"
#include "core/report_text.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::boxLine;
using testing::fields;
using testing::joinCrLf;
using testing::rule;

const std::vector<int> kLocatorWidths = {10, 12, 8};
const std::string kLocatorHead = fields({"Tarih", "Aciklama", ">Tutar"}, kLocatorWidths);
const std::string kTop = boxLine(kLocatorWidths, "\xC9\xBB", '\xD1', '\xCD');

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

}  // namespace
}  // namespace tablamo
