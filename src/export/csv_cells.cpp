#include "export/csv_cells.h"

#include <algorithm>

#include "core/pipeline.h"

namespace tablamo {
namespace {

constexpr int kParallelRows = 1 << 17;
constexpr int kRunRows = 1 << 13;

struct Run {
    int from = 0;
    int to = 0;
};

}  // namespace

void writeRowsAhead(int rows, OutBuffer& out, ByteSink& sink,
                    const std::function<void(int from, int to, OutBuffer& buffer)>& writeRows) {
    if (rows < kParallelRows) {
        writeRows(0, rows, out);
        out.flush();
        return;
    }
    out.flush();
    int next = 0;
    runPipeline(PipelineSteps<Run, OutBuffer>{
        [&](Run& run) {
            if (next == rows) return false;
            run = {next, std::min(rows, next + kRunRows)};
            next = run.to;
            return true;
        },
        [&](int, const Run& run, OutBuffer& buffer) {
            buffer.clear();
            writeRows(run.from, run.to, buffer);
        },
        [&](const Run&, OutBuffer& buffer) { sink.write(buffer.bytes()); }});
}

}  // namespace tablamo
