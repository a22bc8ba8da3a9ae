// One change of a 1,000-label design reaching the Studio's panes: the page
// made and handed to the preview's web view, the grid overlay's table, the
// problems check.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <nlohmann/json.hpp>

#include "studio/PageGridOverlay.h"
#include "studio/PagePreview.h"
#include "studio/ProblemsPane.h"
#include "support/TestEditor.h"

using namespace quill;
using namespace quill::studio;

namespace {

// Labels of 60 x 20 in rows of 40, with a page generator and header.
std::string LabelsDesign(int count) {
    nlohmann::ordered_json children = nlohmann::ordered_json::array();
    for (int i = 0; i < count; ++i)
        children.push_back({{"class", "TQuillLabel"},
                            {"name", "Label" + std::to_string(i + 1)},
                            {"properties",
                             {{"Left", 8 + (i % 40) * 64}, {"Top", 8 + (i / 40) * 24}, {"Width", 60}, {"Height", 20},
                              {"AutoSize", false}, {"Caption", "Label " + std::to_string(i + 1)}}}});
    children.push_back({{"class", "TQuillHtmlGenerator"}, {"name", "Generator"}});
    children.push_back({{"class", "TQuillHeader"}, {"name", "Header"}, {"properties", {{"Title", "Labels"}}}});
    nlohmann::ordered_json design = {{"class", "TForm"},
                                     {"name", "Labels"},
                                     {"properties", {{"Width", 2600}, {"Height", 700}}},
                                     {"children", children}};
    return design.dump();
}

// A caption change as the inspector makes it: one SetProperty.
void ChangeCaption(test::TTestEditor& editor, int64_t round) {
    TComponent& label = editor.Component("Label500");
    editor.SetProperty(label, *label.PublishedInfo()->FindProperty("Caption"), "Caption " + std::to_string(round));
}

void BM_PreviewChange(benchmark::State& state) {
    test::TTestEditor editor(LabelsDesign(static_cast<int>(state.range(0))));
    TPagePreview preview(editor);
    preview.Regenerate();
    int64_t round = 0;
    for (auto _ : state) {
        ChangeCaption(editor, ++round);
        preview.Regenerate();
        state.PauseTiming();
        // The view's own work runs in its process; its messages are
        // answered between changes, as the event loop does.
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["page_bytes"] = static_cast<double>(preview.Html().size());
}
BENCHMARK(BM_PreviewChange)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GridOverlayUpdate(benchmark::State& state) {
    test::TTestEditor editor(LabelsDesign(static_cast<int>(state.range(0))));
    TPageGridOverlay overlay;
    int64_t round = 0;
    for (auto _ : state) {
        ChangeCaption(editor, ++round);
        overlay.Update(editor.Form());
    }
    state.counters["cells"] = overlay.Cells();
}
BENCHMARK(BM_GridOverlayUpdate)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProblemsRecheck(benchmark::State& state) {
    test::TTestEditor editor(LabelsDesign(static_cast<int>(state.range(0))));
    TProblemsPane problems(editor);
    int64_t round = 0;
    for (auto _ : state) {
        ChangeCaption(editor, ++round);
        problems.Recheck();
    }
}
BENCHMARK(BM_ProblemsRecheck)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // No display needed; the web view runs without its sandbox as root.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    quill::studio::test::RegisterClasses();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
