#pragma once
// The clean table of a report's lines, as the shape tests read it.

#include <string>
#include <vector>

#include "core/workspace.h"
#include "import/clean_import.h"
#include "support/report_lines.h"

namespace tablamo::testing {

using Row = std::vector<std::string>;

// The clean table of a report's lines on a Turkish system: its rows under the headings, the
// first column (the row's mark) left out.
struct Read {
    Workspace ws;
    ImportOutcome outcome;
    std::vector<Row> rows;

    explicit Read(const std::vector<std::string>& lines, bool openings = false) {
        ws.regional = RegionalSettings::turkish();
        ws.settings.openings = openings;
        ws.text = ReportText(joinCrLf(lines));
        outcome = importCleanReport(ws, Clock());
        for (int r = 0; r < ws.grid().rowCount(); ++r) {
            Row row;
            for (int c = 1; c < ws.grid().colCount(); ++c) row.emplace_back(ws.grid().cell(c, r));
            rows.push_back(std::move(row));
        }
    }
};

}  // namespace tablamo::testing
