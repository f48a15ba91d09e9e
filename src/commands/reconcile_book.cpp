#include "commands/reconcile_book.h"

#include <filesystem>

#include "clean/clean_grid.h"
#include "clean/date_reading.h"
#include "clean/value_reading.h"
#include "commands/clean_tables.h"
#include "commands/report_title.h"
#include "core/encoding.h"
#include "core/platform/files.h"
#include "core/workspace.h"

namespace tablamo {
namespace {

using reconcile::Entry;
using reconcile::Money;

// A table's name and its files' part of the name.
struct TableName {
    const char* sheet;  // UTF-8
    const char* file;
};
constexpr TableName kTables[] = {{"Mutabakat", "mutabakat"},
                                 {"Eşleşenler", "eslesenler"},
                                 {"Yalnız Defterde", "yalniz-defterde"},
                                 {"Yalnız Ekstrede", "yalniz-ekstrede"}};

// Longer joined descriptions of a group are cut here.
constexpr std::size_t kLongestText = 250;

std::string held(std::string_view utf8) { return utf8ToWin1254(utf8).value_or(std::string(utf8)); }

// A table being written: its headings and kinds, then its rows of owned texts.
class TableBuilder {
public:
    TableBuilder(std::initializer_list<std::pair<const char*, CleanColumn>> columns) {
        for (const auto& [heading, column] : columns) {
            m_headings.push_back(held(heading));
            m_shape.columns.push_back(column);
        }
    }
    void add(std::vector<std::string> cells) { m_rows.push_back(std::move(cells)); }
    Book::Table build(const char* name) {
        Book::Table table;
        CleanGrid grid(table.grid, m_headings, m_shape.columns, static_cast<int>(m_rows.size()));
        std::vector<std::string_view> views;
        for (std::size_t r = 0; r < m_rows.size(); ++r) {
            views.assign(m_rows[r].begin(), m_rows[r].end());
            grid.writeRecord(static_cast<int>(r) + 1, views);
        }
        grid.finish(static_cast<int>(m_rows.size()));
        table.clean = std::move(m_shape);
        table.name = held(name);
        return table;
    }

private:
    std::vector<std::string> m_headings;
    CleanShape m_shape;
    std::vector<std::vector<std::string>> m_rows;
};

// Cells in the user's notation.
class Cells {
public:
    explicit Cells(const RegionalSettings& regional) : m_regional(regional) {}
    std::string money(Money units) const {
        char out[32];
        return std::string(out, formatAmount(units, 2, m_regional.decimalSeparator, out));
    }
    std::string date(int day) const {
        if (day == 0) return {};
        char out[32];
        return std::string(out, formatShortDate(reconcile::dateOfDay(day), m_regional, out));
    }

private:
    const RegionalSettings& m_regional;
};

// The records of one side of a match: lines joined by "+", the first date, the descriptions
// (one when all say the same), the amounts summed from our side.
struct Joined {
    std::string lines, date, text;
    Money amount = 0;
};

Joined joined(const std::vector<int>& picks, const std::vector<Entry>& entries,
              const reconcile::Result& result, bool statementSide, const Cells& cells) {
    Joined j;
    int first = 0;
    for (const int i : picks) {
        const Entry& e = entries[static_cast<std::size_t>(i)];
        j.lines += (j.lines.empty() ? "" : "+") + std::to_string(e.line);
        j.amount += statementSide ? result.ours(e) : e.amount;
        if (first == 0 || e.day < first) first = e.day;
        if (j.text.find(e.text) == std::string::npos)
            j.text += (j.text.empty() ? "" : " + ") + e.text;
    }
    if (j.text.size() > kLongestText) j.text = j.text.substr(0, kLongestText - 1) + "\x85";
    j.date = cells.date(first);
    return j;
}

Book::Table onlyTable(const std::vector<reconcile::Unpaired>& left, const Reconciliation& done,
                      bool statementSide, const Cells& cells, const char* name) {
    TableBuilder t({{"Satır", {ColumnKind::Code, 8}},
                    {"Tarih", {ColumnKind::Date, 12}},
                    {"Açıklama", {ColumnKind::Text, 40}},
                    {"Tutar", {ColumnKind::Amount, 16}},
                    {"Olası Neden", {ColumnKind::Text, 60}}});
    const auto& mine = (statementSide ? done.statement : done.ledger).account.entries;
    const auto& theirs = (statementSide ? done.ledger : done.statement).account.entries;
    for (const reconcile::Unpaired& u : left) {
        const Entry& e = mine[static_cast<std::size_t>(u.entry)];
        const Money amount = statementSide ? done.result.ours(e) : e.amount;
        Money other = 0;
        if (u.partner >= 0) {
            const Entry& p = theirs[static_cast<std::size_t>(u.partner)];
            other = statementSide ? p.amount : done.result.ours(p);
        }
        const std::string reason = statementSide ? reconcile::reasonText(u.reason, other, amount)
                                                 : reconcile::reasonText(u.reason, amount, other);
        t.add(
            {std::to_string(e.line), cells.date(e.day), e.text, cells.money(amount), held(reason)});
    }
    return t.build(name);
}

}  // namespace

void showReconciliation(Workspace& ws, const Reconciliation& done) {
    const Cells cells(ws.regional);
    const reconcile::Result& r = done.result;
    std::vector<Book::Table> tables;

    TableBuilder statement(
        {{"Kalem", {ColumnKind::Text, 50}}, {"Tutar", {ColumnKind::Amount, 18}}});
    for (const reconcile::StatementRow& row : r.rows)
        statement.add({held(row.label), cells.money(row.amount)});
    tables.push_back(statement.build(kTables[0].sheet));

    TableBuilder matches({{"Defter Satırı", {ColumnKind::Code, 8}},
                          {"Defter Tarihi", {ColumnKind::Date, 12}},
                          {"Defter Açıklaması", {ColumnKind::Text, 36}},
                          {"Defter Tutarı", {ColumnKind::Amount, 15}},
                          {"Ekstre Satırı", {ColumnKind::Code, 8}},
                          {"Ekstre Tarihi", {ColumnKind::Date, 12}},
                          {"Ekstre Açıklaması", {ColumnKind::Text, 36}},
                          {"Ekstre Tutarı", {ColumnKind::Amount, 15}},
                          {"Gün Farkı", {ColumnKind::Code, 6}},
                          {"Eşleşme", {ColumnKind::Text, 11}}});
    for (const reconcile::Match& m : r.matches) {
        const Joined l = joined(m.ledger, done.ledger.account.entries, r, false, cells);
        const Joined s = joined(m.statement, done.statement.account.entries, r, true, cells);
        matches.add({l.lines, l.date, l.text, cells.money(l.amount), s.lines, s.date, s.text,
                     cells.money(s.amount), std::to_string(m.dayGap),
                     held(reconcile::matchKindText(m.kind))});
    }
    tables.push_back(matches.build(kTables[1].sheet));
    tables.push_back(onlyTable(r.ledgerOnly, done, false, cells, kTables[2].sheet));
    tables.push_back(onlyTable(r.statementOnly, done, true, cells, kTables[3].sheet));

    ws.book.tables = std::move(tables);
    ws.book.shown = 0;
    ws.book.printTitle = reconciliationTitle(done);
    ws.text = ReportText();
    ws.textReading = {};
    ws.reportPath.clear();
    ws.tablePath = done.ledgerPath;
    ws.profile.reset();
}

std::vector<std::string> reconciliationFiles(const std::string& path, OutputFormat format) {
    if (format == OutputFormat::Xlsx) return {path};
    std::vector<std::string> files;
    std::filesystem::path file = platform::toFsPath(path);
    const std::string stem = platform::fromFsPath(file.stem());
    for (const TableName& t : kTables) {
        file.replace_filename(
            platform::toFsPath(stem + "-" + t.file + std::string(formatInfo(format).extension)));
        files.push_back(platform::fromFsPath(file));
    }
    return files;
}

std::vector<std::string> saveReconciliation(const Workspace& ws, OutputFormat format,
                                            const std::string& path, const WriteOptions& options,
                                            const TargetCheck& check) {
    if (format == OutputFormat::Xlsx) return saveCleanTables(ws, format, path, options, check);
    const std::vector<std::string> files = reconciliationFiles(path, format);
    if (check) {
        for (const std::string& file : files) check(file);
    }
    formatInfo(format).writeBook(cleanBook(ws, options.print), options, files);
    return files;
}

std::string reconciliationTitle(const Reconciliation& done) {
    const std::string& account =
        done.ledger.accountName.empty() ? done.ledger.accountLine : done.ledger.accountName;
    // As the statement's labels print their dates.
    const RegionalSettings turkish = RegionalSettings::turkish();
    // The firm over the title, both in the middle: side by side they run into each other on
    // an upright page.
    return (done.ledger.firm.empty() ? "" : done.ledger.firm + "\n") +
           "Mutabakat: " + (account.empty() ? std::string() : account + " - ") +
           Cells(turkish).date(done.ledger.account.closingDay);
}

std::string reconciliationSummary(const reconcile::Result& result, char decimalSeparator) {
    return std::to_string(result.matches.size()) + " eşleşti, " +
           std::to_string(result.ledgerOnly.size()) + " yalnız defterde, " +
           std::to_string(result.statementOnly.size()) + " yalnız ekstrede; fark " +
           reconcile::moneyText(result.difference, decimalSeparator);
}

}  // namespace tablamo
