// Saving a 34 MB page of short lines, the way `quill render -o` does. The
// goal is at least 200 MB/s with no second copy of the page: the lines are
// streamed through one fixed buffer. The joined variant shows what the
// copy used to cost.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>

#include "BenchDesigns.h"
#include "controls/QuillClasses.h"
#include "framework/FormReader.h"
#include "framework/Strings.h"
#include "page/QuillGenerator.h"
#include "platform/AtomicFile.h"

namespace {

const quill::TStringList& BigPage() {
    static quill::TStringList lines = [] {
        quill::TStringList page;
        const std::string cell = R"(<td valign="top" width="94" height="19" bgcolor="#FFFFFF">Hominahomina.</td>)";
        while (static_cast<size_t>(page.Count()) * (cell.size() + 2) < (size_t{34} << 20)) page.Add(cell);
        return page;
    }();
    return lines;
}

size_t PageBytes() { return BigPage().Count() * (BigPage()[0].size() + 2); }

std::string Target() { return (std::filesystem::temp_directory_path() / "quill-save-bench.html").string(); }

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_SaveStreamed(benchmark::State& state) {
    const quill::TStringList& page = BigPage();
    const double before = PeakMegabytes();
    for (auto _ : state) page.SaveToFile(Target());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PageBytes()));
    state.counters["page_MB"] = PageBytes() / 1048576.0;
    state.counters["peak_growth_MB"] = PeakMegabytes() - before;
    std::filesystem::remove(Target());
}
BENCHMARK(BM_SaveStreamed)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveJoined(benchmark::State& state) {
    const quill::TStringList& page = BigPage();
    for (auto _ : state) quill::platform::WriteFileAtomically(Target(), page.Text());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PageBytes()));
    std::filesystem::remove(Target());
}
BENCHMARK(BM_SaveJoined)->Unit(benchmark::kMillisecond)->UseRealTime();

// What `quill render DESIGN -o FILE` does after reading the design: one
// generation run and the save, for 1,000 labels of 20 x 20 on a diagonal
// (a 34 MB page). Peak growth is the resident memory the first run adds.
void BM_RenderDiagonalToFile(benchmark::State& state) {
    quill::RegisterQuillClasses();
    const double before = PeakMegabytes();
    auto form = quill::ReadFormDesign(quillbench::DiagonalLabelsDesign(1000, 20), "diagonal.form.json");
    quill::TQuillHtmlGenerator* generator = nullptr;
    for (int i = 0; i < form->ComponentCount() && !generator; ++i)
        generator = dynamic_cast<quill::TQuillHtmlGenerator*>(form->Components(i));
    for (auto _ : state)
        if (!generator->GenerateToFile(Target())) state.SkipWithError(generator->LastSaveError().c_str());
    const double bytes = static_cast<double>(std::filesystem::file_size(Target()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["page_MB"] = bytes / 1048576.0;
    state.counters["peak_growth_MB"] = PeakMegabytes() - before;
    std::filesystem::remove(Target());
}
BENCHMARK(BM_RenderDiagonalToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
