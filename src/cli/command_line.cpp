#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <deque>
#include <span>
#include <sstream>

#include "cli/option_values.h"
#include "cli/options.h"
#include "export/output_formats.h"

namespace tablamo::cli {
namespace {

using OptionSpec = OptionDecl;

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

void declare(CLI::App& app, const OptionSpec& o, Bindings& b, bool turkish) {
    const std::string name = longName(o);
    const char* help = turkish ? o.helpTr : o.help;
    if (!*o.valueName) {
        b.flagStates.push_back(false);
        b.flags.emplace_back(name, &b.flagStates.back());
        app.add_flag(o.names, b.flagStates.back(), help);
        return;
    }
    CLI::Option* option = app.add_option(o.names, b.values[name], help)->type_name(o.valueName);
    if (!o.choices.empty()) option->check(CLI::IsMember(choicesOf(o), CLI::ignore_case));
}

// Every option of the converter, in the order --help lists them.
std::span<const OptionSpec> allOptions() { return optionDecls(); }

// The names of an option: "-o,--output" gives "-o" and "--output".
std::vector<std::string> namesOf(const OptionSpec& o) {
    std::vector<std::string> names;
    std::istringstream all(o.names);
    for (std::string name; std::getline(all, name, ',');) names.push_back(name);
    return names;
}

void declareOptions(CLI::App& app, Bindings& b, bool turkish) {
    app.get_formatter()->column_width(34);
    if (turkish) {
        app.option_defaults()->group("Seçenekler");
        app.set_help_flag("-h,--help", "bu yardımı gösterir ve biter");
        for (const auto& [word, turkishWord] : {std::pair{"Usage", "Kullanım"},
                                                {"Positionals", "Girdiler"},
                                                {"Options", "Seçenekler"},
                                                {"REQUIRED", "ZORUNLU"},
                                                {"OPTIONS", "SEÇENEKLER"}}) {
            app.get_formatter()->label(word, turkishWord);
        }
    }
    for (const OptionSpec& o : allOptions()) declare(app, o, b, turkish);
    app.add_option("INPUT", b.inputs,
                   turkish
                       ? "rapor dosyaları ya da klasörler: bir klasörün altındaki her .txt,\n"
                         ".not, .prn ve .lst dosyası (harf büyüklüğü fark etmez, gizliler\n"
                         "dışarıda), alt klasörleri -o altında aynen"
                       : "report files, or folders: every .txt, .not, .prn and .lst file under\n"
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
            if (word == longName(o)) return &o;
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
    const CLI::Option* option = app.get_option_no_throw(longName(o));
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
    const std::string name = longName(*o);
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
            const std::string name = longName(*o);
            if (args[i + 1].empty()) {
                joined.emptyValues.push_back(name);
            } else {
                joined.args.push_back(name + "=" + args[i + 1]);
            }
            ++i;
        } else if (const OptionSpec* e = args[i].ends_with('=')
                                             ? valueOption(args[i].substr(0, args[i].size() - 1))
                                             : nullptr) {
            joined.emptyValues.push_back(longName(*e));
        } else {
            joined.args.push_back(args[i]);
        }
    }
    return joined;
}

ReadArguments readArguments(const std::vector<std::string>& args, bool turkish) {
    CLI::App app{turkish ? "Sabit genişlikli DOS raporlarını (kod sayfası 857) CSV ya da HTML\n"
                           "tablolarına veya Excel çalışma kitaplarına çevirir, Tablamo\n"
                           "penceresinin kaydettiği gibi."
                         : "Converts fixed-width DOS reports (code page 857) into CSV or HTML "
                           "tables or Excel\n"
                           "workbooks, as the Tablamo window saves them.",
                 kProgram};
    Bindings bound;
    declareOptions(app, bound, turkish);

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
