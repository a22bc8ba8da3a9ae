#include "framework/ToolBar.h"

#include "framework/ImageList.h"

namespace quill {

TToolButton::TToolButton(TComponent* owner) : TControl(owner) { ChangeBounds(0, 0, 23, 22); }

void TToolButton::SetDown(bool value) {
    if (value == FDown) return;
    FDown = value;
    NotifyView(TControlChange::State);
}

void TToolButton::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    NotifyView(TControlChange::State);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::Click() {
    if (FStyle == tbsCheck) SetDown(!FDown);
    if (OnClick) OnClick(this);
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) { ChangeBounds(0, 0, 150, 29); }

void TToolBar::SetButtonWidth(int value) {
    FButtonWidth = value;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int value) {
    FButtonHeight = value;
    ArrangeButtons();
}

void TToolBar::SetImages(TImageList* value) {
    if (value == FImages) return;
    SetComponentReference(FImages, *this, value);
    NotifyView(TControlChange::State);
}

bool TToolBar::QueryAutoSize(int& width, int& height) {
    width = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Visible()) width += FButtonWidth;
    height = FButtonHeight;
    return true;
}

void TToolBar::AfterLoad() {
    TWinControl::AfterLoad();
    ArrangeButtons();
}

void TToolBar::RemovalNotice(TComponent* component, TOperation operation) {
    TWinControl::RemovalNotice(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        NotifyView(TControlChange::State);
    }
}

void TToolBar::ChildInsertedOrRemoved(TControl* child, bool inserting) {
    TWinControl::ChildInsertedOrRemoved(child, inserting);
    ArrangeButtons();
}

// Buttons sit side by side in child order; the bar fits them when auto-sized.
void TToolBar::ArrangeButtons() {
    if (Loading() || Destroying()) return;
    int left = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* button = Controls(i);
        if (!button->Visible()) continue;
        button->ChangeBounds(left, 0, FButtonWidth, FButtonHeight);
        left += FButtonWidth;
    }
    FitSize();
}

}  // namespace quill
