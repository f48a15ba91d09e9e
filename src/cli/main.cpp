// tablamo-convert: the batch converter.

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/console_ui.h"
#include "cli/job.h"
#include "cli/locale_defaults.h"

namespace {

// An input is mapped while it is converted; one that shrinks meanwhile cannot be read on.
extern "C" void onBusError(int) {
    static const char kText[] = "tablamo-convert: an input file shrank while it was read\n";
    (void)!::write(STDERR_FILENO, kText, sizeof kText - 1);
    ::_exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tablamo::cli;
    ::signal(SIGBUS, onBusError);
    // Under a file size limit (ulimit -f) a write past it then fails with "File too large"
    // and is reported like any other failed write, instead of ending the program with
    // the output's temporary file left behind.
    ::signal(SIGXFSZ, SIG_IGN);
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        ParseResult parsed =
            parseCommandLine(args, localeDecimalSeparator(), localeShortDateFormat());
        std::fputs(parsed.out.c_str(), stdout);
        std::fputs(parsed.err.c_str(), stderr);
        if (!parsed.job) return parsed.exitCode;
        const Job& job = *parsed.job;
        Console console(stderr, !job.quiet && ::isatty(STDERR_FILENO), job.localeDecimal);
        return runJob(job, console);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tablamo-convert: %s\n", e.what());
        return 1;
    }
}
