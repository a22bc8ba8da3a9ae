// Reading designs: n labels (n = 10 to 10,000, with the complexity fit)
// and panels nested 5,000 and 20,000 deep.
#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"

namespace {

void BM_ReadLabels(benchmark::State& state) {
    quill::RegisterQuillClasses();
    const int n = static_cast<int>(state.range(0));
    const std::string text = quillbench::LabelGridDesign(n, 100, 30, 20);
    for (auto _ : state) {
        auto form = quill::ReadFormDesign(text, "labels.form.json");
        benchmark::DoNotOptimize(form.get());
    }
    state.SetComplexityN(n);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLabels)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMillisecond)->Complexity();

// A page, or the reader's clear depth error: either ends the run.
void BM_ReadNestedPanels(benchmark::State& state) {
    quill::RegisterQuillClasses();
    const std::string text = quillbench::NestedPanelsDesign(static_cast<int>(state.range(0)));
    bool refused = false;
    for (auto _ : state) {
        try {
            auto form = quill::ReadFormDesign(text, "nested.form.json");
            benchmark::DoNotOptimize(form.get());
        } catch (const quill::Exception&) {
            refused = true;
        }
    }
    state.counters["refused"] = refused ? 1 : 0;
}
BENCHMARK(BM_ReadNestedPanels)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
