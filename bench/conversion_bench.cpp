// DosToWinText and DosToWinNumber over a large buffer of report fields (bytes/second), and
// the CSV writer over a grid of report rows.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/dos_text.h"
#include "core/grid.h"
#include "export/csv_writer.h"

namespace {

// Fields as the import cuts them from a sub-ledger: dates, slip numbers, texts with code
// page 857 letters, amounts with points and a decimal comma, blanks, now and then a frame
// byte. Trimmed, as the import hands them over.
struct Fields {
    std::string bytes;
    std::vector<std::string_view> views;
    std::size_t total = 0;
};

const Fields& fields() {
    static const Fields f = [] {
        const char* const kinds[] = {
            "14.01.2005",
            "000017",
            "Sat\x8D\x9F faturas\x8D 4711",
            "\x80"
            "ek tahsilat\x8D - \x98\x9F Bankas\x8D",
            "1.234.567,89",
            "12.345,60",
            "250,00",
            "\xB3 1.500,00 \xB3",
            "A-004711",
            "Kur fark\x8D d\x81zeltmesi",
            "B",
            "12 345",
        };
        Fields out;
        std::vector<std::pair<std::size_t, std::size_t>> spans;
        std::uint32_t x = 12345;
        for (int i = 0; i < 2000000; ++i) {
            x = x * 1103515245u + 12345u;
            const std::string_view k = kinds[(x >> 16) % (sizeof kinds / sizeof *kinds)];
            spans.emplace_back(out.bytes.size(), k.size());
            out.bytes += k;
            out.total += k.size();
        }
        for (const auto& [at, n] : spans) out.views.emplace_back(out.bytes.data() + at, n);
        return out;
    }();
    return f;
}

// The baseline: copying the same fields one by one, as a converter that changed nothing
// would. The conversions are quoted as a share of this speed.
void BM_CopyFields(benchmark::State& state) {
    const Fields& f = fields();
    std::vector<char> out(f.total);
    for (auto _ : state) {
        char* p = out.data();
        for (const std::string_view field : f.views) {
            std::memcpy(p, field.data(), field.size());
            p += field.size();
        }
        benchmark::DoNotOptimize(p);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.total));
}
BENCHMARK(BM_CopyFields)->Unit(benchmark::kMillisecond);

void BM_DosToWinText(benchmark::State& state) {
    const Fields& f = fields();
    for (auto _ : state) {
        for (const std::string_view field : f.views)
            benchmark::DoNotOptimize(tablamo::DosToWinText(field));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.total));
}
BENCHMARK(BM_DosToWinText)->Unit(benchmark::kMillisecond);

void BM_DosToWinNumber(benchmark::State& state) {
    const Fields& f = fields();
    for (auto _ : state) {
        for (const std::string_view field : f.views) {
            benchmark::DoNotOptimize(tablamo::DosToWinNumber(field, ','));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.total));
}
BENCHMARK(BM_DosToWinNumber)->Unit(benchmark::kMillisecond);

// The import's own forms: into a buffer, no allocation.
void BM_DosToWinTextInto(benchmark::State& state) {
    const Fields& f = fields();
    std::vector<char> out(f.total);
    for (auto _ : state) {
        char* p = out.data();
        for (const std::string_view field : f.views) p += tablamo::dosToWinTextInto(field, p);
        benchmark::DoNotOptimize(p);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.total));
}
BENCHMARK(BM_DosToWinTextInto)->Unit(benchmark::kMillisecond);

void BM_DosToWinNumberInto(benchmark::State& state) {
    const Fields& f = fields();
    std::vector<char> out(f.total);
    for (auto _ : state) {
        char* p = out.data();
        for (const std::string_view field : f.views)
            p += tablamo::dosToWinNumberInto(field, ',', p);
        benchmark::DoNotOptimize(p);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.total));
}
BENCHMARK(BM_DosToWinNumberInto)->Unit(benchmark::kMillisecond);

// Counts what the writer hands over.
class CountingSink : public tablamo::ByteSink {
public:
    void write(const char*, std::size_t size) override { bytes += size; }
    std::size_t bytes = 0;
};

void BM_WriteCsv(benchmark::State& state) {
    const Fields& f = fields();
    tablamo::Grid grid;
    grid.setRowCount(100000);
    std::size_t k = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        tablamo::Grid::RowCells cells{};
        for (int c = 1; c <= 8; ++c) cells[static_cast<std::size_t>(c)] = f.views[k++];
        grid.setRow(r, cells);
    }
    std::size_t written = 0;
    for (auto _ : state) {
        CountingSink sink;
        tablamo::writeCsv(grid, sink);
        written = sink.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}
BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
