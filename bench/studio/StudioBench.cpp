// The Studio's canvas with a design of 1,000 labels, on Qt's offscreen
// platform: opening it to a painted canvas, and one step of a drag.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <fstream>

#include "BenchDesigns.h"
#include "studio/DesignCanvas.h"
#include "studio/DesignDocument.h"

namespace {

using quill::studio::TDesignCanvas;
using quill::studio::TDesignDocument;

// 1,000 labels of 20 x 20, 24 pixels apart, 40 to a row.
std::string ThousandLabels(const QTemporaryDir& dir) {
    const std::string path = dir.filePath("labels.form.json").toStdString();
    std::ofstream(path) << quillbench::LabelGridDesign(1000, 40, 24, 20);
    return path;
}

void SendMouse(QWidget& widget, QEvent::Type type, const QPoint& at) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void BM_OpenThousandLabelsToPaintedCanvas(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = ThousandLabels(dir);
    TDesignDocument document;
    TDesignCanvas canvas(document);
    canvas.show();
    for (auto _ : state) {
        document.Open(path);
        QPixmap painted = canvas.grab();
        benchmark::DoNotOptimize(painted);
    }
}
BENCHMARK(BM_OpenThousandLabelsToPaintedCanvas)->Unit(benchmark::kMillisecond);

// One mouse move of a drag: the controls move, snap, and the area they
// left and entered is painted again. Arg: how many labels are dragged.
void BM_DragStepThousandLabels(benchmark::State& state) {
    QTemporaryDir dir;
    TDesignDocument document;
    document.Open(ThousandLabels(dir));
    TDesignCanvas canvas(document);
    canvas.show();
    QApplication::processEvents();
    if (state.range(0) > 1) canvas.SelectAll();
    const QPoint start(10, 10);
    SendMouse(canvas, QEvent::MouseButtonPress, start);
    int step = 0;
    for (auto _ : state) {
        ++step;
        SendMouse(canvas, QEvent::MouseMove, start + QPoint(5 + step % 40, 5 + step % 30));
        QApplication::processEvents();
    }
    SendMouse(canvas, QEvent::MouseButtonRelease, start);
}
BENCHMARK(BM_DragStepThousandLabels)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
