#include "cli/job.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "cli/option_values.h"
#include "commands/profile_commands.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/platform/files.h"

namespace tablamo::cli {
namespace {

constexpr const char* kProgram = "tablamo-convert";

// The clean table's options, which only go with --clean.
constexpr const char* kCleanOnlyOptions[] = {"--line-numbers", "--strict", "--csv-separator"};

// --profile's layout and clean-table choice; a profile that cannot be read stops the run
// like a bad option.
LayoutProfile readProfile(const std::string& path) {
    try {
        return loadProfile(path);
    } catch (const Error& e) {
        throw UsageError(std::string("--profile: ") + e.what());
    }
}

// --save-profile must not replace the input or the output.
void checkSaveProfile(const Job& job, const std::string& path) {
    if (job.inputs.size() != 1) {
        throw UsageError("--save-profile: one input is needed, not " +
                         std::to_string(job.inputs.size()));
    }
    const auto key = [](const std::string& p) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(p, ec);
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, ec);
        return (ec ? absolute : canonical).lexically_normal();
    };
    std::error_code ec;
    if (std::filesystem::equivalent(path, job.inputs[0], ec) || key(path) == key(job.inputs[0]) ||
        (!job.output.empty() && key(path) == key(job.output))) {
        throw UsageError("--save-profile: '" + path +
                         "' is the input or the output; nothing written");
    }
}

// --to's default: the format the output file's ending names; CSV when the outputs are
// named after the inputs (no -o, or -o a folder). A file ending that names no format is
// refused rather than guessed.
OutputFormat formatOfOutput(const std::string& output, const std::vector<std::string>& inputs) {
    std::error_code ec;
    if (output.empty() || std::filesystem::is_directory(platform::toFsPath(output), ec)) {
        return OutputFormat::Csv;
    }
    if (const OutputFormatInfo* format = formatOfFileName(output)) return format->format;
    // Several inputs, or a folder, need -o to be a folder: the output plan says so.
    if (inputs.size() != 1 || std::filesystem::is_directory(platform::toFsPath(inputs[0]), ec)) {
        return OutputFormat::Csv;
    }
    std::string endings;
    for (const OutputFormatInfo& f : outputFormats()) {
        for (const std::string_view e : f.endings) {
            if (!endings.empty()) endings += ", ";
            endings.append(e);
        }
    }
    throw UsageError("--output: '" + output +
                     "' is no folder, and its ending names no output format (" + endings +
                     "); name the format with --to");
}

// -j: a whole number of at least 1.
int jobCount(const std::string& value) {
    int n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < 1) {
        throw UsageError("--jobs: '" + value + "' is not a number of files at once (1 or more)");
    }
    return n;
}

}  // namespace

ParseResult parseCommandLine(const std::vector<std::string>& args, char localeDecimalSeparator,
                             const ShortDateFormat& localeDate) {
    CLI::App app{
        "Converts fixed-width DOS reports (code page 857) into CSV or HTML tables or Excel\n"
        "workbooks, as the Tablamo window saves them.",
        kProgram};
    app.get_formatter()->column_width(34);

    std::string to, output, decimal, encoding, dateSeparator, dateOrder, jobs, summary;
    std::string profile, saveProfile, inputEncoding, csvSeparator;
    bool akbank = false, quiet = false, clean = false, lineNumbers = false, strict = false;
    std::vector<std::string> inputs;
    std::map<std::string, std::string> layoutValues;
    std::map<std::string, bool> layoutFlags;

    std::vector<std::string> formatNames;
    for (const OutputFormatInfo& f : outputFormats()) formatNames.emplace_back(f.name);
    app.add_option("--to", to, "output format; default: from --output's extension, else csv")
        ->check(CLI::IsMember(formatNames, CLI::ignore_case));
    app.add_option("-o,--output", output,
                   "one input: the output file (.xls is written as .xlsx), or an\n"
                   "existing folder to write into; several inputs or a folder: an\n"
                   "existing folder.\n"
                   "default: beside each input, its extension replaced by the format's")
        ->type_name("PATH");
    app.add_flag("--akbank", akbank, "read the inputs as Akbank statements");
    app.add_option("--decimal-separator", decimal,
                   "decimal separator of the number conversions; default: the\n"
                   "user's regional settings (Windows), else the decimal point of the\n"
                   "locale LC_ALL, LC_NUMERIC or LANG names, as the window takes it\n"
                   "from its locale data (\".\" for C)")
        ->type_name("C");
    app.add_option("--date-separator", dateSeparator,
                   "date separator the workbook's dates are read and shown with;\n"
                   "default: that of the short date format of the user's regional\n"
                   "settings (Windows), else of the locale LC_ALL, LC_TIME or LANG\n"
                   "names, as the window takes it (\"/\" for C)")
        ->type_name("C");
    app.add_option("--date-order", dateOrder,
                   "order of day, month and year in the workbook's dates; default:\n"
                   "likewise from the short date format (dmy for C)")
        ->check(CLI::IsMember({"dmy", "mdy", "ymd"}, CLI::ignore_case));
    for (const LayoutOption& o : layoutOptions()) {
        if (*o.valueName) {
            app.add_option(o.flag, layoutValues[o.flag], o.help)->type_name(o.valueName);
        } else {
            app.add_flag(o.flag, layoutFlags[o.flag], o.help);
        }
    }
    app.add_option("--profile", profile,
                   "a layout profile (JSON) every input starts from; the layout options\n"
                   "given as well override it")
        ->type_name("FILE");
    app.add_option("--save-profile", saveProfile,
                   "one input: writes the layout its import used (the widths after the\n"
                   "column detection) and its heading line as a layout profile")
        ->type_name("FILE");
    app.add_option("--input-encoding", inputEncoding,
                   "how the inputs are read (default auto: as UTF-8 when valid UTF-8\n"
                   "with letters beyond ASCII, as Windows-1254 when its Turkish letters\n"
                   "stand in the words, else as code page 857)")
        ->check(CLI::IsMember({"auto", "cp857", "utf-8", "cp1254"}, CLI::ignore_case));
    app.add_option("--encoding", encoding,
                   "text encoding of CSV and HTML output (default windows-1254, as the\n"
                   "window saves; utf-8 CSV starts with a byte-order mark)")
        ->check(CLI::IsMember({"windows-1254", "utf-8"}, CLI::ignore_case));
    app.add_option("-j,--jobs", jobs,
                   "how many inputs are converted at once; default: the number of\n"
                   "cores (-j 1: one after the other)")
        ->type_name("N");
    app.add_option("--summary", summary,
                   "also write FILE: JSON Lines, one object per input (input, output,\n"
                   "status, rows, warnings, message, seconds)")
        ->type_name("FILE");
    app.add_flag("--clean", clean,
                 "the clean table: only the records, typed, headings in the first row;\n"
                 "the report's printed totals are checked against them");
    app.add_flag("--line-numbers", lineNumbers,
                 "with --clean: a last column \"Satır\", the report line of each record");
    app.add_flag("--strict", strict, "with --clean: exit status 1 when a printed total disagrees");
    app.add_option("--csv-separator", csvSeparator,
                   "with --clean: the CSV field separator; default \";\" when the decimal\n"
                   "separator is \",\", else \",\"")
        ->type_name("C");
    app.add_flag("-q,--quiet", quiet, "no progress, no per-file lines");
    app.add_option("INPUT", inputs,
                   "report files, or folders: every .txt and .not file under one (any\n"
                   "case, hidden ones left out), its subfolders mirrored under -o")
        ->required();

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
    const auto givenEmpty = [&](const std::string& name) {
        return std::find(emptyValues.begin(), emptyValues.end(), name) != emptyValues.end();
    };
    const auto given = [&](const std::string& name) {
        return app.count(name) > 0 || givenEmpty(name);
    };
    try {
        for (const char* name : {"--to", "--output", "--encoding", "--date-order", "--summary",
                                 "--profile", "--save-profile", "--input-encoding"}) {
            if (givenEmpty(name))
                throw UsageError(std::string(name) + ": an empty value is not allowed");
        }
        Job job;
        job.inputs = std::move(inputs);
        job.output = output;
        job.format = to.empty() ? formatOfOutput(output, job.inputs) : formatNamed(to)->format;
        job.akbank = akbank;
        job.quiet = quiet;
        job.jobs = given("--jobs")
                       ? jobCount(jobs)
                       : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        job.summary = summary;
        job.localeDecimal = localeDecimalSeparator;
        job.encoding = lower(encoding) == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Windows1254;
        const std::string readAs = lower(inputEncoding);
        job.inputEncoding = readAs == "cp857"    ? InputEncoding::Cp857
                            : readAs == "utf-8"  ? InputEncoding::Utf8
                            : readAs == "cp1254" ? InputEncoding::Cp1254
                                                 : InputEncoding::Auto;
        if (given("--save-profile")) {
            checkSaveProfile(job, saveProfile);
            job.saveProfile = saveProfile;
        }
        bool profileClean = false;
        if (given("--profile")) {
            const LayoutProfile saved = readProfile(profile);
            job.layout = saved.layout;
            profileClean = saved.cleanTable;
        }
        for (const LayoutOption& o : layoutOptions()) {
            if (given(o.flag)) applyLayoutOption(o, layoutValues[o.flag], job.layout);
        }
        job.clean = clean || profileClean;
        for (const char* name : kCleanOnlyOptions) {
            if (!job.clean && given(name)) {
                throw UsageError(std::string(name) + " goes only with --clean");
            }
        }
        job.lineNumbers = lineNumbers;
        job.strict = strict;
        if (given("--csv-separator")) {
            job.csvSeparator = oneCharacter("--csv-separator", csvSeparator);
        }

        job.regional.decimalSeparator = localeDecimalSeparator;
        if (given("--decimal-separator")) {
            job.regional.decimalSeparator = oneCharacter("--decimal-separator", decimal);
        }
        job.regional.dateSeparator = localeDate.separator;
        job.regional.dateOrder = localeDate.order;
        if (given("--date-separator")) {
            job.regional.dateSeparator = oneCharacter("--date-separator", dateSeparator);
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
        result.err =
            std::string(kProgram) + ": " + e.what() + "\nRun with --help for more information.\n";
    }
    return result;
}

}  // namespace tablamo::cli
