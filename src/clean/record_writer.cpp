#include "clean/record_writer.h"

#include <algorithm>

#include "clean/header_fields.h"

namespace tablamo {

RecordWriter::RecordWriter(const RecordPlan& plan, const RecordOutput& output, YearWindow years)
    : m_plan(plan),
      m_out(output),
      m_years(years),
      m_amounts(plan.summed.size()),
      m_cells(plan.columns.size()),
      m_columnLabel(plan.columns.size(), -1) {}

void RecordWriter::take(const Chunk& chunk) {
    for (const Chunk::Item& item : chunk.items) {
        switch (item.kind) {
            case Chunk::Kind::Page:
                if (m_out.check) m_out.check->pageBreak();
                break;
            case Chunk::Kind::Field:
                field(chunk.text.view(item.from, item.to),
                      chunk.text.view(item.first, item.amounts));
                break;
            case Chunk::Kind::Total:
                amounts(chunk, item, true);
                m_out.check->checkTotal(chunk.text.view(item.from, item.to), item.line + 1,
                                        m_amounts);
                break;
            case Chunk::Kind::Record:
                record(chunk, item);
                break;
        }
    }
}

void RecordWriter::field(std::string_view label, std::string_view value) {
    auto it = std::find_if(m_labels.begin(), m_labels.end(),
                           [&](const HeaderLabel& l) { return l.label == label; });
    if (it == m_labels.end()) {
        it = m_labels.insert(m_labels.end(),
                             HeaderLabel{std::string(label), {}, false, ColumnStats()});
        m_current.emplace_back();
        for (std::size_t c = 0; c < m_plan.columns.size(); ++c) {
            if (m_plan.columns[c].field < 0 && m_plan.columns[c].label == label) {
                m_columnLabel[c] = static_cast<int>(it - m_labels.begin());
            }
        }
    }
    HeaderLabel& l = *it;
    std::string& current = m_current[static_cast<std::size_t>(it - m_labels.begin())];
    if (current != value) {
        current.assign(value);
        ++m_generation;
    }
    if (l.values.size() < 2 &&
        std::find(l.values.begin(), l.values.end(), value) == l.values.end()) {
        l.values.emplace_back(value);
    }
    l.pageOnly |= numbersOrDatesThePage({l.label, value}, m_years);
    l.stats.add(factsOf(value, m_years), 0, 0, value);
}

void RecordWriter::amounts(const Chunk& chunk, const Chunk::Item& item, bool printed) {
    for (std::size_t s = 0; s < m_amounts.value.size(); ++s) {
        const Chunk::Amount& a = chunk.amounts[item.amounts + s];
        m_amounts.value[s] = a.value;
        m_amounts.present[s] = a.present;
        if (printed) m_amounts.printed[s] = chunk.text.view(a.printedFrom, a.printedTo);
    }
}

void RecordWriter::record(const Chunk& chunk, const Chunk::Item& item) {
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
    m_out.check->addRecord(m_amounts, item.mark, item.top, m_generation != m_recordGeneration);
    m_recordGeneration = m_generation;
    m_out.shape->recordLines.push_back(item.line + 1);
    m_out.grid->writeRecord(static_cast<int>(m_out.shape->recordLines.size()), m_cells);
}

}  // namespace tablamo
