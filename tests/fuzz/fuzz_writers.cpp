// The CSV and HTML writers on a grid of any cells: the CSV must read back to the same
// cells, and the page written in one go must equal the page built line by line.

#include <cstdlib>
#include <string>
#include <vector>

#include "core/byte_sink.h"
#include "core/grid.h"
#include "export/csv_writer.h"
#include "export/html_writer.h"
#include "fuzz_input.h"

namespace {

// Reads a CSV file as the writer writes it: fields joined by ",", a field in double quotes
// with its quotes doubled, CR LF after every record.
bool readCsv(std::string_view csv, std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    bool fieldStarted = false;
    while (i < csv.size()) {
        if (!fieldStarted && csv[i] == '"') {
            ++i;
            for (;;) {
                if (i >= csv.size()) return false;
                if (csv[i] == '"') {
                    if (i + 1 < csv.size() && csv[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += csv[i++];
            }
            fieldStarted = true;
            continue;
        }
        if (csv[i] == ',') {
            row.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
            ++i;
        } else if (csv[i] == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            row.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
            rows.push_back(std::move(row));
            row.clear();
            i += 2;
        } else {
            field += csv[i++];
            fieldStarted = true;
        }
    }
    return row.empty() && field.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    Grid grid;
    grid.setRowCount(in.number(0, 40));
    grid.font().bold = in.flag();
    grid.font().italic = in.flag();
    grid.font().underline = in.flag();
    while (!in.rest().empty()) {
        const int c = in.number(0, 20);
        const int r = in.number(0, 40);
        grid.setCell(c, r, in.text(40));
    }

    StringSink csv;
    writeCsv(grid, csv);
    std::vector<std::vector<std::string>> rows;
    if (!readCsv(csv.bytes(), rows)) std::abort();
    if (rows.size() != static_cast<std::size_t>(grid.rowCount())) std::abort();
    for (int r = 0; r < grid.rowCount(); ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        if (row.size() != static_cast<std::size_t>(grid.colCount())) std::abort();
        for (int c = 0; c < grid.colCount(); ++c) {
            if (row[static_cast<std::size_t>(c)] != grid.cell(c, r)) std::abort();
        }
    }
    StringSink csvUtf8;
    writeCsv(grid, csvUtf8, TextEncoding::Utf8);

    std::vector<std::string> lines;
    GridToHTML(grid, lines, 1);
    StringSink viaLines, direct;
    writeLines(lines, viaLines);
    writeHtml(grid, direct, 1);
    if (viaLines.bytes() != direct.bytes()) std::abort();
    // Every cell line carries the cell's text escaped between the style tags, so no text
    // of the report turns into markup and none of it is lost.
    const GridFont& font = grid.font();
    const std::string open = std::string(font.bold ? "<b>" : "") + (font.italic ? "<i>" : "") +
                             (font.underline ? "<u>" : "");
    const std::string close = std::string(font.underline ? "</u>" : "") +
                              (font.italic ? "</i>" : "") + (font.bold ? "</b>" : "");
    std::size_t cellLines = 0;
    for (const auto& line : lines) {
        if (line.rfind("    <td", 0) != 0) continue;
        const int r = static_cast<int>(cellLines / 21);
        const int c = static_cast<int>(cellLines % 21);
        ++cellLines;
        const std::size_t start = line.find('>', line.find("<font")) + 1;
        const std::size_t stop = line.rfind("</font></td>");
        if (start == 0 || stop == std::string::npos || stop < start) std::abort();
        std::string_view inner(line.data() + start, stop - start);
        if (inner.substr(0, open.size()) != open) std::abort();
        inner.remove_prefix(open.size());
        if (inner.size() < close.size() || inner.substr(inner.size() - close.size()) != close)
            std::abort();
        inner.remove_suffix(close.size());
        std::string text;
        for (std::size_t i = 0; i < inner.size(); ++i) {
            if (inner[i] == '<' || inner[i] == '>' || inner[i] == '"') std::abort();
            if (inner[i] != '&') {
                text += inner[i];
                continue;
            }
            bool known = false;
            for (const auto& [entity, ch] : {std::pair<std::string_view, char>{"&amp;", '&'},
                                             {"&lt;", '<'},
                                             {"&gt;", '>'},
                                             {"&quot;", '"'}}) {
                if (inner.substr(i, entity.size()) == entity) {
                    text += ch;
                    i += entity.size() - 1;
                    known = true;
                    break;
                }
            }
            if (!known) std::abort();
        }
        const std::string_view cell = grid.cell(c, r);
        if (text != (cell.empty() ? std::string_view(" ") : cell)) std::abort();
    }
    if (cellLines != static_cast<std::size_t>(grid.rowCount()) * 21) std::abort();
    StringSink htmlUtf8;
    HtmlLayout layout;
    layout.encoding = TextEncoding::Utf8;
    writeHtml(grid, htmlUtf8, 2, layout);
    return 0;
}
