#include "cli/reconcile_run.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "commands/reconcile_command.h"
#include "commands/report_title.h"
#include "commands/save_guard.h"
#include "core/platform/files.h"
#include "core/workspace.h"

namespace tablamo::cli {
namespace {

// The options that go with --reconcile only, and those that cannot go with it.
constexpr const char* kReconcileOnly[] = {"--days", "--same-side", "--mirror"};
constexpr const char* kNotWithReconcile[] = {"--merge",          "--sheet-per",    "--save-profile",
                                             "--akbank",         "--line-numbers", "--strict",
                                             "--signed-balance", "--summary"};

int dayCount(const std::string& value) {
    int n = -1;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < 0 || n > 366) {
        throw UsageError("--days: '" + value + "' bir gün sayısı değil (0 ile 366 arası)");
    }
    return n;
}

// Whether two files hold the same bytes (a copy of one print-out given as both sides).
bool sameBytes(const std::string& a, const std::string& b) {
    std::error_code ec, ec2;
    const auto size = std::filesystem::file_size(platform::toFsPath(a), ec);
    if (ec || size != std::filesystem::file_size(platform::toFsPath(b), ec2) || ec2) return false;
    std::ifstream fa(platform::toFsPath(a), std::ios::binary),
        fb(platform::toFsPath(b), std::ios::binary);
    return fa && fb &&
           std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

}  // namespace

void readReconcileOptions(const GivenOptions& given, Job& job) {
    job.reconcile = given.has("--reconcile");
    if (!job.reconcile) {
        for (const char* name : kReconcileOnly) {
            if (given.has(name))
                throw UsageError(std::string(name) + " yalnızca --reconcile ile verilebilir");
        }
        return;
    }
    for (const char* name : kNotWithReconcile) {
        if (given.has(name))
            throw UsageError(std::string(name) + ", --reconcile ile birlikte verilemez");
    }
    if (job.inputs.size() != 2) {
        throw UsageError("--reconcile: iki girdi gerekir, önce defter sonra ekstre; " +
                         std::to_string(job.inputs.size()) + " girdi verildi");
    }
    for (const std::string& input : job.inputs) {
        std::error_code ec;
        if (std::filesystem::is_directory(platform::toFsPath(input), ec))
            throw UsageError("--reconcile: '" + input + "' bir klasör; bir dosya gerekir");
    }
    std::error_code ec;
    if (job.output.empty() || std::filesystem::is_directory(platform::toFsPath(job.output), ec)) {
        throw UsageError("--reconcile: --output ile yazılacak dosya verilmeli (OUT.xlsx)");
    }
    if (sameFile(job.inputs[0], job.inputs[1]) || sameBytes(job.inputs[0], job.inputs[1])) {
        throw UsageError("--reconcile: defter ile ekstre aynı döküm ('" + job.inputs[0] + "', '" +
                         job.inputs[1] +
                         "'); önce kendi defterimiz, sonra karşı tarafın ekstresi verilir");
    }
    if (given.has("--same-side") && given.has("--mirror"))
        throw UsageError("--same-side ve --mirror birlikte verilemez");
    if (given.has("--days")) job.days = dayCount(given.value("--days"));
    job.direction = given.has("--same-side") ? reconcile::Direction::Same
                    : given.has("--mirror")  ? reconcile::Direction::Mirror
                                             : reconcile::Direction::Auto;
}

int runReconcile(const Job& job, Console& console) {
    const std::string& ledgerPath = job.inputs[0];
    const std::string& statementPath = job.inputs[1];
    const std::string output = formatInfo(job.format).fileName(job.output);
    ConsoleUi ledgerUi(console, ledgerPath), statementUi(console, statementPath);
    try {
        // Every file the run writes passes before anything is read: none is an input, none
        // is read-only.
        const TargetCheck check = [&](const std::string& file) {
            for (const std::string& input : job.inputs) {
                if (sameFile(file, input)) throw Error(replacesInputMessage(file, input));
            }
            refuseUnwritable(file);
            std::error_code ec;
            const std::filesystem::path folder = platform::toFsPath(file).parent_path();
            if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
                throw Error("'" + platform::fromFsPath(folder) + "' klasörü yok; '" +
                            printableName(file) + "' yazılamadı, hiçbir şey yazılmadı");
            }
        };
        for (const std::string& file : reconciliationFiles(output, job.format)) check(file);

        ReconcileRequest request;
        request.ledgerPath = ledgerPath;
        request.statementPath = statementPath;
        request.reading.layout = job.layout;
        request.reading.regional = job.regional;
        request.reading.inputEncoding = job.inputEncoding;
        request.reading.mapped = true;
        request.reading.quiet = job.quiet;
        request.days = job.days;
        request.direction = job.direction;
        std::optional<Reconciliation> done;
        try {
            done = reconcileFiles(request, ledgerUi, statementUi);
        } catch (const SidesSwapped& e) {
            console.say("tablamo-convert", e.what());
            return 2;
        }
        if (!done) return 1;
        for (const auto& [path, side] :
             {std::pair{&ledgerPath, &done->ledger}, std::pair{&statementPath, &done->statement}}) {
            if (!side->note.empty() && !job.quiet) console.say(*path, side->note);
            for (const std::string& w : side->warnings) console.say(*path, w);
        }
        Workspace ws;
        ws.regional = job.regional;
        showReconciliation(ws, *done);
        WriteOptions options;
        options.encoding = job.encoding;
        options.regional = job.regional;
        options.today = Clock().today();
        options.clean = &*ws.clean();
        options.csvSeparator = job.csvSeparator;
        // As the window's "Excel" saves it.
        options.print = printSetupOf(ws.text);
        options.print.title = ws.book.printTitle;
        const std::vector<std::string> files =
            saveReconciliation(ws, job.format, output, options, check);
        if (!job.quiet) {
            for (const std::string& file : files) console.say("", "-> " + printableName(file));
        }
        console.say("", reconciliationSummary(done->result, job.regional.decimalSeparator));
        return done->result.difference == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        console.say("tablamo-convert", e.what());
        return 1;
    }
}

}  // namespace tablamo::cli
