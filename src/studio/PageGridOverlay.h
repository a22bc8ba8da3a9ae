#pragma once

#include <QObject>
#include <QRect>
#include <vector>

#include "layout/CellTable.h"
#include "studio/CanvasOverlay.h"

namespace quill::studio {

// The page table's grid over the canvas: the cells the page generator's
// table makes of the page root's controls, each outlined, so that a
// misalignment shows as the thin row or column it costs. The page root is
// the first page generator's container, else the form.
class TPageGridOverlay : public QObject, public TCanvasOverlay {
    Q_OBJECT

public:
    explicit TPageGridOverlay(QObject* parent = nullptr);

    void Paint(QPainter& painter, TForm& form) override;

    // Builds the table of `form` again; emits CountsChanged when a count
    // changed. Paint does this itself.
    void Update(TForm& form);

    int Rows() const { return FRows; }
    int Columns() const { return FColumns; }
    int Cells() const { return FCells; }
    // Every cell's box in the form's client coordinates, row by row.
    const std::vector<QRect>& Boxes() const { return FBoxes; }
    // Why there is no table (the page root cannot hold one), or empty.
    const QString& Problem() const { return FProblem; }

signals:
    void CountsChanged(int rows, int columns, int cells);

private:
    void Measure(TForm& form);
    void PlaceCells(int left, int top);

    TCellTable FTable;
    std::vector<QRect> FBoxes;
    QString FProblem;
    int FRows = 0;
    int FColumns = 0;
    int FCells = 0;
};

}  // namespace quill::studio
