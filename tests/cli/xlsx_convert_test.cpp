// The converter's workbooks: the date options and their locale defaults, and a report
// converted to .xlsx end to end, read back from the package.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "cli/job.h"
#include "cli/locale_defaults.h"
#include "export/xlsx_package.h"
#include "support/converter_run.h"
#include "support/temp_dir.h"

namespace tablamo::cli {
namespace {

using testing::TempDir;
using testing::XlsxPackage;

// The converter's defaults are the window's for the locale the environment names, from the
// same locale data (app_test's LocaleTable case holds every name against Qt's).
TEST(XlsxConvert, RegionalDefaultsOfTheLocale) {
    const struct {
        const char* name;
        char decimal, separator;
        DateOrder order;
    } cases[] = {
        {"tr_TR.UTF-8", ',', '.',
         DateOrder::DayMonthYear},  // d.MM.yyyy, not the C library's %d-%m-%Y
        {"tr", ',', '.', DateOrder::DayMonthYear},
        {"TR-tr", ',', '.', DateOrder::DayMonthYear},
        {"C", '.', '/', DateOrder::DayMonthYear},  // d MMM yyyy: no separator
        {"C.UTF-8", '.', '/', DateOrder::DayMonthYear},
        {"POSIX", '.', '/', DateOrder::DayMonthYear},
        {"", '.', '/', DateOrder::DayMonthYear},
        {"en_US.UTF-8", '.', '/', DateOrder::MonthDayYear},
        {"en_GB", '.', '/', DateOrder::DayMonthYear},
        {"en_TR", '.', '/', DateOrder::MonthDayYear},  // no such locale: the language's
        {"sv_SE", ',', '-', DateOrder::YearMonthDay},
        {"hu_HU", ',', '.', DateOrder::YearMonthDay},  // yyyy. MM. dd.
        {"de_DE@euro", ',', '.', DateOrder::DayMonthYear},
        {"de_CH", '.', '.', DateOrder::DayMonthYear},
        {"fa_IR", '.', '/', DateOrder::YearMonthDay},  // its decimal point is no ASCII character
        {"xx_YY", '.', '/', DateOrder::DayMonthYear},  // unknown: the C locale's
    };
    for (const auto& c : cases) {
        const RegionalSettings r = regionalOfLocale(c.name);
        EXPECT_EQ(r.decimalSeparator, c.decimal) << c.name;
        EXPECT_EQ(r.dateSeparator, c.separator) << c.name;
        EXPECT_EQ(r.dateOrder, c.order) << c.name;
    }
    // LC_ALL over the category's own variable over LANG.
    EXPECT_EQ(localeNameOf("sv_SE", "de_DE", "tr_TR"), "sv_SE");
    EXPECT_EQ(localeNameOf("", "de_DE", "tr_TR"), "de_DE");
    EXPECT_EQ(localeNameOf("", "", "tr_TR"), "tr_TR");
    EXPECT_EQ(localeNameOf("", "", ""), "C");
}

TEST(XlsxConvert, DateOptionsOverTheLocaleDefaults) {
    const ShortDateFormat turkish{'.', DateOrder::DayMonthYear};
    const auto parse = [&](std::vector<std::string> args) {
        return parseCommandLine(args, ',', turkish);
    };
    const ParseResult plain = parse({"a.txt"});
    ASSERT_TRUE(plain.job);
    EXPECT_EQ(plain.job->regional.dateSeparator, '.');
    EXPECT_EQ(plain.job->regional.dateOrder, DateOrder::DayMonthYear);

    const ParseResult given = parse({"--date-separator", "-", "--date-order", "YMD", "a.txt"});
    ASSERT_TRUE(given.job) << given.err;
    EXPECT_EQ(given.job->regional.dateSeparator, '-');
    EXPECT_EQ(given.job->regional.dateOrder, DateOrder::YearMonthDay);
    EXPECT_EQ(parse({"--date-order=mdy", "a"}).job->regional.dateOrder, DateOrder::MonthDayYear);

    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        {{"--date-separator", "//", "a"}, "--date-separator: tek bir karakter gerekir"},
        {{"--date-separator", "", "a"}, "--date-separator: tek bir karakter gerekir"},
        {{"--date-order", "", "a"}, "--date-order: boş değer verilemez"},
        {{"--date-order", "dym", "a"}, ""},
    };
    for (const auto& [args, error] : mistakes) {
        SCOPED_TRACE(args[0] + " '" + args[1] + "'");
        const ParseResult r = parse(args);
        EXPECT_FALSE(r.job) << args[1];
        EXPECT_EQ(r.exitCode, 2);
        if (!error.empty()) {
            EXPECT_EQ(r.err,
                      "tablamo-convert: " + error + "\nAyrıntılar için: tablamo-convert --help\n");
        }
    }
}

int run(const std::vector<std::string>& args) { return testing::runConverter(args).status; }

TEST(XlsxConvert, AReportBecomesATypedWorkbook) {
    TempDir dir;
    const std::string report = dir / "rapor.txt";
    // Code page 857: "TARİH" with its dotted capital I, amounts printed with ".".
    testing::writeBytes(report,
                        "TAR\x98H      TUTAR\r\n"
                        "---------- ----------\r\n"
                        "31.12.2005    150.75\r\n"
                        "12.05           -250\r\n");
    const std::string out = dir / "out.xlsx";
    // The output's extension picks the workbook.
    ASSERT_EQ(run({"-q", "--decimal-separator", ",", "--date-separator", ".", "--date-order", "dmy",
                   "-o", out, report}),
              0);
    const XlsxPackage book(out);
    EXPECT_EQ(book.sheetNames, std::vector<std::string>{"Tablamo"});
    auto cells = book.cells(0);
    EXPECT_EQ(cells.at("A1").value, "----------");  // the first line read is a text line
    EXPECT_EQ(cells.at("A2").format, "dd\\.mm\\.yyyy");
    EXPECT_EQ(cells.at("A2").value, "38717");  // 31 December 2005
    EXPECT_EQ(cells.at("B2").value, "150.75");
    EXPECT_EQ(cells.at("A3").format, "dd\\.mm\\.yyyy");  // 12 May of this year
    EXPECT_EQ(cells.at("B3").value, "-250");
    EXPECT_EQ(cells.at("B3").type, "");

    // Month first with "/": the dotted dates stay texts. --to xlsx names the file itself.
    ASSERT_EQ(run({"-q", "--to", "xlsx", "--decimal-separator", ",", "--date-separator", "/",
                   "--date-order", "mdy", report}),
              0);
    cells = XlsxPackage(dir / "rapor.xlsx").cells(0);
    EXPECT_EQ(cells.at("A2").type, "inlineStr");
    EXPECT_EQ(cells.at("A2").value, "31.12.2005");
    EXPECT_EQ(cells.at("B2").value, "150.75");
}

}  // namespace
}  // namespace tablamo::cli
