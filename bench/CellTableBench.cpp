// Building the cell table for square grids of controls: 10 x 10 up to
// 100 x 100 (10,000 controls). The goal is well under 50 ms for the largest.
#include <benchmark/benchmark.h>

#include "layout/CellTable.h"

namespace {

quill::TCellControlList Grid(int side, int cell) {
    quill::TCellControlList entries;
    entries.reserve(side * side);
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            entries.push_back({nullptr, {c * cell, r * cell, (c + 1) * cell, (r + 1) * cell}});
    return entries;
}

void BM_CellTableGrid(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const quill::TCellControlList entries = Grid(side, 10);
    quill::TCellTable table;
    for (auto _ : state) {
        table.Build(entries, side * 10, 0);
        benchmark::DoNotOptimize(table.RowCount());
    }
    state.SetComplexityN(static_cast<int64_t>(entries.size()));
    state.counters["controls"] = static_cast<double>(entries.size());
}
BENCHMARK(BM_CellTableGrid)->Arg(10)->Arg(32)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity();

// One row of controls: few rows, many columns, so the edge sort dominates.
void BM_CellTableRow(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    quill::TCellControlList entries;
    for (int i = 0; i < n; ++i) entries.push_back({nullptr, {i * 3, 0, i * 3 + 2, 10}});
    quill::TCellTable table;
    for (auto _ : state) {
        table.Build(entries, n * 3, 0);
        benchmark::DoNotOptimize(table.RowCount());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_CellTableRow)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
