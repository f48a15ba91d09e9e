#pragma once
/// The converter's command line as given: the options declared, the arguments read into
/// their texts. Nothing is checked here but what CLI11 checks (unknown options, a missing
/// value, a choice outside its list); job.h maps the texts onto a job.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo::cli {

/// The options given, each by its long name ("--output" also for "-o"), with the text of
/// its value as given (UTF-8; empty when given empty).
struct GivenOptions {
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    std::vector<std::string> inputs;

    /// Whether the option or flag was given, also with an empty value.
    bool has(std::string_view name) const {
        return values.find(name) != values.end() || flags.find(name) != flags.end();
    }
    /// The value given; "" when the option was not given.
    std::string value(std::string_view name) const {
        const auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
};

/// The arguments read: the options given, or what to print and the exit status (--help on
/// stdout and 0; a mistake CLI11 finds, told in Turkish, on stderr, prefixed with the
/// program's name and followed by kHelpHint, and 2).
struct ReadArguments {
    std::optional<GivenOptions> options;
    int exitCode = 0;
    std::string out;
    std::string err;
};

/// The program's name in its messages.
inline constexpr const char* kProgram = "tablamo-convert";

/// The line after a command-line mistake.
inline constexpr const char* kHelpHint = "Ayrıntılar için: tablamo-convert --help\n";

/// Reads the arguments (without the program name) against the converter's options; --help in
/// Turkish when `turkish`.
ReadArguments readArguments(const std::vector<std::string>& args, bool turkish = false);

/// The arguments with every option's value joined to it ("--start-row=-1"), and the options
/// given an empty value.
struct JoinedArgs {
    std::vector<std::string> args;
    std::vector<std::string> emptyValues;
};

/// The next argument of an option that takes a value is always its value, also when it
/// begins with "-" (a search criterion of hyphens, a negative start row), as getopt reads
/// it. An empty value is taken apart, since CLI11 would read the next argument in its
/// place; an empty criterion or separator is a valid setting (it never occurs).
JoinedArgs joinValues(const std::vector<std::string>& args);

}  // namespace tablamo::cli
