#include "cli/job.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "cli/command_line.h"
#include "cli/console_ui.h"
#include "cli/option_values.h"
#include "cli/options.h"
#include "cli/reconcile_run.h"
#include "commands/profile_commands.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/platform/files.h"

namespace tablamo::cli {
namespace {

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
        throw UsageError("--save-profile: tek bir girdi gerekir; " +
                         std::to_string(job.inputs.size()) + " girdi verildi");
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
                         "' girdiyle ya da çıktıyla aynı dosya; hiçbir şey yazılmadı");
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
                     "' bir klasör değil ve uzantısı bir çıktı biçimi belirtmiyor (" + endings +
                     "); biçimi --to ile belirtin");
}

// The format of the merged file: the one its ending names, else refused.
OutputFormat formatOfMerge(const std::string& file) {
    if (const OutputFormatInfo* format = formatOfFileName(file)) return format->format;
    throw UsageError("--merge: '" + file +
                     "' adının uzantısı bir çıktı biçimi belirtmiyor; biçimi --to ile belirtin");
}

}  // namespace

Job jobFromOptions(const GivenOptions& given, char localeDecimalSeparator,
                   const ShortDateFormat& localeDate) {
    for (const OptionDecl& o : optionDecls()) {
        const std::string name = longName(o);
        if (o.emptyRefused && given.has(name) && given.value(name).empty())
            throw UsageError(name + ": boş değer verilemez");
    }
    const auto value = [&](const char* name) { return given.value(name); };
    Job job;
    job.inputs = given.inputs;
    job.output = value("--output");
    job.merge = value("--merge");
    if (!job.merge.empty() && given.has("--output")) {
        throw UsageError("--merge yazılacak tek dosyayı belirtir; --output ile birlikte verilemez");
    }
    const std::string to = value("--to");
    job.format = !to.empty()          ? formatNamed(to)->format
                 : !job.merge.empty() ? formatOfMerge(job.merge)
                                      : formatOfOutput(job.output, job.inputs);
    job.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    job.localeDecimal = localeDecimalSeparator;
    job.regional.decimalSeparator = localeDecimalSeparator;
    job.regional.dateSeparator = localeDate.separator;
    job.regional.dateOrder = localeDate.order;
    if (given.has("--save-profile")) {
        if (!job.merge.empty()) throw UsageError("--save-profile, --merge ile birlikte verilemez");
        checkSaveProfile(job, value("--save-profile"));
        job.saveProfile = value("--save-profile");
    }
    bool profileClean = false;
    if (given.has("--profile")) {
        const LayoutProfile saved = readProfile(value("--profile"));
        job.layout = saved.layout;
        profileClean = saved.cleanTable;
    }
    // The layout options over the profile's, then every option that sets a field of its own.
    for (const OptionDecl& o : optionDecls()) {
        const std::string name = longName(o);
        if (!o.layout.empty() && given.has(name))
            applyLayoutOption(o, given.value(name), job.layout);
    }
    job.clean = given.has("--clean") || profileClean;
    for (const OptionDecl& o : optionDecls()) {
        const std::string name = longName(o);
        if (o.cleanOnly && !job.clean && given.has(name)) {
            throw UsageError(name + " yalnızca --clean ile verilebilir");
        }
    }
    for (const OptionDecl& o : optionDecls()) {
        const std::string name = longName(o);
        if (o.set && given.has(name)) o.set(job, given.value(name));
    }
    readReconcileOptions(given, job);
    return job;
}

ParseResult parseCommandLine(const std::vector<std::string>& args, char localeDecimalSeparator,
                             const ShortDateFormat& localeDate, bool turkish) {
    ReadArguments read = readArguments(args, turkish);
    ParseResult result;
    result.exitCode = read.exitCode;
    result.out = std::move(read.out);
    result.err = std::move(read.err);
    if (!read.options) return result;
    try {
        result.job = jobFromOptions(*read.options, localeDecimalSeparator, localeDate);
    } catch (const UsageError& e) {
        // A value may name a file: its control characters reach the terminal as \xNN.
        result.exitCode = 2;
        result.err = std::string(kProgram) + ": " + printableName(e.what()) + "\n" + kHelpHint;
    }
    return result;
}

}  // namespace tablamo::cli
