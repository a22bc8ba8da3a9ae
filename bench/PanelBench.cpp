// Pages of panels: many labels in one panel beside the same labels on the
// page itself, and panels nested ever deeper. Both must grow with the
// controls, not with their square.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"

namespace {

quill::TQuillHtmlGenerator& GeneratorOf(quill::TForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<quill::TQuillHtmlGenerator*>(form.Components(i))) return *g;
    throw quill::Exception("no generator");
}

std::string Labels(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(i ? "," : "") + R"({"class": "TQuillLabel", "name": "L)" + std::to_string(i) +
                R"(", "properties": {"Left": )" + std::to_string(i % 100 * 20) + R"(, "Top": )" +
                std::to_string(i / 100 * 20) + R"(, "Width": 20, "Height": 20, "AutoSize": false, "Caption": "x"}})";
    return text;
}

// `count` labels, a hundred to a row, inside one panel or on the form.
std::string LabelsDesign(int count, bool inPanel) {
    const std::string height = std::to_string((count + 99) / 100 * 20);
    std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 2000}, "children": [
        {"class": "TQuillHtmlGenerator", "name": "G"},)";
    if (!inPanel) return text + Labels(count) + "]}";
    return text + R"({"class": "TQuillPanel", "name": "P", "properties": {"Width": 2000, "Height": )" + height +
           R"(}, "children": [)" + Labels(count) + "]}]}";
}

// `depth` panels, each one pixel inside the last, a label in the innermost.
std::string NestedDesign(int depth) {
    std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 1000}, "children": [
        {"class": "TQuillHtmlGenerator", "name": "G"})";
    for (int i = 0; i < depth; ++i)
        text += std::string(i ? "" : ", ") + R"({"class": "TQuillPanel", "name": "P)" + std::to_string(i) +
                R"(", "properties": {"Left": 1, "Top": 1, "Width": )" + std::to_string(1000 - 2 * i) +
                R"(, "Height": )" + std::to_string(1000 - 2 * i) + R"(}, "children": [)";
    text += R"({"class": "TQuillLabel", "name": "L", "properties": {"Width": 5, "Height": 5, "AutoSize": false}})";
    for (int i = 0; i < depth; ++i) text += "]}";
    return text + "]}";
}

void Generate(benchmark::State& state, const std::string& design) {
    quill::RegisterQuillClasses();
    auto form = quill::ReadFormDesign(design, "bench.form.json");
    quill::TQuillHtmlGenerator& generator = GeneratorOf(*form);
    for (auto _ : state) benchmark::DoNotOptimize(generator.Generate()->Count());
    state.SetComplexityN(state.range(0));
}

void BM_LabelsInPanel(benchmark::State& state) { Generate(state, LabelsDesign(static_cast<int>(state.range(0)), true)); }
BENCHMARK(BM_LabelsInPanel)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_LabelsOnPage(benchmark::State& state) { Generate(state, LabelsDesign(static_cast<int>(state.range(0)), false)); }
BENCHMARK(BM_LabelsOnPage)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_NestedPanels(benchmark::State& state) { Generate(state, NestedDesign(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_NestedPanels)->Arg(16)->Arg(64)->Arg(255)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
