// Measuring a caption: the first call for a face and size loads the face;
// after that advances come from the cache.
#include <benchmark/benchmark.h>

#include "platform/TextMetrics.h"

namespace {

void BM_TextWidthCached(benchmark::State& state) {
    const quill::platform::TTextFont font{"Times New Roman", 12, false, false};
    const std::string caption = "The quick brown fox jumps over the lazy dog";
    benchmark::DoNotOptimize(quill::platform::TextWidth(font, caption));  // warm the cache
    for (auto _ : state) benchmark::DoNotOptimize(quill::platform::TextWidth(font, caption));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * caption.size()));
}
BENCHMARK(BM_TextWidthCached);

// A new size each time: face lookup and loading, the cost the cache saves.
void BM_TextWidthNewSize(benchmark::State& state) {
    static int size = 1;  // never a size measured before, across repetitions
    for (auto _ : state) {
        const quill::platform::TTextFont font{"Arial", 1000 + size++, false, false};
        benchmark::DoNotOptimize(quill::platform::TextWidth(font, "Hello World"));
    }
}
BENCHMARK(BM_TextWidthNewSize)->Iterations(200);

}  // namespace
