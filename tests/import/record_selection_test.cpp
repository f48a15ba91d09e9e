#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean/line_roles.h"
#include "core/import_settings.h"
#include "core/report_text.h"
#include "import/column_detection.h"
#include "import/table_locator.h"
#include "support/report_lines.h"

namespace tablamo {
namespace {

using testing::fields;
using testing::joinCrLf;
using testing::rule;

const std::vector<int> kSelectionWidths = {10, 14, 10};
const std::string kSelectionHead = fields({"Tarih", "Aciklama", ">Tutar"}, kSelectionWidths);
const YearWindow k2026(Date{2026, 6, 1});

// The table of a report with these headings over its rule line.
TableLayout tableOf(const ReportText& text) {
    ReportLayout settings;
    settings.LedgerMarks = false;
    DetectionReadout readout;
    const TableLocation location = locateTable(text, settings);
    detectColumns(text, location, settings, readout);
    return tableLayoutOf(text, location, settings);
}

ColumnDecision decision(ColumnKind kind) {
    ColumnDecision d;
    d.kind = kind;
    d.decimals = kind == ColumnKind::Amount ? 2 : 0;
    return d;
}

// The role of each line under a date-keyed and a code-keyed table (date or code, text,
// amount), given the role of the line before.
TEST(RecordSelection, EachLineItsRole) {
    struct Case {
        const char* name;
        ColumnKind key;
        std::string line;
        LineRole previous, role;
    };
    using R = LineRole;
    const ColumnKind date = ColumnKind::Date, code = ColumnKind::Code;
    const Case cases[] = {
        {"a dated record", date, fields({"01.01.2005", "Fatura", ">1.500,00"}, kSelectionWidths),
         R::Other, R::Record},
        {"a total", date, fields({"", "SAYFA TOPLAMI", ">1.500,00"}, kSelectionWidths), R::Record,
         R::Total},
        {"a total's words without an amount", date, fields({"", "TOPLAM"}, kSelectionWidths),
         R::Other, R::Other},
        {"text under a record", date, fields({"", "devami"}, kSelectionWidths), R::Record,
         R::Continuation},
        {"text under a continuation", date, fields({"", "devami"}, kSelectionWidths),
         R::Continuation, R::Continuation},
        {"text under another line", date, fields({"", "devami"}, kSelectionWidths), R::Other,
         R::Other},
        {"a page footer", date, fields({"", "- 3 -"}, kSelectionWidths), R::Record, R::Other},
        {"a new page", date, "\f" + fields({"", "devami"}, kSelectionWidths).substr(1), R::Record,
         R::Other},
        {"only frame characters", date, "\xBA         \xB3              \xB3", R::Record, R::Blank},
        {"an account's record", code, fields({"100.01", "KASA", ">1.500,00"}, kSelectionWidths),
         R::Other, R::Record},
        {"a total beside its class code, under a rule", code,
         fields({"100", "GRUP TOPLAMI", ">1.500,00"}, kSelectionWidths), R::Rule, R::Total},
        {"an account whose name holds a total's word", code,
         fields({"320.01", "AKSOY NAKLI", ">1.500,00"}, kSelectionWidths), R::Record, R::Record},
        {"an account of the opening voucher", code,
         fields({"100.01", "Acilis devir", ">1.500,00"}, kSelectionWidths), R::Other, R::Record},
        {"a key's print running on into the next field: a figure the boundary cuts", code,
         std::string(10, ' ') + fields({"127,98 TOPLAM", ">1.500,00"}, {15, 10}), R::Record,
         R::Total},
        {"amounts alone under a rule", date, fields({"", "", ">1.500,00"}, kSelectionWidths),
         R::Rule, R::Total},
        {"a dated record's words under a rule", date,
         fields({"31.01.2005", "TOPLAM", ">1.500,00"}, kSelectionWidths), R::Rule, R::Total},
    };
    const ReportText text(joinCrLf({"x", kSelectionHead, rule(kSelectionWidths)}));
    const TableLayout table = tableOf(text);
    for (const Case& c : cases) {
        Kinds kinds;
        kinds[0] = decision(c.key);
        kinds[1] = decision(ColumnKind::Text);
        kinds[2] = decision(ColumnKind::Amount);
        Keys keys{};
        keys[0] = true;
        LineCutter cutter(table.fields, k2026);
        cutter.readAs(kinds);
        EXPECT_EQ(plainRole(c.line, table), R::Other) << c.name;
        EXPECT_EQ(classifyLine(c.line, cutter.cut(c.line), kinds, keys, c.previous), c.role)
            << c.name;
    }
}

// The role stage over a page of a table, line by line in order: every rule the stage tries
// decides a line of it.
TEST(RecordSelection, TheRoleStageGivesEveryLineItsRole) {
    using R = LineRole;
    const std::vector<int>& w = kSelectionWidths;
    const struct {
        std::string line;
        LineRole role;
    } lines[] = {
        {"FIRMA A.S.   Sayfa : 1", R::PageHeader},
        {kSelectionHead, R::Heading},
        {rule(w), R::Rule},
        {"Hesap Kodu : 100.01", R::Block},
        {fields({"01.01.2005", "Fatura", ">1.500,00"}, w), R::Record},
        {fields({"", "devami"}, w), R::Continuation},
        {"", R::Blank},
        {"KASA GRUBU", R::Block},
        {fields({"02.01.2005", "Odeme", ">500,00"}, w), R::Record},
        {"      *** ARA RAPOR ***", R::Other},
        {fields({"", "SAYFA TOPLAMI", ">-"}, w), R::Total},
        {fields({"", "TOPLAM", ">2.000,00"}, w), R::Total},
        {"" + kSelectionHead, R::Heading},
    };
    std::vector<std::string> report;
    for (const auto& l : lines) report.push_back(l.line);
    const ReportText text(joinCrLf(report));
    TableLayout table = tableOf(text);
    Kinds kinds;
    kinds[0] = decision(ColumnKind::Date);
    kinds[1] = decision(ColumnKind::Text);
    kinds[2] = decision(ColumnKind::Amount);
    Keys keys{}, usual{};
    keys[0] = true;
    LineRoles roles(text, table, {&kinds, &keys, &usual, 0, 0}, k2026);
    LineCutter cutter(table.fields, k2026);
    cutter.readAs(kinds);
    LineRole previous = R::Other;
    for (int i = 0; i < text.lineCount(); ++i) {
        const CutLine* cut = nullptr;
        LineFields fields;
        const LineRole role = roles.roleOf(i, previous, cutter, cut, fields);
        EXPECT_EQ(role, lines[i].role) << "line " << i << ": " << lines[i].line;
        previous = role == R::Rule ? R::Heading : role;
    }
}

// The lines told apart without cutting them, and the lines a page begins at.
TEST(RecordSelection, LinesTheirLookTells) {
    struct Case {
        const char* name;
        std::string line;
        LineRole role;
        bool page;
    };
    const Case cases[] = {
        {"empty", "", LineRole::Blank, false},
        {"blanks", "   \t ", LineRole::Blank, false},
        {"a form feed", "\f", LineRole::Blank, true},
        {"hyphens", rule({5, 5}), LineRole::Rule, false},
        {"equals signs", "  ======", LineRole::Rule, false},
        {"a drawn frame", "+---+---+", LineRole::Rule, false},
        {"two hyphens", "--", LineRole::Other, false},
        {"the rule line again", rule(kSelectionWidths), LineRole::Rule, true},
        {"the headings again", kSelectionHead + "  ", LineRole::Heading, false},
        {"the headings on a new page", "\f" + kSelectionHead, LineRole::Heading, true},
        {"a record", fields({"01.01.2005", "Fatura"}, kSelectionWidths), LineRole::Other, false},
    };
    const ReportText text(joinCrLf({"x", kSelectionHead, rule(kSelectionWidths)}));
    const TableLayout table = tableOf(text);
    for (const Case& c : cases) {
        EXPECT_EQ(plainRole(c.line, table), c.role) << c.name;
        EXPECT_EQ(startsPage(c.line, table), c.page) << c.name;
    }
}

}  // namespace
}  // namespace tablamo
