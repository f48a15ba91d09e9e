#include "bank/clean_statement.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "bank/statement_import.h"
#include "bank/statement_layout.h"
#include "clean/clean_grid.h"
#include "clean/header_fields.h"
#include "clean/line_cutter.h"
#include "clean/line_roles.h"
#include "clean/record_writer.h"
#include "clean/totals_check.h"
#include "core/dos_text.h"
#include "core/field_layout.h"
#include "core/text_rules.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

constexpr int kFields =
    FieldLayout::kFields;  // the statement's 9 columns and the settings' further ones
constexpr std::size_t kItemsPerWrite = 8192;

// The statement's own columns 1 to 9.
enum Field { kNo, kDate, kSlip, kValueDate, kKind, kText, kAmount, kMark, kBalance };
constexpr const char* kDefaultHeadings[9] = {"NO",       "TAR\xDDH",    "F\xDD\xDE NO",
                                             "VAL\xD6R", "\xDD\xDELEM", "A\xC7IKLAMA",
                                             "TUTAR",    "B/A",         "BAK\xDDYE"};

struct Reading {
    std::vector<LineRole> roles;
    std::array<ColumnStats, kFields> stats;
    std::vector<std::string> headings;  // the heading line's fields, converted
    std::string accountLabel, account;  // the IBAN, else the account number
    int transactions = 0;
};

// The packed date at the start of a date field: eight digits.
std::optional<Date> packedDate(std::string_view value) {
    return readPackedDate(value.substr(0, std::min<std::size_t>(value.size(), 8)));
}

void readAccount(std::string_view line, Reading& r) {
    const std::string converted = DosToWinText(line);
    HeaderField fields[4];
    const std::size_t n = headerFieldsOf(converted, fields, 4);
    for (std::size_t f = 0; f < n; ++f) {
        const std::string label = foldedUpper(fields[f].label);
        const bool iban = label == "IBAN";
        if (iban || (label == "HESAP NO" && r.accountLabel.empty())) {
            r.accountLabel = std::string(fields[f].label);
            r.account = std::string(fields[f].value);
        }
    }
}

bool onlyText(const CutLine& c) {
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (c.facts[idx].empty || k == kText) continue;
        // A description that runs on into the amount column's room.
        if (k == kAmount && !c.facts[idx].amount.valid) continue;
        return false;
    }
    return true;
}

// The statement's line classifier: each line's role, the values of the transactions and
// their continuation lines, the heading line's fields, the account.
Reading readStatement(const ReportText& text, const FieldLayout& layout, const FieldSpans& spans,
                      std::int64_t first, char sep, YearWindow years) {
    Reading r;
    r.roles.assign(static_cast<std::size_t>(text.lineCount()), LineRole::Other);
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        r.stats[idx] = ColumnStats(0, std::max<int>(static_cast<int>(layout.count[idx]) - 1, 0));
    }
    LineCutter cutter(spans, years);
    char key[ReportText::kMaxLineRead];
    LineRole previous = LineRole::Other;
    for (std::int64_t i = std::max<std::int64_t>(first, 0); i < text.lineCount(); ++i) {
        const std::string_view line = text.line(i);
        const CutLine& c = cutter.cut(line);
        const std::string_view field = fieldOf(line, layout, kDate);
        const StatementLine kind =
            classifyStatementLine(std::string_view(key, dosToWinNumberInto(field, sep, key)));
        LineRole role = LineRole::Other;
        if (kind == StatementLine::Information) {
            readAccount(line, r);
        } else if (kind == StatementLine::Entry) {
            if (packedDate(c.value[kDate])) {
                role = LineRole::Record;
            } else if (foldedUpper(DosToWinText(c.value[kDate])) == "TARIH") {
                r.headings.clear();
                for (int k = 0; k < kFields; ++k)
                    r.headings.push_back(DosToWinText(c.value[static_cast<std::size_t>(k)]));
            }
        } else if (!TrimControl(line).empty()) {
            if ((previous == LineRole::Record || previous == LineRole::Continuation) &&
                onlyText(c)) {
                role = LineRole::Continuation;
            } else if ((c.facts[kAmount].amount.valid || c.facts[kBalance].amount.valid) &&
                       isTotalLabel(labelOf(c, Kinds{}))) {  // no amount makes a word
                role = LineRole::Total;
            }
        }
        if (role == LineRole::Record || role == LineRole::Continuation) {
            r.transactions += role == LineRole::Record;
            for (int k = 0; k < kFields; ++k) {
                const auto idx = static_cast<std::size_t>(k);
                r.stats[idx].add(c.facts[idx], c.first[idx], c.last[idx], c.value[idx]);
            }
        }
        r.roles[static_cast<std::size_t>(i)] = role;
        previous = role;
    }
    return r;
}

// The kind of each field: the statement's own for its first columns, the values' for the
// amounts and whatever further columns the settings cut.
Kinds kindsOf(const Reading& r, DateOrder regional) {
    Kinds kinds;
    for (int k = 0; k < kFields; ++k)
        kinds[static_cast<std::size_t>(k)] = r.stats[static_cast<std::size_t>(k)].decide(regional);
    const auto only = [](ColumnKind kind) {
        ColumnDecision d;
        d.kind = kind;
        return d;
    };
    for (const int k : {kNo, kSlip, kKind})
        kinds[static_cast<std::size_t>(k)] = only(ColumnKind::Code);
    for (const int k : {kDate, kValueDate})
        kinds[static_cast<std::size_t>(k)] = only(ColumnKind::Date);
    kinds[kText] = only(ColumnKind::Text);
    return kinds;
}

// A slip number behind its "=", as StripEquals leaves it.
std::string_view withoutMarker(std::string_view v) {
    while (!v.empty() && (v.front() == '=' || v.front() == ' ')) v.remove_prefix(1);
    return v;
}

// The statement's own readings, into the cut line: packed dates, amounts in their column's
// notation, the slip number without its "=".
CutLine& readFields(CutLine& c, const Kinds& kinds) {
    for (int k = 0; k < c.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const ColumnDecision& d = kinds[idx];
        if (d.kind == ColumnKind::Date) c.read[idx].date = packedDate(c.value[idx]);
        if (d.kind == ColumnKind::Amount)
            c.read[idx].units = readAmount(c.value[idx], d.notation, d.decimals);
    }
    if (kSlip < c.count) c.value[kSlip] = withoutMarker(c.value[kSlip]);
    return c;
}

// A continuation line goes on with the description alone.
CutLine& descriptionOnly(CutLine& c) {
    for (int k = 0; k < c.count; ++k) {
        if (k != kText) c.value[static_cast<std::size_t>(k)] = {};
    }
    return c;
}

}  // namespace

ImportOutcome importCleanStatement(Workspace& ws, const Clock& clock) {
    const ReportText& text = ws.text;
    ReportLayout& settings = ws.settings.layout;
    if (text.empty()) return {ImportStatus::EmptyText, {}};
    for (int k = 1; k <= 9; ++k) settings.setColumnWidth(k, kStatementWidths[k - 1]);
    const auto widths = settings.columnWidths();
    const FieldLayout layout = fieldLayoutOf(widths);
    const FieldSpans spans = fieldSpansOf(widths);
    settings.startColumn();  // read as the plain import reads it: a bad one stops here too
    const std::int64_t first = settings.startRow();
    const YearWindow years(clock.today());
    const Reading r =
        readStatement(text, layout, spans, first, ws.regional.decimalSeparator, years);
    if (r.transactions == 0) {
        ImportOutcome outcome = importStatement(ws);
        outcome.status = ImportStatus::NoRecords;
        outcome.message = kNoTransactionsMessage;
        return outcome;
    }

    // The columns: the account first when the statement names one (carried into every
    // transaction as a report's header field is), then every field a transaction fills.
    RecordPlan plan;
    plan.kinds = kindsOf(r, ws.regional.dateOrder);
    plan.marks = kMark;
    std::vector<std::string> headings;
    CleanShape shape;
    if (!r.account.empty()) {
        ColumnDecision code;
        code.kind = ColumnKind::Code;
        plan.columns.push_back({r.accountLabel, -1, code});
        headings.push_back(r.accountLabel);
        shape.columns.push_back({ColumnKind::Code, static_cast<int>(r.account.size())});
    }
    std::vector<SummedColumn> summed;
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (r.stats[idx].values() == 0) continue;
        const ColumnDecision& kind = plan.kinds[idx];
        std::string heading = idx < r.headings.size() ? r.headings[idx] : std::string();
        if (heading.empty() && k < 9) heading = kDefaultHeadings[k];
        plan.columns.push_back({{}, k, kind});
        headings.push_back(heading);
        shape.columns.push_back({kind.kind, static_cast<int>(layout.count[idx])});
        if (kind.kind == ColumnKind::Amount) {
            plan.summed.push_back(k);
            summed.push_back({heading, kind.notation, kind.decimals});
        }
    }

    // The transactions through the record writer, in statement order.
    ws.book.startTable();
    CleanGrid grid(ws.grid(), headings, shape.columns, r.transactions);
    TotalsCheck check(summed, plan.kinds[kMark].marks, false);
    RecordTyper::Runs runFrom{}, runTo{};
    for (int k = 0; k < kFields; ++k) {
        runTo[static_cast<std::size_t>(k)] =
            std::max<int>(static_cast<int>(layout.count[static_cast<std::size_t>(k)]) - 1, 0);
    }
    RecordTyper typer(plan, runFrom, runTo, ws.regional, true);
    RecordWriter writer(plan, {&grid, &check, &shape}, years);
    Chunk chunk;
    if (!r.account.empty()) typer.field(0, r.accountLabel, r.account, false, chunk);
    LineCutter cutter(spans, years), more(spans, years);
    for (int i = 0; i < text.lineCount(); ++i) {
        const LineRole role = r.roles[static_cast<std::size_t>(i)];
        if (role == LineRole::Continuation) {
            typer.continuation(descriptionOnly(more.cut(text.line(i))), [](int, int) {});
            continue;
        }
        typer.endRecord(chunk);
        if (chunk.items.size() >= kItemsPerWrite) {  // a long statement is written as it goes
            writer.take(chunk);
            chunk.clear();
        }
        if (role == LineRole::Record) {
            typer.record(i, readFields(cutter.cut(text.line(i)), plan.kinds), chunk);
        } else if (role == LineRole::Total) {
            typer.total(i, readFields(cutter.cut(text.line(i)), plan.kinds), chunk);
        }
    }
    typer.endRecord(chunk);
    writer.take(chunk);
    ImportOutcome outcome = checkedOutcome(shape, check);
    ws.clean() = std::move(shape);
    return outcome;
}

}  // namespace tablamo
