// One machine, one typing: under Debian's Turkish locale the window (through --open and
// --save) and the converter write the same workbook of the same report, cell for cell. The
// C library's tr_TR gives the short date "%d-%m-%Y" where Qt's locale data give
// "d.MM.yyyy"; both programs now take the window's.

#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>

#include "app/locale_settings.h"
#include "cli/locale_defaults.h"
#include "export/xlsx_package.h"

namespace tablamo::app {
namespace {

using tablamo::testing::XlsxPackage;

int run(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(TurkishLocale, WindowAndConverterWriteTheSameWorkbook) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string d = dir.path().toStdString();
    // The locale in a folder of its own, as an office machine has it installed.
    if (run("localedef -i tr_TR -f UTF-8 '" + d + "/tr_TR.UTF-8' >/dev/null 2>&1") != 0 ||
        !std::filesystem::exists(d + "/tr_TR.UTF-8/LC_TIME")) {
        GTEST_SKIP() << "localedef cannot make tr_TR here";
    }
    const std::string env = "env -i PATH=/usr/bin:/bin HOME='" + d +
                            "' LANG=tr_TR.UTF-8 LOCPATH='" + d +
                            "' QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='" + d + "' ";
    const std::string report = std::string(TABLAMO_SAMPLES) + "/muavin.txt";
    ASSERT_EQ(run(env + "'" + TABLAMO_WINDOW + "' --no-profiles --open '" + report + "' --save '" +
                  d + "/pencere.xls' 2>/dev/null"),
              0);
    ASSERT_EQ(
        run(env + "'" + TABLAMO_CONVERT + "' -q -o '" + d + "/donusturucu.xlsx' '" + report + "'"),
        0);

    const auto window = XlsxPackage(d + "/pencere.xlsx").cells(0);
    const auto converter = XlsxPackage(d + "/donusturucu.xlsx").cells(0);
    ASSERT_EQ(window.size(), converter.size());
    int dates = 0;
    for (const auto& [address, cell] : window) {
        const auto other = converter.find(address);
        ASSERT_NE(other, converter.end()) << address;
        EXPECT_EQ(other->second.type, cell.type) << address;
        EXPECT_EQ(other->second.format, cell.format) << address;
        EXPECT_EQ(other->second.value, cell.value) << address;
        dates += cell.format == "dd\\.mm\\.yyyy";
    }
    EXPECT_GT(dates, 5);  // the ledger's dates are real dates in both
}

// Every locale name of the converter's table, and names the environment may hold that the
// table lacks, give the converter the settings the window takes from Qt's locale data.
TEST(LocaleTable, TheConvertersDefaultsAreTheWindowsForEveryLocale) {
    std::vector<std::string> languages, territories, scripts;
    for (const QLocale& l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                     QLocale::AnyTerritory)) {
        languages.push_back(QLocale::languageToCode(l.language()).toStdString());
        territories.push_back(QLocale::territoryToCode(l.territory()).toStdString());
        scripts.push_back(QLocale::scriptToCode(l.script()).toStdString());
    }
    for (auto* list : {&languages, &territories, &scripts}) {
        std::sort(list->begin(), list->end());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
    std::vector<std::string> names = {
        "",           "C",           "POSIX", "C.UTF-8", "tr_TR.UTF-8", "tr_TR.ISO-8859-9",
        "de_DE@euro", "sr_RS@latin", "tr-TR", "TR_tr",   "xx_YY",       "en_TR"};
    for (const cli::LocaleEntry& e : cli::localeEntries()) names.emplace_back(e.name);
    for (const std::string& lang : languages) {
        for (const std::string& land : territories) names.push_back(lang + "_" + land);
        for (const std::string& script : scripts) names.push_back(lang + "_" + script + "_TR");
    }
    int wrong = 0;
    for (const std::string& name : names) {
        const RegionalSettings window = regionalFromLocale(QLocale(QString::fromStdString(name)));
        const RegionalSettings converter = cli::regionalOfLocale(name);
        if (window.decimalSeparator != converter.decimalSeparator ||
            window.dateSeparator != converter.dateSeparator ||
            window.dateOrder != converter.dateOrder) {
            if (++wrong <= 10) ADD_FAILURE() << name;
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << names.size()
                        << " names; rebuild src/cli/locale_table.inc with make-locale-table";
}

}  // namespace
}  // namespace tablamo::app
