#include "qtbridge/FormWindow.h"

#include <QStatusBar>

#include "qtbridge/ControlPainter.h"
#include "qtbridge/ControlWidgets.h"
#include "qtbridge/PaintedWidget.h"
#include "qtbridge/QtPalette.h"

namespace quill::qtbridge {

TFormWindow::TFormWindow(TForm& form) : FForm(&form), FClient(new TPaintedWidget(this)) {
    setObjectName(ToQString(form.Name()));
    FClient->SetPainter([this](QPainter& painter, const QRect& area) {
        if (FForm) PaintBackground(painter, *FForm, area);
    });
    setCentralWidget(FClient);
    for (int i = 0; i < form.ControlCount(); ++i) CreateControlWidgets(*form.Controls(i), *FClient);
    form.SetView(this);
    for (TControlChange change : {TControlChange::Text, TControlChange::Font, TControlChange::State})
        ControlChanged(form, change);
    statusBar()->setSizeGripEnabled(false);
    // The window opens where the design puts it, its client area as designed.
    move(form.Left(), form.Top());
    FClient->resize(form.ClientWidth(), form.ClientHeight());
    resize(form.ClientWidth(), form.ClientHeight() + statusBar()->sizeHint().height());
    FClient->SetResized([this](const QSize& size) { ClientResized(size); });
}

TFormWindow::~TFormWindow() {
    if (FForm && FForm->View() == this) FForm->SetView(nullptr);
}

QWidget* TFormWindow::WidgetOf(const std::string& controlName) const {
    return FClient->findChild<QWidget*>(ToQString(controlName));
}

void TFormWindow::ClientResized(const QSize& size) {
    if (!FForm) return;
    FForm->ChangeBounds(FForm->Left(), FForm->Top(), size.width() + TForm::kFrameWidth,
                        size.height() + TForm::kFrameHeight);
}

void TFormWindow::ControlChanged(TControl&, TControlChange change) {
    switch (change) {
    case TControlChange::Text:
        setWindowTitle(ToQString(FForm->Caption()));
        break;
    case TControlChange::Font:
        setFont(ToQFont(FForm->Font()));
        break;
    case TControlChange::State:
        statusBar()->showMessage(ToQString(FForm->StatusText()));
        break;
    case TControlChange::Color:
        FClient->update();
        break;
    case TControlChange::Destroyed:
        FForm = nullptr;
        break;
    case TControlChange::Bounds:
    case TControlChange::Visible:
        break;
    }
}

}  // namespace quill::qtbridge
