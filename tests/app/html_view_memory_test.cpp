// "HTML" on a million-row grid: the hidden HTML view holds only the start of the page, so the
// window stays within three times the report in memory (the whole page would take
// gigabytes).

#include <QApplication>
#include <fstream>

#include "window_fixture.h"

namespace tablamo::app::testing {
namespace {

long statusValue(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size())) * 1024;
    }
    return -1;
}

TEST_F(WindowTest, HtmlOfAMillionRowGridStaysWithinThreeTimesTheReport) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a sanitizer build's memory says nothing about the program";
#endif
    const std::string report = path("buyuk.txt");
    std::size_t reportBytes = 0;
    {
        std::ofstream out(report, std::ios::binary);
        const std::string heading =
            "Tarih      Fis No  Aciklama                       Borc          Alacak\r\n"
            "---------- ------- ------------------------------ ------------- -------------\r\n";
        out << heading;
        reportBytes += heading.size();
        for (int i = 0; i < 1'000'000; ++i) {
            const std::string line = "01.01.2005 " + std::to_string(100000 + i) +
                                     " Sat\x8D\x9F faturas\x8D                 1.500,00      " +
                                     std::to_string(i % 997) + ",00\r\n";
            out << line;
            reportBytes += line.size();
        }
    }
    const long before = statusValue("VmRSS:");
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";  // the peak starts from here
    }
    press(bar().open(), report);
    ASSERT_TRUE(ui.errors.empty()) << ui.errors.front();
    ASSERT_GT(ws().grid().rowCount(), 1'000'000);
    press(bar().html());  // cancelled: the view is built all the same
    const HtmlView& view = window->htmlView();
    EXPECT_FALSE(view.whole);
    EXPECT_EQ(view.pageLines, 7 + std::uint64_t(ws().grid().rowCount()) * 23);
    EXPECT_EQ(view.lines.front(), "<html>");
    const long grown = statusValue("VmHWM:") - before;
    EXPECT_LT(grown, static_cast<long>(3 * reportBytes))
        << grown / (1 << 20) << " MiB for a " << reportBytes / (1 << 20) << " MiB report";
}

}  // namespace
}  // namespace tablamo::app::testing
