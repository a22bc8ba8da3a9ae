// The per-request path of a program embedding Quill, through the public
// API: a fresh page from one shared Design, one value set by name, the page
// rendered into a string and freed. Beside it the direct writer of the same
// bytes. Each runs on one thread and on two: pages per second
// (items_per_second, wall time) must grow with the threads, since nothing
// on the path takes a shared lock.
#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "aspserver/PageOne.h"
#include "page/QuillGenerator.h"
#include "quill/quill.h"

namespace {

const char* const kCaption = "Welcome, visitor";

// The server's page form, read once and shared by every thread.
const quill::Design& SharedDesign() {
    static const quill::Design design = [] {
        quill::RegisterPageOneForm();
        return quill::Design::FromString(quill::TPageOneForm::StoredDesign(), "PageOne.form.json");
    }();
    return design;
}

void BM_ApiPerRequest(benchmark::State& state) {
    const quill::Design& design = SharedDesign();
    for (auto _ : state) {
        quill::Page page = design.NewPage();
        page.Set("QuillLabel1.Caption", kCaption);
        std::string text = page.Render();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ApiPerRequest)->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(2);

void BM_ApiPerRequest_Direct(benchmark::State& state) {
    quill::Page page = SharedDesign().NewPage();
    page.Set("QuillLabel1.Caption", kCaption);
    page.Render();
    quillbench::TDirectWriter writer(page.Generator().Lines());
    for (auto _ : state) {
        std::string text = writer.Write();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ApiPerRequest_Direct)->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(2);

}  // namespace
