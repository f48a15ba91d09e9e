#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <deque>
#include <span>
#include <sstream>

#include "cli/option_values.h"
#include "export/output_formats.h"

namespace tablamo::cli {
namespace {

// One option of the command line. `valueName` empty: a flag. `choices` the values allowed
// (any case); kFormatChoices: the output formats' names.
struct OptionSpec {
    const char* names;  // "-o,--output": the long name last
    const char* valueName;
    const char* help;
    std::span<const char* const> choices = {};
};

constexpr const char* kFormatChoices[] = {"<formats>"};
constexpr const char* kDateOrders[] = {"dmy", "mdy", "ymd"};
constexpr const char* kInputEncodings[] = {"auto", "cp857", "utf-8", "cp1254"};
constexpr const char* kEncodings[] = {"windows-1254", "utf-8"};

// The options before the layout options, in the order --help lists them.
const OptionSpec kLeadOptions[] = {
    {"--to", "TEXT", "output format; default: from --output's extension, else csv", kFormatChoices},
    {"-o,--output", "PATH",
     "one input: the output file (.xls is written as .xlsx), or an\n"
     "existing folder to write into; several inputs or a folder: an\n"
     "existing folder.\n"
     "default: beside each input, its extension replaced by the format's"},
    {"--akbank", "", "read the inputs as Akbank statements"},
    {"--decimal-separator", "C",
     "decimal separator of the number conversions; default: the\n"
     "user's regional settings (Windows), else the decimal point of the\n"
     "locale LC_ALL, LC_NUMERIC or LANG names, as the window takes it\n"
     "from its locale data (\".\" for C)"},
    {"--date-separator", "C",
     "date separator the workbook's dates are read and shown with;\n"
     "default: that of the short date format of the user's regional\n"
     "settings (Windows), else of the locale LC_ALL, LC_TIME or LANG\n"
     "names, as the window takes it (\"/\" for C)"},
    {"--date-order", "TEXT",
     "order of day, month and year in the workbook's dates; default:\n"
     "likewise from the short date format (dmy for C)",
     kDateOrders},
};

// The options after the layout options.
const OptionSpec kTrailOptions[] = {
    {"--profile", "FILE",
     "a layout profile (JSON) every input starts from; the layout options\n"
     "given as well override it"},
    {"--save-profile", "FILE",
     "one input: writes the layout its import used (the widths after the\n"
     "column detection) and its heading line as a layout profile"},
    {"--input-encoding", "TEXT",
     "how the inputs are read (default auto: as UTF-8 when valid UTF-8\n"
     "with letters beyond ASCII, as Windows-1254 when its Turkish letters\n"
     "stand in the words, else as code page 857)",
     kInputEncodings},
    {"--encoding", "TEXT",
     "text encoding of CSV and HTML output (default windows-1254, as the\n"
     "window saves; utf-8 CSV starts with a byte-order mark)",
     kEncodings},
    {"-j,--jobs", "N",
     "how many inputs are converted at once; default: the number of\n"
     "cores (-j 1: one after the other)"},
    {"--summary", "FILE",
     "also write FILE: JSON Lines, one object per input (input, output,\n"
     "status, rows, warnings, message, seconds)"},
    {"--clean", "",
     "the clean table: only the records, typed, headings in the first row;\n"
     "the report's printed totals are checked against them"},
    {"--line-numbers", "", "with --clean: a last column \"Satır\", the report line of each record"},
    {"--strict", "",
     "with --clean: exit status 1 when a printed total disagrees or a line\n"
     "could not be placed"},
    {"--signed-balance", "",
     "with --clean: after each B/A mark column, the balance once more as one\n"
     "signed number (B positive, A negative)"},
    {"--csv-separator", "C",
     "with --clean: the CSV field separator; default \";\" when the decimal\n"
     "separator is \",\", else \",\""},
    {"--merge", "FILE",
     "with --clean: every input's records into one workbook FILE: reports\n"
     "with the same headings on one sheet, a first column \"Kaynak\" naming\n"
     "the report, reports of another shape on sheets of their own, a last\n"
     "sheet \"Özet\" listing every input; CSV and HTML: one file per sheet,\n"
     "named FILE's name, \"-\" and the sheet's"},
    {"--sheet-per", "FIELD",
     "with --clean: one sheet per value of the column headed FIELD (such\n"
     "as a sub-ledger's account code), named by the value, with the\n"
     "group's totals; CSV and HTML: one file per sheet"},
    {"-q,--quiet", "", "no progress, no per-file lines"},
    {"--reconcile", "",
     "reconcile an account: INPUT is our ledger, then the other side's\n"
     "statement; --output the workbook (sheets \"Mutabakat\", \"Eşleşenler\",\n"
     "\"Yalnız Defterde\", \"Yalnız Ekstrede\"; CSV or HTML: a file each);\n"
     "exit status 1 when the difference is not 0"},
    {"--days", "N",
     "with --reconcile: the most calendar days between two records that\n"
     "may pair (default 5)"},
    {"--same-side", "", "with --reconcile: the statement's debit is our debit"},
    {"--mirror", "", "with --reconcile: the statement's debit is our credit"},
};

std::string longName(const char* names) {
    const std::string all(names);
    const std::size_t comma = all.rfind(',');
    return comma == std::string::npos ? all : all.substr(comma + 1);
}

std::vector<std::string> choicesOf(const OptionSpec& o) {
    std::vector<std::string> choices;
    if (o.choices.data() == kFormatChoices) {
        for (const OutputFormatInfo& f : outputFormats()) choices.emplace_back(f.name);
    } else {
        choices.assign(o.choices.begin(), o.choices.end());
    }
    return choices;
}

// Where CLI11 puts what it reads: a text per option, a check per flag.
struct Bindings {
    std::map<std::string, std::string> values;
    std::deque<bool> flagStates;  // stable addresses for CLI11
    std::vector<std::pair<std::string, bool*>> flags;
    std::vector<std::string> inputs;
};

void declare(CLI::App& app, const OptionSpec& o, Bindings& b) {
    const std::string name = longName(o.names);
    if (!*o.valueName) {
        b.flagStates.push_back(false);
        b.flags.emplace_back(name, &b.flagStates.back());
        app.add_flag(o.names, b.flagStates.back(), o.help);
        return;
    }
    CLI::Option* option = app.add_option(o.names, b.values[name], o.help)->type_name(o.valueName);
    if (!o.choices.empty()) option->check(CLI::IsMember(choicesOf(o), CLI::ignore_case));
}

// Every option of the converter, in the order --help lists them.
const std::vector<OptionSpec>& allOptions() {
    static const std::vector<OptionSpec> options = [] {
        std::vector<OptionSpec> all(std::begin(kLeadOptions), std::end(kLeadOptions));
        for (const LayoutOption& o : layoutOptions()) all.push_back({o.flag, o.valueName, o.help});
        all.insert(all.end(), std::begin(kTrailOptions), std::end(kTrailOptions));
        return all;
    }();
    return options;
}

// The names of an option: "-o,--output" gives "-o" and "--output".
std::vector<std::string> namesOf(const OptionSpec& o) {
    std::vector<std::string> names;
    std::istringstream all(o.names);
    for (std::string name; std::getline(all, name, ',');) names.push_back(name);
    return names;
}

void declareOptions(CLI::App& app, Bindings& b) {
    app.get_formatter()->column_width(34);
    for (const OptionSpec& o : allOptions()) declare(app, o, b);
    app.add_option("INPUT", b.inputs,
                   "report files, or folders: every .txt, .not, .prn and .lst file under\n"
                   "one (any case, hidden ones left out), its subfolders mirrored under -o")
        ->required();
}

// The option that takes a value named `arg` ("-o" and "--output" alike); nothing for a
// flag or another argument.
const OptionSpec* valueOption(const std::string& arg) {
    for (const OptionSpec& o : allOptions()) {
        if (!*o.valueName) continue;
        for (const std::string& name : namesOf(o)) {
            if (name == arg) return &o;
        }
    }
    return nullptr;
}

// The option a CLI11 message names ("--to: pdf not in {…}", "Could not convert: --clean = x"):
// one of its words is an option's long name.
const OptionSpec* optionNamedIn(const std::string& message) {
    std::istringstream words(message);
    for (std::string word; words >> word;) {
        while (!word.empty() && (word.back() == ':' || word.back() == ',')) word.pop_back();
        for (const OptionSpec& o : allOptions()) {
            if (word == longName(o.names)) return &o;
        }
    }
    return nullptr;
}

// The arguments CLI11 left over: options it does not know, or values nothing takes.
std::string leftOverText(const std::vector<std::string>& leftOver) {
    std::vector<std::string> options, values;
    for (const std::string& arg : leftOver) {
        (arg.size() > 1 && arg[0] == '-' ? options : values).push_back(arg);
    }
    const auto joined = [](const std::vector<std::string>& items, const char* quote) {
        std::string text;
        for (const std::string& item : items) {
            if (!text.empty()) text += ", ";
            text += quote + item + quote;
        }
        return text;
    };
    if (!options.empty()) {
        return (options.size() > 1 ? "bilinmeyen seçenekler: " : "bilinmeyen seçenek: ") +
               joined(options, "");
    }
    return (values.size() > 1 ? "beklenmeyen değerler: " : "beklenmeyen değer: ") +
           joined(values, "'");
}

// The value given to `o` that is none of its choices.
std::string refusedChoice(const CLI::App& app, const OptionSpec& o) {
    const CLI::Option* option = app.get_option_no_throw(longName(o.names));
    const std::vector<std::string> choices = choicesOf(o);
    if (option) {
        for (const std::string& given : option->results()) {
            const bool known = std::any_of(choices.begin(), choices.end(),
                                           [&](const auto& c) { return lower(c) == lower(given); });
            if (!known) return given;
        }
    }
    return {};
}

// What CLI11 found wrong, in the converter's words; the message without the program's name.
std::string parseErrorText(const CLI::ParseError& e, const CLI::App& app,
                           const std::vector<std::string>& args) {
    // An unknown option is named before the inputs are missed ("tablamo-convert --version");
    // a "--" that ends the options is none.
    std::vector<std::string> leftOver = app.remaining();
    std::erase(leftOver, "--");
    if (!leftOver.empty()) return leftOverText(leftOver);
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        return "dönüştürülecek rapor dosyası ya da klasör verilmedi";
    }
    const OptionSpec* o = optionNamedIn(e.what());
    if (!o) return std::string("komut satırı okunamadı (") + e.what() + ")";
    const std::string name = longName(o->names);
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        // Given last without its value, or given more than once.
        const std::vector<std::string> names = namesOf(*o);
        const bool bare = std::any_of(args.begin(), args.end(), [&](const std::string& a) {
            return std::find(names.begin(), names.end(), a) != names.end();
        });
        return name + (bare ? ": değer verilmedi" : ": yalnızca bir kez verilebilir");
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e)) {
        std::string list;
        for (const std::string& c : choicesOf(*o)) list += (list.empty() ? "" : ", ") + c;
        return name + ": '" + refusedChoice(app, *o) + "' olamaz; şunlardan biri olmalı: " + list;
    }
    if (dynamic_cast<const CLI::ConversionError*>(&e)) return name + ": bu seçenek değer almaz";
    return std::string("komut satırı okunamadı (") + e.what() + ")";
}

}  // namespace

JoinedArgs joinValues(const std::vector<std::string>& args) {
    JoinedArgs joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            joined.args.insert(joined.args.end(), args.begin() + static_cast<std::ptrdiff_t>(i),
                               args.end());
            break;
        }
        if (const OptionSpec* o = valueOption(args[i]); o && i + 1 < args.size()) {
            const std::string name = longName(o->names);
            if (args[i + 1].empty()) {
                joined.emptyValues.push_back(name);
            } else {
                joined.args.push_back(name + "=" + args[i + 1]);
            }
            ++i;
        } else if (const OptionSpec* e = args[i].ends_with('=')
                                             ? valueOption(args[i].substr(0, args[i].size() - 1))
                                             : nullptr) {
            joined.emptyValues.push_back(longName(e->names));
        } else {
            joined.args.push_back(args[i]);
        }
    }
    return joined;
}

ReadArguments readArguments(const std::vector<std::string>& args) {
    CLI::App app{
        "Converts fixed-width DOS reports (code page 857) into CSV or HTML tables or Excel\n"
        "workbooks, as the Tablamo window saves them.",
        kProgram};
    Bindings bound;
    declareOptions(app, bound);

    ReadArguments result;
    JoinedArgs joined = joinValues(args);
    try {
        std::vector<std::string> reversed = joined.args;
        std::reverse(reversed.begin(), reversed.end());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() != 0) {
            result.exitCode = 2;
            result.err = std::string(kProgram) + ": " + parseErrorText(e, app, joined.args) + "\n" +
                         kHelpHint;
            return result;
        }
        std::ostringstream out, err;
        app.exit(e, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    GivenOptions given;
    for (auto& [name, text] : bound.values) {
        if (app.count(name) > 0) given.values.emplace(name, std::move(text));
    }
    for (const std::string& name : joined.emptyValues) given.values[name].clear();
    for (const auto& [name, state] : bound.flags) {
        if (*state) given.flags.insert(name);
    }
    given.inputs = std::move(bound.inputs);
    result.options = std::move(given);
    return result;
}

}  // namespace tablamo::cli
