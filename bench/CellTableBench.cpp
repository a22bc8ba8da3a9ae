// Building the cell table for square grids of controls: 10 x 10 up to
// 100 x 100 (10,000 controls), where the goal is well under 50 ms for the
// largest; one row of many controls; and labels scattered over an area
// that grows with their count, where time must follow the cells produced.
#include <benchmark/benchmark.h>

#include <random>

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

// n labels scattered at random (fixed seed) on an n x n area, so the area
// grows with the count. Positions lie on a 5-pixel lattice, and each label
// is two lattice steps wide and one high, so the grid has at most n / 5
// lines per axis: the largest case makes about 4 million cells. The
// complexity fit is taken against the cells produced, so the time per cell
// can be read off directly.
void BM_CellTableScattered(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    constexpr int kStep = 5;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> lattice(0, n / kStep - 2);
    quill::TCellControlList entries;
    entries.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int left = lattice(random) * kStep, top = lattice(random) * kStep;
        entries.push_back({nullptr, {left, top, left + 2 * kStep, top + kStep}});
    }
    quill::TCellTable table(100'000'000);
    for (auto _ : state) {
        table.Build(entries, n, n);
        benchmark::DoNotOptimize(table.RowCount());
    }
    state.SetComplexityN(static_cast<int64_t>(table.CellCount()));
    state.counters["cells"] = static_cast<double>(table.CellCount());
    state.counters["labels"] = n;
}
BENCHMARK(BM_CellTableScattered)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
