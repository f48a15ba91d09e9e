#pragma once
/// The worksheets' XML built and deflated on two threads, in chunks of rows, and written in
/// order into the workbook's package (through the two-thread pipeline).

#include <cstdint>
#include <string>
#include <vector>

#include "core/grid.h"
#include "export/sheet_xml.h"
#include "export/zip_writer.h"

namespace tablamo {

/// The grid rows [first, end) of one worksheet, written as worksheet rows r - offset.
struct SheetSpan {
    int first = 1;
    int end = 1;
    int offset = 0;
};

/// One worksheet's member of the package.
struct SheetPart {
    std::string member;  ///< its name in the package
    std::string head;    ///< the XML before the rows
    std::string tail;    ///< the XML after them
    SheetSpan span;
    bool heading = false;  ///< grid row 0 goes first, as the heading row
};

/// Writes the worksheets into `zip`. The rows are cut into chunks of about a megabyte of
/// XML; two threads each take the next chunk, lay out its XML and deflate it on their own,
/// and the chunks go into the package in their order. At most three chunks are in memory.
class SheetPipeline {
public:
    SheetPipeline(const Grid& grid, const SheetRows& rows, ZipWriter& zip);

    void add(SheetPart part);
    /// Writes every worksheet added; raises the first error either thread met.
    void run();

private:
    struct Job {
        std::size_t part = 0;
        int from = 0;
        int to = 0;
        bool first = false;
        bool last = false;
    };
    struct Chunk;

    bool take(Job& job);
    void build(const Job& job, Chunk& chunk) const;
    void deliver(const Job& job, const Chunk& chunk);
    std::uint64_t sizeBound(const SheetPart& part) const;

    const Grid& m_grid;
    const SheetRows& m_rows;
    ZipWriter& m_zip;
    std::vector<SheetPart> m_parts;
    std::size_t m_nextPart = 0;  // where the next chunk begins
    int m_nextRow = 0;
};

}  // namespace tablamo
