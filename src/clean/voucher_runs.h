#pragma once
/// Columns a journal prints on each voucher's first line only (its number, its date): on the
/// lines under it they are blank, yet theirs. Told by the vouchers themselves: every run of
/// lines from one that prints the column to the next balances (debit = credit), and none
/// balances before its last line.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clean/record_typer.h"
#include "clean/totals_check.h"
#include "core/clean_shape.h"
#include "core/grid.h"

namespace tablamo {

class VoucherRuns {
public:
    /// What a plan's columns may be printed once a voucher: dates, codes and whole numbers,
    /// besides the debit and the credit (headed "Borç", "Alacak"); none without both.
    VoucherRuns(const std::vector<OutColumn>& columns, const std::vector<std::string>& headings);

    /// The next record: its cells (one per column) and its amounts (one per summed column).
    void record(int line, std::span<const std::string_view> cells, const LineAmounts& amounts);
    /// A group begins: no run goes on over it.
    void groupStart();

    /// A column carried down: the lines of the first and last record of each of its runs.
    struct Carried {
        std::size_t column;
        std::vector<std::pair<int, int>> runs;
    };
    /// The columns that every run of two records or more shows printed once a voucher (two
    /// such runs at least).
    std::vector<Carried> finish();

private:
    struct Column {
        std::size_t at;
        bool out = false;  // a run that is no voucher, or a blank with no line over it
        bool open = false;
        bool early = false;  // the run balanced before its last record
        int first = 0, last = 0, records = 0;
        std::int64_t balance = 0;
        std::vector<std::pair<int, int>> runs;
    };
    void close(Column& c);

    std::vector<Column> m_columns;
    int m_debit = -1, m_credit = -1;  // summed slots
};

/// Writes each carried column's first value into the blank cells of its runs' records.
void carryDown(Grid& grid, const CleanShape& shape,
               const std::vector<VoucherRuns::Carried>& carried);

}  // namespace tablamo
