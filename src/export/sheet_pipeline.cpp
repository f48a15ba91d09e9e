#include "export/sheet_pipeline.h"

#include "core/pipeline.h"

namespace tablamo {
namespace {

// A chunk ends after this many bytes of cell text (about a megabyte of XML) or this many
// rows, whichever comes first, and never across worksheets.
constexpr std::size_t kChunkText = std::size_t{256} << 10;
constexpr int kChunkRows = 16384;
// XML gathered before it goes through the CRC and the deflater: small enough to stay in
// the cache between the two.
constexpr std::size_t kXmlPiece = std::size_t{128} << 10;

}  // namespace

struct SheetPipeline::Chunk {
    Deflater deflater;
    ByteBuffer xml;
    ByteBuffer deflated;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;

    void flushXml() {
        crc = crc32Of(xml.view(), crc);
        size += xml.size();
        deflater.add(xml.view(), deflated);
        xml.clear();
    }
    void append(std::string_view bytes) { xml.append(bytes); }
};

SheetPipeline::SheetPipeline(const Grid& grid, const SheetRows& rows, ZipWriter& zip)
    : m_grid(grid), m_rows(rows), m_zip(zip) {}

void SheetPipeline::add(SheetPart part) { m_parts.push_back(std::move(part)); }

std::uint64_t SheetPipeline::sizeBound(const SheetPart& part) const {
    std::uint64_t frame = part.head.size() + part.tail.size();
    if (part.heading) frame += m_rows.bound(m_grid.row(0));
    // Every cell text of the grid lies in its storage, which bounds any worksheet's text.
    const auto rows = static_cast<std::uint64_t>(part.span.end - part.span.first);
    const std::uint64_t quick = frame + m_rows.bound(rows, m_grid.storageBytes());
    if (!m_zip.needsZip64(quick)) return quick;
    // A sheet's size in ZIP64 form keeps some readers (LibreOffice) from opening the
    // workbook: before it is chosen, the sheet's own cells give a closer bound.
    std::uint64_t bound = frame;
    Grid::RowCells cells;
    for (int r = part.span.first; r < part.span.end; ++r) {
        m_grid.readRow(r, cells);
        bound += m_rows.bound(cells);
    }
    return bound;
}

void SheetPipeline::run() {
    if (m_parts.empty()) return;
    m_nextPart = 0;
    m_nextRow = m_parts.front().span.first;
    runPipeline(PipelineSteps<Job, Chunk>{
        [this](Job& job) { return take(job); },
        [this](int, const Job& job, Chunk& chunk) { build(job, chunk); },
        [this](const Job& job, const Chunk& chunk) { deliver(job, chunk); }});
}

bool SheetPipeline::take(Job& job) {
    if (m_nextPart == m_parts.size()) return false;
    const SheetSpan& span = m_parts[m_nextPart].span;
    job.part = m_nextPart;
    job.from = m_nextRow;
    job.first = m_nextRow == span.first;
    int to = m_nextRow;
    std::size_t text = 0;
    Grid::RowCells cells;
    while (to < span.end && to - job.from < kChunkRows && text < kChunkText) {
        m_grid.readRow(to, cells);
        for (const std::string_view cell : cells) text += cell.size();
        ++to;
    }
    job.to = to;
    job.last = to == span.end;
    if (job.last && ++m_nextPart < m_parts.size()) {
        m_nextRow = m_parts[m_nextPart].span.first;
    } else {
        m_nextRow = to;
    }
    return true;
}

void SheetPipeline::build(const Job& job, Chunk& chunk) const {
    const SheetPart& part = m_parts[job.part];
    chunk.deflater.begin(chunk.deflated);
    chunk.xml.clear();
    chunk.crc = 0;
    chunk.size = 0;
    auto putRow = [&](const Grid::RowCells& cells, int sheetRow, bool heading) {
        const std::size_t need = m_rows.bound(cells);
        if (chunk.xml.size() > 0 && chunk.xml.size() + need > kXmlPiece) chunk.flushXml();
        char* at = chunk.xml.room(need);
        chunk.xml.grow(static_cast<std::size_t>(m_rows.write(at, cells, sheetRow, heading) - at));
    };
    if (job.first) {
        chunk.append(part.head);
        if (part.heading) putRow(m_grid.row(0), 1, true);
    }
    Grid::RowCells cells;
    for (int r = job.from; r < job.to; ++r) {
        m_grid.readRow(r, cells);
        putRow(cells, r - part.span.offset, false);
    }
    if (job.last) chunk.append(part.tail);
    chunk.flushXml();
    chunk.deflater.end(chunk.deflated);
}

void SheetPipeline::deliver(const Job& job, const Chunk& chunk) {
    const SheetPart& part = m_parts[job.part];
    if (job.first) m_zip.beginMember(part.member, sizeBound(part));
    m_zip.appendDeflated(chunk.deflated.view(), chunk.crc, chunk.size);
    if (job.last) m_zip.endMember();
}

}  // namespace tablamo
