#include "clean/clean_pass.h"

#include <algorithm>
#include <string>

#include "clean/column_finder.h"
#include "clean/header_fields.h"
#include "clean/total_label.h"
#include "core/dos_text.h"
#include "core/pipeline.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

constexpr int kFields = CutLine::kFields;
// Lines read at a time; a report longer than kTwoThreadsFrom lines is read by two threads,
// chunk about chunk, and written in order by one.
constexpr int kChunkLines = 4096;
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
          m_roles(text, table,
                  {&plan.kinds, &plan.keys, &plan.usual, plan.firstLine, plan.leftEdge}, years),
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
        bool pageTop = false;  // a page's header printed, no line of the table's since
        m_lastCode.clear();
        m_heading = 0;
        LineCutter* free = &m_a;
        LineFields fields;
        for (int i = out.first; i < out.end; ++i) {
            const std::string_view line = m_text.line(i);
            const CutLine* cut = nullptr;
            pageTop = pageTop || (!line.empty() && line.front() == '\f');
            const bool underHeader =
                pageTop && (previous == LineRole::Other || previous == LineRole::Blank);
            const LineRole role = m_roles.roleOf(i, underHeader ? LineRole::PageHeader : previous,
                                                 *free, cut, fields);
            if (role == LineRole::PageHeader) {
                pageTop = true;
            } else if (role != LineRole::Blank && role != LineRole::Other &&
                       role != LineRole::Rule) {
                pageTop = false;
            }
            const bool body = i >= m_table.dataStart && i >= m_plan.firstLine;
            // A line of words that goes on no text of the record right before a total may be
            // the note of its group (a voucher's explanation under its entries).
            // A report that prints such notes prints them before its totals only; there, the
            // last line under a record before a total is the note, whatever its words.
            if (role != LineRole::Blank) {
                if (m_candidate >= 0) {
                    if (role == LineRole::Total) {
                        m_noteLines.push_back(m_candidate);
                        m_fitNotes += m_candidateFits;
                    } else {
                        m_noNotes += m_candidateFits;
                    }
                }
                m_candidate = -1;
            }
            if (role == LineRole::Continuation) {
                m_candidate = i;
                m_candidateFits = m_typer.isNote(*cut);
                if (std::binary_search(m_plan.noteLines.begin(), m_plan.noteLines.end(), i)) {
                    m_typer.note(i, *cut, out);
                    m_noteWidth = std::max(m_noteWidth, static_cast<int>(TrimControl(line).size()));
                    previous = LineRole::Other;
                    continue;
                }
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
            // A group's block of lines of words goes on past lines of fields and lines placed
            // nowhere; any other line ends it.
            const bool passed = body && (role == LineRole::Other || role == LineRole::Block ||
                                         role == LineRole::PageHeader);
            if (!passed) endBlock(out);
            // The headings again begin a page too, whatever rule is printed under them. The
            // headings' rule right under the table's lines, no page header or heading over it,
            // may close the records over their totals: the lines over it are no footer.
            if (startsPage(line, m_table) || role == LineRole::Heading) {
                const bool closing =
                    role == LineRole::Rule && line.front() != '\f' && !pageTop && m_underRecord;
                m_typer.page(i, out, closing);
            }
            m_underRecord = role == LineRole::Record ||
                            (m_underRecord && (role == LineRole::Other || role == LineRole::Blank));
            switch (role) {
                case LineRole::Record:
                    m_depth = std::max(m_depth, m_heading);
                    m_heading = 0;
                    gather(*cut);
                    ++m_records;
                    nests(*cut);
                    m_typer.record(i, *cut, out);
                    free = free == &m_a ? &m_b : &m_a;  // the record's cut stays until written
                    break;
                case LineRole::Total:
                    for (int k = 0; k < cut->count; ++k)
                        m_stats[static_cast<std::size_t>(k)].addTotal(
                            cut->facts[static_cast<std::size_t>(k)],
                            cut->value[static_cast<std::size_t>(k)]);
                    m_typer.total(i, *cut, out, fields.part);
                    break;
                case LineRole::Block:
                    if (fields.bare) {
                        m_block.push_back(i);
                        previous = LineRole::Other;
                        continue;
                    }
                    [[fallthrough]];
                case LineRole::PageHeader:
                    for (std::size_t f = 0; f < fields.count; ++f) {
                        m_typer.field(i, fields.found[f].label, fields.found[f].value,
                                      role == LineRole::Block, out);
                    }
                    break;
                case LineRole::Other:
                    if (body) m_typer.other(i, out);
                    break;
                default:
                    break;
            }
            // The table's own rule line (or a frame's rule under the headings) sums nothing;
            // a block's or page header's line is to the next as any other line.
            previous = role == LineRole::Rule && headingRule(line)               ? LineRole::Heading
                       : role == LineRole::Block || role == LineRole::PageHeader ? LineRole::Other
                                                                                 : role;
        }
        m_typer.endRecord(out);
        endBlock(out);
        // Lines of words after the table's last record (a footer, the next page's firm) head
        // no group: they make no level of one. Records in the next chunk may follow.
        if (out.end < m_plan.endLine) m_depth = std::max(m_depth, m_heading);
    }

    const std::array<ColumnStats, kFields>& stats() const { return m_stats; }
    int groupDepth() const { return m_depth; }
    int records() const { return m_records; }
    int nestedField() const { return m_nested; }
    int digitNests() const { return m_digitNests; }
    int codeKey() const { return m_codeKey; }
    int topDigits() const { return m_topDigits; }
    const std::vector<int>& noteLines() const { return m_noteLines; }
    int noNotes() const { return m_noNotes; }
    int fitNotes() const { return m_fitNotes; }
    int noteWidth() const { return m_noteWidth; }

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
        if (!m_lastCode.empty() && CodeLevels{}.under(code, m_lastCode)) m_nested = m_codeKey;
        // Undotted classes and groups over their accounts, by more digits: 1, 10, 100.
        const CodeLevels digits{true};
        if (!m_lastCode.empty() && digits.under(code, m_lastCode) &&
            m_lastCode.find_first_not_of("0123456789") == std::string::npos &&
            code[m_lastCode.size()] != '.')
            ++m_digitNests;
        if (!code.empty()) m_topDigits = std::min(m_topDigits, digits.depth(code));
        m_lastCode.assign(code);
    }

    // The block lines gathered, as the fields of their groups: the last the innermost level
    // ("Grup 3" under "Grup 2" under "Grup"), the ones before it the levels over it.
    void endBlock(Chunk& out) {
        if (m_block.empty()) return;
        const int k = static_cast<int>(m_block.size());
        m_heading = k;
        const int depth = std::max(m_plan.groupDepth, k);
        for (int b = 0; b < k; ++b) {
            const int level = depth - k + b;
            const int line = m_block[static_cast<std::size_t>(b)];
            std::string_view value = TrimControl(m_roles.converted(m_text.line(line)));
            value = blockName(value);
            const std::string label =
                level == 0 ? std::string(kGroupLabel)
                           : std::string(kGroupLabel) + " " + std::to_string(level + 1);
            m_typer.field(line, label, value, true, out);
        }
        m_block.clear();
    }

    bool headingRule(std::string_view line) const {
        const std::string_view key = repeatKey(line);
        return key == m_table.tableText ||
               (m_table.dataStart > 0 && key == repeatKey(m_text.line(m_table.dataStart - 1)));
    }

    const ReportText& m_text;
    const TableLayout& m_table;
    const PassPlan& m_plan;
    LineCutter m_a, m_b;
    LineRoles m_roles;
    RecordTyper m_typer;
    std::array<ColumnStats, kFields> m_stats;
    int m_records = 0, m_nested = -1, m_codeKey = -1, m_depth = 0, m_noNotes = 0, m_noteWidth = 0;
    int m_digitNests = 0, m_topDigits = INT_MAX;
    int m_candidate = -1;          // the line that may be a note, until the next line tells
    bool m_underRecord = false;    // no line of the table's since the last record
    bool m_candidateFits = false;  // its words went on no text
    int m_fitNotes = 0;
    std::vector<int> m_noteLines;
    std::vector<int> m_block;  // the block lines of a group, gathered
    int m_heading = 0;         // the levels of the last block, until a record comes under it
    std::string m_lastCode;
};

// Chunks of about kChunkLines lines, parted at lines whose role needs no look at the line
// before (blank, rule, headings): no record is parted from its continuation lines.
std::vector<std::pair<int, int>> chunksOf(const ReportText& text, const TableLayout& table,
                                          int from, int end) {
    std::vector<std::pair<int, int>> chunks;
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

std::vector<int> sureRecords(const ReportText& text, int from, int end, char bar) {
    constexpr std::size_t kLooked = 20000;
    std::vector<int> records;
    std::string parted;
    end = std::min(end, text.lineCount());
    for (int i = std::max(from, 0); i < end && records.size() < kLooked; ++i) {
        std::string_view line = text.line(i);
        if (bar != 0 && line.find(bar) != std::string_view::npos) {
            parted.assign(line);
            std::replace(parted.begin(), parted.end(), bar, ' ');
            line = parted;
        }
        if (looksLikeRecord(line)) records.push_back(i);
    }
    return records;
}

int recordsLeftEdge(const ReportText& text, const std::vector<int>& records, char bar) {
    int edge = -1;
    for (const int i : records) {
        const int at = firstMark(text.line(i), bar);
        if (at >= 0 && (edge < 0 || at < edge)) edge = at;
    }
    return edge;
}

PassResult runPass(const ReportText& text, const TableLayout& table, const PassPlan& plan,
                   const RegionalSettings& regional, YearWindow years, const RecordOutput& output) {
    PassResult result;
    const bool writing = output.grid != nullptr;
    const auto chunks =
        chunksOf(text, table, plan.beginLine, std::min(plan.endLine, text.lineCount()));
    Reader mine(text, table, plan, regional, years, writing);
    Reader theirs(text, table, plan, regional, years, writing);
    RecordWriter writer(plan, output, years, &regional);
    const auto read = [&](int worker, std::size_t i, Chunk& chunk) {
        chunk.first = chunks[i].first;
        chunk.end = chunks[i].second;
        (worker == 0 ? mine : theirs).read(chunk);
    };
    std::size_t next = 0;
    const auto cut = [&](std::size_t& i) {
        if (next == chunks.size()) return false;
        i = next++;
        return true;
    };
    const auto take = [&](std::size_t, const Chunk& chunk) {
        writer.take(chunk);
        // The lines written through hold no memory while the rest is read.
        if (writing) text.releasePagesBefore(chunk.end);
    };
    runPipeline(PipelineSteps<std::size_t, Chunk>{cut, read, take},
                plan.endLine >= kTwoThreadsFrom && chunks.size() > 1 ? PipelineThreads::Two
                                                                     : PipelineThreads::One);
    result.stats = mine.stats();
    for (std::size_t k = 0; k < result.stats.size(); ++k) result.stats[k].merge(theirs.stats()[k]);
    result.records = mine.records() + theirs.records();
    result.nestedField = mine.nestedField() >= 0 ? mine.nestedField() : theirs.nestedField();
    result.digitNests = mine.digitNests() + theirs.digitNests();
    result.codeKey = mine.codeKey();
    result.topDigits = std::min(mine.topDigits(), theirs.topDigits());
    result.groupDepth = std::max(mine.groupDepth(), theirs.groupDepth());
    result.noteLines = mine.noteLines();
    result.noteLines.insert(result.noteLines.end(), theirs.noteLines().begin(),
                            theirs.noteLines().end());
    std::sort(result.noteLines.begin(), result.noteLines.end());
    result.noNotes = mine.noNotes() + theirs.noNotes();
    result.fitNotes = mine.fitNotes() + theirs.fitNotes();
    result.noteWidth = std::max(mine.noteWidth(), theirs.noteWidth());
    result.labels = writer.labels();
    return result;
}

}  // namespace tablamo
