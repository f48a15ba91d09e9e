#include "clean/record_writer.h"

#include <algorithm>

#include "clean/date_reading.h"
#include "clean/header_fields.h"
#include "clean/value_reading.h"

namespace tablamo {

RecordWriter::RecordWriter(const RecordPlan& plan, const RecordOutput& output, YearWindow years,
                           const RegionalSettings* regional)
    : m_plan(plan),
      m_out(output),
      m_years(years),
      m_amounts(plan.summed.size()),
      m_cells(plan.columns.size() + (plan.openings ? 1 : 0)),
      m_columnLabel(plan.columns.size(), -1),
      m_regional(regional) {
    for (std::size_t c = 0; c < plan.columns.size(); ++c) {
        if (plan.levels >= 0 && plan.columns[c].field == plan.levels &&
            plan.columns[c].signedBy < 0)
            m_levelsColumn = static_cast<int>(c);
    }
}

void RecordWriter::take(const Chunk& chunk) {
    for (const Chunk::Item& item : chunk.items) {
        const bool groupField = item.kind == Chunk::Kind::Field && item.top;
        if (!groupField || item.line != m_fieldLine) {
            endFieldLine();
            if (groupField) {
                // A line of a group's block before the first record stands over the
                // table; later ones must tell a group to belong to it.
                m_fieldLine = item.line;
                m_fieldLinePlaced = !m_anyRecord;
            }
        }
        switch (item.kind) {
            case Chunk::Kind::Page:
                // What stood under the page's last record or total was its footer (or the
                // next page's header); not over a rule that closes the records.
                if (!item.top) m_pendingOther.clear();
                m_pageTop = true;
                if (m_out.check) m_out.check->pageBreak();
                break;
            case Chunk::Kind::Other:
                m_pendingOther.push_back(item.line + 1);
                break;
            case Chunk::Kind::Note:
                note(chunk.text.view(item.from, item.to), item);
                break;
            case Chunk::Kind::Field:
                field(chunk.text.view(item.from, item.to),
                      chunk.text.view(item.first, item.amounts), item.top);
                break;
            case Chunk::Kind::Total:
                m_runFirst = 0;
                endBlock();
                headGroups();
                placeOthers();
                startGroup();
                amounts(chunk, item, true);
                if (m_out.check->checkTotal(chunk.text.view(item.from, item.to), item.line + 1,
                                            m_amounts, item.mark, item.top, item.part) &&
                    m_plan.openings)
                    opening(chunk.text.view(item.from, item.to), item);
                break;
            case Chunk::Kind::Record:
                headGroups();
                record(chunk, item);
                break;
        }
    }
}

namespace {

// The label a bare block line's level is given: "Grup", "Grup 2" …
bool isLevelLabel(std::string_view label) {
    if (label.substr(0, kGroupLabel.size()) != kGroupLabel) return false;
    const std::string_view rest = label.substr(kGroupLabel.size());
    return rest.empty() ||
           (rest.size() >= 2 && rest[0] == ' ' &&
            std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

}  // namespace

void RecordWriter::field(std::string_view label, std::string_view value, bool group) {
    auto it = std::find_if(m_labels.begin(), m_labels.end(), [&](const HeaderLabel& l) {
        return l.label == label && (l.level >= 0) == group;
    });
    if (it == m_labels.end()) {
        HeaderLabel added;
        added.label = label;
        added.level = group ? m_groups++ : -1;
        // A bare block line's level ("Grup 2") is none: a group under the first may begin
        // a level the first group did not print.
        added.closing = group && m_anyRecord && !isLevelLabel(label) &&
                        std::none_of(m_labels.begin(), m_labels.end(),
                                     [&](const HeaderLabel& l) { return l.label == label; });
        it = m_labels.insert(m_labels.end(), std::move(added));
        m_current.emplace_back();
        m_unset.push_back(0);
        m_unplaced.push_back(0);
        m_untaken.push_back(0);
        m_dateOf.push_back(nullptr);
        m_levelOf.push_back(-1);
        int level = 0;
        for (std::size_t c = 0; c < m_plan.columns.size(); ++c) {
            const OutColumn& col = m_plan.columns[c];
            if (col.field >= 0) continue;
            if (col.label == label && col.group == group) {
                m_columnLabel[c] = static_cast<int>(it - m_labels.begin());
                m_levelOf.back() = level;
                if (col.kind.kind == ColumnKind::Date) m_dateOf.back() = &col.kind;
            }
            ++level;
        }
    }
    const auto index = static_cast<std::size_t>(it - m_labels.begin());
    HeaderLabel& l = *it;
    if (group && !m_inBlock) {
        // A new block: the group fields after the first one it prints are its own, empty
        // unless it prints them too; those before it hold on (a stock group over its cards).
        m_inBlock = true;
        m_blockChanged = false;
        for (std::size_t o = 0; o < m_labels.size(); ++o) {
            if (m_labels[o].level > l.level) m_unset[o] = 1;
        }
    }
    m_unset[index] = 0;
    // A group's field, one that holds a figure, or the group going on (printed again at the
    // next page's top, or under a changed group over it) tells a group; a signature line
    // printed again, under a day's total or at a page's top, does not.
    if (group) m_lineFields.push_back(index);
    if (group && !l.closing &&
        (m_levelOf[index] >= 0 ||
         ((m_pageTop || m_blockChanged) && m_current[index] == value && !m_unplaced[index]) ||
         std::any_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })))
        m_fieldLinePlaced = true;
    std::string shown;
    if (m_dateOf[index] && m_regional) {
        if (const auto date = readReportDate(value, m_dateOf[index]->dateOrder, m_years)) {
            char out[16];
            shown.assign(out, formatShortDate(*date, *m_regional, out));
            value = shown;
        }
    }
    std::string& current = m_current[index];
    if (current != value) {
        current.assign(value);
        m_blockChanged |= group;
        // A carried field that changes starts a group of its level.
        if (m_levelOf[index] >= 0) m_groupLevel = std::min(m_groupLevel, m_levelOf[index]);
    }
    if (group && m_out.grid) {
        // Written records tell which groups they fall in; a pass that writes none keeps
        // every group's value.
        m_untaken[index] = 1;
        m_anyUntaken = true;
    } else {
        keepValue(l, value);
    }
    // A group's date is its own (a voucher's); a page number is never a group's.
    l.pageOnly |= numbersOrDatesThePage({l.label, group ? std::string_view() : value}, m_years);
    l.stats.add(factsOf(value, m_years), 0, 0, value);
}

// The group fields over a record or a total head a group: fields whose groups print
// different values are the groups' columns, whether records fall in each or not.
void RecordWriter::headGroups() {
    for (std::size_t o = 0; o < m_labels.size(); ++o) {
        HeaderLabel& l = m_labels[o];
        if (l.level < 0 || l.blocks || m_current[o].empty()) continue;
        if (l.first.empty())
            l.first = m_current[o];
        else
            l.blocks = m_current[o] != l.first;
    }
}

// A line of fields under the headings is a group's when one of its fields leads the records
// or holds a code, a number or a date; a signature line ("Teslim Eden : Ünal KILIÇ") is none.
void RecordWriter::endFieldLine() {
    if (m_fieldLine >= 0 && !m_fieldLinePlaced) {
        m_pendingOther.push_back(m_fieldLine + 1);
        for (const std::size_t f : m_lineFields) m_unplaced[f] = 1;
    }
    m_lineFields.clear();
    m_fieldLine = -1;
}

// A group's block ends at its first record or total: the fields it did not print are empty
// when it starts another group; a block printed again after a page break may leave them out.
void RecordWriter::endBlock() {
    if (!m_inBlock) return;
    m_inBlock = false;
    for (std::size_t o = 0; o < m_labels.size(); ++o) {
        if (!m_unset[o]) continue;
        m_unset[o] = 0;
        if (m_blockChanged && !m_current[o].empty()) {
            m_current[o].clear();
            if (m_levelOf[o] >= 0) m_groupLevel = std::min(m_groupLevel, m_levelOf[o]);
        }
    }
}

void RecordWriter::amounts(const Chunk& chunk, const Chunk::Item& item, bool printed) {
    for (std::size_t s = 0; s < m_amounts.value.size(); ++s) {
        const Chunk::Amount& a = chunk.amounts[item.amounts + s];
        m_amounts.value[s] = a.value;
        m_amounts.present[s] = a.present;
        m_amounts.marks[s] = a.mark;
        if (printed) m_amounts.printed[s] = chunk.text.view(a.printedFrom, a.printedTo);
    }
}

// Lines among a page's records and totals that are none of them: lines not placed.
void RecordWriter::placeOthers() {
    if (m_out.shape) {
        auto& lines = m_out.shape->unplacedLines;
        lines.insert(lines.end(), m_pendingOther.begin(), m_pendingOther.end());
    }
    m_pendingOther.clear();
}

// A group the changed fields begin starts before the next record or total.
void RecordWriter::startGroup() {
    if (m_groupLevel == kNoGroup) return;
    m_runFirst = 0;
    if (m_out.runs) m_out.runs->groupStart();
    if (m_out.check) {
        // The innermost group's words: those of the deepest level that holds a value.
        std::string_view name;
        int deepest = -1;
        for (std::size_t o = 0; o < m_labels.size(); ++o) {
            if (m_levelOf[o] > deepest && !m_current[o].empty()) {
                deepest = m_levelOf[o];
                name = m_current[o];
            }
        }
        m_out.check->groupStart(m_groupLevel, name);
    }
    m_groupLevel = kNoGroup;
}

void RecordWriter::keepValue(HeaderLabel& label, std::string_view value) {
    if (label.values.size() < 2 &&
        std::find(label.values.begin(), label.values.end(), value) == label.values.end()) {
        label.values.emplace_back(value);
    }
}

void RecordWriter::record(const Chunk& chunk, const Chunk::Item& item) {
    m_anyRecord = true;
    m_pageTop = false;
    if (m_anyUntaken) {
        for (std::size_t o = 0; o < m_labels.size(); ++o) {
            if (!m_untaken[o]) continue;
            m_untaken[o] = 0;
            if (!m_current[o].empty()) keepValue(m_labels[o], m_current[o]);
        }
        m_anyUntaken = false;
    }
    endBlock();
    placeOthers();
    startGroup();
    std::uint32_t from = item.from, end = item.first;
    for (std::size_t c = 0; c < m_plan.columns.size(); ++c) {
        if (m_plan.columns[c].field < 0) {
            const int label = m_columnLabel[c];
            m_cells[c] =
                label < 0 ? std::string_view() : m_current[static_cast<std::size_t>(label)];
            continue;
        }
        const std::uint32_t to = chunk.ends[end++];
        m_cells[c] = chunk.text.view(from, to);
        from = to;
    }
    amounts(chunk, item, false);
    RecordFacts facts;
    facts.line = item.line + 1;
    facts.mark = item.mark;
    facts.topLevel = item.top;
    if (m_levelsColumn >= 0) facts.code = m_cells[static_cast<std::size_t>(m_levelsColumn)];
    if (m_plan.openings) m_cells.back() = kRecordRow;
    facts.cells = std::span<const std::string_view>(m_cells).first(m_plan.columns.size());
    m_out.check->addRecord(m_amounts, facts);
    if (m_out.runs) m_out.runs->record(facts.line, facts.cells, m_amounts);
    m_out.shape->recordLines.push_back(item.line + 1);
    const int row = static_cast<int>(m_out.shape->recordLines.size());
    if (m_runFirst == 0) m_runFirst = row;
    m_out.grid->writeRecord(row, m_cells);
}

// A group's note: into the note column of every record of the group so far (a voucher's
// explanation under its entries). Without a record to take it, a line not placed.
void RecordWriter::note(std::string_view text, const Chunk::Item& item) {
    if (m_plan.notes < 0 || m_runFirst == 0 || !m_out.grid) {
        m_pendingOther.push_back(item.line + 1);
        return;
    }
    placeOthers();
    const int rows = static_cast<int>(m_out.shape->recordLines.size());
    for (int r = m_runFirst; r <= rows; ++r) m_out.grid->addToCell(r, m_plan.notes + 1, text);
}

// An opening balance as a row of its own: the carried fields of its group, its label in the
// widest text column (the description's, not a voucher kind's), its figures in their columns.
void RecordWriter::opening(std::string_view label, const Chunk::Item& item) {
    const char separator = m_regional ? m_regional->decimalSeparator : ',';
    m_opening.assign(m_plan.columns.size(), std::string());
    std::size_t labelAt = m_plan.columns.size();
    for (std::size_t c = 0; c < m_plan.columns.size(); ++c) {
        const OutColumn& col = m_plan.columns[c];
        if (col.field < 0 || col.signedBy >= 0 || col.kind.kind != ColumnKind::Text ||
            col.kind.marks || col.field == m_plan.marks)
            continue;
        if (labelAt == m_plan.columns.size() ||
            m_out.shape->columns[c].width > m_out.shape->columns[labelAt].width)
            labelAt = c;
    }
    // The date it is printed with ("01.01.2024  DEVİR") goes into the first date column.
    std::size_t dateAt = m_plan.columns.size();
    for (std::size_t c = 0; c < m_plan.columns.size() && m_regional; ++c) {
        const OutColumn& col = m_plan.columns[c];
        if (col.field < 0 || col.kind.kind != ColumnKind::Date) continue;
        const std::string_view first = label.substr(0, label.find(' '));
        if (const auto date = readReportDate(first, col.kind.dateOrder, m_years)) {
            char out[16];
            m_opening[c].assign(out, formatShortDate(*date, *m_regional, out));
            label.remove_prefix(first.size());
            label.remove_prefix(std::min(label.size(), label.find_first_not_of(' ')));
            dateAt = c;
        }
        break;
    }
    for (std::size_t c = 0; c < m_plan.columns.size(); ++c) {
        const OutColumn& col = m_plan.columns[c];
        std::string& cell = m_opening[c];
        if (c == dateAt) continue;
        if (col.field < 0) {
            const int l = m_columnLabel[c];
            if (l >= 0) cell = m_current[static_cast<std::size_t>(l)];
            continue;
        }
        const auto s = std::find(m_plan.summed.begin(), m_plan.summed.end(), col.field);
        const auto slot = static_cast<std::size_t>(s - m_plan.summed.begin());
        if (s != m_plan.summed.end()) {
            if (!m_amounts.present[slot] || m_amounts.printed[slot].empty()) continue;
            std::int64_t units = m_amounts.value[slot];
            if (col.signedBy >= 0 && item.mark == 'A') units = -units;
            char out[32];
            cell.assign(out, formatAmount(units, col.kind.decimals, separator, out));
        } else if (col.field == m_plan.marks) {
            if (item.mark) cell.assign(1, item.mark);
        } else if (c == labelAt) {
            cell.assign(label);
        }
    }
    for (std::size_t c = 0; c < m_opening.size(); ++c) m_cells[c] = m_opening[c];
    m_cells.back() = kOpeningRow;
    m_out.shape->recordLines.push_back(item.line + 1);
    m_out.grid->writeRecord(static_cast<int>(m_out.shape->recordLines.size()), m_cells);
}

}  // namespace tablamo
