#include "qtbridge/ControlWidgets.h"

#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <memory>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Shape.h"
#include "framework/ToolBar.h"
#include "qtbridge/ControlBinding.h"
#include "qtbridge/ControlPainter.h"
#include "qtbridge/PaintedWidget.h"
#include "qtbridge/QtPalette.h"

namespace quill::qtbridge {

namespace {

QIcon GlyphIcon(const TImageList& images, int index) {
    if (index < 0 || index >= images.Count()) return {};
    QImage image(images.Width(), images.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < images.Height(); ++y)
        for (int x = 0; x < images.Width(); ++x) {
            TColor pixel = images.Pixel(index, x, y);
            image.setPixelColor(x, y, pixel == clNone ? QColor(Qt::transparent) : ToQColor(pixel));
        }
    return QIcon(QPixmap::fromImage(image));
}

// The binding's control as a C, or null once it is gone.
template <class C>
C* ControlOf(const TControlBinding* binding) {
    return dynamic_cast<C*>(binding->Control());
}

// A widget the bridge draws itself with `paint`(painter, control, area).
template <class C, class Paint>
QWidget* Painted(C& control, QWidget& parent, Paint paint) {
    auto* widget = new TPaintedWidget(&parent);
    auto* binding = new TControlBinding(control, *widget);
    widget->SetPainter([binding, paint](QPainter& painter, const QRect& area) {
        if (C* c = ControlOf<C>(binding)) paint(painter, *c, area);
    });
    return widget;
}

QWidget* EditWidget(TEdit& edit, QWidget& parent) {
    auto* widget = new QLineEdit(&parent);
    auto* binding = new TControlBinding(edit, *widget, [widget](TControl& control) {
        QString text = ToQString(control.Caption());
        if (widget->text() != text) widget->setText(text);
    });
    binding->ControlChanged(edit, TControlChange::Text);
    QObject::connect(widget, &QLineEdit::textEdited, binding, [binding](const QString& text) {
        if (auto* e = ControlOf<TEdit>(binding)) e->SetText(FromQString(text));
    });
    return widget;
}

QWidget* ButtonWidget(TButton& button, QWidget& parent) {
    auto* widget = new QPushButton(&parent);
    auto* binding = new TControlBinding(button, *widget,
                                        [widget](TControl& control) { widget->setText(ToQString(control.Caption())); });
    binding->ControlChanged(button, TControlChange::Text);
    QObject::connect(widget, &QPushButton::clicked, binding, [binding] {
        if (auto* b = ControlOf<TButton>(binding)) b->Click();
    });
    return widget;
}

void ShowToolButton(QToolButton& widget, const TToolButton& button) {
    widget.setCheckable(button.Style() == tbsCheck);
    widget.setChecked(button.Down());
    TToolBar* bar = button.ToolBar();
    widget.setAutoRaise(bar && bar->Flat());
    widget.setIcon(bar && bar->Images() ? GlyphIcon(*bar->Images(), button.ImageIndex()) : QIcon());
}

QWidget* ToolButtonWidget(TToolButton& button, QWidget& parent) {
    auto* widget = new QToolButton(&parent);
    widget->setIconSize(QSize(16, 16));
    auto* binding = new TControlBinding(button, *widget, [widget](TControl& control) {
        ShowToolButton(*widget, static_cast<TToolButton&>(control));
    });
    binding->ControlChanged(button, TControlChange::State);
    QObject::connect(widget, &QToolButton::clicked, binding, [binding, widget] {
        TToolButton* b = ControlOf<TToolButton>(binding);
        if (!b) return;
        b->Click();
        // Qt toggled the widget by itself; the control's Down decides.
        if ((b = ControlOf<TToolButton>(binding))) widget->setChecked(b->Down());
    });
    return widget;
}

QWidget* ToolBarWidget(TToolBar& bar, QWidget& parent) {
    auto* widget = new TPaintedWidget(&parent);
    // A new image list or flat setting shows on every button.
    auto* binding = new TControlBinding(bar, *widget, [widget](TControl& control) {
        auto& toolBar = static_cast<TToolBar&>(control);
        for (int i = 0; i < toolBar.ControlCount(); ++i) {
            auto* button = dynamic_cast<TToolButton*>(toolBar.Controls(i));
            auto* buttonWidget = widget->findChild<QToolButton*>(ToQString(toolBar.Controls(i)->Name()));
            if (button && buttonWidget) ShowToolButton(*buttonWidget, *button);
        }
    });
    widget->SetPainter([binding](QPainter& painter, const QRect& area) {
        if (auto* b = ControlOf<TToolBar>(binding)) PaintBackground(painter, *b, area);
    });
    return widget;
}

// The picture is read when the control changes, not at every paint.
QWidget* ImageWidget(TQuillImage& image, QWidget& parent) {
    auto* widget = new TPaintedWidget(&parent);
    auto picture = std::make_shared<QImage>();
    auto* binding = new TControlBinding(
        image, *widget, [picture](TControl& control) { *picture = LoadPicture(static_cast<TQuillImage&>(control)); });
    binding->ControlChanged(image, TControlChange::State);
    widget->SetPainter([binding, picture](QPainter& painter, const QRect& area) {
        if (auto* i = ControlOf<TQuillImage>(binding)) PaintImage(painter, *i, *picture, area);
    });
    return widget;
}

QWidget* CreateOne(TControl& control, QWidget& parent) {
    if (auto* edit = dynamic_cast<TEdit*>(&control)) return EditWidget(*edit, parent);
    if (auto* button = dynamic_cast<TButton*>(&control)) return ButtonWidget(*button, parent);
    if (auto* bar = dynamic_cast<TToolBar*>(&control)) return ToolBarWidget(*bar, parent);
    if (auto* toolButton = dynamic_cast<TToolButton*>(&control)) return ToolButtonWidget(*toolButton, parent);
    if (auto* label = dynamic_cast<TLabel*>(&control)) return Painted(*label, parent, PaintLabel);
    if (auto* shape = dynamic_cast<TShape*>(&control)) return Painted(*shape, parent, PaintShape);
    if (auto* image = dynamic_cast<TQuillImage*>(&control)) return ImageWidget(*image, parent);
    // Panels, page controls and any other container: their colour.
    if (auto* container = dynamic_cast<TWinControl*>(&control)) return Painted(*container, parent, PaintBackground);
    return Painted(control, parent, [](QPainter&, const TControl&, const QRect&) {});
}

}  // namespace

QWidget* CreateControlWidgets(TControl& control, QWidget& parent) {
    QWidget* widget = CreateOne(control, parent);
    if (auto* container = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < container->ControlCount(); ++i) CreateControlWidgets(*container->Controls(i), *widget);
    return widget;
}

}  // namespace quill::qtbridge
