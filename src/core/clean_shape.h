#pragma once
/// What a clean table is besides its cells: the kind and width of every column, the report
/// line every record starts on, and how the report's own totals compared.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/column_kind.h"
#include "core/grid.h"

namespace tablamo {

/// One column of a clean table (grid column 1, 2, ...).
struct CleanColumn {
    ColumnKind kind = ColumnKind::Text;
    int width = 0;  ///< characters, as the report gives the column
};

/// A printed figure that the records do not give. Texts in Windows-1254.
struct TotalMismatch {
    /// What disagrees: a total line's figure, a record's running balance, a parent
    /// account's figure against its sub-accounts', a level missing under a parent, a
    /// voucher's debit against its credit, a record's figure against the formula of its
    /// row that every other record keeps.
    enum class Kind : unsigned char { Total, Balance, Parent, Level, Voucher, Relation };
    int line = 0;          ///< 1-based report line of the total (record, parent, voucher)
    std::string label;     ///< the total line's words as printed ("GENEL TOPLAM"); the
                           ///< parent's code; the voucher's credit heading; the formula
                           ///< ("Matrah + KDV")
    std::string heading;   ///< the column's heading; Level: the missing account's code
    std::string printed;   ///< the amount as printed (a voucher: its debit)
    std::string computed;  ///< what the records give, in the report's notation
    Kind kind = Kind::Total;
};

/// The totals check's result.
struct TotalsVerdict {
    int checked = 0;    ///< total lines compared with the records
    int unchecked = 0;  ///< total lines with a figure no reading of the records explains
    std::vector<TotalMismatch> mismatches;
    /// Every printed total agrees with the records (and there was one to check).
    bool allAgree() const { return checked > 0 && mismatches.empty(); }
};

/// The shape of the clean table in the grid: row 0 the headings, column 0 the record
/// numbers 1..n, record i in grid row i.
struct CleanShape {
    std::vector<CleanColumn> columns;       ///< grid columns 1 to columns.size()
    std::vector<std::int32_t> recordLines;  ///< per record: the 1-based line it starts on
    /// The 1-based report lines the clean table could not place: neither part of a record,
    /// nor a heading, page header or footer, group field, total, rule or frame.
    std::vector<std::int32_t> unplacedLines;
    TotalsVerdict totals;

    /// The report line grid row `row` starts on; nothing for row 0 and rows past the records.
    std::optional<int> lineOfRow(int row) const {
        if (row < 1 || static_cast<std::size_t>(row) > recordLines.size()) return std::nullopt;
        return recordLines[static_cast<std::size_t>(row) - 1];
    }
};

}  // namespace tablamo
