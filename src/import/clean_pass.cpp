#include "import/clean_pass.h"

#include <algorithm>

#include "clean/header_fields.h"
#include "core/pipeline.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
constexpr std::size_t kMaxFieldsPerLine = 8;
// Lines read at a time; a report longer than kTwoThreadsFrom lines is read by two threads,
// chunk about chunk, and written in order by one.
constexpr int kChunkLines = 8192;
constexpr int kTwoThreadsFrom = 1 << 17;

// Reads chunks of lines, giving each its role; one per thread. The record writer types
// what the roles say.
class Reader {
public:
    Reader(const ReportText& text, const TableLayout& table, const PassPlan& plan,
           const RegionalSettings& regional, YearWindow years, bool writing)
        : m_text(text),
          m_table(table),
          m_plan(plan),
          m_a(table.fields, years),
          m_b(table.fields, years),
          m_typer(plan, table.runFrom, table.runTo, regional, writing) {
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
                m_typer.continuation(*cut, [&](int k, int above) {
                    m_stats[static_cast<std::size_t>(k)].addWrap(above);
                });
                previous = role;
                continue;
            }
            m_typer.endRecord(out);
            if (startsPage(line, m_table)) m_typer.page(i, out);
            if (role == LineRole::Record) {
                gather(*cut);
                ++m_records;
                nests(*cut);
                m_typer.record(i, *cut, out);
                free = free == &m_a ? &m_b : &m_a;  // the record's cut stays until written
            } else if (role == LineRole::Total) {
                m_typer.total(i, *cut, out);
            } else if (role == LineRole::Other) {
                fields(i, line, out);
            }
            previous = role;
        }
        m_typer.endRecord(out);
    }

    const std::array<ColumnStats, kFields>& stats() const { return m_stats; }
    int records() const { return m_records; }
    int nestedField() const { return m_nested; }

private:
    void gather(const CutLine& c) {
        for (int k = 0; k < c.count; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            m_stats[idx].add(c.facts[idx], c.first[idx], c.last[idx], c.value[idx]);
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

    void fields(int line, std::string_view text, Chunk& out) {
        HeaderField found[kMaxFieldsPerLine];
        const std::size_t n = headerFieldsOfLine(text, m_converted, found, kMaxFieldsPerLine);
        for (std::size_t f = 0; f < n; ++f)
            m_typer.field(line, found[f].label, found[f].value, out);
    }

    const ReportText& m_text;
    const TableLayout& m_table;
    const PassPlan& m_plan;
    LineCutter m_a, m_b;
    RecordTyper m_typer;
    std::array<ColumnStats, kFields> m_stats;
    int m_records = 0, m_nested = -1, m_codeKey = -1;
    std::string m_lastCode, m_converted;
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
                   const RegionalSettings& regional, YearWindow years, const RecordOutput& output) {
    PassResult result;
    const bool writing = output.grid != nullptr;
    const auto chunks = chunksOf(text, table, std::min(plan.endLine, text.lineCount()));
    Reader mine(text, table, plan, regional, years, writing);
    Reader theirs(text, table, plan, regional, years, writing);
    RecordWriter writer(plan, output, years);
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
    result.labels = writer.labels();
    return result;
}

}  // namespace tablamo
