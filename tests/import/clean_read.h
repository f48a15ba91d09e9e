#pragma once
// The clean table of a report's lines, as the shape tests read it; a report's bytes or a
// sample's file, imported clean.

#include <fstream>
#include <iterator>
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

inline const std::string kData = TABLAMO_TEST_DATA;

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The clean import of a report on a Turkish system, with the default settings.
struct Clean {
    Workspace ws;
    ImportOutcome outcome;

    explicit Clean(const std::string& bytes, const Clock& clock = Clock()) {
        ws.regional = RegionalSettings::turkish();
        ws.text = ReportText(bytes);
        outcome = importCleanReport(ws, clock);
    }
    explicit Clean(const std::vector<std::string>& lines, const Clock& clock = Clock())
        : Clean(joinCrLf(lines), clock) {}

    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 1; c < ws.grid().colCount(); ++c) cells.emplace_back(ws.grid().cell(c, r));
        return cells;
    }
    int records() const { return ws.grid().rowCount() - 1; }
};

}  // namespace tablamo::testing
