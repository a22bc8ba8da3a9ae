// Reading designs of n labels, n = 10 to 10,000, with the complexity fit,
// and parsing the text of 10,000 labels alone.
// Nested panels are in ReaderBench.cpp.
#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "controls/QuillClasses.h"
#include "framework/DesignJson.h"
#include "framework/DesignTree.h"
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

// The text of 10,000 labels alone: the plain parser, and the full parser
// that every design it declines goes through.
void BM_ParseLabelsPlain(benchmark::State& state) {
    const std::string text = quillbench::LabelGridDesign(10000, 100, 30, 20);
    for (auto _ : state) {
        auto tree = quill::TDesignTree::ParsePlain(text);
        benchmark::DoNotOptimize(tree.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLabelsPlain)->Unit(benchmark::kMillisecond);

void BM_ParseLabelsFull(benchmark::State& state) {
    const std::string text = quillbench::LabelGridDesign(10000, 100, 30, 20);
    for (auto _ : state) {
        auto tree = quill::TDesignTree::FromJson(quill::ParseDesignJson(text, "labels.form.json"));
        benchmark::DoNotOptimize(tree.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLabelsFull)->Unit(benchmark::kMillisecond);

}  // namespace
