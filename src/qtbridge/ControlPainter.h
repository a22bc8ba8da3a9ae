#pragma once

#include <QPainter>
#include <QRect>

#include "framework/Control.h"
#include "framework/Label.h"
#include "framework/Shape.h"

namespace quill::qtbridge {

// The control's colour over its area, and a panel's outer bevel.
void PaintBackground(QPainter& painter, const TControl& control, const QRect& area);

// Where the label's lines go, in its own coordinates, measured as the
// framework measures them. Inside a page control the cell format places
// them (ContentLeft, ContentTop); elsewhere Alignment and Layout do.
QRect CaptionRect(const TLabel& label);
void PaintLabel(QPainter& painter, const TLabel& label, const QRect& area);

// The outline of a shape in its pen style; a solid brush fills it.
void PaintShape(QPainter& painter, const TShape& shape, const QRect& area);

}  // namespace quill::qtbridge
