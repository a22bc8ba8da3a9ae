#include "framework/Control.h"

#include "framework/Exception.h"
#include "framework/WinControl.h"

namespace quill {

TControl::TControl(TComponent* owner) : TComponent(owner) {
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    NotifyView(TControlChange::Destroyed);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::NotifyView(TControlChange change) {
    if (FView) FView->ControlChanged(*this, change);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent && IsAncestorOf(*parent))
        throw Exception((Name().empty() ? ClassName() : Name()) +
                        ": a control cannot be placed inside itself or one of its own children");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

bool TControl::IsAncestorOf(const TControl& control) const {
    if (&control == this) return true;
    // Only a container with children can be above anything else; checking
    // that first keeps building a deep tree from the top linear.
    const TWinControl* self = AsWinControl();
    if (!self || self->ControlCount() == 0) return false;
    for (const TControl* c = control.Parent(); c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TControl::ChangeBounds(int left, int top, int width, int height) {
    bool resized = width != FWidth || height != FHeight;
    if (!resized && left == FLeft && top == FTop) return;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    NotifyView(TControlChange::Bounds);
    if (FAlign != alNone) AlignmentRequested();
    if (resized) Resized();
}

void TControl::Resized() {
    // A half-read form is no place for handlers; the design's own sizes
    // are not a resize.
    if (FOnResize && *FOnResize && !Loading()) (*FOnResize)(this);
}

const TNotifyEvent& TControl::OnResize() const {
    static const TNotifyEvent none;
    return FOnResize ? *FOnResize : none;
}

void TControl::SetOnResize(const TNotifyEvent& handler) {
    if (FOnResize)
        *FOnResize = handler;
    else
        FOnResize = std::make_unique<TNotifyEvent>(handler);
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    NotifyView(TControlChange::Visible);
    if (FAlign != alNone) AlignmentRequested();
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    AlignmentRequested();
}

void TControl::AlignmentRequested() {
    if (FParent) FParent->Realign();
}

void TControl::SetColor(TColor color) { SetColorValue(color, false); }

void TControl::SetColorValue(TColor color, bool keepParentColor) {
    if (color == FColor) return;
    FColor = color;
    if (!keepParentColor) FParentColor = false;
    ColorChangedNotification();
    NotifyView(TControlChange::Color);
}

void TControl::ColorChangedNotification() {}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) return;
    FParentColor = value;
    if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (FParentColor && FParent) SetColorValue(FParent->Color(), true);
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    // Already the same: nothing changes here or below, so no one is told.
    if (FFont.SameValues(FParent->Font())) return;
    FFontFromParent = true;
    FFont.CopyValuesFrom(FParent->Font());
    FFontFromParent = false;
}

void TControl::FontChanged() {
    // A font set on the control itself stops it following its parent's.
    if (!FFontFromParent) FParentFont = false;
    FontChangedNotification();
    NotifyView(TControlChange::Font);
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    TextChangedNotification();
    NotifyView(TControlChange::Text);
}

void TControl::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) FitSize();
}

bool TControl::QueryAutoSize(int&, int&) { return true; }

void TControl::FitSize() {
    if (!FAutoSize || Loading()) return;
    int width = FWidth;
    int height = FHeight;
    if (QueryAutoSize(width, height)) ChangeBounds(FLeft, FTop, width, height);
}

}  // namespace quill
