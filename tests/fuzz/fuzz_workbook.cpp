// The workbook writer on a grid of any cells, any layout options and a low ZIP64 limit: the
// package is read back front to back (every member inflated, its sizes and CRC checked; a
// fault raises) and the worksheet's XML read cell by cell. Every cell the grid holds is
// there once, at its address, in order: its text exactly (in UTF-8), or a number that reads
// back as the grid text's own value; texts and codes stay texts.

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_sink.h"
#include "core/encoding.h"
#include "core/grid.h"
#include "export/cell_value.h"
#include "export/sheet_xml.h"
#include "export/xlsx_writer.h"
#include "export/zip_reader.h"
#include "fuzz_input.h"

namespace {

using namespace tablamo;

// Aborts, naming the check that failed.
#define CHECK(ok)                                                              \
    do {                                                                       \
        if (!(ok)) {                                                           \
            std::fprintf(stderr, "fuzz_workbook.cpp:%d: %s\n", __LINE__, #ok); \
            std::abort();                                                      \
        }                                                                      \
    } while (false)

// An inline text as a reader takes it: entities and "_xHHHH_" escapes undone.
std::string decoded(std::string_view xml) {
    std::string plain;
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i < xml.size();) {
        if (xml[i] == '&') {
            bool known = false;
            for (const auto& [entity, ch] :
                 {std::pair<std::string_view, char>{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}}) {
                if (xml.substr(i, entity.size()) == entity) {
                    plain += ch;
                    i += entity.size();
                    known = true;
                    break;
                }
            }
            CHECK(known);
        } else if (xml[i] == '_' && i + 6 < xml.size() &&
                   (xml[i + 1] == 'x' || xml[i + 1] == 'X') && hex(xml[i + 2]) && hex(xml[i + 3]) &&
                   hex(xml[i + 4]) && hex(xml[i + 5]) && xml[i + 6] == '_') {
            unsigned code = 0;
            std::from_chars(xml.data() + i + 2, xml.data() + i + 6, code, 16);
            CHECK(code < 0x80);  // only ASCII control characters and "_" are escaped
            plain += static_cast<char>(code);
            i += 7;
        } else {
            CHECK(xml[i] != '<' && xml[i] != '>' &&
                  (static_cast<unsigned char>(xml[i]) >= 0x20 || xml[i] == '\t' || xml[i] == '\n'));
            plain += xml[i++];
        }
    }
    return plain;
}

// Takes `open` at `at`, or aborts.
void expect(std::string_view xml, std::size_t& at, std::string_view open) {
    CHECK(xml.substr(at, open.size()) == open);
    at += open.size();
}

std::string_view upTo(std::string_view xml, std::size_t& at, std::string_view end) {
    const std::size_t stop = xml.find(end, at);
    CHECK(stop != std::string_view::npos);
    const std::string_view taken = xml.substr(at, stop - at);
    at = stop + end.size();
    return taken;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    Grid grid;
    grid.setColCount(in.number(1, 30));
    grid.setRowCount(in.number(0, 30));
    WorkbookOptions options;
    options.headingRow = in.flag();
    for (int c = in.number(0, 30); c > 0; --c)
        options.kinds.push_back(static_cast<ColumnKind>(in.byte() % 4));
    for (int c = in.number(0, 4); c > 0; --c) options.widths.push_back(in.number(-5, 300) / 2.0);
    if (in.flag()) options.zip64Limit = static_cast<std::uint64_t>(in.number(0, 4000));
    RegionalSettings regional;
    regional.decimalSeparator = in.flag() ? ',' : '.';
    regional.dateSeparator = static_cast<char>(in.byte());
    regional.dateOrder = static_cast<DateOrder>(in.byte() % 3);
    const Date today{in.number(1900, 2100), in.number(1, 12), in.number(1, 28)};
    const std::string sheetName = in.flag() ? in.text(12) : "Tablamo";
    while (!in.rest().empty()) {
        const int c = in.number(0, 30);
        const int r = in.number(0, 30);
        grid.setCell(c, r, in.text(24));
    }

    StringSink sink;
    try {
        writeWorkbook(grid, sheetName, sink, regional, today, options);
    } catch (const WorkbookError&) {
        return 0;  // a worksheet name the workbook does not take
    }
    const auto parts = testing::readFrontToBack(sink.bytes());
    for (const char* part : {"[Content_Types].xml", "_rels/.rels", "docProps/app.xml",
                             "docProps/core.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                             "xl/styles.xml", "xl/worksheets/sheet1.xml"}) {
        CHECK(parts.count(part) == 1);
    }
    CHECK(parts.size() == 8);

    // The worksheet's cells in order, against the grid's.
    const std::string_view xml = parts.at("xl/worksheets/sheet1.xml");
    std::size_t at = xml.find("<sheetData>");
    CHECK(at != std::string_view::npos);
    at += 11;
    const int first = options.headingRow ? 0 : 1;
    for (int r = first; r < grid.rowCount(); ++r) {
        const bool heading = options.headingRow && r == 0;
        const std::string row = std::to_string(options.headingRow ? r + 1 : r);
        const Grid::RowCells cells = grid.row(r);
        bool open = false;
        for (int c = 1; c < grid.colCount(); ++c) {
            const std::string_view text = cells[static_cast<std::size_t>(c)];
            if (text.empty()) continue;
            if (!open) expect(xml, at, "<row r=\"" + row + "\">");
            open = true;
            char letters[4];
            expect(xml, at, "<c r=\"" + std::string(SheetRows::letters(c, letters)) + row + "\"");
            const std::string_view attributes = upTo(xml, at, ">");
            const auto kind = static_cast<std::size_t>(c - 1) < options.kinds.size()
                                  ? std::optional(options.kinds[static_cast<std::size_t>(c - 1)])
                                  : std::nullopt;
            if (attributes.find("t=\"inlineStr\"") != std::string_view::npos) {
                expect(xml, at, "<is><t");
                upTo(xml, at, ">");
                CHECK(decoded(upTo(xml, at, "</t></is></c>")) == win1254ToUtf8(text));
                CHECK(!heading || attributes.find("s=\"3\"") != std::string_view::npos);
                continue;
            }
            CHECK(!heading && kind != ColumnKind::Text && kind != ColumnKind::Code);
            expect(xml, at, "<v>");
            const std::string_view value = upTo(xml, at, "</v></c>");
            double number = 0;
            const auto read = std::from_chars(value.data(), value.data() + value.size(), number);
            CHECK(read.ec == std::errc() && read.ptr == value.data() + value.size());
            CHECK(std::isfinite(number));
            if (attributes == " s=\"1\"") {  // a date: a whole day from 1 January 1900 on
                CHECK(kind != ColumnKind::Amount && number >= 1 && number == std::floor(number));
            } else if (kind == ColumnKind::Amount) {
                CHECK(attributes == " s=\"2\"" &&
                      readNumber(text, regional.decimalSeparator) == number);
            } else {
                const CellValue v = cellValue(text, regional, today);
                CHECK(attributes.empty() && v.kind == CellValue::Kind::Number &&
                      v.number == number);
            }
        }
        if (open) expect(xml, at, "</row>");
    }
    expect(xml, at, "</sheetData>");
    return 0;
}
