#include "qtbridge/ControlBinding.h"

#include "qtbridge/QtPalette.h"

namespace quill::qtbridge {

TControlBinding::TControlBinding(TControl& control, QWidget& widget, TRefresh refresh)
    : QObject(&widget), FControl(&control), FWidget(&widget), FRefresh(std::move(refresh)) {
    widget.setObjectName(ToQString(control.Name()));
    control.SetView(this);
    ShowAll();
}

TControlBinding::~TControlBinding() {
    if (FControl && FControl->View() == this) FControl->SetView(nullptr);
}

void TControlBinding::ShowAll() {
    for (TControlChange change : {TControlChange::Bounds, TControlChange::Visible, TControlChange::Font})
        ControlChanged(*FControl, change);
}

void TControlBinding::ControlChanged(TControl& control, TControlChange change) {
    if (!FWidget) return;
    switch (change) {
    case TControlChange::Bounds:
        FWidget->setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
        return;
    case TControlChange::Visible:
        FWidget->setVisible(control.Visible());
        return;
    case TControlChange::Font:
        FWidget->setFont(ToQFont(control.Font()));
        break;
    case TControlChange::Destroyed:
        FControl = nullptr;
        FWidget->hide();
        FWidget->deleteLater();
        return;
    case TControlChange::Text:
    case TControlChange::Color:
    case TControlChange::State:
        break;
    }
    if (FRefresh) FRefresh(control);
    FWidget->update();
}

}  // namespace quill::qtbridge
