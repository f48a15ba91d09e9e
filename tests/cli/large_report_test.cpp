// The converter's fast ways through the import: the report mapped instead of read, the
// loaded text's memory, lines cut short at their end, rows numbered with their cells.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/dos_text.h"
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

// The import as the converter drives it: rows before StartColumn keep their cells, every
// row has its number, the letters stand where no line went, and each imported cell is the
// field cut, trimmed and converted on its own.
TEST(ReportImportRows, NumbersAndCellsAreThoseOfTheStepsOneByOne) {
    const std::string lines[] = {
        "BASLIK", "---------- ----- ----------",    "01.01.2005 12 34 1.500,00   B", "kisa",
        "",       "x         y     \x98\x9F  0.50",
    };
    std::string report;
    for (const auto& l : lines) report += l + "\r\n";
    const int n = static_cast<int>(std::size(lines));

    for (const int r0 : {-2, 0, 1, 3, 9}) {
        for (const int startRow : {-1, 0, 1, 4, 8}) {
            for (const bool detect : {true, false}) {
                Workspace ws;
                ws.grid().setRowCount(12);
                for (int r = 0; r < 12; ++r) {
                    for (int c = 0; c < 21; ++c) ws.grid().setCell(c, r, "old");
                }
                ws.text = ReportText(report);
                ws.regional.decimalSeparator = ',';
                ws.settings.layout.StartColumn = std::to_string(r0);
                ws.settings.layout.StartRow = std::to_string(startRow);
                ws.settings.layout.AutoColumnSearch = detect;
                if (!detect) ws.settings.layout.ColumnWidths[1] = "65535";  // wraps: fields overlap
                RecordingUi ui;
                importReport(ws);
                const Grid& g = ws.grid();
                const std::string at =
                    "r0 " + std::to_string(r0) + " start " + std::to_string(startRow);

                std::uint32_t from[20], count[20], pos = 1;
                for (int k = 0; k < 20; ++k) {
                    const auto w =
                        static_cast<std::uint32_t>(ws.settings.layout.columnWidth(k + 1));
                    from[k] = pos & 0xFFFF;
                    count[k] = w & 0xFFFF;
                    pos += w;
                }
                for (int r = 0; r < g.rowCount(); ++r) {
                    const std::int64_t i = std::int64_t{r} - r0;
                    const bool imported = i >= 0 && i <= n;
                    if (r >= 1) {
                        EXPECT_EQ(g.cell(0, r), std::to_string(r)) << at << " row " << r;
                    } else {
                        EXPECT_EQ(g.cell(0, 0), "old") << at;
                        if (!imported) {
                            EXPECT_EQ(g.cell(1, 0), "A") << at;
                        }
                    }
                    for (int k = 0; k < 20; ++k) {
                        if (!imported) {
                            // Rows past the text's line count were dropped when the count was set.
                            if (r > 0) {
                                EXPECT_EQ(g.cell(k + 1, r), std::string(r < n ? "old" : ""))
                                    << at << " row " << r;
                            }
                            continue;
                        }
                        const std::string_view line = ws.text.line(startRow + i);
                        const std::string_view raw =
                            k == 0 ? LeftChars(line, count[0]) : MidChars(line, from[k], count[k]);
                        const std::string expected = (i == 0 || k == 0)
                                                         ? DosToWinText(TrimControl(raw))
                                                         : DosToWinNumber(TrimControl(raw), ',');
                        EXPECT_EQ(g.cell(k + 1, r), expected)
                            << at << " row " << r << " col " << k + 1;
                    }
                }
            }
        }
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
