#pragma once

#include "controls/QuillWrappedControl.h"
#include "framework/Label.h"

namespace quill {

// A text label whose caption becomes the content of its page cell. On
// screen an inner framework label shows the caption in the HTML font,
// placed by the cell format's alignments.
class TQuillLabel : public TQuillWrappedControl {
public:
    explicit TQuillLabel(TComponent* owner);
    std::string ClassName() const override { return "TQuillLabel"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    TLabel& InnerLabel() const { return *FInnerLabel; }

    void ChangeAutoSize(bool value) override;
    void ApplyCellFormat() override;

protected:
    bool OwnCellSteps() const override;

private:
    TLabel* FInnerLabel;  // owned as a child component
};

}  // namespace quill
