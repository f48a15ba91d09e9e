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
#include "clean/totals_check.h"
#include "core/dos_text.h"
#include "core/field_layout.h"
#include "core/text_rules.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

constexpr int kFields =
    FieldLayout::kFields;  // the statement's 9 columns and the settings' further ones

// The statement's own columns 1 to 9.
enum Field { kNo, kDate, kSlip, kValueDate, kKind, kText, kAmount, kMark, kBalance };
constexpr const char* kDefaultHeadings[9] = {"NO",       "TAR\xDDH",    "F\xDD\xDE NO",
                                             "VAL\xD6R", "\xDD\xDELEM", "A\xC7IKLAMA",
                                             "TUTAR",    "B/A",         "BAK\xDDYE"};

enum class Role : std::uint8_t { Other, Transaction, Continuation, Total };

struct Reading {
    std::vector<Role> roles;
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

std::string labelOf(const CutLine& c) {
    std::string label;
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (c.facts[idx].empty || c.facts[idx].amount.valid) continue;
        if (!label.empty()) label += ' ';
        label += DosToWinText(c.value[idx]);
    }
    return label;
}

Reading readStatement(const ReportText& text, const FieldLayout& layout, const FieldSpans& spans,
                      std::int64_t first, char sep, YearWindow years) {
    Reading r;
    r.roles.assign(static_cast<std::size_t>(text.lineCount()), Role::Other);
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        r.stats[idx] = ColumnStats(0, std::max<int>(static_cast<int>(layout.count[idx]) - 1, 0));
    }
    LineCutter cutter(spans, years);
    char key[ReportText::kMaxLineRead];
    Role previous = Role::Other;
    for (std::int64_t i = std::max<std::int64_t>(first, 0); i < text.lineCount(); ++i) {
        const std::string_view line = text.line(i);
        const CutLine& c = cutter.cut(line);
        const std::string_view field = fieldOf(line, layout, kDate);
        const StatementLine kind =
            classifyStatementLine(std::string_view(key, dosToWinNumberInto(field, sep, key)));
        Role role = Role::Other;
        if (kind == StatementLine::Information) {
            readAccount(line, r);
        } else if (kind == StatementLine::Entry) {
            if (packedDate(c.value[kDate])) {
                role = Role::Transaction;
            } else if (foldedUpper(DosToWinText(c.value[kDate])) == "TARIH") {
                r.headings.clear();
                for (int k = 0; k < kFields; ++k)
                    r.headings.push_back(DosToWinText(c.value[static_cast<std::size_t>(k)]));
            }
        } else if (!TrimControl(line).empty()) {
            if ((previous == Role::Transaction || previous == Role::Continuation) && onlyText(c)) {
                role = Role::Continuation;
            } else if ((c.facts[kAmount].amount.valid || c.facts[kBalance].amount.valid) &&
                       isTotalLabel(labelOf(c))) {
                role = Role::Total;
            }
        }
        if (role == Role::Transaction || role == Role::Continuation) {
            r.transactions += role == Role::Transaction;
            for (int k = 0; k < kFields; ++k) {
                const auto idx = static_cast<std::size_t>(k);
                r.stats[idx].add(c.facts[idx], c.first[idx], c.last[idx], c.value[idx].size());
            }
        }
        r.roles[static_cast<std::size_t>(i)] = role;
        previous = role;
    }
    return r;
}

// The kind of each field: the statement's own for its first columns, the values' for the
// amounts and whatever further columns the settings cut.
std::array<ColumnDecision, kFields> kindsOf(const Reading& r, DateOrder regional) {
    std::array<ColumnDecision, kFields> kinds;
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
    const auto kinds = kindsOf(r, ws.regional.dateOrder);

    // The columns: the account first when the statement names one, then every field a
    // transaction fills.
    std::vector<std::string> headings;
    CleanShape shape;
    std::vector<int> fields;
    if (!r.account.empty()) {
        headings.push_back(r.accountLabel);
        shape.columns.push_back({ColumnKind::Code, static_cast<int>(r.account.size())});
        fields.push_back(-1);
    }
    std::vector<SummedColumn> summedColumns;
    std::vector<int> summed;
    for (int k = 0; k < kFields; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (r.stats[idx].values() == 0) continue;
        std::string heading = idx < r.headings.size() ? r.headings[idx] : std::string();
        if (heading.empty() && k < 9) heading = kDefaultHeadings[k];
        headings.push_back(heading);
        shape.columns.push_back({kinds[idx].kind, static_cast<int>(layout.count[idx])});
        fields.push_back(k);
        if (kinds[idx].kind == ColumnKind::Amount) {
            summed.push_back(k);
            summedColumns.push_back({heading, kinds[idx].notation, kinds[idx].decimals});
        }
    }

    ws.clean.reset();
    CleanGrid grid(ws.grid, headings, shape.columns, r.transactions);
    TotalsCheck check(summedColumns, kinds[kMark].marks, false);
    LineCutter cutter(spans, years), more(spans, years);
    LineAmounts amounts(summed.size());
    std::string row;
    row.reserve(std::size_t{1} << 16);
    std::vector<std::size_t> ends;
    std::vector<std::string_view> cells;
    const RegionalSettings& regional = ws.regional;
    for (int i = 0; i < text.lineCount(); ++i) {
        const Role role = r.roles[static_cast<std::size_t>(i)];
        if (role == Role::Total) {
            const CutLine& c = cutter.cut(text.line(i));
            amounts.clear();
            for (std::size_t s = 0; s < summed.size(); ++s) {
                const auto idx = static_cast<std::size_t>(summed[s]);
                if (!c.facts[idx].amount.valid) continue;
                if (const auto v =
                        readAmount(c.value[idx], kinds[idx].notation, kinds[idx].decimals)) {
                    amounts.value[s] = *v;
                    amounts.present[s] = 1;
                    amounts.printed[s] = c.value[idx];
                }
            }
            check.checkTotal(labelOf(c), i + 1, amounts);
        }
        if (role != Role::Transaction) continue;
        const CutLine& c = cutter.cut(text.line(i));
        row.clear();
        ends.clear();
        for (const int k : fields) {
            if (k < 0) {
                row += r.account;
                ends.push_back(row.size());
                continue;
            }
            const auto idx = static_cast<std::size_t>(k);
            const std::string_view value = c.value[idx];
            const ColumnDecision& d = kinds[idx];
            const std::size_t at = row.size();
            std::optional<Date> date;
            std::optional<std::int64_t> units;
            if (d.kind == ColumnKind::Date && (date = packedDate(value))) {
                row.resize(at + 16);
                row.resize(at + formatShortDate(*date, regional, row.data() + at));
            } else if (d.kind == ColumnKind::Amount &&
                       (units = readAmount(value, d.notation, d.decimals))) {
                row.resize(at + 32);
                row.resize(at + formatAmount(*units, d.decimals, regional.decimalSeparator,
                                             row.data() + at));
            } else {
                const std::string_view v = k == kSlip ? withoutMarker(value) : value;
                row.resize(at + v.size());
                row.resize(at + dosToWinTextInto(v, row.data() + at));
            }
            if (k == kText) {
                for (int j = i + 1; j < text.lineCount() &&
                                    r.roles[static_cast<std::size_t>(j)] == Role::Continuation;
                     ++j) {
                    const std::string_view piece = more.cut(text.line(j)).value[idx];
                    if (piece.empty()) continue;
                    if (row.size() > at) row += ' ';
                    const std::size_t p = row.size();
                    row.resize(p + piece.size());
                    row.resize(p + dosToWinTextInto(piece, row.data() + p));
                }
            }
            ends.push_back(row.size());
        }
        cells.clear();
        std::size_t from = 0;
        for (const std::size_t end : ends) {
            cells.emplace_back(row.data() + from, end - from);
            from = end;
        }
        amounts.clear();
        for (std::size_t s = 0; s < summed.size(); ++s) {
            const auto idx = static_cast<std::size_t>(summed[s]);
            if (const auto v = readAmount(c.value[idx], kinds[idx].notation, kinds[idx].decimals)) {
                amounts.value[s] = *v;
                amounts.present[s] = 1;
            }
        }
        const char mark = c.value[kMark].empty() ? 0 : c.value[kMark][0];
        check.addRecord(amounts, mark, false, false);
        shape.recordLines.push_back(i + 1);
        grid.writeRecord(static_cast<int>(shape.recordLines.size()), cells);
    }
    ImportOutcome outcome = checkedOutcome(shape, check);
    ws.clean = std::move(shape);
    return outcome;
}

}  // namespace tablamo
