#include "export/csv_cells.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <vector>

namespace tablamo {
namespace {

// Collects the bytes of a run of rows in memory.
class ChunkSink : public ByteSink {
public:
    void write(const char* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
    }
    std::vector<char> bytes;
};

constexpr int kParallelRows = 1 << 17;
constexpr int kRunRows = 1 << 14;

}  // namespace

void writeRowsAhead(int rows, OutBuffer& out, ByteSink& sink,
                    const std::function<void(int from, int to, OutBuffer& buffer)>& writeRows) {
    if (rows < kParallelRows) {
        writeRows(0, rows, out);
        out.flush();
        return;
    }
    ChunkSink second;
    for (int from = 0; from < rows; from += 2 * kRunRows) {
        const int middle = std::min(rows, from + kRunRows);
        const int to = std::min(rows, from + 2 * kRunRows);
        second.bytes.clear();
        std::future<void> ahead;
        try {
            ahead = std::async(std::launch::async, [&] {
                OutBuffer chunk(second, std::size_t{64} << 10);
                writeRows(middle, to, chunk);
                chunk.flush();
            });
        } catch (const std::system_error&) {
            writeRows(from, rows, out);
            out.flush();
            return;
        }
        writeRows(from, middle, out);
        out.flush();
        ahead.get();
        sink.write(second.bytes.data(), second.bytes.size());
    }
}

}  // namespace tablamo
