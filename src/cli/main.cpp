// tablamo-convert: the batch converter.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/console_ui.h"
#include "cli/job.h"
#include "cli/locale_defaults.h"
#include "cli/options.h"
#include "core/platform/files.h"
#include "core/platform/system.h"

int main(int argc, char** argv) {
    using namespace tablamo::cli;
    namespace platform = tablamo::platform;
    // An input is mapped while it is converted; one that shrinks meanwhile fails alone.
    platform::guardMappedFiles();
    // Ctrl-C or a termination request while a file is written leaves no temporary file.
    platform::removeTempFilesOnInterrupt();
    // Under a file size limit (ulimit -f) a write past it then fails with "File too large"
    // and is reported like any other failed write, instead of ending the program with
    // the output's temporary file left behind.
    platform::keepRunningPastFileSizeLimit();
    const platform::Utf8Console utf8Console;
    try {
        const std::vector<std::string> args = platform::commandLineArguments(argc, argv);
        ParseResult parsed = parseCommandLine(args, localeDecimalSeparator(),
                                              localeShortDateFormat(), turkishHelp());
        std::fputs(parsed.out.c_str(), stdout);
        std::fputs(parsed.err.c_str(), stderr);
        if (!parsed.job) return parsed.exitCode;
        const Job& job = *parsed.job;
        Console console(stderr, !job.quiet && platform::isTerminal(stderr), job.localeDecimal);
        return runJob(job, console);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tablamo-convert: %s\n", e.what());
        return 1;
    }
}
