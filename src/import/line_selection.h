#pragma once
/// Which report lines the import cuts, into which grid rows, and how.

#include <algorithm>
#include <cstdint>

#include "core/field_layout.h"

namespace tablamo {

/// The plain import's selection: every line from StartRow on, one grid row each from
/// StartColumn on; the first line as text, the following ones with number conversion.
/// Nothing is left out on account of its content. Lines past the end of the text read as
/// empty, so their rows come out empty.
class PlainSelection {
public:
    /// `lineCount` lines of text, `firstLine` = StartRow, `firstRow` = StartColumn.
    PlainSelection(int lineCount, std::int64_t firstLine, std::int64_t firstRow)
        : m_lines(lineCount), m_firstLine(firstLine), m_firstRow(firstRow) {}

    /// The first grid row written and the last, line count + 1 rows in all.
    std::int64_t firstRow() const { return m_firstRow; }
    std::int64_t lastRow() const { return m_firstRow + m_lines; }

    /// The rows the table needs so that the last line of the text that is read lands in
    /// it: a StartColumn past StartRow would otherwise push lines off the table's end.
    std::int64_t rowsNeeded() const {
        const std::int64_t k = std::min<std::int64_t>(m_lines, m_lines - 1 - m_firstLine);
        if (k < 0 || m_firstLine + k < 0) return 0;
        return m_firstRow + k + 1;
    }

    /// Calls `take(line, row, conversion)` for every selected line, in order.
    template <class Take>
    void forEach(Take&& take) const {
        take(m_firstLine, m_firstRow, FieldConversion::Text);
        for (std::int64_t i = 1; i <= m_lines; ++i) {
            take(m_firstLine + i, m_firstRow + i, FieldConversion::Numbers);
        }
    }

private:
    int m_lines;
    std::int64_t m_firstLine;
    std::int64_t m_firstRow;
};

}  // namespace tablamo
