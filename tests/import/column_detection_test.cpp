#include "import/column_detection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/import_settings.h"
#include "core/report_text.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::joinCrLf;

std::string h(int n) { return std::string(static_cast<size_t>(n), '-'); }
std::string cd(int n) { return std::string(static_cast<size_t>(n), '\xCD'); }

const std::vector<int> kDefaults = {10, 12, 39, 19, 19, 19, 19, 19, 19, 19,
                                    10, 10, 10, 10, 10, 10, 10, 10, 10, 10};

// The widths after detection: the detected ones, then the defaults.
std::vector<int> widthsOf(const ReportLayout& s) {
    std::vector<int> w;
    for (int k = 1; k <= 20; ++k) w.push_back(s.columnWidth(k));
    return w;
}

std::vector<int> withDefaults(std::vector<int> detected) {
    std::vector<int> w = kDefaults;
    for (size_t i = 0; i < detected.size(); ++i) w[i] = detected[i];
    return w;
}

enum class Variant { Rule, Frame };

struct DetectionCase {
    const char* name;
    Variant variant;
    std::vector<std::string> lines;
    bool ledgerMarks;
    std::vector<int> widths;  // the detected ones; the rest must be the defaults
    std::string widthList;    // "(old)": kept from before
    std::string resultLine;
    std::string separator = "";  // "" keeps the default separator
};

std::string rule53() { return h(10) + " " + h(12) + " " + h(12) + " " + h(16); }
std::string frame34() { return "\xC9" + cd(10) + "\xD1" + cd(12) + "\xD1" + cd(8) + "\xBB"; }
std::string rule25Separators() {
    std::string s = h(10);
    for (int i = 0; i < 25; ++i) s += " " + h(2);
    return s;
}

class Detection : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(Detection, FindsTheLineAndMeasuresItsSeparators) {
    const DetectionCase& c = GetParam();
    const ReportText text(joinCrLf(c.lines));
    ReportLayout s;
    DetectionReadout r;
    s.LedgerMarks = c.ledgerMarks;
    r.WidthList = "(old)";
    if (!c.separator.empty())
        (c.variant == Variant::Rule ? s.FieldSeparator : s.FrameSeparator) = c.separator;
    if (c.separator == "<empty>")
        (c.variant == Variant::Rule ? s.FieldSeparator : s.FrameSeparator) = "";
    for (int k = 1; k <= 20; ++k) s.setColumnWidth(k, 77);  // detection starts from the defaults

    const ImportOutcome outcome = c.variant == Variant::Rule ? detectColumnsFromRuleLine(text, s, r)
                                                             : detectColumnsFromFrame(text, s, r);
    EXPECT_TRUE(outcome.imported());
    EXPECT_TRUE(outcome.message.empty());
    EXPECT_EQ(widthsOf(s), withDefaults(c.widths));
    EXPECT_EQ(r.WidthList, c.widthList);
    EXPECT_EQ(r.SearchResultLine, c.resultLine);
}

const std::string kTitle = "MUAVIN DEFTERI";
const std::string kHead = "Tarih      Fis No";

INSTANTIATE_TEST_SUITE_P(
    Tablamo, Detection,
    ::testing::Values(
        DetectionCase{"WorkedRule",
                      Variant::Rule,
                      {kHead, rule53(), "x"},
                      false,
                      {11, 12, 13, 17},
                      " 11 12 13",
                      rule53()},
        DetectionCase{"WorkedRuleLedger",
                      Variant::Rule,
                      {kHead, rule53()},
                      true,
                      {11, 12, 13, 16},
                      " 11 12 13",
                      rule53()},
        DetectionCase{"WorkedFrame",
                      Variant::Frame,
                      {kTitle, frame34()},
                      false,
                      {12, 12, 10},
                      " 12 12",
                      frame34()},
        DetectionCase{"WorkedFrameLedger",
                      Variant::Frame,
                      {kTitle, frame34()},
                      true,
                      {12, 12, 9},
                      " 12 12",
                      frame34()},
        DetectionCase{"LeadingBlanksAreSeparators",
                      Variant::Rule,
                      {kHead, "   " + h(10) + " " + h(10) + " " + h(10)},
                      false,
                      {1, 1, 11, 11, 11},
                      " 1 1 11 11",
                      "   " + h(10) + " " + h(10) + " " + h(10)},
        DetectionCase{"LeadingBlanksLedger",
                      Variant::Rule,
                      {kHead, "   " + h(10) + " " + h(10) + " " + h(10)},
                      true,
                      {1, 1, 11, 11, 10},
                      " 1 1 11 11",
                      "   " + h(10) + " " + h(10) + " " + h(10)},
        DetectionCase{"DoubleBlankLater",
                      Variant::Rule,
                      {kHead, h(10) + " " + h(5) + "  " + h(4)},
                      false,
                      {11, 5, 1, 5},
                      " 11 5 1",
                      h(10) + " " + h(5) + "  " + h(4)},
        // The second of two blanks right after the first run is skipped: width 2 spans it.
        DetectionCase{"DoubleBlankFirst",
                      Variant::Rule,
                      {kHead, h(10) + "  " + h(5) + " " + h(4)},
                      false,
                      {11, 6, 5},
                      " 11 6",
                      h(10) + "  " + h(5) + " " + h(4)},
        DetectionCase{"AmortAndFonuAreSkipped",
                      Variant::Rule,
                      {kHead, "    AMORT. TABLOSU", h(10) + " " + h(5), "FONU", h(12), "Ara",
                       h(5) + " " + h(3)},
                      false,
                      {6, 3},
                      " 6",
                      h(5) + " " + h(3)},
        DetectionCase{"TitleUnderlinedFrom20",
                      Variant::Rule,
                      {"                   " + h(12), "Tarih", "   x--y", "Borc",
                       "abc--" + h(7) + " " + h(3)},
                      false,
                      {13, 3},
                      " 13",
                      "abc--" + h(7) + " " + h(3)},
        DetectionCase{
            "RuleLineFirst", Variant::Rule, {rule53(), kHead}, false, {}, "(old)", rule53()},
        DetectionCase{
            "FrameLineFirst", Variant::Frame, {frame34(), kHead}, false, {}, "(old)", frame34()},
        DetectionCase{"NoAcceptableLine",
                      Variant::Rule,
                      {kHead, "   x" + h(12), "abc"},
                      false,
                      {},
                      "(old)",
                      "abc"},
        DetectionCase{"NoSeparator", Variant::Rule, {kHead, h(30)}, false, {30}, "(old)", h(30)},
        DetectionCase{
            "NoSeparatorLedger", Variant::Rule, {kHead, h(30)}, true, {29}, "(old)", h(30)},
        DetectionCase{
            "FrameWithoutTee", Variant::Frame, {kTitle, cd(40)}, false, {40}, "(old)", cd(40)},
        DetectionCase{"TrailingSeparator",
                      Variant::Rule,
                      {kHead, h(10) + " " + h(5) + " "},
                      false,
                      {11, 5, 1},
                      " 11 5",
                      h(10) + " " + h(5) + " "},
        DetectionCase{"TrailingSeparatorLedger",
                      Variant::Rule,
                      {kHead, h(10) + " " + h(5) + " "},
                      true,
                      {11, 5, 0},
                      " 11 5",
                      h(10) + " " + h(5) + " "},
        DetectionCase{"OneRunTrailingSeparator",
                      Variant::Rule,
                      {kHead, h(10) + " "},
                      false,
                      {11, 0},
                      " 11",
                      h(10) + " "},
        DetectionCase{"OneRunTrailingSeparatorLedger",
                      Variant::Rule,
                      {kHead, h(10) + " "},
                      true,
                      {11, -1},
                      " 11",
                      h(10) + " "},
        DetectionCase{"TwentyFiveSeparators",
                      Variant::Rule,
                      {kHead, rule25Separators()},
                      false,
                      {11, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
                      " 11 2 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3",
                      rule25Separators()},
        DetectionCase{"EmptySeparator",
                      Variant::Rule,
                      {kHead, rule53()},
                      true,
                      {52},
                      "(old)",
                      rule53(),
                      "<empty>"},
        DetectionCase{"TwoByteSeparator",
                      Variant::Rule,
                      {kHead, h(10) + "+-" + h(8) + "+-" + h(3)},
                      false,
                      {11, 9, 5},
                      " 11 9",
                      h(10) + "+-" + h(8) + "+-" + h(3),
                      "+-"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Detection, WithoutTheCriterionShowsTheMessageAndLeavesDefaults) {
    for (const Variant v : {Variant::Rule, Variant::Frame}) {
        const ReportText text(joinCrLf({"no rule here", "nor a frame"}));
        ReportLayout s;
        DetectionReadout r;
        s.setColumnWidth(2, 5);
        r.SearchResultLine = "kept";
        const ImportOutcome outcome = v == Variant::Rule ? detectColumnsFromRuleLine(text, s, r)
                                                         : detectColumnsFromFrame(text, s, r);
        EXPECT_EQ(outcome.status, ImportStatus::NotAReport);
        EXPECT_EQ(outcome.message,
                  "Excel e aktarmaya çalıştığınız dosya formatı geçerli değil.\r\n"
                  "Lütfen açıklamalar doğrultusunda geçerli\r\ndosyalarla işleme devam edin.");
        EXPECT_EQ(widthsOf(s), kDefaults);
        EXPECT_EQ(r.SearchResultLine, "kept");
    }
}

TEST(Detection, TheReadOutsShowTheLineAndTheOneAbove) {
    const ReportText text(joinCrLf({kTitle, kHead, rule53()}));
    ReportLayout s;
    DetectionReadout r;
    detectColumnsFromRuleLine(text, s, r);
    EXPECT_EQ(r.SearchResultLine, rule53());
    EXPECT_EQ(r.PrecedingLine, kHead);
}

}  // namespace
}  // namespace tablamo
