#include "cli/job.h"

#include <langinfo.h>
#include <locale.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "core/encoding.h"
#include "core/error.h"

namespace tablamo::cli {
namespace {

constexpr const char* kProgram = "tablamo-convert";

std::string lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return s;
}

// The options that take a value. Their next argument is always their value, also when it
// begins with "-" (a search criterion of hyphens, a negative start row), as getopt reads it.
constexpr const char* kValueOptions[] = {
    "--to",          "-o",           "--output",          "--decimal-separator",
    "--start-row",   "--start-column", "--widths",        "--search-criterion",
    "--field-separator", "--frame-criterion", "--frame-separator", "--encoding",
    "--date-separator", "--date-order",
};

struct JoinedArgs {
    std::vector<std::string> args;
    std::vector<std::string> emptyValues;  // options given an empty value
};

// An empty value is taken apart, since CLI11 would read the next argument in its place;
// an empty criterion or separator is a valid setting (it never occurs).
JoinedArgs joinValues(const std::vector<std::string>& args) {
    JoinedArgs joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            joined.args.insert(joined.args.end(), args.begin() + static_cast<std::ptrdiff_t>(i),
                               args.end());
            break;
        }
        const auto named = [&](const std::string& arg) {
            return std::any_of(std::begin(kValueOptions), std::end(kValueOptions),
                               [&](const char* o) { return arg == o; });
        };
        if (named(args[i]) && i + 1 < args.size()) {
            const std::string name = args[i] == "-o" ? "--output" : args[i];
            if (args[i + 1].empty()) {
                joined.emptyValues.push_back(name);
            } else {
                joined.args.push_back(name + "=" + args[i + 1]);
            }
            ++i;
        } else if (args[i].ends_with('=') && named(args[i].substr(0, args[i].size() - 1))) {
            joined.emptyValues.push_back(args[i].substr(0, args[i].size() - 1));
        } else {
            joined.args.push_back(args[i]);
        }
    }
    return joined;
}

// A text option given in UTF-8, held in Windows-1254.
std::string heldText(const std::string& option, const std::string& utf8) {
    auto text = utf8ToWin1254(utf8);
    if (!text) {
        throw UsageError(option + ": '" + utf8 + "' holds a character that Windows-1254 lacks");
    }
    return *text;
}

// A numeric option: the same strict whole-number reading as the settings fields, and the
// same text when it fails.
std::string integerText(const std::string& option, const std::string& utf8) {
    const auto text = utf8ToWin1254(utf8);
    std::int32_t value = 0;
    if (!text || !tryStrToInt(*text, value)) {
        throw UsageError(option + ": " + errorBoxText("'" + utf8 + "' is not a valid integer value"));
    }
    return *text;
}

OutputFormat formatNamed(const std::string& name) {
    if (name == "html") return OutputFormat::Html;
    if (name == "xlsx") return OutputFormat::Xlsx;
    return OutputFormat::Csv;
}

// --to's default: the output file's extension, else CSV.
OutputFormat formatOfOutput(const std::string& output) {
    std::error_code ec;
    if (output.empty() || std::filesystem::is_directory(output, ec)) return OutputFormat::Csv;
    const std::string ext = lower(std::filesystem::path(output).extension().string());
    if (ext == ".html" || ext == ".htm") return OutputFormat::Html;
    if (ext == ".xlsx") return OutputFormat::Xlsx;
    return OutputFormat::Csv;
}

}  // namespace

const char* extensionOf(OutputFormat format) {
    switch (format) {
        case OutputFormat::Csv: return ".csv";
        case OutputFormat::Html: return ".html";
        case OutputFormat::Xlsx: return ".xlsx";
    }
    return ".csv";
}

ParseResult parseCommandLine(const std::vector<std::string>& args, char localeDecimalSeparator,
                             const ShortDateFormat& localeDate) {
    CLI::App app{
        "Converts fixed-width DOS reports (code page 857) into CSV or HTML tables or Excel\n"
        "workbooks, as the Tablamo window saves them.",
        kProgram};
    app.get_formatter()->column_width(34);

    std::string to, output, decimal, startRow, startColumn, widths, encoding, dateSeparator,
        dateOrder;
    std::string searchCriterion, fieldSeparator, frameCriterion, frameSeparator;
    bool akbank = false, noAutoColumns = false, noLedgerMarks = false, quiet = false;
    std::vector<std::string> inputs;

    app.add_option("--to", to,
                   "output format; default: from --output's extension, else csv")
        ->check(CLI::IsMember({"csv", "html", "xlsx"}, CLI::ignore_case));
    app.add_option("-o,--output", output,
                   "one input: the output file, or an existing folder to write into;\n"
                   "several inputs: an existing folder.\n"
                   "default: beside each input, its extension replaced by the format's")
        ->type_name("PATH");
    app.add_flag("--akbank", akbank,
                 "read the inputs as Akbank statements");
    app.add_option("--decimal-separator", decimal,
                   "decimal separator of the number conversions; default: the locale's\n"
                   "(LC_NUMERIC), \".\" when none")
        ->type_name("C");
    app.add_option("--date-separator", dateSeparator,
                   "date separator the workbook's dates are read and shown with;\n"
                   "default: the locale's short date format's")
        ->type_name("C");
    app.add_option("--date-order", dateOrder,
                   "order of day, month and year in the workbook's dates;\n"
                   "default: the locale's short date format's")
        ->check(CLI::IsMember({"dmy", "mdy", "ymd"}, CLI::ignore_case));
    app.add_option("--start-row", startRow, "StartRow: first text line read, from 0 (default 1)")
        ->type_name("N");
    app.add_option("--start-column", startColumn,
                   "StartColumn: the grid row that receives it (default 1)")
        ->type_name("N");
    app.add_option("--widths", widths,
                   "ColumnWidths 1..k (k <= 20); the others keep their defaults")
        ->type_name("W1,W2,...");
    app.add_flag("--no-auto-columns", noAutoColumns, "AutoColumnSearch off");
    app.add_flag("--no-ledger-marks", noLedgerMarks, "LedgerMarks off");
    app.add_option("--search-criterion", searchCriterion,
                   "SearchCriterion, in UTF-8 (held in Windows-1254)")
        ->type_name("T");
    app.add_option("--field-separator", fieldSeparator, "FieldSeparator, likewise")->type_name("T");
    app.add_option("--frame-criterion", frameCriterion, "FrameCriterion, likewise")->type_name("T");
    app.add_option("--frame-separator", frameSeparator, "FrameSeparator, likewise")->type_name("T");
    app.add_option("--encoding", encoding,
                   "text encoding of CSV and HTML output (default windows-1254, as the\n"
                   "window saves; utf-8 CSV starts with a byte-order mark)")
        ->check(CLI::IsMember({"windows-1254", "utf-8"}, CLI::ignore_case));
    app.add_flag("-q,--quiet", quiet, "no progress, no per-file lines");
    app.add_option("INPUT", inputs, "report files (.txt, .not)")->required();

    ParseResult result;
    std::vector<std::string> emptyValues;
    try {
        JoinedArgs joined = joinValues(args);
        emptyValues = std::move(joined.emptyValues);
        std::reverse(joined.args.begin(), joined.args.end());
        app.parse(joined.args);
    } catch (const CLI::ParseError& e) {
        std::ostringstream out, err;
        const int code = app.exit(e, out, err);
        result.exitCode = code == 0 ? 0 : 2;
        result.out = out.str();
        result.err = err.str();
        if (code != 0) result.err = std::string(kProgram) + ": " + result.err;
        return result;
    }

    // An option given empty counts as given, with the empty text.
    const auto given = [&](const char* name) {
        return app.count(name) > 0 ||
               std::find(emptyValues.begin(), emptyValues.end(), name) != emptyValues.end();
    };
    try {
        for (const char* name : {"--to", "--output", "--encoding", "--date-order"}) {
            if (std::find(emptyValues.begin(), emptyValues.end(), name) != emptyValues.end()) {
                throw UsageError(std::string(name) + ": an empty value is not allowed");
            }
        }
        Job job;
        job.inputs = std::move(inputs);
        job.output = output;
        job.format = to.empty() ? formatOfOutput(output) : formatNamed(lower(to));
        job.akbank = akbank;
        job.quiet = quiet;
        job.encoding = lower(encoding) == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Windows1254;

        ImportSettings& s = job.settings;
        if (given("--start-row")) s.StartRow = integerText("--start-row", startRow);
        if (given("--start-column")) s.StartColumn = integerText("--start-column", startColumn);
        if (given("--widths")) {
            std::vector<std::string> parts;
            std::size_t from = 0;
            for (;;) {
                const std::size_t comma = widths.find(',', from);
                parts.push_back(widths.substr(from, comma - from));
                if (comma == std::string::npos) break;
                from = comma + 1;
            }
            if (parts.size() > static_cast<std::size_t>(ImportSettings::kWidthCount)) {
                throw UsageError("--widths: at most 20 widths");
            }
            for (std::size_t k = 0; k < parts.size(); ++k) {
                s.ColumnWidths[k] = integerText("--widths", parts[k]);
            }
        }
        if (given("--search-criterion")) {
            s.SearchCriterion = heldText("--search-criterion", searchCriterion);
        }
        if (given("--field-separator")) {
            s.FieldSeparator = heldText("--field-separator", fieldSeparator);
        }
        if (given("--frame-criterion")) {
            s.FrameCriterion = heldText("--frame-criterion", frameCriterion);
        }
        if (given("--frame-separator")) {
            s.FrameSeparator = heldText("--frame-separator", frameSeparator);
        }
        s.AutoColumnSearch = !noAutoColumns;
        s.LedgerMarks = !noLedgerMarks;

        job.regional.decimalSeparator = localeDecimalSeparator;
        if (given("--decimal-separator")) {
            const std::string sep = heldText("--decimal-separator", decimal);
            if (sep.size() != 1) throw UsageError("--decimal-separator: one character is needed");
            job.regional.decimalSeparator = sep[0];
        }
        job.regional.dateSeparator = localeDate.separator;
        job.regional.dateOrder = localeDate.order;
        if (given("--date-separator")) {
            const std::string sep = heldText("--date-separator", dateSeparator);
            if (sep.size() != 1) throw UsageError("--date-separator: one character is needed");
            job.regional.dateSeparator = sep[0];
        }
        if (given("--date-order")) {
            const std::string order = lower(dateOrder);
            job.regional.dateOrder = order == "mdy"   ? DateOrder::MonthDayYear
                                     : order == "ymd" ? DateOrder::YearMonthDay
                                                      : DateOrder::DayMonthYear;
        }
        result.job = std::move(job);
    } catch (const UsageError& e) {
        result.exitCode = 2;
        result.err = std::string(kProgram) + ": " + e.what() + "\nRun with --help for more information.\n";
    }
    return result;
}

char localeDecimalSeparator() {
    // Read through a locale object of its own: setting the process's LC_NUMERIC would
    // change how the C library reads numbers inside the conversions.
    const locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = ::nl_langinfo_l(RADIXCHAR, loc);
    const std::string text = radix ? radix : "";
    ::freelocale(loc);
    if (text.size() == 1) return text[0];
    // A separator of several bytes is taken as UTF-8, the usual locale encoding.
    const auto held = utf8ToWin1254(text);
    return held && held->size() == 1 ? (*held)[0] : '.';
}

ShortDateFormat shortDateFormatOf(std::string_view format) {
    // The fields in the order they appear: d for the day, m for the month, y for the year.
    std::string fields;
    char separator = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            if (!fields.empty() && fields.size() < 3 && separator == 0) separator = format[i];
            continue;
        }
        char c = format[++i];
        if (c == 'E' || c == 'O') {  // alternative-digits modifiers
            if (i + 1 == format.size()) break;
            c = format[++i];
        }
        switch (c) {
            case 'd': case 'e': fields += 'd'; break;
            case 'm': fields += 'm'; break;
            case 'y': case 'Y': case 'C': case 'G': case 'g': fields += 'y'; break;
            case 'F': fields += "ymd"; separator = separator ? separator : '-'; break;
            case 'D': fields += "mdy"; separator = separator ? separator : '/'; break;
            default: break;
        }
    }
    ShortDateFormat result;
    const std::size_t d = fields.find('d'), m = fields.find('m'), y = fields.find('y');
    if (d == std::string::npos || m == std::string::npos || y == std::string::npos) return result;
    if (y < m && m < d) {
        result.order = DateOrder::YearMonthDay;
    } else if (m < d) {
        result.order = DateOrder::MonthDayYear;
    } else {
        result.order = DateOrder::DayMonthYear;
    }
    if (separator != 0 && separator != ' ') result.separator = separator;
    return result;
}

ShortDateFormat localeShortDateFormat() {
    // Read through a locale object of its own, like the decimal separator.
    const locale_t loc = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return {};
    const char* format = ::nl_langinfo_l(D_FMT, loc);
    ShortDateFormat result = shortDateFormatOf(format ? format : "");
    ::freelocale(loc);
    // A separator byte that begins a UTF-8 sequence is no character of its own.
    if (static_cast<unsigned char>(result.separator) >= 0x80) result.separator = '/';
    return result;
}

}  // namespace tablamo::cli
