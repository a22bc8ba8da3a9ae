#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>

namespace quill::qtbridge {

// A widget whose drawing and resize handling are handed in, so that one
// class serves every control the bridge draws itself.
class TPaintedWidget : public QWidget {
public:
    using TPainter = std::function<void(QPainter&, const QRect&)>;
    using TResized = std::function<void(const QSize&)>;

    explicit TPaintedWidget(QWidget* parent) : QWidget(parent) {}
    void SetPainter(TPainter painter) { FPainter = std::move(painter); }
    void SetResized(TResized resized) { FResized = std::move(resized); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!FPainter) return;
        QPainter painter(this);
        FPainter(painter, rect());
    }
    void resizeEvent(QResizeEvent*) override {
        if (FResized) FResized(size());
    }

private:
    TPainter FPainter;
    TResized FResized;
};

}  // namespace quill::qtbridge
