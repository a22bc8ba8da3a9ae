// Reading hostile designs: panels nested 5,000 and 20,000 deep (a page or
// the reader's depth error, goal well under 50 ms with memory linear in the
// input), 10,000 top-aligned panels, and 100,000 generators sharing one
// container.
#include <benchmark/benchmark.h>

#include <string>

#include "HostileDesigns.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "framework/Panel.h"
#include "page/QuillGenerator.h"

namespace {

using quill::test::NestedPanels;
using quill::test::StackedPanels;

// Ends in the reader's depth error; the time is what refusing costs.
void BM_ReadNestedPanels(benchmark::State& state) {
    quill::RegisterQuillClasses();
    const std::string design = NestedPanels(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(quill::ReadFormDesign(design, "deep.json"));
        } catch (const quill::Exception&) {
        }
    }
    state.counters["bytes"] = static_cast<double>(design.size());
}
BENCHMARK(BM_ReadNestedPanels)->Arg(256)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ReadTopAlignedPanels(benchmark::State& state) {
    quill::RegisterQuillClasses();
    const std::string design = StackedPanels(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(quill::ReadFormDesign(design, "stack.json"));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadTopAlignedPanels)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_GeneratorsOfOneContainer(benchmark::State& state) {
    for (auto _ : state) {
        quill::TForm form(nullptr);
        auto* panel = new quill::TPanel(&form);
        for (int64_t i = 0; i < state.range(0); ++i) (new quill::TQuillHtmlGenerator(&form))->SetContainer(panel);
        delete panel;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GeneratorsOfOneContainer)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
