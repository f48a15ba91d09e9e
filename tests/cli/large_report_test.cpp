// The converter's fast ways through the import: the report mapped instead of read, the
// loaded text's memory, lines cut short at their end, rows numbered with their cells.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/report_text.h"
#include "core/workspace.h"
#include "import/report_import.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"

namespace tablamo {
namespace {

using testing::RecordingUi;
using testing::TempDir;
using testing::writeBytes;

TEST(ReportTextMapFile, GivesTheBytesAndLinesLoadFileGives) {
    const std::string texts[] = {
        "",
        "a",
        "a\r\nb\r\n",
        "a\nb\n\nc",
        "a\rb\r\n\r\n",
        std::string("x\0y\r\n", 5),
        std::string(100000, '-') + "\r\n" + std::string(70000, 'x'),
    };
    for (const std::string& bytes : texts) {
        TempDir dir;
        writeBytes(dir / "r.txt", bytes);
        const ReportText read = ReportText::loadFile(dir / "r.txt");
        const ReportText mapped = ReportText::mapFile(dir / "r.txt");
        EXPECT_EQ(mapped.bytes(), bytes);
        ASSERT_EQ(mapped.lineCount(), read.lineCount());
        for (int i = 0; i < read.lineCount(); ++i) EXPECT_EQ(mapped.fullLine(i), read.fullLine(i));
        EXPECT_EQ(mapped.joinedText(), read.joinedText());
        // Its pages given back, the first lines' or all, it reads the file again.
        mapped.releasePagesBefore(1);
        EXPECT_EQ(mapped.fullLine(0), read.fullLine(0));
        mapped.releasePagesBefore(read.lineCount());
        EXPECT_EQ(mapped.bytes(), bytes);
        mapped.releasePages();
        EXPECT_EQ(mapped.bytes(), bytes);
    }
    EXPECT_THROW(ReportText::mapFile("/nonexistent/r.txt"), Error);
}

// Peak resident memory since the last reset, in bytes.
long peakSinceReset() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) * 1024;
    }
    return -1;
}
long residentNow() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6)) * 1024;
    }
    return -1;
}

TEST(ReportTextLoadFile, HoldsALargeFileOnceNotTwice) {
    TempDir dir;
    const std::size_t size = std::size_t{64} << 20;
    std::string line(78, 'x');
    line += "\r\n";
    {
        std::ofstream out(dir / "big.txt", std::ios::binary);
        for (std::size_t n = 0; n < size; n += line.size()) out << line;
    }
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";  // resets the peak to the present
    }
    const long before = residentNow();
    const ReportText text = ReportText::loadFile(dir / "big.txt");
    const long grown = peakSinceReset() - before;
    EXPECT_EQ(text.lineCount(), static_cast<int>((size + line.size() - 1) / line.size()));
    // The bytes and the line index; a doubled buffer would take 128 MiB more for a moment.
    EXPECT_LT(grown, static_cast<long>(size + size / 4)) << grown;
}

// The grid's rows as cells between "|", the empty cells at a row's end left out.
std::vector<std::string> rowsOf(const Grid& grid) {
    std::vector<std::string> rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::string row(grid.cell(0, r));
        std::string blanks;
        for (int c = 1; c < grid.colCount(); ++c) {
            blanks += '|';
            if (grid.cell(c, r).empty()) continue;
            row += blanks;
            row += grid.cell(c, r);
            blanks.clear();
        }
        rows.push_back(row);
    }
    return rows;
}

// The import as the converter drives it, on a grid of 12 rows that all held "old": rows
// before StartColumn keep their cells, every row has its number, the letters stand where no
// line went, rows past the text are dropped, and each imported cell is its field cut,
// trimmed and converted: the first line read as text, the others as numbers ("12 34" is
// 1234, the point the decimal separator), from DOS letters to Windows ones.
TEST(ReportImportRows, LinesLandFromStartColumnOnCutAndConverted) {
    const std::string report =
        "BASLIK\r\n"
        "---------- ----- ----------\r\n"
        "01.01.2005 12 34 1.500,00   B\r\n"
        "kisa\r\n"
        "\r\n"
        "x         y     \x98\x9F  0.50\r\n";
    const std::string letters = "|A|B|C|D|E|F|G|H|I|J|K|L|M|N|O|P|Q|R|S|T";
    const std::string old =
        "|old|old|old|old|old|old|old|old|old|old|old|old|old|old|old|old|old|old|old|old";
    const struct {
        const char* name;
        int startColumn, startRow;
        bool detect;  // else width 2 is 65535: the next field starts back at place 10
        std::vector<std::string> rows;
    } cases[] = {
        // The rule line found: widths 11, 5, 10 and 19.
        {"defaults",
         1,
         1,
         true,
         {"old" + letters, "1|----------|-----|---------|-", "2|01.01.2005|1234|1,500,00|B",
          "3|kisa", "4", "5|x         y||\xDD\xFE  0,50"}},
        {"first line into the letters' row",
         0,
         0,
         false,
         {"old|BASLIK", "1|----------|----- ----------|- ----- ----------",
          "2|01.01.2005|12 34 1,500,00   B|5 12 34 1,500,00   B", "3|kisa", "4",
          "5|x|y     \xDD\xFE  0,50|y     \xDD\xFE  0,50"}},
        {"rows before StartColumn kept, the grid grown",
         3,
         0,
         true,
         {"old" + letters, "1" + old, "2" + old, "3|BASLIK", "4|----------|-----|---------|-",
          "5|01.01.2005|1234|1,500,00|B", "6|kisa", "7", "8|x         y||\xDD\xFE  0,50"}},
        {"lines past the text written empty",
         1,
         4,
         true,
         {"old" + letters, "1", "2|x         y||\xDD\xFE  0,50", "3", "4", "5"}},
        {"rows before the grid dropped",
         -2,
         -1,
         true,
         {"old|----------|-----|---------|-", "1|01.01.2005|1234|1,500,00|B", "2|kisa", "3",
          "4|x         y||\xDD\xFE  0,50", "5" + old}},
        {"StartRow past the text",
         9,
         8,
         true,
         {"old" + letters, "1" + old, "2" + old, "3" + old, "4" + old, "5" + old}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace ws;
        ws.grid().setRowCount(12);
        for (int r = 0; r < 12; ++r) {
            for (int col = 0; col < 21; ++col) ws.grid().setCell(col, r, "old");
        }
        ws.text = ReportText(report);
        ws.regional.decimalSeparator = ',';
        ws.settings.layout.StartColumn = std::to_string(c.startColumn);
        ws.settings.layout.StartRow = std::to_string(c.startRow);
        ws.settings.layout.AutoColumnSearch = c.detect;
        if (!c.detect) ws.settings.layout.ColumnWidths[1] = "65535";
        RecordingUi ui;
        importReport(ws);
        EXPECT_EQ(rowsOf(ws.grid()), c.rows);
    }
}

TEST(ReportImportRows, AWidthThatDoesNotReadLeavesNumbersAndLettersButNoData) {
    Workspace ws;
    ws.grid().setRowCount(8);
    for (int r = 0; r < 8; ++r) ws.grid().setCell(5, r, "old");
    ws.text = ReportText("a\r\n----------\r\nb\r\nc\r\n");
    ws.settings.layout.AutoColumnSearch = false;
    ws.settings.layout.ColumnWidths[4] = "5x";
    RecordingUi ui;
    EXPECT_FALSE(runCommand(ui, [&] { importReport(ws); }));
    EXPECT_EQ(ui.errors, std::vector<std::string>{"'5x' is not a valid integer value."});
    ASSERT_EQ(ws.grid().rowCount(), 4);
    for (int r = 1; r < 4; ++r) {
        EXPECT_EQ(ws.grid().cell(0, r), std::to_string(r));
        EXPECT_EQ(ws.grid().cell(5, r), "old");
    }
    EXPECT_EQ(ws.grid().cell(1, 0), "A");
}

}  // namespace
}  // namespace tablamo
