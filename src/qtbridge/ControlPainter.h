#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "controls/QuillImage.h"
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

// The picture an image control's Src names, or a null image when it cannot
// be read. The file is looked at the way the page's sizing looks at it
// first, so a pipe, a device or a huge file is never handed to Qt.
QImage LoadPicture(const TQuillImage& image);
// The picture over the control's area, or, when there is none, a framed
// placeholder with the alt text.
void PaintImage(QPainter& painter, const TQuillImage& image, const QImage& picture, const QRect& area);

}  // namespace quill::qtbridge
