#pragma once
// The real converter run by the end-to-end tests: in a child of its own, so that a folder, a
// file size limit and the environment can be set for it alone and its peak memory read;
// stderr kept (it is no terminal, so there is no progress line), stdout dropped. A hang ends
// in SIGALRM, which fails the case. POSIX only, as the cases that use it.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

namespace tablamo::testing {

/// How a run of the converter ended.
struct ConverterRun {
    int status = -1;  ///< exit status; -1 when a signal ended it
    int signal = 0;
    std::string err;
    long peakBytes = 0;
};

/// What else a run is given.
struct RunSetting {
    std::string folder;                                            ///< where it runs; empty: here
    rlim_t fileSizeLimit = RLIM_INFINITY;                          ///< ulimit -f, in bytes
    std::vector<std::pair<std::string, std::string>> environment;  ///< set for it alone
};

/// Runs TABLAMO_CONVERT with `args`.
inline ConverterRun runConverter(std::vector<std::string> args, const RunSetting& setting = {}) {
    TempDir logs;
    const std::string errPath = logs / "err";
    args.insert(args.begin(), TABLAMO_CONVERT);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (err < 0 || null < 0 || ::dup2(err, STDERR_FILENO) < 0 ||
            ::dup2(null, STDOUT_FILENO) < 0) {
            ::_exit(127);
        }
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::min(limit.rlim_max, setting.fileSizeLimit);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
        if (!setting.folder.empty() && ::chdir(setting.folder.c_str()) != 0) ::_exit(127);
        for (const auto& [name, value] : setting.environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        ::alarm(120);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ConverterRun run;
    if (pid < 0) return run;
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    run.err = readBytes(errPath);
    run.peakBytes = usage.ru_maxrss * 1024L;
    return run;
}

}  // namespace tablamo::testing
