// Reports that come through a named pipe (POSIX).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/report_text.h"
#include "support/temp_dir.h"
#include "support/throw_msg.h"

namespace tablamo {
namespace {

using testing::TempDir;

// Opens the pipe for writing after `delay`, writes `lines` times "abc\r\n" while the reader
// takes them, and closes it.
std::thread writeLater(const std::string& fifo, std::chrono::milliseconds delay,
                       std::size_t lines) {
    return std::thread([=] {
        std::this_thread::sleep_for(delay);
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return;
        std::string text;
        for (std::size_t i = 0; i < lines; ++i) text += "abc\r\n";
        for (std::size_t at = 0; at < text.size();) {
            const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
            if (n <= 0) break;  // the reader stopped reading
            at += static_cast<std::size_t>(n);
        }
        ::close(fd);
    });
}

TEST(PipeInput, AWriterThatComesLateIsWaitedForAndTooMuchIsRefused) {
    ::signal(SIGPIPE, SIG_IGN);  // the writer of too much meets a reader that has gone
    const struct {
        const char* name;
        std::chrono::milliseconds delay;
        std::size_t lines;
        std::uint64_t limit;
        const char* error;  // after the path; "" when it reads
    } cases[] = {
        {"late writer", std::chrono::milliseconds(400), 3, kMaxStreamBytes, ""},
        {"at the limit", std::chrono::milliseconds(0), 65536 / 5, 65536 / 5 * 5, ""},
        {"past the limit", std::chrono::milliseconds(0), 100000, 65536,
         "More than 64 KiB from a pipe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string fifo = dir / "boru";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::thread writer = writeLater(fifo, c.delay, c.lines);
        if (*c.error) {
            EXPECT_THROW_MSG(readWholeFile(fifo, c.limit),
                             "Cannot open file \"" + fifo + "\". " + c.error);
        } else {
            std::string expected;
            for (std::size_t i = 0; i < c.lines; ++i) expected += "abc\r\n";
            EXPECT_EQ(readWholeFile(fifo, c.limit), expected);
        }
        writer.join();
    }
}

}  // namespace
}  // namespace tablamo
