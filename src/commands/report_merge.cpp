#include "commands/report_merge.h"

#include <algorithm>
#include <optional>

#include "clean/clean_grid.h"
#include "commands/report_title.h"
#include "commands/report_totals.h"
#include "core/encoding.h"
#include "core/workspace.h"
#include "export/xlsx_writer.h"

namespace tablamo {
namespace {

// The name of a merged table whose report has no title to name it by (Windows-1254).
constexpr const char* kUntitledSheet = "Tablo";
// Widths in characters: the source column at most, and the summary's text columns, whose
// texts wrap: ten columns on a landscape page at a size one reads.
constexpr int kWidestSource = 60;
constexpr int kSummaryWidths[] = {22, 16, 13, 34, 26, 26};
// The summary cell that explains a report holds at most so much (cut where a message ends),
// and names so many of its lines not placed, or of the sheets its records went to.
constexpr std::size_t kMostExplained = 4000;
constexpr std::size_t kMostListed = 20;

// The key of a table's headings: each as a reader compares it.
std::string headingsKey(const Grid& grid) {
    std::string key;
    for (int c = 1; c < grid.colCount(); ++c) key += headingKey(grid.cell(c, 0)) + '\x1F';
    return key;
}

// A UTF-8 text as the grid holds it; a character Windows-1254 lacks becomes "?".
std::string held(std::string_view utf8) {
    if (auto text = utf8ToWin1254(utf8)) return *text;
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        const auto one = utf8ToWin1254(utf8.substr(i, n));
        out += one ? *one : std::string("?");
        i += n;
    }
    return out;
}

// "a, b, c, …" of at most kMostListed items.
template <class Items, class Text>
std::string listed(const Items& items, Text&& text) {
    std::string out;
    std::size_t n = 0;
    for (const auto& item : items) {
        if (!out.empty()) out += ", ";
        if (++n > kMostListed) return out + "\x85";  // Windows-1254's ellipsis
        out += text(item);
    }
    return out;
}

}  // namespace

struct ReportMerge::Sheet {
    Grid grid;
    CleanShape shape;
    std::optional<CleanGrid> writer;
    int records = 0;
    std::string name;
    ReportTitle title;
    bool sameFirm = true;
    bool sameTitle = true;
    std::string period;  // the period the reports cover together (spannedPeriod)

    PrintSetup print() const {
        PrintSetup p;
        p.enabled = true;
        if (sameFirm) p.firm = title.firm;
        p.title = sameTitle ? title.title : name;
        p.period = period;
        return p;
    }
};

ReportMerge::ReportMerge() { m_names.take(kSummarySheetName); }
ReportMerge::~ReportMerge() = default;

std::size_t ReportMerge::sheetFor(const Grid& grid, const CleanShape& shape,
                                  const ReportTitle& title) {
    const std::string key = headingsKey(grid);
    if (const auto it = m_byHeadings.find(key); it != m_byHeadings.end()) return it->second;
    m_byHeadings.emplace(key, m_sheets.size());
    Sheet& sheet = *m_sheets.emplace_back(std::make_unique<Sheet>());
    std::vector<std::string> headings = {kSourceHeading};
    for (int c = 1; c < grid.colCount(); ++c) headings.emplace_back(grid.cell(c, 0));
    sheet.shape.columns = {{ColumnKind::Text, 0}};
    sheet.shape.columns.insert(sheet.shape.columns.end(), shape.columns.begin(),
                               shape.columns.end());
    sheet.writer.emplace(sheet.grid, headings, sheet.shape.columns);
    sheet.title = title;
    sheet.period = title.period;
    sheet.name = m_names.unique(title.name, kUntitledSheet);
    return m_sheets.size() - 1;
}

const std::string& ReportMerge::name(std::size_t index) const { return m_sheets[index]->name; }

void ReportMerge::add(const Workspace& ws, MergedReport& report) {
    const ReportTitle title = reportTitle(ws.text);
    const std::string source = held(report.source);
    std::vector<std::string> sheets;
    for (std::size_t t = 0; t < ws.book.tables.size(); ++t) {
        const Book::Table& table = ws.book.tables[t];
        if (!table.clean) continue;
        const CleanShape& shape = *table.clean;
        // A further table is titled by the line the report prints over it.
        ReportTitle own = title;
        if (t > 0) own.title = own.name = table.name;
        const std::size_t index = sheetFor(table.grid, shape, own);
        Sheet& sheet = *m_sheets[index];
        for (std::size_t c = 0; c < shape.columns.size(); ++c) {
            CleanColumn& merged = sheet.shape.columns[c + 1];
            if (merged.kind != shape.columns[c].kind) merged.kind = ColumnKind::Text;
            merged.width = std::max(merged.width, shape.columns[c].width);
            sheet.grid.setColWidth(static_cast<int>(c) + 2, cleanColumnPixels(merged.width));
        }
        sheet.sameFirm = sheet.sameFirm && own.firm == sheet.title.firm;
        sheet.sameTitle = sheet.sameTitle && own.title == sheet.title.title;
        sheet.period = spannedPeriod(sheet.period, own.period);
        CleanColumn& sourceColumn = sheet.shape.columns.front();
        sourceColumn.width =
            std::max(sourceColumn.width, std::min(kWidestSource, static_cast<int>(source.size())));
        sheet.grid.setColWidth(1, cleanColumnPixels(sourceColumn.width));

        const Grid& grid = table.grid;
        report.placed.push_back({index, sheet.records + 1, grid.rowCount() - 1});
        if (std::find(sheets.begin(), sheets.end(), sheet.name) == sheets.end())
            sheets.push_back(sheet.name);
        std::vector<std::string_view> cells(static_cast<std::size_t>(grid.colCount()));
        cells[0] = source;
        for (int r = 1; r < grid.rowCount(); ++r) {
            const Grid::RowCells row = grid.row(r);
            for (std::size_t c = 1; c < cells.size(); ++c) cells[c] = row[c];
            sheet.writer->writeRecord(++sheet.records, cells);
            if (const auto line = shape.lineOfRow(r)) sheet.shape.recordLines.push_back(*line);
        }
        report.records += grid.rowCount() - 1;
        report.totalsChecked += shape.totals.checked;
        report.totalsDisagree += static_cast<int>(shape.totals.mismatches.size());
        report.unplacedLines.insert(report.unplacedLines.end(), shape.unplacedLines.begin(),
                                    shape.unplacedLines.end());
        sheet.shape.totals.checked += shape.totals.checked;
    }
    report.sheet = listed(sheets, [](const std::string& name) { return name; });
    if (!ws.book.tables.empty() && ws.book.tables.front().clean) {
        report.printedTotal = printedTotalLine(ws.text, ws.book.tables.front());
        report.recordSums = recordSumsText(ws.book.tables.front(), ws.regional);
    }
}

std::vector<BookTable> ReportMerge::tables() {
    std::vector<BookTable> tables;
    for (const std::unique_ptr<Sheet>& owned : m_sheets) {
        Sheet& sheet = *owned;
        sheet.writer->finish(sheet.records);
        tables.push_back({sheet.name, &sheet.grid, &sheet.shape, sheet.print(), false});
    }
    return tables;
}

void ReportMerge::intoBook(const std::vector<MergedReport>& reports, Book& book) {
    book.tables.clear();
    book.shown = 0;
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        Book::Table& table = book.tables.emplace_back();
        const PrintSetup print = m_sheets[i]->print();
        table.name = m_sheets[i]->name;
        table.heading = Book::Table::Heading{print.firm, print.title, print.period};
        CleanShape shape;
        table.grid = takeGrid(i, shape);
        table.clean = std::move(shape);
    }
    SummaryTable summary = summaryTable(reports);
    Book::Table& last = book.tables.emplace_back();
    last.name = kSummarySheetName;
    last.heading = Book::Table::Heading{{}, kSummarySheetName, {}};
    last.grid = std::move(summary.grid);
    last.clean = std::move(summary.shape);
    last.summary = true;
}

Grid ReportMerge::takeGrid(std::size_t index, CleanShape& shape) {
    Sheet& sheet = *m_sheets[index];
    sheet.writer->finish(sheet.records);
    shape = std::move(sheet.shape);
    return std::move(sheet.grid);
}

const char* statusWords(MergeStatus status) {
    switch (status) {
        case MergeStatus::Merged:
            return "birleştirildi";
        case MergeStatus::Rejected:
            return "alınmadı";
        case MergeStatus::Failed:
            break;
    }
    return "okunamadı";
}

SummaryTable summaryTable(const std::vector<MergedReport>& reports) {
    static const char* const kHeadings[] = {"Kaynak",
                                            "Sayfa",
                                            "Durum",
                                            "A\xE7\xFDklama",
                                            "Raporun toplam\xFD",
                                            "Kay\xFDtlar\xFDn toplam\xFD",
                                            "Kay\xFDt",
                                            "Denetlenen toplam",
                                            "Uyar\xFD",
                                            "Yerle\xFEtirilemeyen sat\xFDr"};
    constexpr int kColumns = static_cast<int>(std::size(kHeadings)) + 1;
    SummaryTable table;
    for (const int width : kSummaryWidths) table.shape.columns.push_back({ColumnKind::Text, width});
    Grid& grid = table.grid;
    grid.setColCount(kColumns);
    grid.setRowCount(static_cast<int>(reports.size()) + 1);
    Grid::RowCells cells(kColumns);
    for (int c = 1; c < kColumns; ++c) cells[static_cast<std::size_t>(c)] = kHeadings[c - 1];
    grid.setRow(0, cells);
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const MergedReport& r = reports[i];
        std::string explained;
        for (const std::string& m : r.messages) {
            if (!explained.empty()) explained += "; ";
            // A message's own line breaks (CR LF) read as one blank in a cell.
            for (const char c : m) {
                if (c != '\r') explained += c == '\n' ? ' ' : c;
            }
        }
        if (!r.note.empty()) explained += (explained.empty() ? "" : "; ") + r.note;
        explained = held(explained);
        if (!r.unplacedLines.empty()) {
            if (!explained.empty()) explained += "; ";
            explained += "yerle\xFEtirilemeyen sat\xFDrlar: " +
                         listed(r.unplacedLines, [](std::int32_t l) { return std::to_string(l); });
        }
        if (explained.size() > kMostExplained) {
            // Cut where a message ends, not in the middle of one.
            const std::size_t end = explained.rfind("; ", kMostExplained);
            explained.resize(end == std::string::npos ? kMostExplained : end);
            explained += "; \x85";  // Windows-1254's ellipsis
        }
        const std::string texts[] = {std::to_string(i + 1),
                                     held(r.source),
                                     r.sheet,
                                     held(statusWords(r.status)),
                                     explained,
                                     r.printedTotal,
                                     r.recordSums,
                                     std::to_string(r.records),
                                     std::to_string(r.totalsChecked),
                                     std::to_string(r.warnings),
                                     std::to_string(r.unplacedLines.size())};
        for (int c = 0; c < kColumns; ++c) cells[static_cast<std::size_t>(c)] = texts[c];
        grid.setRow(static_cast<int>(i) + 1, cells);
    }
    for (int c = 1; c < kColumns; ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        grid.setColWidth(
            c, cleanColumnPixels(i < table.shape.columns.size()
                                     ? table.shape.columns[i].width
                                     : static_cast<int>(std::string_view(kHeadings[i]).size())));
    }
    return table;
}

std::vector<std::string> saveMerge(ReportMerge& merge, std::vector<MergedReport>& reports,
                                   OutputFormat format, const std::string& path,
                                   const WriteOptions& options, std::string_view sheetPer,
                                   const TargetCheck& check) {
    std::vector<BookTable> tables = merge.tables();
    // The tables split by --sheet-per's column, and their groups' names after the others'.
    struct Split {
        std::vector<TableGroup> groups;
        std::vector<std::uint32_t> groupOfRow;
        std::vector<std::string> names;
    };
    std::vector<std::optional<Split>> splits(tables.size());
    SheetNames taken{kSummarySheetName};
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::optional<int> column =
            sheetPer.empty() ? std::nullopt : columnHeaded(*tables[t].grid, sheetPer);
        if (column) {
            Split split;
            split.groups = groupsOf(*tables[t].grid, *tables[t].shape, *column, &split.groupOfRow);
            if (!split.groups.empty()) splits[t] = std::move(split);
        }
        if (!splits[t]) taken.take(tables[t].name);
    }
    std::vector<BookTable> book;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        if (!splits[t]) {
            book.push_back(tables[t]);
            continue;
        }
        Split& split = *splits[t];
        for (TableGroup& group : split.groups) {
            split.names.push_back(taken.unique(group.value, "(bo\xFE)"));
            book.push_back({split.names.back(), &group.grid, &group.shape, tables[t].print, true});
        }
        // The merged rows are in the groups now: the table's own copy goes.
        CleanShape gone;
        merge.takeGrid(t, gone);
    }
    // Each report's sheets: its tables', or the groups its records went to.
    for (MergedReport& report : reports) {
        if (report.placed.empty() || sheetPer.empty()) continue;
        std::vector<std::string> names;
        const auto add = [&](const std::string& name) {
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        };
        for (const MergedReport::Placed& p : report.placed) {
            if (!splits[p.table]) {
                add(tables[p.table].name);
                continue;
            }
            const Split& split = *splits[p.table];
            for (int r = p.firstRow; r < p.firstRow + p.records; ++r)
                add(split.names[split.groupOfRow[static_cast<std::size_t>(r)]]);
        }
        report.sheet = listed(names, [](const std::string& name) { return name; });
    }
    SummaryTable summary = summaryTable(reports);
    BookTable last{kSummarySheetName, &summary.grid, &summary.shape, {}, false};
    last.print.enabled = true;
    last.print.title = kSummarySheetName;
    book.push_back(last);
    return saveBook(book, format, path, options, check);
}

}  // namespace tablamo
