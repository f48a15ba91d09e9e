#include "clean/voucher_runs.h"

#include <algorithm>

#include "clean/heading_names.h"
#include "core/text_rules.h"

namespace tablamo {

VoucherRuns::VoucherRuns(const std::vector<OutColumn>& columns,
                         const std::vector<std::string>& headings) {
    std::vector<std::size_t> candidates;
    int slot = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const OutColumn& col = columns[c];
        if (col.field < 0 || col.signedBy >= 0) continue;
        const ColumnKind kind = col.kind.kind;
        if (kind == ColumnKind::Amount) {
            const EntrySide side =
                c < headings.size() ? entrySide(foldedUpper(headings[c])) : EntrySide::None;
            if (side == EntrySide::Debit && m_debit < 0) {
                m_debit = slot;
            } else if (side == EntrySide::Credit && m_credit < 0) {
                m_credit = slot;
            } else if (col.kind.decimals == 0 && !col.kind.marks) {
                candidates.push_back(c);
            }
            ++slot;
        } else if ((kind == ColumnKind::Date || kind == ColumnKind::Code) && !col.kind.marks) {
            candidates.push_back(c);
        }
    }
    if (m_debit < 0 || m_credit < 0) return;
    for (const std::size_t c : candidates) m_columns.push_back({c});
}

void VoucherRuns::close(Column& c) {
    if (c.open && c.records >= 2) {
        if (c.balance != 0 || c.early) {
            c.out = true;
        } else {
            c.runs.emplace_back(c.first, c.last);
        }
    }
    c.open = false;
}

void VoucherRuns::record(int line, std::span<const std::string_view> cells,
                         const LineAmounts& amounts) {
    if (m_columns.empty()) return;
    const auto figure = [&](int slot) {
        const auto s = static_cast<std::size_t>(slot);
        return amounts.present[s] ? amounts.value[s] : 0;
    };
    const std::int64_t net = figure(m_debit) - figure(m_credit);
    for (Column& c : m_columns) {
        if (c.out) continue;
        if (!cells[c.at].empty()) {
            close(c);
            c.open = true;
            c.early = false;
            c.first = line;
            c.records = 0;
            c.balance = 0;
        } else if (!c.open) {
            c.out = true;
            continue;
        }
        if (c.records > 0 && c.balance == 0) c.early = true;
        c.balance += net;
        c.last = line;
        ++c.records;
    }
}

void VoucherRuns::groupStart() {
    for (Column& c : m_columns) close(c);
}

std::vector<VoucherRuns::Carried> VoucherRuns::finish() {
    constexpr std::size_t kRunsAtLeast = 2;
    std::vector<Carried> carried;
    for (Column& c : m_columns) {
        close(c);
        if (!c.out && c.runs.size() >= kRunsAtLeast) carried.push_back({c.at, std::move(c.runs)});
    }
    return carried;
}

void carryDown(Grid& grid, const CleanShape& shape,
               const std::vector<VoucherRuns::Carried>& carried) {
    for (const VoucherRuns::Carried& column : carried) {
        const int col = static_cast<int>(column.column) + 1;
        auto run = column.runs.begin();
        std::string value;
        for (std::size_t r = 0; r < shape.recordLines.size() && run != column.runs.end(); ++r) {
            const int line = shape.recordLines[r];
            const int row = static_cast<int>(r) + 1;
            while (run != column.runs.end() && line > run->second) ++run;
            if (run == column.runs.end() || line < run->first) continue;
            if (line == run->first) {
                value.assign(grid.cell(col, row));
            } else if (grid.cell(col, row).empty()) {
                grid.setCell(col, row, value);
            }
        }
    }
}

}  // namespace tablamo
