#pragma once
/// Every option of the converter, declared once: its names, its value, its help in English
/// and in Turkish, what it sets in the job and whether it goes only with --clean. The
/// command line, --help, the list of the clean table's options and the fuzz target's words
/// are made from these declarations; a test holds them against both manual pages.

#include <span>
#include <string>
#include <string_view>

namespace tablamo::cli {

struct Job;

/// One option of the command line.
struct OptionDecl {
    const char* names;      ///< "-o,--output": the long name last
    const char* valueName;  ///< "N", "FILE"; empty: a flag
    const char* help;       ///< English
    const char* helpTr;     ///< Turkish
    /// The values allowed (any case); kFormatChoices: the output formats' names.
    std::span<const char* const> choices = {};
    bool cleanOnly = false;     ///< given without --clean: a usage error
    bool emptyRefused = false;  ///< given an empty value: a usage error
    std::string_view layout{};  ///< a layout option: the ReportLayout setting it sets
    /// Sets its field of the job from the value given ("" for a flag); none for the options
    /// the job reads together with others (--to, --output, --merge, the profiles) and for
    /// the layout options.
    void (*set)(Job& job, const std::string& value) = nullptr;
};

/// The marker of --to's choices: the output formats' names.
inline constexpr const char* kFormatChoices[] = {"<formats>"};

/// Every option, in the order --help lists them.
std::span<const OptionDecl> optionDecls();

/// The option's long name: "--output" of "-o,--output".
std::string longName(const OptionDecl& option);

}  // namespace tablamo::cli
