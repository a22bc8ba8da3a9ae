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

    // When true the caption is plain text: the page shows it as typed,
    // markup characters and line breaks included. Off, it is markup.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool value);

    void ChangeAutoSize(bool value) override;
    void ApplyCellFormat() override;

protected:
    bool OwnCellSteps() const override;
    std::string_view CellContent() const override;
    void TextChanged() override;

private:
    void UpdatePlainContent();

    TLabel* FInnerLabel;  // owned as a child component
    bool FPlainText = false;
    // The caption written as page text, when PlainText is on and it differs.
    std::string FPlainContent;
};

}  // namespace quill
