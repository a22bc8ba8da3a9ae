// Measuring a caption: the first call for a face and size loads the face;
// after that advances come from the cache.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

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

// Characters beyond ASCII, some from a fallback face, once all are known.
void BM_TextWidthCachedUtf8(benchmark::State& state) {
    const quill::platform::TTextFont font{"Arial", 12, false, false};
    const std::string caption = "Caf\u00e9 Z\u00fcrich \u041f\u0440\u0438\u0432\u0435\u0442 "
                                "\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 \u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8";
    benchmark::DoNotOptimize(quill::platform::TextWidth(font, caption));  // warm the cache
    for (auto _ : state) benchmark::DoNotOptimize(quill::platform::TextWidth(font, caption));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * caption.size()));
}
BENCHMARK(BM_TextWidthCachedUtf8);

// The height of a line of plain text: no fallback face, the font's own.
void BM_LineHeightAscii(benchmark::State& state) {
    const quill::platform::TTextFont font{"Times New Roman", 12, false, false};
    const std::string caption = "The quick brown fox jumps over the lazy dog";
    benchmark::DoNotOptimize(quill::platform::LineHeight(font, caption));
    for (auto _ : state) benchmark::DoNotOptimize(quill::platform::LineHeight(font, caption));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * caption.size()));
}
BENCHMARK(BM_LineHeightAscii);

// A new size each time: face lookup and loading, the cost the cache saves.
void BM_TextWidthNewSize(benchmark::State& state) {
    static int size = 1;  // never a size measured before, across repetitions
    for (auto _ : state) {
        const quill::platform::TTextFont font{"Arial", 1000 + size++, false, false};
        benchmark::DoNotOptimize(quill::platform::TextWidth(font, "Hello World"));
    }
}
BENCHMARK(BM_TextWidthNewSize)->Iterations(200);

// Resident memory in kilobytes, from the kernel's process status.
double ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
    return 0;
}

// Many different font names, as a long-lived host meets them: the faces
// kept open are bounded, so resident memory stays flat.
void BM_ManyFontNames(benchmark::State& state) {
    const double before = ResidentKilobytes();
    int name = 0;
    for (auto _ : state) {
        for (int i = 0; i < 3000; ++i) {
            const quill::platform::TTextFont font{"Quill Font " + std::to_string(name++), 12, false, false};
            benchmark::DoNotOptimize(quill::platform::TextWidth(font, "Hello World"));
        }
    }
    state.counters["rss_growth_kb"] = ResidentKilobytes() - before;
}
BENCHMARK(BM_ManyFontNames)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
