#pragma once

#include "controls/QuillCustomControl.h"

namespace quill {

// A page control that hosts one ordinary control, the inner control, which
// draws it on screen. The wrapper keeps the inner control in step with its
// caption, its AutoSize setting and its cell format, and can take the
// inner control's size.
class TQuillWrappedControl : public TQuillCustomControl {
public:
    using TQuillCustomControl::TQuillCustomControl;
    std::string ClassName() const override { return "TQuillWrappedControl"; }

    TControl* InnerControl() const { return FInnerControl; }
    bool InnerAutoSize() const { return FInnerAutoSize; }
    const TRect& Margins() const { return FMargins; }
    void SetMargins(const TRect& margins) { FMargins = margins; }
    int ContentWidth() const;
    int ContentHeight() const;

    // Places the inner control: at the margins when auto-sized, else by
    // the cell format's alignments.
    virtual void PositionInner();
    // Hands AutoSize on to the inner control: sizing itself, or filling
    // the wrapper.
    virtual void ApplyInnerAutoSize(bool value);

    void AfterLoad() override;
    bool QueryAutoSize(int& width, int& height) override;
    void FitSize() override;
    void ChangeAutoSize(bool value) override;
    void ApplyCellFormat() override;

protected:
    bool OwnCellSteps() const override;
    void TextChanged() override;
    void SetInnerControl(TControl* control) { FInnerControl = control; }
    void SetInnerAutoSize(bool value) { FInnerAutoSize = value; }

private:
    TControl* FInnerControl = nullptr;  // owned as a child component
    bool FInnerAutoSize = false;
    TRect FMargins;
};

}  // namespace quill
