// Sizing labels with long captions: the work must grow with the length of
// the caption, never with its square.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/Label.h"

namespace {

std::string Words(int64_t count) {
    std::string text;
    for (int64_t i = 0; i < count; ++i) text += i % 3 == 0 ? "quill " : i % 3 == 1 ? "Mmm " : "illicit ";
    return text;
}

// Word wrap of one long line at a width that holds many words per line.
void BM_WrapLongCaption(benchmark::State& state) {
    quill::TLabel label(nullptr);
    label.Font().SetName("Arial");
    label.SetWordWrap(true);
    label.SetAutoSize(false);
    label.ChangeBounds(0, 0, 4000, 20);
    label.SetCaption(Words(state.range(0)));
    label.SetAutoSize(true);
    for (auto _ : state) {
        int width = 0, height = 0;
        benchmark::DoNotOptimize(label.QueryAutoSize(width, height));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WrapLongCaption)->Arg(50000)->Arg(500000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A caption of nothing but line breaks, measured without a copy per line.
void BM_LineBreakCaption(benchmark::State& state) {
    quill::TLabel label(nullptr);
    label.SetAutoSize(false);
    label.SetCaption(std::string(static_cast<size_t>(state.range(0)), '\n'));
    for (auto _ : state) {
        int width = 0, height = 0;
        benchmark::DoNotOptimize(label.QueryAutoSize(width, height));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LineBreakCaption)->Arg(100 << 20)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
