#include "studio/PageGridOverlay.h"

#include <QPen>
#include <algorithm>

#include "controls/QuillCustomControl.h"
#include "framework/Exception.h"
#include "page/QuillGenerator.h"

namespace quill::studio {

namespace {

// The control's place in the form's client area.
QPoint OriginOf(const TControl& control, const TForm& form) {
    QPoint origin;
    for (const TControl* c = &control; c && c != &form; c = c->Parent()) origin += QPoint(c->Left(), c->Top());
    return origin;
}

}  // namespace

TPageGridOverlay::TPageGridOverlay(QObject* parent) : QObject(parent) {}

void TPageGridOverlay::Paint(QPainter& painter, TForm& form) {
    Update(form);
    painter.save();
    QPen pen(QColor(0, 120, 215, 200));
    pen.setCosmetic(true);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect visible = painter.clipBoundingRect().toAlignedRect();
    const bool clipped = painter.hasClipping() && !visible.isEmpty();
    // A box's outline runs on its cell's edges, shared with its neighbours'.
    for (const QRect& box : FBoxes)
        if (!clipped || box.intersects(visible.adjusted(-1, -1, 1, 1))) painter.drawRect(box);
    painter.restore();
}

void TPageGridOverlay::Update(TForm& form) {
    const int rows = FRows, columns = FColumns, cells = FCells;
    Measure(form);
    if (rows != FRows || columns != FColumns || cells != FCells) emit CountsChanged(FRows, FColumns, FCells);
}

void TPageGridOverlay::Measure(TForm& form) {
    FBoxes.clear();
    FProblem.clear();
    FRows = FColumns = FCells = 0;
    try {
        // The table the page generator builds: the page root's visible page
        // controls, the root's width, the rows' own height.
        TQuillHtmlGenerator* generator = FirstHtmlGenerator(form);
        TWinControl& root = generator ? generator->PageRootControl() : form;
        FTable.Build(CollectCellControls(root), root.Width(), 0);
        const QPoint origin = &root == &form ? QPoint() : OriginOf(root, form);
        PlaceCells(origin.x(), origin.y());
    } catch (const Exception& e) {
        FProblem = QString::fromStdString(e.Message());
        FBoxes.clear();
        FRows = FColumns = FCells = 0;
    }
}

// Places each row's cells as a browser places them: left to right, in the
// first column no cell from a row above still covers.
void TPageGridOverlay::PlaceCells(int left, int top) {
    // A column no cell takes is not one of the page's.
    std::vector<int64_t> x{left};
    for (int32_t size : FTable.ColumnSizes())
        if (size != 0) x.push_back(x.back() + size);
    std::vector<int64_t> y{top};
    for (int32_t size : FTable.RowHeights()) y.push_back(y.back() + size);
    const size_t columns = x.size() - 1;
    // For the first column of a cell that spans rows: the row it ends
    // before and how many columns it covers.
    std::vector<int> coveredUntil(columns, 0);
    std::vector<size_t> coverWidth(columns, 1);
    FBoxes.reserve(FTable.CellCount());
    for (int r = 0; r < FTable.RowCount(); ++r) {
        size_t c = 0;
        for (const TCellData& cell : FTable.Rows(r)) {
            while (c < columns && coveredUntil[c] > r) c += coverWidth[c];
            const size_t end = std::min(columns, c + static_cast<size_t>(std::max(cell.ColSpan, 1)));
            const size_t bottom = std::min(y.size() - 1, static_cast<size_t>(r) + static_cast<size_t>(std::max(cell.RowSpan, 1)));
            if (c >= end) break;  // a row wider than the grid: nothing sane to draw
            if (cell.RowSpan > 1) {
                coveredUntil[c] = static_cast<int>(bottom);
                coverWidth[c] = end - c;
            }
            FBoxes.push_back(QRect(QPoint(static_cast<int>(x[c]), static_cast<int>(y[static_cast<size_t>(r)])),
                                   QPoint(static_cast<int>(x[end]) - 1, static_cast<int>(y[bottom]) - 1)));
            c = end;
        }
    }
    FRows = FTable.RowCount();
    FColumns = static_cast<int>(columns);
    FCells = static_cast<int>(FTable.CellCount());
}

}  // namespace quill::studio
