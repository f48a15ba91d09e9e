#include "import/clean_pass.h"

#include <algorithm>
#include <bitset>

#include "clean/header_fields.h"
#include "core/dos_text.h"
#include "core/pipeline.h"
#include "core/report_text.h"
#include "import/pass_chunk.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
constexpr std::size_t kMaxFieldsPerLine = 8;
// Lines read at a time; a report longer than kTwoThreadsFrom lines is read by two threads,
// chunk about chunk, and written in order by one.
constexpr int kChunkLines = 8192;
constexpr int kTwoThreadsFrom = 1 << 17;

// Reads chunks of lines; one per thread.
class Reader {
public:
    Reader(const ReportText& text, const TableLayout& table, const PassPlan& plan,
           const RegionalSettings& regional, bool writing)
        : m_text(text),
          m_table(table),
          m_plan(plan),
          m_regional(regional),
          m_writing(writing),
          m_a(table.fields),
          m_b(table.fields) {
        m_a.readAs(plan.kinds);
        m_b.readAs(plan.kinds);
        for (int k = 0; k < kFields; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            m_stats[idx] = ColumnStats(table.runFrom[idx], table.runTo[idx]);
        }
        for (int k = 0; k < kFields; ++k) {
            if (!plan.keys[static_cast<std::size_t>(k)]) continue;
            if (plan.kinds[static_cast<std::size_t>(k)].kind == ColumnKind::Code) m_codeKey = k;
            break;
        }
    }

    void read(Chunk& out) {
        out.clear();
        LineRole previous = LineRole::Other;
        m_lastCode.clear();
        LineCutter* free = &m_a;
        const CutLine* pending = nullptr;
        int pendingLine = 0;
        for (int i = out.first; i < out.end; ++i) {
            const std::string_view line = m_text.line(i);
            LineRole role = plainRole(line, m_table);
            const CutLine* cut = nullptr;
            const bool body = i >= m_table.dataStart && i >= m_plan.firstLine;
            if (role == LineRole::Other && body) {
                cut = &free->cut(line);
                role = classifyLine(line, *cut, m_plan.kinds, m_plan.keys, previous);
            }
            if (role == LineRole::Continuation) {
                gather(*cut);
                wraps(*cut, pending);
                previous = role;
                continue;
            }
            if (pending) {
                if (m_writing) record(pendingLine, *pending, out);
                pending = nullptr;
                m_pieces.clear();
            }
            if (startsPage(line, m_table))
                out.items.push_back({Chunk::Kind::Page, i, 0, 0, 0, 0, 0, false});
            if (role == LineRole::Record) {
                gather(*cut);
                ++m_records;
                nests(*cut);
                if (m_wrapped) {
                    m_below.reset();
                    m_wrapped = false;
                }
                pending = cut;
                pendingLine = i;
                free = free == &m_a ? &m_b : &m_a;  // the record's cut stays until written
            } else if (role == LineRole::Total) {
                if (m_writing) total(i, *cut, out);
            } else if (role == LineRole::Other) {
                fields(i, line, out);
            }
            previous = role;
        }
        if (pending && m_writing) record(pendingLine, *pending, out);
        m_pieces.clear();
    }

    const std::array<ColumnStats, kFields>& stats() const { return m_stats; }
    int records() const { return m_records; }
    int nestedField() const { return m_nested; }

private:
    void gather(const CutLine& c) {
        for (int k = 0; k < c.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            m_stats[idx].add(c.facts[idx], c.first[idx], c.last[idx], c.value[idx].size());
        }
    }

    void nests(const CutLine& c) {
        if (m_codeKey < 0) return;
        const std::string_view code = c.value[static_cast<std::size_t>(m_codeKey)];
        if (!m_lastCode.empty() && code.size() > m_lastCode.size() + 1 &&
            code.compare(0, m_lastCode.size(), m_lastCode) == 0 && code[m_lastCode.size()] == '.') {
            m_nested = m_codeKey;
        }
        m_lastCode.assign(code);
    }

    // A continuation line: where it goes on with a text of the line above (the record or
    // an earlier continuation line), how far before the column's edge that line ended; its
    // words kept for the text columns of the record above, with where they stand.
    void wraps(const CutLine& c, const CutLine* record) {
        m_wrapped = true;
        for (int k = 0; k < c.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            if (c.value[idx].empty()) continue;
            int above = -1;  // how far before the edge the text above ended
            if (m_below[idx]) {
                above = m_belowShort[idx];
            } else if (record && k < record->count && !record->value[idx].empty()) {
                above = std::max(m_table.runTo[idx] - record->last[idx], 0);
            }
            if (above >= 0) m_stats[idx].addWrap(above);
            m_below[idx] = true;
            m_belowShort[idx] = std::max(m_table.runTo[idx] - c.last[idx], 0);
            if (!m_writing) continue;
            const auto from = m_pieceText.size();
            m_pieceText.append(c.value[idx]);
            m_pieces.push_back({k, static_cast<std::uint32_t>(from), m_pieceText.size(), above,
                                c.first[idx] - m_table.runFrom[idx]});
        }
    }

    void fields(int line, std::string_view text, Chunk& out) {
        HeaderField found[kMaxFieldsPerLine];
        const std::size_t n = headerFieldsOfLine(text, m_converted, found, kMaxFieldsPerLine);
        for (std::size_t f = 0; f < n; ++f) {
            const std::uint32_t from = out.text.size();
            out.text.append(found[f].label);
            const std::uint32_t mid = out.text.size();
            out.text.append(found[f].value);
            out.items.push_back(
                {Chunk::Kind::Field, line, from, mid, mid, out.text.size(), 0, false});
        }
    }

    std::uint32_t amountSlots(Chunk& out) {
        const auto first = static_cast<std::uint32_t>(out.amounts.size());
        out.amounts.resize(out.amounts.size() + m_plan.summed.size(),
                           Chunk::Amount{0, 0, 0, false});
        return first;
    }

    void record(int line, const CutLine& c, Chunk& out) {
        const std::uint32_t amounts = amountSlots(out);
        Chunk::Item item{Chunk::Kind::Record,
                         line,
                         out.text.size(),
                         0,
                         static_cast<std::uint32_t>(out.ends.size()),
                         amounts,
                         0,
                         true};
        std::uint32_t slot = amounts;
        for (const OutColumn& col : m_plan.columns) {
            if (col.field < 0) continue;  // a carried field: the writer knows its value
            if (cell(c, col, out, slot)) ++slot;
            out.ends.push_back(out.text.size());
        }
        if (m_plan.marks >= 0) {
            const std::string_view mark = c.value[static_cast<std::size_t>(m_plan.marks)];
            item.mark = mark.empty() ? 0 : mark[0];
        }
        if (m_plan.levels >= 0) {
            const std::string_view code = c.value[static_cast<std::size_t>(m_plan.levels)];
            item.top = std::count(code.begin(), code.end(), '.') == m_plan.topPoints;
        }
        out.items.push_back(item);
    }

    // One typed cell; true when it was an amount column's (its slot then filled when it
    // held an amount). A text column takes its continuation lines.
    bool cell(const CutLine& c, const OutColumn& col, Chunk& out, std::uint32_t slot) {
        const auto idx = static_cast<std::size_t>(col.field);
        const std::string_view value = c.value[idx];
        const ColumnDecision& d = col.kind;
        const ReadValue& read = c.read[idx];
        if (d.kind == ColumnKind::Date) {
            if (const auto& date = read.date) {
                out.text.keep(formatShortDate(*date, m_regional, out.text.room(16)));
                return false;
            }
        } else if (d.kind == ColumnKind::Amount) {
            if (c.facts[idx].empty || c.facts[idx].placeholder) return true;  // a dash: nothing
            if (const auto& v = read.units) {
                out.amounts[slot].value = *v;
                out.amounts[slot].present = true;
                out.text.keep(
                    formatAmount(*v, d.decimals, m_regional.decimalSeparator, out.text.room(32)));
                return true;
            }
        }
        const std::uint32_t at = out.text.size();
        out.text.keep(dosToWinTextInto(value, out.text.room(value.size())));
        if (d.kind == ColumnKind::Text && !d.marks) {
            for (const Piece& p : m_pieces) {
                if (p.field != col.field) continue;
                const std::string_view piece = m_pieceText.view(p.from, p.to);
                // The rest of a word cut at the edge starts where the column's texts do.
                const bool glued = d.cutAt >= 0 && p.above == d.cutAt && p.lead <= d.cutAt;
                if (out.text.size() > at && !glued) out.text.append(" ");
                out.text.keep(dosToWinTextInto(piece, out.text.room(piece.size())));
            }
        }
        return d.kind == ColumnKind::Amount;
    }

    void total(int line, const CutLine& c, Chunk& out) {
        const std::uint32_t amounts = amountSlots(out);
        for (std::size_t s = 0; s < m_plan.summed.size(); ++s) {
            const auto idx = static_cast<std::size_t>(m_plan.summed[s]);
            if (!c.facts[idx].amount.valid) continue;
            if (const auto& v = c.read[idx].units) {
                Chunk::Amount& a = out.amounts[amounts + s];
                a.value = *v;
                a.present = true;
                a.printedFrom = out.text.size();
                out.text.append(c.value[idx]);
                a.printedTo = out.text.size();
            }
        }
        const std::uint32_t from = out.text.size();
        out.text.append(labelOf(c, m_plan.kinds));
        out.items.push_back(
            {Chunk::Kind::Total, line, from, out.text.size(), 0, amounts, 0, false});
    }

    struct Piece {
        int field;
        std::uint32_t from, to;
        int above;  // how far before the edge the text above ended; -1: none above
        int lead;   // how far after the column's first character the piece starts
    };

    const ReportText& m_text;
    const TableLayout& m_table;
    const PassPlan& m_plan;
    const RegionalSettings& m_regional;
    bool m_writing;
    LineCutter m_a, m_b;
    std::array<ColumnStats, kFields> m_stats;
    int m_records = 0, m_nested = -1, m_codeKey = -1;
    std::string m_lastCode, m_converted;
    std::vector<Piece> m_pieces;
    // The fields a continuation line of the record held, and how far before the edge each
    // ended.
    std::bitset<kFields> m_below;
    std::array<int, kFields> m_belowShort{};
    bool m_wrapped = false;
    Bytes m_pieceText;
};

// Takes the chunks in order: the header fields into the labels, the records into the grid,
// everything into the check.
class Writer {
public:
    Writer(const PassPlan& plan, const PassOutput& output, PassResult& result)
        : m_plan(plan),
          m_out(output),
          m_result(result),
          m_amounts(plan.summed.size()),
          m_cells(plan.columns.size()),
          m_columnLabel(plan.columns.size(), -1) {}

    void take(const Chunk& chunk) {
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

private:
    void field(std::string_view label, std::string_view value) {
        auto it = std::find_if(m_result.labels.begin(), m_result.labels.end(),
                               [&](const HeaderLabel& l) { return l.label == label; });
        if (it == m_result.labels.end()) {
            it = m_result.labels.insert(m_result.labels.end(),
                                        HeaderLabel{std::string(label), {}, false, ColumnStats()});
            m_current.emplace_back();
            for (std::size_t c = 0; c < m_plan.columns.size(); ++c) {
                if (m_plan.columns[c].field < 0 && m_plan.columns[c].label == label) {
                    m_columnLabel[c] = static_cast<int>(it - m_result.labels.begin());
                }
            }
        }
        HeaderLabel& l = *it;
        std::string& current = m_current[static_cast<std::size_t>(it - m_result.labels.begin())];
        if (current != value) {
            current.assign(value);
            ++m_generation;
        }
        if (l.values.size() < 2 &&
            std::find(l.values.begin(), l.values.end(), value) == l.values.end()) {
            l.values.emplace_back(value);
        }
        l.pageOnly |= numbersOrDatesThePage({l.label, value});
        l.stats.add(factsOf(value), 0, 0, value.size());
    }

    void amounts(const Chunk& chunk, const Chunk::Item& item, bool printed) {
        for (std::size_t s = 0; s < m_amounts.value.size(); ++s) {
            const Chunk::Amount& a = chunk.amounts[item.amounts + s];
            m_amounts.value[s] = a.value;
            m_amounts.present[s] = a.present;
            if (printed) {
                m_amounts.printed[s] = chunk.text.view(a.printedFrom, a.printedTo);
            }
        }
    }

    void record(const Chunk& chunk, const Chunk::Item& item) {
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

    const PassPlan& m_plan;
    const PassOutput& m_out;
    PassResult& m_result;
    LineAmounts m_amounts;
    std::vector<std::string_view> m_cells;
    std::vector<int> m_columnLabel;
    std::vector<std::string> m_current;
    std::uint64_t m_generation = 0, m_recordGeneration = 0;
};

// Chunks of about kChunkLines lines, parted at lines whose role needs no look at the line
// before (blank, rule, headings): no record is parted from its continuation lines.
std::vector<std::pair<int, int>> chunksOf(const ReportText& text, const TableLayout& table,
                                          int end) {
    std::vector<std::pair<int, int>> chunks;
    int from = 0;
    while (from < end) {
        int to = std::max(from + kChunkLines, table.dataStart);
        while (to < end && plainRole(text.line(to), table) == LineRole::Other) ++to;
        to = std::min(to, end);
        chunks.emplace_back(from, to);
        from = to;
    }
    return chunks;
}

}  // namespace

PassResult runPass(const ReportText& text, const TableLayout& table, const PassPlan& plan,
                   const RegionalSettings& regional, const PassOutput& output) {
    PassResult result;
    const bool writing = output.grid != nullptr;
    const auto chunks = chunksOf(text, table, std::min(plan.endLine, text.lineCount()));
    Reader mine(text, table, plan, regional, writing);
    Reader theirs(text, table, plan, regional, writing);
    Writer writer(plan, output, result);
    const auto read = [&](Reader& reader, std::size_t i, Chunk& chunk) {
        chunk.first = chunks[i].first;
        chunk.end = chunks[i].second;
        reader.read(chunk);
    };
    std::size_t next = 0;
    runPipeline(PipelineSteps<std::size_t, Chunk>{
                    [&](std::size_t& i) {
                        if (next == chunks.size()) return false;
                        i = next++;
                        return true;
                    },
                    [&](int worker, std::size_t i, Chunk& chunk) {
                        read(worker == 0 ? mine : theirs, i, chunk);
                    },
                    [&](std::size_t, const Chunk& chunk) { writer.take(chunk); }},
                plan.endLine >= kTwoThreadsFrom && chunks.size() > 1 ? PipelineThreads::Two
                                                                     : PipelineThreads::One);
    result.stats = mine.stats();
    for (std::size_t k = 0; k < result.stats.size(); ++k) result.stats[k].merge(theirs.stats()[k]);
    result.records = mine.records() + theirs.records();
    result.nestedField = mine.nestedField() >= 0 ? mine.nestedField() : theirs.nestedField();
    return result;
}

}  // namespace tablamo
