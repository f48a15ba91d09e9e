#include "cli/convert.h"

#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "bank/statement_import.h"
#include "core/workspace.h"
#include "export/csv_writer.h"
#include "export/html_writer.h"
#include "export/safe_file.h"
#include "export/xlsx_writer.h"
#include "import/open_command.h"
#include "import/report_import.h"

namespace tablamo::cli {
namespace fs = std::filesystem;
namespace {

// "Aç" without its dialog: the file into the report buffer, then "Dosyayı Aktar". The
// bytes are those "Aç" loads; they are mapped rather than copied, which spares a large
// report's second copy in memory.
bool importReport(Workspace& ws, UiPort& ui, const std::string& path) {
    ws.text = ReportText::mapFile(path);
    // An empty text is told apart below, for both imports alike.
    return Button2Click(ws, ui) != ImportStatus::NotAReport;
}

// "Akbank Aç" without its dialog: the file into the report buffer as "Aç" loads it, then
// the statement import, which shows nothing and rejects no text.
bool importStatement(Workspace& ws, UiPort&, const std::string& path) {
    loadReport(ws, path);
    Akbank(ws);
    return true;
}

void writeCsvFile(const Workspace& ws, const Job& job, const std::string& path) {
    SafeFile file(path);
    writeCsv(ws.grid, file, job.encoding);
    file.commit();
}

void writeHtmlFile(const Workspace& ws, const Job& job, const std::string& path) {
    // The HTML button's border; without a window the table's size is the cells' sums.
    HtmlLayout layout;
    layout.encoding = job.encoding;
    SafeFile file(path);
    writeHtml(ws.grid, file, 1, layout);
    file.commit();
}

// The "Excel" button's workbook; the writer replaces the file safely itself.
void writeXlsxFile(const Workspace& ws, const Job&, const std::string& path) {
    SaveToExcel(ws.grid, kExcelSheetName, path, ws.regional, Clock().today());
}

// The same file, also when named differently: the canonical path, or for an existing
// file its device and inode.
struct FileKey {
    std::string canonical;
    dev_t dev = 0;
    ino_t ino = 0;
    bool exists = false;
};

FileKey keyOf(const std::string& path) {
    FileKey key;
    std::error_code ec;
    key.canonical = fs::weakly_canonical(fs::absolute(path, ec), ec).string();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        key.exists = true;
        key.dev = st.st_dev;
        key.ino = st.st_ino;
    }
    return key;
}

bool sameFile(const FileKey& a, const FileKey& b) {
    if (a.exists && b.exists) return a.dev == b.dev && a.ino == b.ino;
    return a.canonical == b.canonical;
}

}  // namespace

// The one place that chooses the importer and the writer.
Importer importerFor(const Job& job) {
    if (job.akbank) return &importStatement;
    return &importReport;
}

Writer writerFor(OutputFormat format) {
    switch (format) {
        case OutputFormat::Csv: return &writeCsvFile;
        case OutputFormat::Html: return &writeHtmlFile;
        case OutputFormat::Xlsx: return &writeXlsxFile;
    }
    return nullptr;
}

std::vector<std::string> planOutputs(const Job& job) {
    std::error_code ec;
    const bool intoFolder = !job.output.empty() && fs::is_directory(job.output, ec);
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
        fs::path out = fs::path(input);
        out.replace_extension(extensionOf(job.format));
        if (intoFolder) out = fs::path(job.output) / out.filename();
        outputs.push_back(out.string());
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
    const Importer import = importerFor(job);
    const Writer write = writerFor(job.format);
    if (!import || !write) throw Error("this build cannot convert with these options");

    Workspace ws;
    ws.settings = job.settings;
    ws.regional = job.regional;
    if (!import(ws, ui, input)) return false;
    // An empty file is in neither format. The imports leave the fresh table as it was for
    // it, and writing that table would pass it off as the file's conversion.
    if (ws.text.empty()) {
        ui.showMessage(kNotAReportMessage);
        return false;
    }
    if (step) step(ws.text.bytes().size());
    write(ws, job, output);
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
