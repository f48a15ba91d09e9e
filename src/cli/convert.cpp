#include "cli/convert.h"

#include <filesystem>
#include <set>

#include "commands/open_commands.h"
#include "core/platform/files.h"
#include "core/workspace.h"

namespace tablamo::cli {
namespace fs = std::filesystem;
namespace {

// The same file, also when named differently: the canonical path, or for an existing
// file its identity (device and inode, volume and file index).
struct FileKey {
    std::string canonical;
    std::optional<platform::FileIdentity> identity;
};

FileKey keyOf(const std::string& path) {
    FileKey key;
    std::error_code ec;
    const fs::path absolute = fs::absolute(platform::toFsPath(path), ec);
    key.canonical = platform::fromFsPath(fs::weakly_canonical(absolute, ec));
    key.identity = platform::fileIdentity(path);
    return key;
}

bool sameFile(const FileKey& a, const FileKey& b) {
    if (a.identity && b.identity) return *a.identity == *b.identity;
    return platform::sameFileName(a.canonical, b.canonical);
}

}  // namespace

std::vector<std::string> planOutputs(const Job& job) {
    std::error_code ec;
    const bool intoFolder =
        !job.output.empty() && fs::is_directory(platform::toFsPath(job.output), ec);
    if (!job.output.empty() && !intoFolder && job.inputs.size() > 1) {
        throw UsageError("--output: with several inputs it must be an existing folder: '" +
                         job.output + "'");
    }
    std::vector<std::string> outputs;
    for (const std::string& input : job.inputs) {
        if (!job.output.empty() && !intoFolder) {
            outputs.push_back(job.output);
            continue;
        }
        fs::path out = platform::toFsPath(input);
        out.replace_extension(platform::toFsPath(extensionOf(job.format)));
        if (intoFolder) out = platform::toFsPath(job.output) / out.filename();
        outputs.push_back(platform::fromFsPath(out));
    }

    std::vector<FileKey> inputKeys, outputKeys;
    for (const std::string& input : job.inputs) inputKeys.push_back(keyOf(input));
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const FileKey key = keyOf(outputs[i]);
        for (std::size_t j = 0; j < i; ++j) {
            if (sameFile(key, outputKeys[j])) {
                throw UsageError("'" + job.inputs[j] + "' and '" + job.inputs[i] +
                                 "' would both write '" + outputs[i] + "'; nothing written");
            }
        }
        for (std::size_t j = 0; j < inputKeys.size(); ++j) {
            if (sameFile(key, inputKeys[j])) {
                throw UsageError("the output '" + outputs[i] + "' would replace the input '" +
                                 job.inputs[j] + "'; nothing written");
            }
        }
        outputKeys.push_back(key);
    }
    return outputs;
}

bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step) {
    Workspace ws;
    ws.settings.layout = job.layout;
    ws.regional = job.regional;
    // "Aç" without its dialog: the file into the report buffer, mapped rather than copied,
    // which spares a large report's second copy in memory; then the import.
    loadReport(ws, input, true);
    const ImportOutcome outcome = runImporter(ws, job.akbank ? Importer::Statement : Importer::Report);
    showOutcome(ui, outcome);
    if (outcome.status == ImportStatus::EmptyText) ui.showMessage(kEmptyInputMessage);
    if (!outcome.imported()) return false;
    if (step) step(ws.text.bytes().size());
    WriteOptions options;
    options.encoding = job.encoding;
    options.regional = ws.regional;
    options.today = Clock().today();
    formatInfo(job.format).write(ws.grid, options, output);
    if (step) step(ws.text.bytes().size());
    return true;
}

int runJob(const Job& job, Console& console) {
    std::vector<std::string> outputs;
    try {
        outputs = planOutputs(job);
    } catch (const UsageError& e) {
        console.say("tablamo-convert", e.what());
        return 2;
    }

    const int total = static_cast<int>(job.inputs.size());
    std::uint64_t bytesBefore = 0;
    bool anyFailed = false;
    for (int i = 0; i < total; ++i) {
        const std::string& input = job.inputs[static_cast<std::size_t>(i)];
        const std::string& output = outputs[static_cast<std::size_t>(i)];
        ConsoleUi ui(console, input);
        std::uint64_t bytesOfThis = 0;
        const StepReport step = [&](std::uint64_t bytes) {
            bytesOfThis = bytes;
            console.progress(i, total, bytesBefore + bytes);
        };
        bool written = false;
        const bool ran = runCommand(ui, [&] { written = convertOne(job, input, output, ui, step); });
        bytesBefore += bytesOfThis;
        if (!ran || !written) {
            anyFailed = true;
        } else if (!job.quiet) {
            console.say("", input + " -> " + output);
        }
        console.progress(i + 1, total, bytesBefore);
    }
    console.clearProgress();
    return anyFailed ? 1 : 0;
}

}  // namespace tablamo::cli
