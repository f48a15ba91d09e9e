#include "cli/job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "cli/locale_defaults.h"
#include "cli/options.h"
#include "commands/clean_switches.h"
#include "support/temp_dir.h"
#include "support/throw_msg.h"

namespace tablamo::cli {
namespace {

ParseResult parse(std::vector<std::string> args, char localeSeparator = ',') {
    return parseCommandLine(args, localeSeparator);
}

Job jobOf(std::vector<std::string> args) {
    ParseResult r = parse(std::move(args));
    EXPECT_TRUE(r.job.has_value()) << r.err;
    return r.job ? *r.job : Job{};
}

TEST(ParseCommandLine, DefaultsAreTheWindowsSettings) {
    const Job job = jobOf({"a.txt", "b.not"});
    EXPECT_EQ(job.inputs, (std::vector<std::string>{"a.txt", "b.not"}));
    EXPECT_EQ(job.format, OutputFormat::Csv);
    EXPECT_EQ(job.output, "");
    EXPECT_FALSE(job.akbank);
    EXPECT_FALSE(job.quiet);
    EXPECT_EQ(job.encoding, TextEncoding::Windows1254);
    EXPECT_EQ(job.regional.decimalSeparator, ',');  // the locale's
    const ReportLayout defaults;
    EXPECT_EQ(job.layout.StartRow, defaults.StartRow);
    EXPECT_EQ(job.layout.StartColumn, defaults.StartColumn);
    EXPECT_EQ(job.layout.ColumnWidths, defaults.ColumnWidths);
    EXPECT_EQ(job.layout.SearchCriterion, "----------");
    EXPECT_EQ(job.layout.FrameCriterion, std::string(12, '\xCD'));
    EXPECT_TRUE(job.layout.AutoColumnSearch);
    EXPECT_TRUE(job.layout.LedgerMarks);
    EXPECT_EQ(parse({"a.txt"}, '.').job->regional.decimalSeparator, '.');
}

TEST(ParseCommandLine, SettingsOptionsAreHeldAsTheFieldsHoldThem) {
    const Job job = jobOf({"--start-row",
                           "-1",
                           "--start-column",
                           " 3",
                           "--widths",
                           "11,-2,$1F",
                           "--no-auto-columns",
                           "--no-ledger-marks",
                           "--search-criterion",
                           "-----",
                           "--field-separator",
                           "|",
                           "--frame-criterion",
                           "ÍÍÍ",
                           "--frame-separator",
                           "Ñ",
                           "--decimal-separator",
                           ".",
                           "-q",
                           "x.txt"});
    EXPECT_EQ(job.layout.StartRow, "-1");
    EXPECT_EQ(job.layout.StartColumn, " 3");
    EXPECT_EQ(job.layout.ColumnWidths[0], "11");
    EXPECT_EQ(job.layout.ColumnWidths[1], "-2");
    EXPECT_EQ(job.layout.ColumnWidths[2], "$1F");
    EXPECT_EQ(job.layout.ColumnWidths[3], "19");  // the others keep their defaults
    EXPECT_EQ(job.layout.ColumnWidths[19], "10");
    EXPECT_FALSE(job.layout.AutoColumnSearch);
    EXPECT_FALSE(job.layout.LedgerMarks);
    EXPECT_EQ(job.layout.SearchCriterion, "-----");
    EXPECT_EQ(job.layout.FieldSeparator, "|");
    EXPECT_EQ(job.layout.FrameCriterion, "\xCD\xCD\xCD");
    EXPECT_EQ(job.layout.FrameSeparator, "\xD1");
    EXPECT_EQ(job.regional.decimalSeparator, '.');
    EXPECT_TRUE(job.quiet);
    EXPECT_EQ(job.inputs, std::vector<std::string>{"x.txt"});
    EXPECT_EQ(jobOf({"--start-row=-7", "--field-separator= ", "a"}).layout.FieldSeparator, " ");
    // An empty criterion is a setting too (it never occurs).
    EXPECT_EQ(jobOf({"--search-criterion", "", "a"}).layout.SearchCriterion, "");
    EXPECT_EQ(jobOf({"--frame-criterion=", "a"}).layout.FrameCriterion, "");
    EXPECT_EQ(jobOf({"--frame-criterion=", "a"}).inputs, std::vector<std::string>{"a"});
}

TEST(ParseCommandLine, NumbersThatDoNotReadAreUsageErrorsWithTheSettingsText) {
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--start-row", "12x", "a"}, "--start-row: '12x' geçerli bir tam sayı değil"},
        {{"--start-column", "", "a"}, "--start-column: '' geçerli bir tam sayı değil"},
        {{"--start-row", "1 ", "a"}, "--start-row: '1 ' geçerli bir tam sayı değil"},
        {{"--start-row", "2147483648", "a"},
         "--start-row: '2147483648' geçerli bir tam sayı değil"},
        {{"--widths", "11,12x,30", "a"}, "--widths: '12x' geçerli bir tam sayı değil"},
        {{"--widths", "11,,30", "a"}, "--widths: '' geçerli bir tam sayı değil"},
        {{"--widths", "1.5", "a"}, "--widths: '1.5' geçerli bir tam sayı değil"},
        {{"--widths", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21", "a"},
         "--widths: en çok 20 genişlik verilebilir"},
        {{"--decimal-separator", ",,", "a"}, "--decimal-separator: tek bir karakter gerekir"},
        {{"--clean", "--csv-separator", "\"", "a"},
         "--csv-separator: çift tırnak, CR veya LF alan ayıracı olamaz"},
        {{"--clean", "--csv-separator", "\r", "a"},
         "--csv-separator: çift tırnak, CR veya LF alan ayıracı olamaz"},
        {{"--clean", "--csv-separator", "\n", "a"},
         "--csv-separator: çift tırnak, CR veya LF alan ayıracı olamaz"},
        {{"--search-criterion", "ab\xE3\x81\x82", "a"},
         "--search-criterion: 'ab\xE3\x81\x82' Windows-1254'te olmayan bir karakter içeriyor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const ParseResult r = parse(c.args);
        EXPECT_FALSE(r.job.has_value());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err,
                  "tablamo-convert: " + c.error + "\nAyrıntılar için: tablamo-convert --help\n");
    }
}

TEST(ParseCommandLine, CommandLineMistakesAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--to", "pdf", "a.txt"},
        {"--encoding", "latin1", "a.txt"},
        {"--no-such-option", "a.txt"},
        {"--start-row"},
        {"--to", "", "a.txt"},
        {"-o", "x.txt", "a.txt"},  // an ending that names no format, and no --to
        {"-o", "rapor", "a.txt"},
        {"-j", "0", "a.txt"},
        {"-j", "2x", "a.txt"},
        {"--summary", "", "a.txt"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&args - cases.data()));
        const ParseResult r = parse(args);
        EXPECT_FALSE(r.job.has_value());
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_TRUE(r.err.starts_with("tablamo-convert: ")) << r.err;
    }
}

TEST(ParseCommandLine, MistakesTheParserFindsAreNamedInTurkish) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--no-such-option", "a.txt"}, "bilinmeyen seçenek: --no-such-option"},
        {{"-x", "--dry", "a.txt"}, "bilinmeyen seçenekler: -x, --dry"},
        {{"--version"}, "bilinmeyen seçenek: --version"},  // before the inputs are missed
        {{}, "dönüştürülecek rapor dosyası ya da klasör verilmedi"},
        {{"-q", "--"}, "dönüştürülecek rapor dosyası ya da klasör verilmedi"},
        {{"--start-row"}, "--start-row: değer verilmedi"},
        {{"a.txt", "-o"}, "--output: değer verilmedi"},
        {{"--to", "pdf", "a.txt"}, "--to: 'pdf' olamaz; şunlardan biri olmalı: csv, html, xlsx"},
        {{"--date-order", "ydm", "a.txt"},
         "--date-order: 'ydm' olamaz; şunlardan biri olmalı: dmy, mdy, ymd"},
        {{"--clean=evet", "a.txt"}, "--clean: bu seçenek değer almaz"},
        {{"--to", "csv", "--to", "html", "a.txt"}, "--to: yalnızca bir kez verilebilir"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const ParseResult r = parse(c.args);
        EXPECT_FALSE(r.job.has_value());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string("tablamo-convert: ") + c.error +
                             "\nAyrıntılar için: tablamo-convert --help\n");
        for (const char* english : {"not", "the ", "is ", "Run with"}) {
            EXPECT_EQ(r.err.find(english), std::string::npos) << english;
        }
    }
}

TEST(ParseCommandLine, CleanTableOptions) {
    const Job plain = jobOf({"a.txt"});
    EXPECT_FALSE(plain.clean || plain.lineNumbers || plain.strict);
    EXPECT_EQ(plain.csvSeparator, 0);
    const Job job =
        jobOf({"--clean", "--line-numbers", "--strict", "--csv-separator", "|", "a.txt"});
    EXPECT_TRUE(job.clean && job.lineNumbers && job.strict);
    EXPECT_EQ(job.csvSeparator, '|');
    EXPECT_EQ(jobOf({"--clean", "--to", "html", "a.txt"}).format, OutputFormat::Html);
    EXPECT_EQ(jobOf({"--clean", "-o", "out.xlsx", "a.txt"}).format, OutputFormat::Xlsx);
    // Options of the clean table alone are refused.
    const std::vector<std::vector<std::string>> refused = {
        {"--line-numbers", "a.txt"},
        {"--strict", "a.txt"},
        {"--csv-separator", ";", "a.txt"},
        {"--clean", "--csv-separator", ";;", "a.txt"},
    };
    for (const auto& args : refused) {
        const ParseResult r = parse(args);
        EXPECT_FALSE(r.job.has_value()) << args[0];
        EXPECT_EQ(r.exitCode, 2) << r.err;
    }
}

TEST(ParseCommandLine, HelpGoesToStandardOutput) {
    const ParseResult r = parse({"--help"});
    EXPECT_FALSE(r.job.has_value());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("--decimal-separator"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

#ifndef _WIN32
// --help speaks the language of the locale the environment names, its messages' first.
TEST(TurkishHelp, ByTheLocaleTheEnvironmentNames) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* n : names) {
        const char* v = std::getenv(n);
        saved.push_back(v ? std::optional<std::string>(v) : std::nullopt);
    }
    const struct {
        const char* all;
        const char* messages;
        const char* lang;
        bool turkish;
    } cases[] = {
        {"", "", "tr_TR.UTF-8", true},
        {"", "", "tr", true},
        {"", "", "en_US.UTF-8", false},
        {"en_US.UTF-8", "", "tr_TR.UTF-8", false},
        {"", "tr_TR", "en_US", true},
        {"", "", "trk", false},
        {"", "", "", false},
    };
    for (const auto& c : cases) {
        ::setenv("LC_ALL", c.all, 1);
        ::setenv("LC_MESSAGES", c.messages, 1);
        ::setenv("LANG", c.lang, 1);
        EXPECT_EQ(cli::turkishHelp(), c.turkish) << c.all << "|" << c.messages << "|" << c.lang;
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i]) {
            ::setenv(names[i], saved[i]->c_str(), 1);
        } else {
            ::unsetenv(names[i]);
        }
    }
}
#endif

TEST(ParseCommandLine, FormatComesFromToElseFromTheOutputsExtensionElseCsv) {
    testing::TempDir dir;
    const struct {
        std::vector<std::string> args;
        OutputFormat format;
    } cases[] = {
        {{"a"}, OutputFormat::Csv},
        {{"--to", "html", "a"}, OutputFormat::Html},
        {{"--to", "HTML", "a"}, OutputFormat::Html},
        {{"--to", "xlsx", "a"}, OutputFormat::Xlsx},
        {{"-o", "x.html", "a"}, OutputFormat::Html},
        {{"-o", "x.HTM", "a"}, OutputFormat::Html},
        {{"--output", "x.xlsx", "a"}, OutputFormat::Xlsx},
        {{"-o", "x.xls", "a"}, OutputFormat::Xlsx},  // written as x.xlsx
        {{"-o", "x.txt", "--to", "csv", "a"}, OutputFormat::Csv},
        {{"-o", "x.csv", "--to", "html", "a"}, OutputFormat::Html},
        {{"-o", dir.path().string(), "a"}, OutputFormat::Csv},
    };
    for (const auto& c : cases) EXPECT_EQ(jobOf(c.args).format, c.format) << c.args[0] << c.args[1];
    EXPECT_EQ(jobOf({"--encoding", "UTF-8", "a"}).encoding, TextEncoding::Utf8);
    EXPECT_EQ(jobOf({"--encoding", "windows-1254", "a"}).encoding, TextEncoding::Windows1254);
    EXPECT_TRUE(jobOf({"--akbank", "a"}).akbank);
}

// The mapping alone, from the texts as the command line gives them.
TEST(JobFromOptions, MapsTheTextsGivenAndTakesTheLocalesDefaultsForTheRest) {
    GivenOptions given;
    given.inputs = {"a.txt"};
    given.values = {{"--to", "HTML"},
                    {"--date-order", "YMD"},
                    {"--jobs", "3"},
                    {"--input-encoding", "CP857"},
                    {"--start-row", "4"}};
    given.flags = {"--clean", "--quiet", "--no-ledger-marks"};
    const Job job = jobFromOptions(given, ',', {'-', DateOrder::MonthDayYear});
    EXPECT_EQ(job.format, OutputFormat::Html);
    EXPECT_EQ(job.regional.dateOrder, DateOrder::YearMonthDay);
    EXPECT_EQ(job.regional.dateSeparator, '-');
    EXPECT_EQ(job.regional.decimalSeparator, ',');
    EXPECT_EQ(job.jobs, 3);
    EXPECT_EQ(job.inputEncoding, InputEncoding::Cp857);
    EXPECT_EQ(job.layout.StartRow, "4");
    EXPECT_FALSE(job.layout.LedgerMarks);
    EXPECT_TRUE(job.clean && job.quiet);
    EXPECT_FALSE(job.akbank || job.strict);

    given.values = {{"--merge", "ay.HTM"}, {"--sheet-per", "Hesap Kodu"}};
    const Job merge = jobFromOptions(given, ',');
    EXPECT_EQ(merge.merge, "ay.HTM");
    EXPECT_EQ(merge.format, OutputFormat::Html);
    EXPECT_EQ(merge.sheetPer, "Hesap Kodu");
    given.values["--to"] = "xlsx";
    EXPECT_EQ(jobFromOptions(given, ',').format, OutputFormat::Xlsx);
}

TEST(JobFromOptions, RefusesValuesAndCombinationsThatCannotRun) {
    const struct {
        std::map<std::string, std::string, std::less<>> values;
        std::set<std::string, std::less<>> flags;
        const char* error;
    } cases[] = {
        {{{"--summary", ""}}, {}, "--summary: boş değer verilemez"},
        {{}, {"--strict"}, "--strict yalnızca --clean ile verilebilir"},
        {{{"--jobs", "0"}}, {}, "--jobs: '0' bir dosya sayısı değil (1 veya daha fazla)"},
        {{{"--date-separator", "ab"}}, {}, "--date-separator: tek bir karakter gerekir"},
        {{{"--merge", "ay.xlsx"}}, {}, "--merge yalnızca --clean ile verilebilir"},
        {{{"--sheet-per", "Hesap"}}, {}, "--sheet-per yalnızca --clean ile verilebilir"},
        {{{"--merge", ""}}, {"--clean"}, "--merge: boş değer verilemez"},
        {{{"--merge", "ay.xlsx"}, {"--output", "x"}},
         {"--clean"},
         "--merge yazılacak tek dosyayı belirtir; --output ile birlikte verilemez"},
        {{{"--merge", "ay.pdf"}},
         {"--clean"},
         "--merge: 'ay.pdf' adının uzantısı bir çıktı biçimi belirtmiyor; biçimi --to ile "
         "belirtin"},
        {{{"--merge", "ay.xlsx"}, {"--save-profile", "p.json"}},
         {"--clean"},
         "--save-profile, --merge ile birlikte verilemez"},
    };
    for (const auto& c : cases) {
        GivenOptions given;
        given.values = c.values;
        given.flags = c.flags;
        given.inputs = {"a.txt"};
        SCOPED_TRACE(c.error);
        EXPECT_THROW_MSG(jobFromOptions(given, ','), c.error);
    }
}

}  // namespace
}  // namespace tablamo::cli

namespace tablamo::cli {
namespace {

// Every declared option has an entry of its own in both manual pages: a line that follows
// ".TP" names it, its hyphens escaped as groff writes them.
TEST(OptionDecls, EveryOptionHasAnEntryInBothManualPages) {
    for (const char* page : {"tablamo-convert.1", "tablamo-convert.tr.1"}) {
        SCOPED_TRACE(page);
        std::ifstream in(std::string(TABLAMO_SAMPLES) + "/../packaging/" + page);
        ASSERT_TRUE(in) << page;
        std::string entries, line, before;
        while (std::getline(in, line)) {
            if (before == ".TP") entries += line + "\n";
            before = line;
        }
        for (const OptionDecl& o : optionDecls()) {
            std::string escaped;
            for (const char c : longName(o))
                escaped += c == '-' ? std::string("\\-") : std::string(1, c);
            EXPECT_NE(entries.find(escaped), std::string::npos) << longName(o);
        }
    }
}

// The switches the window remembers are options of the converter, declared by the shared
// declaration: its help, not a copy that could drift from it. Only --clean goes without --clean.
TEST(OptionDecls, EverySwitchTheWindowRemembersIsAnOption) {
    for (const CleanSwitchDecl& s : kCleanSwitches) {
        SCOPED_TRACE(s.option);
        const auto options = optionDecls();
        const auto o = std::find_if(options.begin(), options.end(),
                                    [&](const OptionDecl& o) { return longName(o) == s.option; });
        ASSERT_NE(o, options.end());
        EXPECT_EQ(std::string_view(o->help), s.help);
        EXPECT_EQ(std::string_view(o->helpTr), s.helpTr);
        EXPECT_EQ(o->cleanOnly, s.which != CleanSwitch::CleanTable);
    }
}

}  // namespace
}  // namespace tablamo::cli
