#include "framework/WinControl.h"

#include <algorithm>

namespace quill {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children are not ours: they only lose their parent.
    for (auto* list : {&FControls, &FWinControls})
        for (TControl* child : *list) child->FParent = nullptr;
    FControls.clear();
    FWinControls.clear();
}

TControl* TWinControl::Controls(int index) const {
    int plain = static_cast<int>(FControls.size());
    return index < plain ? FControls.at(index) : FWinControls.at(index - plain);
}

void TWinControl::InsertControl(TControl* control) {
    bool windowed = dynamic_cast<TWinControl*>(control) != nullptr;
    (windowed ? FWinControls : FControls).push_back(control);
    control->FParent = this;
    control->ParentColorChanged();
    control->ParentFontChanged();
    ChildInsertedOrRemoved(control, true);
    if (control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    for (auto* list : {&FControls, &FWinControls})
        list->erase(std::remove(list->begin(), list->end(), control), list->end());
    control->FParent = nullptr;
    if (Destroying()) return;
    ChildInsertedOrRemoved(control, false);
    if (control->Align() != alNone) Realign();
}

void TWinControl::ChildInsertedOrRemoved(TControl*, bool) {}

void TWinControl::ChangeBounds(int left, int top, int width, int height) {
    bool resized = width != Width() || height != Height();
    TControl::ChangeBounds(left, top, width, height);
    if (resized) Realign();
}

void TWinControl::ColorChangedNotification() {
    TControl::ColorChangedNotification();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentColorChanged();
}

void TWinControl::FontChangedNotification() {
    TControl::FontChangedNotification();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ParentFontChanged();
}

void TWinControl::Realign() {
    if (FAligning > 0 || Destroying()) return;
    ++FAligning;
    TRect area{0, 0, ClientWidth(), ClientHeight()};
    auto place = [&](TAlign which) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->Align() != which || !c->Visible()) continue;
            int w = c->Width();
            int h = c->Height();
            switch (which) {
            case alTop:
                c->ChangeBounds(area.Left, area.Top, area.Right - area.Left, h);
                area.Top += c->Height();
                break;
            case alBottom:
                c->ChangeBounds(area.Left, area.Bottom - h, area.Right - area.Left, h);
                area.Bottom -= c->Height();
                break;
            case alLeft:
                c->ChangeBounds(area.Left, area.Top, w, area.Bottom - area.Top);
                area.Left += c->Width();
                break;
            case alRight:
                c->ChangeBounds(area.Right - w, area.Top, w, area.Bottom - area.Top);
                area.Right -= c->Width();
                break;
            case alClient:
                c->ChangeBounds(area.Left, area.Top, std::max(0, area.Right - area.Left),
                                std::max(0, area.Bottom - area.Top));
                break;
            case alNone:
                break;
            }
        }
    };
    for (TAlign which : {alTop, alBottom, alLeft, alRight, alClient}) place(which);
    --FAligning;
}

}  // namespace quill
