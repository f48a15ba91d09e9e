#include "clean/clean_report.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "clean/clean_grid.h"
#include "clean/clean_pass.h"
#include "clean/first_reading.h"
#include "clean/heading_names.h"
#include "clean/line_roles.h"
#include "clean/table_finder.h"
#include "clean/table_layout.h"
#include "clean/totals_check.h"
#include "clean/voucher_runs.h"
#include "core/dos_text.h"
#include "core/encoding.h"
#include "core/report_text.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
// Passes over the whole report at most: the records may read otherwise than the lines the
// kinds were first read from, and then select other records.
constexpr int kMaxPasses = 3;
constexpr int kYearsBack = 80;
constexpr const char* kMarksHeading = "B/A";
constexpr const char* kSignedPrefix =
    "\xDD\xFE"
    "aretli ";  // Windows-1254

// The decisions that what a pass found makes: the kind of every field, the changing header
// fields as leading columns, every field some record fills.
PassPlan planOf(const PassResult& found, const FirstReading& first, DateOrder order, int firstLine,
                int endLine, bool signedBalance, const std::array<Named, kFields>& named) {
    PassPlan plan;
    plan.keys = first.keys;
    plan.usual = first.usual;
    plan.firstLine = firstLine;
    plan.endLine = endLine;
    plan.groupDepth = found.groupDepth;
    const std::optional<AmountNotation> shown = tableNotation(found.stats);
    for (int k = 0; k < kFields; ++k) {
        plan.kinds[static_cast<std::size_t>(k)] =
            found.stats[static_cast<std::size_t>(k)].decide(order, shown ? &*shown : nullptr);
        // Whole numbers under a heading that names them numbers are codes; so is anything
        // under a heading that names a code.
        ColumnDecision& kind = plan.kinds[static_cast<std::size_t>(k)];
        const Named what = named[static_cast<std::size_t>(k)];
        if (kind.kind == ColumnKind::Amount &&
            (what == Named::Code || (what == Named::Number && kind.decimals == 0))) {
            kind = ColumnDecision();
            kind.kind = ColumnKind::Code;
        }
        wholesAsFigures(kind, what, found.stats[static_cast<std::size_t>(k)].fewDigitWholes());
    }
    for (const HeaderLabel& l : found.labels) {
        const bool group = l.level >= 0;
        // A group's field is one where its blocks print different values, even when the
        // records fall under one of them (accounts with nothing posted around one without).
        if ((l.values.size() < 2 && !l.blocks) || l.pageOnly || l.closing) continue;
        ColumnDecision kind = l.stats.decide(order);
        // A group's field may be a date (a voucher's); a page's dates number it.
        if (kind.kind != ColumnKind::Code && !(group && kind.kind == ColumnKind::Date)) {
            kind = ColumnDecision();
        }
        plan.columns.push_back({l.label, -1, kind, group});
    }
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ColumnStats& stats = found.stats[idx];
        const ColumnDecision& kind = plan.kinds[idx];
        // A field no record fills is kept where it is headed and its totals print amounts.
        if (stats.values() == 0 &&
            (kind.kind != ColumnKind::Amount || named[idx] == Named::Nothing))
            continue;
        plan.columns.push_back({{}, k, kind});
        if (kind.kind == ColumnKind::Amount) plan.summed.push_back(k);
        if (kind.marks && plan.marks < 0) plan.marks = k;
        // The balance before its marks once more as one signed number.
        const std::size_t n = plan.columns.size();
        if (signedBalance && kind.marks && n >= 2) {
            const OutColumn before = plan.columns[n - 2];
            if (before.field >= 0 && before.kind.kind == ColumnKind::Amount)
                plan.columns.push_back({{}, before.field, before.kind, false, k});
        }
        // Codes that nest by their digits at least twice (1, 10, 100) do so throughout.
        constexpr int kDigitNests = 2;
        const bool digits = found.digitNests >= kDigitNests && found.topDigits < INT_MAX;
        if (k == found.nestedField && stats.maxPoints() > stats.minPoints()) {
            plan.levels = k;
            plan.topDepth = stats.minPoints();
        }
        if (digits && k == found.codeKey && (plan.levels < 0 || plan.levels == k)) {
            plan.levels = k;
            plan.codes.digits = true;
            plan.topDepth = found.topDigits;
        }
    }
    // Each amount's B/A marks: those printed right after it.
    for (const int field : plan.summed) {
        const auto at = std::find_if(plan.columns.begin(), plan.columns.end(),
                                     [&](const OutColumn& c) { return c.field == field; });
        const auto next = at + 1;
        plan.summedMarks.push_back(next < plan.columns.end() && next->field >= 0 &&
                                           next->signedBy < 0 && next->kind.marks
                                       ? next->field
                                       : -1);
    }
    // Explanations printed under a group's records: a column of the group's.
    // A report that prints them prints one before many totals and no such line elsewhere.
    constexpr std::size_t kNotesAtLeast = 2;
    if (static_cast<std::size_t>(found.fitNotes) >= kNotesAtLeast && found.noNotes == 0) {
        plan.noteLines = found.noteLines;
        plan.notes = static_cast<int>(plan.columns.size());
        plan.columns.push_back({std::string(kNoteHeading), -1, ColumnDecision(), true});
    }
    return plan;
}

// A table whose columns its records give has no edge of a column to cut words at: the widest
// text sets it. Its texts go on between words.
void wrapBetweenWords(PassPlan& plan) {
    for (ColumnDecision& kind : plan.kinds) kind.cutAt = -1;
    for (OutColumn& column : plan.columns) column.kind.cutAt = -1;
}

bool samePlan(const PassPlan& a, const PassPlan& b) {
    return a.kinds == b.kinds && a.columns == b.columns && a.marks == b.marks &&
           a.notes == b.notes && a.noteLines == b.noteLines && a.levels == b.levels &&
           a.topDepth == b.topDepth && a.codes.digits == b.codes.digits &&
           a.groupDepth == b.groupDepth;
}

// The clean table's columns as the grid shows them: headings and widths.
void describe(const ReportText& text, const TableLayout& table, const PassPlan& plan,
              const PassResult& found, std::vector<std::string>& headings, CleanShape& shape) {
    std::vector<int> kept;
    for (const OutColumn& c : plan.columns) {
        if (c.field >= 0 && c.signedBy < 0) kept.push_back(c.field);
    }
    const std::vector<std::string> fieldHeads = fieldHeadings(text, table, kept);
    std::size_t next = 0;
    for (const OutColumn& c : plan.columns) {
        int width = 0;
        if (c.signedBy >= 0) {
            // "İşaretli Bakiye": the heading of the amount it signs.
            headings.push_back(kSignedPrefix + headings[headings.size() - 2]);
            width = static_cast<int>(table.fields.length[static_cast<std::size_t>(c.field)]);
        } else if (static_cast<int>(&c - plan.columns.data()) == plan.notes) {
            headings.push_back(c.label);
            width = found.noteWidth;
        } else if (c.field < 0) {
            headings.push_back(c.label);
            for (const HeaderLabel& l : found.labels) {
                if (l.label == c.label && (l.level >= 0) == c.group)
                    width = static_cast<int>(l.stats.maxLength());
            }
        } else {
            headings.push_back(fieldHeads[next++]);
            // Marks glued to their amounts, or under no heading of their own.
            if (c.kind.marks && headings.back().empty()) headings.back() = kMarksHeading;
            // A heading right-aligned over a balance and its marks a blank apart ("Bakiye"
            // over "58.079,68 A") heads the balance; the marks get theirs.
            const std::size_t n = headings.size();
            const OutColumn* before = n >= 2 ? &c - 1 : nullptr;
            if (c.kind.marks && before && before->field >= 0 && before->signedBy < 0 &&
                before->kind.kind == ColumnKind::Amount && headings[n - 2].empty() &&
                !marksHeading(headings.back())) {
                headings[n - 2] = headings.back();
                headings.back() = kMarksHeading;
            }
            width = static_cast<int>(table.fields.length[static_cast<std::size_t>(c.field)]);
        }
        shape.columns.push_back({c.kind.kind, width});
    }
    if (plan.openings) {
        headings.emplace_back(kRowKindHeading);
        shape.columns.push_back({ColumnKind::Text, static_cast<int>(kRowKindHeading.size())});
    }
}

// A table of accounts of several levels (a trial balance, cost centres) gets each record's
// level ("Düzey": 1 for the top accounts, one more for each level below) and marks the
// accounts no other one lies under ("Son Düzey"): level 1 or the last levels alone sum to
// the grand total with one filter.
void addLevels(Grid& grid, CleanShape& shape, int codeColumn, CodeLevels codes, int topDepth) {
    static constexpr std::string_view kLevel = "D\xfczey";
    static constexpr std::string_view kLast = "Son D\xfczey";
    static constexpr std::string_view kYes = "Evet";
    const int rows = grid.rowCount();
    std::vector<std::string> printed;
    printed.reserve(static_cast<std::size_t>(rows));
    for (int r = 1; r < rows; ++r) printed.emplace_back(grid.cell(codeColumn, r));
    std::vector<std::string> sorted = printed;
    std::sort(sorted.begin(), sorted.end());
    const int level = grid.colCount(), last = level + 1;
    grid.setColCount(level + 2);
    grid.setCell(level, 0, kLevel);
    grid.setCell(last, 0, kLast);
    shape.columns.push_back({ColumnKind::Code, static_cast<int>(kLevel.size())});
    shape.columns.push_back({ColumnKind::Text, static_cast<int>(kLast.size())});
    grid.setColWidth(level, cleanColumnPixels(static_cast<int>(kLevel.size())));
    grid.setColWidth(last, cleanColumnPixels(static_cast<int>(kLast.size())));
    for (int r = 1; r < rows; ++r) {
        const std::string& code = printed[static_cast<std::size_t>(r - 1)];
        if (code.empty()) continue;
        grid.setCell(level, r, std::to_string(std::max(codes.depth(code) - topDepth, 0) + 1));
        // The codes under it follow it in sorted order, right after those it begins.
        auto next = std::upper_bound(sorted.begin(), sorted.end(), code);
        bool parent = false;
        for (; next != sorted.end() && next->compare(0, code.size(), code) == 0 && !parent; ++next)
            parent = codes.under(*next, code);
        if (!parent) grid.setCell(last, r, kYes);
    }
}

// One table of the report, the lines of `located` (a report that prints several has them
// one after the other), as a clean table; nothing when no line of it is a record.
std::optional<CleanTableRead> readTable(const ReportText& text, const ReportTable& located,
                                        const CleanRequest& request) {
    const TableLocation& location = located.location;
    const ReportLayout settings = cleanLayoutFor(location, request.layout);
    TableLayout table = tableLayoutOf(text, location, settings);
    // The line that names a further table heads none of its columns.
    if (located.titleLine >= 0) {
        while (!table.headingLines.empty() && table.headingLines.front() <= located.titleLine) {
            table.headingLines.erase(table.headingLines.begin());
            table.headingTexts.erase(table.headingTexts.begin());
        }
    }
    const std::vector<int> sure = sureRecords(text, table.dataStart, located.endLine);
    if (location.format != TableFormat::Data && settings.AutoColumnSearch)
        table.splitGluedMarks(text, sure);
    settings.startColumn();  // read as the plain import reads it: a bad one stops here too
    const int firstLine = settings.startRow();
    const int end = located.endLine;
    const DateOrder order = request.regional.dateOrder;
    // A report's years of two digits reach far back (an asset bought in '62) and only
    // some years ahead (a cheque due, a loan's last instalment).
    const YearWindow years(request.today, kYearsBack);
    const bool signedBalance = request.signedBalance;

    // The kinds, from the lines that are records for sure; then the columns, from the
    // records of the same lines.
    FirstReading first =
        readKinds(text, table, table.dataStart, end, order, years, located.firstLine);
    if (first.mergeSplit) {
        table.mergeSplit();
        first = readKinds(text, table, table.dataStart, end, order, years, located.firstLine);
    }
    const std::array<Named, kFields> named = namedFields(text, table);
    for (std::size_t k = 0; k < named.size(); ++k) {
        if (wholesAsFigures(first.kinds[k], named[k], first.wholes[k]))
            first.keys[k] = first.usual[k] = false;
    }
    PassPlan plan;
    plan.kinds = first.kinds;
    plan.keys = first.keys;
    plan.usual = first.usual;
    plan.firstLine = firstLine;
    plan.endLine = first.end;
    plan.beginLine = located.firstLine;
    // A table parted by colons: its records read with their colons as blanks.
    const int leftEdge =
        recordsLeftEdge(text,
                        sure.empty() && table.fields.bar == ':'
                            ? sureRecords(text, table.dataStart, located.endLine, ':')
                            : sure,
                        table.fields.bar);
    plan.leftEdge = leftEdge;
    const PassResult sample = runPass(text, table, plan, request.regional, years, {});
    plan = planOf(sample, first, order, firstLine, end, signedBalance, named);
    plan.openings = request.openings;
    const bool ofRecords = location.format == TableFormat::Data;
    if (ofRecords) wrapBetweenWords(plan);
    plan.beginLine = located.firstLine;
    plan.leftEdge = leftEdge;

    // The whole table, written as it is read; once more when its records decide otherwise
    // than the lines they were chosen by.
    for (int pass = 1;; ++pass) {
        std::vector<std::string> headings;
        CleanTableRead read;
        describe(text, table, plan, sample, headings, read.shape);
        std::vector<SummedColumn> summed;
        int carried = 0;
        for (std::size_t c = 0; c < plan.columns.size(); ++c) {
            const OutColumn& col = plan.columns[c];
            carried += col.field < 0;
            if (col.field >= 0 && col.signedBy < 0 && col.kind.kind == ColumnKind::Amount) {
                // B/A marks right after an amount sign it.
                const bool marked = c + 1 < plan.columns.size() && plan.columns[c + 1].field >= 0 &&
                                    plan.columns[c + 1].kind.marks;
                // Its figures in a warning as the report prints them: grouped or not.
                AmountNotation shown = col.kind.notation;
                if (!sample.stats[static_cast<std::size_t>(col.field)].groups(shown))
                    shown.grouping = 0;
                // Printed with a percent sign throughout: a rate, whose total is no sum.
                const bool rates = sample.stats[static_cast<std::size_t>(col.field)].rates();
                summed.push_back({headings[c], shown, col.kind.decimals, marked, rates});
            }
        }
        // Room for a record a line: the table never grows a row at a time.
        const int lines = std::max(end - table.dataStart, 0);
        read.shape.recordLines.reserve(static_cast<std::size_t>(lines));
        CleanGrid grid(read.grid, headings, read.shape.columns, lines);
        TotalsCheck check(summed, plan.marks >= 0, plan.levels >= 0, carried, plan.codes);
        VoucherRuns runs(plan.columns, headings);
        const PassResult all = runPass(text, table, plan, request.regional, years,
                                       {&grid, &check, &read.shape, &runs});
        grid.finish(static_cast<int>(read.shape.recordLines.size()));
        if (all.records == 0) {
            // No record at all: a table still where its totals print what no record gives
            // (its records gone, its totals left), its headings over no row; not where lines
            // that look like records were left unread, in the table or over its rule (a
            // record taken for its headings, the rule under it for theirs).
            read.outcome = checkedOutcome(read.shape, check);
            if (read.outcome.warnings.empty() || !sure.empty() ||
                !sureRecords(text, located.firstLine, table.dataStart).empty())
                return std::nullopt;
            return read;
        }
        PassPlan found = planOf(all, first, order, firstLine, end, signedBalance, named);
        found.openings = request.openings;
        if (ofRecords) wrapBetweenWords(found);
        found.beginLine = located.firstLine;
        found.leftEdge = plan.leftEdge;
        if (pass < kMaxPasses && !samePlan(found, plan)) {
            plan = std::move(found);
            continue;
        }
        read.outcome = checkedOutcome(read.shape, check);
        carryDown(read.grid, read.shape, runs.finish());
        if (plan.levels >= 0) {
            for (std::size_t c = 0; c < plan.columns.size(); ++c) {
                if (plan.columns[c].field == plan.levels && plan.columns[c].signedBy < 0)
                    addLevels(read.grid, read.shape, static_cast<int>(c) + 1, plan.codes,
                              plan.topDepth);
            }
        }
        return read;
    }
}

}  // namespace

ReportLayout cleanLayoutFor(const TableLocation& location, ReportLayout layout) {
    if (!layout.AutoColumnSearch) return layout;
    if (!location.broader && !location.criteria.isReport()) return layout;
    layout.RestoreDefaultWidths();
    if (location.line < 0) return layout;
    for (std::size_t i = 0;
         i < location.widths.size() && i < std::size_t{ReportLayout::kWidthCount}; ++i) {
        layout.setColumnWidth(static_cast<int>(i) + 1, location.widths[i]);
    }
    return layout;
}

CleanReading readCleanReport(const ReportText& paper, const TableLocation& location,
                             const CleanRequest& request) {
    CleanReading reading;
    // A report may print several tables, one after the other.
    const std::vector<ReportTable> located = reportTables(paper, location, request.layout);
    std::optional<CleanTableRead> first = readTable(paper, located.front(), request);
    if (!first) return reading;
    reading.outcome = first->outcome;
    reading.tables.push_back(std::move(*first));
    // The tables after the first, each read as the first is; what each one's check says is
    // said with its title.
    ImportOutcome& outcome = reading.outcome;
    for (std::size_t k = 1; k < located.size(); ++k) {
        const std::string name = DosToWinLetters(located[k].title);
        const std::string said = name.empty() ? std::to_string(k + 1) + ". tablo" : name;
        std::optional<CleanTableRead> one = readTable(paper, located[k], request);
        const auto say = [&](const std::string& what) {
            outcome.note += (outcome.note.empty() ? "" : "; ") + win1254ToUtf8(said) + ": " + what;
        };
        if (!one) {
            say("kayıt satırı ayırt edilemedi");
            continue;
        }
        outcome.warnings.insert(outcome.warnings.end(), one->outcome.warnings.begin(),
                                one->outcome.warnings.end());
        if (!one->outcome.note.empty()) say(one->outcome.note);
        one->name = name;
        reading.tables.push_back(std::move(*one));
    }
    return reading;
}

}  // namespace tablamo
