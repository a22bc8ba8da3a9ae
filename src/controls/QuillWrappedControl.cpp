#include "controls/QuillWrappedControl.h"

#include <typeinfo>

#include "framework/Saturate.h"

namespace quill {

int TQuillWrappedControl::ContentWidth() const {
    return ClampToInt(int64_t{FInnerControl->Width()} + FMargins.Left + FMargins.Right);
}

int TQuillWrappedControl::ContentHeight() const {
    return ClampToInt(int64_t{FInnerControl->Height()} + FMargins.Top + FMargins.Bottom);
}

void TQuillWrappedControl::PositionInner() {
    if (!FInnerControl) return;
    if (AutoSize()) {
        FInnerControl->SetLeft(FMargins.Left);
        FInnerControl->SetTop(FMargins.Top);
    } else {
        FInnerControl->SetLeft(CellFormat().ContentLeft(Width(), FInnerControl->Width(), FMargins));
        FInnerControl->SetTop(CellFormat().ContentTop(Height(), FInnerControl->Height(), FMargins));
    }
}

void TQuillWrappedControl::ApplyInnerAutoSize(bool value) {
    if (!FInnerControl || !FInnerAutoSize) return;
    if (value) FInnerControl->SetAlign(alNone);
    FInnerControl->SetAutoSize(value);
    if (!value) FInnerControl->SetAlign(alClient);
    FrameShape()->SetWidth(ContentWidth());
    FrameShape()->SetHeight(ContentHeight());
}

void TQuillWrappedControl::AfterLoad() {
    TQuillCustomControl::AfterLoad();
    if (AutoSize()) FitSize();
}

bool TQuillWrappedControl::QueryAutoSize(int& width, int& height) {
    if (!FInnerControl) return TQuillCustomControl::QueryAutoSize(width, height);
    if (AutoSize()) {
        width = ContentWidth();
        height = ContentHeight();
    }
    return true;
}

void TQuillWrappedControl::FitSize() {
    TQuillCustomControl::FitSize();
    if (!FInnerControl || !AutoSize()) return;
    ChangeBounds(Left(), Top(), ContentWidth(), ContentHeight());
    // A right-justified inner label keeps its right edge when it resizes
    // itself; bring it back to the margins.
    PositionInner();
}

void TQuillWrappedControl::ChangeAutoSize(bool value) {
    ApplyInnerAutoSize(value);
    TQuillCustomControl::ChangeAutoSize(value);
}

void TQuillWrappedControl::TextChanged() {
    if (FInnerControl) FInnerControl->SetCaption(Caption());
    Realign();
    // While the design is read the size waits for AfterLoad.
    if (!Loading()) FitSize();
}

void TQuillWrappedControl::ApplyCellFormat() {
    TQuillCustomControl::ApplyCellFormat();
    PositionInner();
}

// Its cell is made by the steps it inherits.
bool TQuillWrappedControl::OwnCellSteps() const { return typeid(*this) == typeid(TQuillWrappedControl); }

}  // namespace quill
