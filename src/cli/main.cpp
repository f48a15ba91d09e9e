// tablamo-convert: the batch converter.

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/console_ui.h"
#include "cli/convert.h"
#include "cli/job.h"

int main(int argc, char** argv) {
    using namespace tablamo::cli;
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        ParseResult parsed =
            parseCommandLine(args, localeDecimalSeparator(), localeShortDateFormat());
        std::fputs(parsed.out.c_str(), stdout);
        std::fputs(parsed.err.c_str(), stderr);
        if (!parsed.job) return parsed.exitCode;
        const Job& job = *parsed.job;
        Console console(stderr, !job.quiet && ::isatty(STDERR_FILENO));
        return runJob(job, console);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tablamo-convert: %s\n", e.what());
        return 1;
    }
}
