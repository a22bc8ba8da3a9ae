#include "qtbridge/ControlPainter.h"

#include <algorithm>

#include "controls/QuillWrappedControl.h"
#include "framework/Exception.h"
#include "framework/Panel.h"
#include "qtbridge/QtPalette.h"

namespace quill::qtbridge {

namespace {

void PaintBevel(QPainter& painter, const QRect& area, TBevelCut cut) {
    if (cut != bvRaised && cut != bvLowered) return;
    QColor light = ToQColor(clBtnHighlight);
    QColor dark = ToQColor(clBtnShadow);
    if (cut == bvLowered) std::swap(light, dark);
    painter.setPen(light);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
}

int AlignedOffset(TAlignment alignment, int room) {
    if (alignment == taCenter) return std::max(0, room / 2);
    if (alignment == taRightJustify) return std::max(0, room);
    return 0;
}

int LayoutOffset(TTextLayout layout, int room) {
    if (layout == tlCenter) return std::max(0, room / 2);
    if (layout == tlBottom) return std::max(0, room);
    return 0;
}

}  // namespace

void PaintBackground(QPainter& painter, const TControl& control, const QRect& area) {
    painter.fillRect(area, ToQColor(control.Color()));
    if (auto* panel = dynamic_cast<const TPanel*>(&control)) PaintBevel(painter, area, panel->BevelOuter());
}

QRect CaptionRect(const TLabel& label) {
    int width = 0;
    int height = 0;
    for (const std::string& line : label.TextLines()) {
        width = std::max(width, label.LineWidth(line));
        height += label.LineHeight(line);
    }
    if (auto* wrapper = dynamic_cast<const TQuillWrappedControl*>(label.Parent())) {
        const TRect none;
        return {wrapper->CellFormat().ContentLeft(label.Width(), width, none),
                wrapper->CellFormat().ContentTop(label.Height(), height, none), width, height};
    }
    return {AlignedOffset(label.Alignment(), label.Width() - width),
            LayoutOffset(label.Layout(), label.Height() - height), width, height};
}

void PaintLabel(QPainter& painter, const TLabel& label, const QRect& area) {
    if (!label.Transparent()) painter.fillRect(area, ToQColor(label.Color()));
    QRect block = CaptionRect(label);
    painter.setFont(ToQFont(label.Font()));
    painter.setPen(ToQColor(label.Font().Color()));
    int ascent = painter.fontMetrics().ascent();
    int top = block.top();
    for (const std::string& line : label.TextLines()) {
        int left = block.left() + AlignedOffset(label.Alignment(), block.width() - label.LineWidth(line));
        painter.drawText(left, top + ascent, ToQString(line));
        top += label.LineHeight(line);
    }
}

void PaintShape(QPainter& painter, const TShape& shape, const QRect& area) {
    QPen pen(ToQColor(clBlack));
    pen.setStyle(shape.PenStyle() == psDot ? Qt::DotLine : shape.PenStyle() == psDash ? Qt::DashLine : Qt::SolidLine);
    painter.setPen(pen);
    if (shape.BrushStyle() == bsSolid)
        painter.setBrush(ToQColor(clWhite));
    else
        painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

QImage LoadPicture(const TQuillImage& image) {
    try {
        image.ReadSize();
    } catch (const Exception&) {
        return {};
    }
    QImage picture;
    picture.load(ToQString(image.ImagePath()));
    return picture;
}

void PaintImage(QPainter& painter, const TQuillImage& image, const QImage& picture, const QRect& area) {
    painter.fillRect(area, ToQColor(image.Color()));
    if (!picture.isNull()) {
        // Drawn at the control's size, as the browser draws it.
        painter.drawImage(area, picture);
        return;
    }
    painter.setPen(ToQColor(clGray));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(ToQColor(clBlack));
    painter.drawText(area.adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWordWrap, ToQString(image.Alt()));
}

}  // namespace quill::qtbridge
