#include "export/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/error.h"
#include "core/report_text.h"
#include "support/temp_dir.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Sets the umask for one test.
class Umask {
public:
    explicit Umask(mode_t mask) : m_old(::umask(mask)) {}
    ~Umask() { ::umask(m_old); }

private:
    mode_t m_old;
};

TEST(SafeFile, WritesANewFileWithTheModeOfANewFile) {
    for (const auto& [mask, mode] :
         {std::pair<mode_t, mode_t>{022, 0644}, {002, 0664}, {077, 0600}}) {
        TempDir dir;
        Umask umask(mask);
        SafeFile file(dir / "a.csv");
        file.write("abc");
        file.write(std::string(3 * SafeFile::kBufferSize + 5, 'x'));  // past the buffer
        file.write("def");
        file.commit();
        EXPECT_EQ(readBytes(dir / "a.csv"),
                  "abc" + std::string(3 * SafeFile::kBufferSize + 5, 'x') + "def");
        EXPECT_EQ(modeOf(dir / "a.csv"), mode) << std::oct << mask;
        EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"});
    }
}

TEST(SafeFile, FilesOtherThreadsCreateMeanwhileKeepTheUmask) {
    // Writing a file never sets the umask, not even for a moment: a file another thread
    // creates meanwhile gets the mode the umask gives it.
    TempDir dir;
    const mode_t mask = ::umask(0);  // nothing else runs yet
    ::umask(mask);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 5000; ++i) TempFileBeside temp(dir / "w");  // made, then removed
        done = true;
    });
    int wrong = 0;
    for (int i = 0; !done; ++i) {
        const std::string path = dir / ("o" + std::to_string(i % 8));
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0) continue;
        struct stat st {};
        ::fstat(fd, &st);
        ::close(fd);
        ::unlink(path.c_str());
        if ((st.st_mode & 07777) != (0666 & ~mask)) ++wrong;
    }
    writer.join();
    EXPECT_EQ(wrong, 0);
}

TEST(SafeFile, ReplacesAnExistingFileAndKeepsItsMode) {
    TempDir dir;
    writeBytes(dir / "a.csv", "old content that is longer");
    ::chmod((dir / "a.csv").c_str(), 0640);
    writeFileSafely(dir / "a.csv", "new");
    EXPECT_EQ(readBytes(dir / "a.csv"), "new");
    EXPECT_EQ(modeOf(dir / "a.csv"), 0640u);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"});
}

TEST(SafeFile, WithoutCommitLeavesTheExistingFileAndRemovesTheTemporaryOne) {
    TempDir dir;
    writeBytes(dir / "a.csv", "old");
    {
        SafeFile file(dir / "a.csv");
        file.write(std::string(2 * SafeFile::kBufferSize, 'x'));
        // On Linux the temporary file has no name until it is complete.
        EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"});
    }
    EXPECT_EQ(readBytes(dir / "a.csv"), "old");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"});
}

TEST(SafeFile, AFolderThatDoesNotExistFailsWithTheSystemsReason) {
    TempDir dir;
    const std::string path = dir / "missing/a.csv";
    EXPECT_THROW_MSG(SafeFile file(path),
                     "Cannot create file \"" + path + "\". No such file or directory");
    EXPECT_TRUE(dir.names().empty());
}

TEST(SafeFile, AFolderOfTheTargetsNameStaysAndFails) {
    TempDir dir;
    std::filesystem::create_directory(dir / "a.csv");
    EXPECT_THROW_MSG(writeFileSafely(dir / "a.csv", "x"),
                     "Cannot create file \"" + (dir / "a.csv") + "\". Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a.csv"));
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"});
}

TEST(SafeFile, AFailedWriteLeavesTheExistingFileAndRemovesTheTemporaryOne) {
    TempDir dir;
    writeBytes(dir / "a.csv", "old");
    // A file size limit makes the write fail half way, as a full disk would.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1 << 20;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string error = testing::errorText([&] {
        SafeFile file(dir / "a.csv");
        for (int i = 0; i < 8; ++i) file.write(std::string(SafeFile::kBufferSize / 2, 'x'));
        file.commit();
    });
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(error, "Cannot create file \"" + (dir / "a.csv") + "\". File too large");
    EXPECT_EQ(readBytes(dir / "a.csv"), "old");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"});
}

TEST(SafeFile, ASymbolicLinkKeepsPointingAtTheReplacedFile) {
    TempDir dir;
    std::filesystem::create_directory(dir / "real");
    writeBytes(dir / "real/a.csv", "old");
    std::filesystem::create_symlink(dir / "real/a.csv", dir / "link.csv");
    writeFileSafely(dir / "link.csv", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
    EXPECT_EQ(readBytes(dir / "real/a.csv"), "new");
}

TEST(SafeFile, AReportThatShrankWhileReadLeavesTheTargetAsItWas) {
    // The report is mapped; cut short meanwhile, its lost pages read as zeros instead of
    // ending the process, and nothing cut from it takes a target's place.
    platform::guardMappedFiles();
    const std::string report(3 * 65536, 'a');
    for (const std::size_t kept : {report.size(), std::size_t{100}}) {
        TempDir dir;
        writeBytes(dir / "r.txt", report);
        writeBytes(dir / "out.csv", "old");
        const ReportText text = ReportText::mapFile(dir / "r.txt");
        std::filesystem::resize_file(dir / "r.txt", kept);
        std::size_t as = 0;
        for (const char c : text.bytes()) as += c == 'a';
        const InputWatch watch(text, dir / "r.txt");
        if (kept == report.size()) {
            EXPECT_EQ(as, report.size());
            writeFileSafely(dir / "out.csv", "new");
            EXPECT_EQ(readBytes(dir / "out.csv"), "new");
        } else {
            EXPECT_LT(as, report.size());
            EXPECT_TRUE(text.shrank());
            EXPECT_THROW_MSG(
                writeFileSafely(dir / "out.csv", "new"),
                "Cannot open file \"" + (dir / "r.txt") + "\". The file shrank while it was read");
            EXPECT_EQ(readBytes(dir / "out.csv"), "old");
        }
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"out.csv", "r.txt"}));
    }
}

TEST(SafeFile, AnInterruptOrAKillDuringAWriteLeavesNoTemporaryFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        TempDir dir;
        writeBytes(dir / "a.csv", "old");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::removeTempFilesOnInterrupt();
            SafeFile file(dir / "a.csv");
            file.write(std::string(2 * SafeFile::kBufferSize, 'x'));
            ::raise(signal);
            ::_exit(0);  // not reached: the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(readBytes(dir / "a.csv"), "old");
        EXPECT_EQ(dir.names(), std::vector<std::string>{"a.csv"}) << signal;
    }
}

TEST(SafeFile, AWriteSweepsTheFoldersStaleTemporaryFiles) {
    struct Case {
        const char* name;
        int hoursOld;
        bool removed;
    };
    const Case cases[] = {
        {".a.csv.Ab12Cd", 25, true},        // the target's own, killed a day ago
        {".muavin.xlsx.x9Y8z7", 48, true},  // another table's
        {".ozet.json.000000", 30, true},    // a summary's
        {".a.csv.Qw34Er", 2, false},        // perhaps a run still writing
        {".notlar.txt.abcdef", 48, false},  // not a kind this program writes
        {".bashrc", 48, false},             // no temporary's suffix
        {".rapor.csv.ab-12c", 48, false},   // nor this
        {"a.csv.Ab12Cd", 48, false},        // not hidden
    };
    TempDir dir;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const Case& c : cases) {
        writeBytes(dir / c.name, "x");
        std::filesystem::last_write_time(dir / c.name, now - std::chrono::hours(c.hoursOld));
    }
    writeFileSafely(dir / "a.csv", "new");
    const std::vector<std::string> names = dir.names();
    for (const Case& c : cases) {
        const bool gone = std::find(names.begin(), names.end(), c.name) == names.end();
        EXPECT_EQ(gone, c.removed) << c.name;
    }
    EXPECT_EQ(readBytes(dir / "a.csv"), "new");
}

TEST(StringSink, CollectsTheBytes) {
    StringSink sink;
    sink.write("ab");
    sink.write(std::string("\0c", 2));
    EXPECT_EQ(sink.bytes(), std::string("ab\0c", 4));
}

}  // namespace
}  // namespace tablamo
