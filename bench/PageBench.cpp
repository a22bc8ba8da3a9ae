// Whole pages: per-request PageOne, Generate alone on PageOne, a demo-like
// design and a 100 x 100 grid of labels. Each case runs beside the direct
// writer of the same bytes, so the ratio is taken within one run.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchDesigns.h"
#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"

namespace {

using quillbench::TDirectWriter;

quill::TQuillHtmlGenerator& GeneratorOf(quill::TForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<quill::TQuillHtmlGenerator*>(form.Components(i))) return *g;
    throw quill::Exception("no generator");
}

std::unique_ptr<quill::TForm> ReadDesign(const std::string& text) {
    quill::RegisterQuillClasses();
    return quill::ReadFormDesign(text, "bench.form.json");
}

void ReportPage(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["page_bytes"] = static_cast<double>(bytes);
}

// As GetBody does it, minus the COM write: a fresh form from the stored
// design, Generate, the lines joined with CR LF, the form freed.
void BM_PageOnePerRequest(benchmark::State& state) {
    size_t bytes = 0;
    for (auto _ : state) {
        std::unique_ptr<quill::TPageOneForm> form = quill::TPageOneForm::Create();
        std::string text = form->QuillHtmlGenerator1->Generate()->Text();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    ReportPage(state, bytes);
}
BENCHMARK(BM_PageOnePerRequest)->Unit(benchmark::kMicrosecond);

void BM_PageOnePerRequest_Direct(benchmark::State& state) {
    auto form = quill::TPageOneForm::Create();
    TDirectWriter writer(*form->QuillHtmlGenerator1->Generate());
    for (auto _ : state) {
        std::string text = writer.Write();
        benchmark::DoNotOptimize(text.data());
    }
    ReportPage(state, writer.Bytes());
}
BENCHMARK(BM_PageOnePerRequest_Direct)->Unit(benchmark::kMicrosecond);

// Only the timed runs: callgrind's --toggle-collect='*GenerateLoop*'
// counts them and nothing else.
[[gnu::noinline]] void GenerateLoop(benchmark::State& state, quill::TQuillHtmlGenerator& generator) {
    for (auto _ : state) {
        quill::TStrings* lines = generator.Generate();
        benchmark::DoNotOptimize(lines);
    }
}

// One run first: what a form keeps from run to run (the fonts' texts, the
// lines' blocks) is made once, as for every later page it serves.
void GenerateRepeatedly(benchmark::State& state, quill::TQuillHtmlGenerator& generator) {
    generator.Generate();
    GenerateLoop(state, generator);
    ReportPage(state, TDirectWriter(generator.Lines()).Bytes());
}

void DirectLoop(benchmark::State& state, quill::TQuillHtmlGenerator& generator) {
    TDirectWriter writer(*generator.Generate());
    for (auto _ : state) {
        std::string text = writer.Write();
        benchmark::DoNotOptimize(text.data());
    }
    ReportPage(state, writer.Bytes());
}

void BM_PageOneGenerate(benchmark::State& state) {
    auto form = quill::TPageOneForm::Create();
    GenerateRepeatedly(state, *form->QuillHtmlGenerator1);
}
BENCHMARK(BM_PageOneGenerate)->Unit(benchmark::kMicrosecond);

void BM_PageOneGenerate_Direct(benchmark::State& state) {
    auto form = quill::TPageOneForm::Create();
    DirectLoop(state, *form->QuillHtmlGenerator1);
}
BENCHMARK(BM_PageOneGenerate_Direct)->Unit(benchmark::kMicrosecond);

void BM_DemoGenerate(benchmark::State& state) {
    auto form = ReadDesign(quillbench::DemoLikeDesign());
    GenerateRepeatedly(state, GeneratorOf(*form));
}
BENCHMARK(BM_DemoGenerate)->Unit(benchmark::kMicrosecond);

void BM_DemoGenerate_Direct(benchmark::State& state) {
    auto form = ReadDesign(quillbench::DemoLikeDesign());
    DirectLoop(state, GeneratorOf(*form));
}
BENCHMARK(BM_DemoGenerate_Direct)->Unit(benchmark::kMicrosecond);

// 100 x 100 labels of 20 x 20 on a 30-pixel pitch.
std::string Grid100() { return quillbench::LabelGridDesign(10000, 100, 30, 20); }

void BM_Grid100Generate(benchmark::State& state) {
    auto form = ReadDesign(Grid100());
    GenerateRepeatedly(state, GeneratorOf(*form));
}
BENCHMARK(BM_Grid100Generate)->Unit(benchmark::kMillisecond);

void BM_Grid100Generate_Direct(benchmark::State& state) {
    auto form = ReadDesign(Grid100());
    DirectLoop(state, GeneratorOf(*form));
}
BENCHMARK(BM_Grid100Generate_Direct)->Unit(benchmark::kMillisecond);

}  // namespace
