#pragma once

#include "framework/WinControl.h"

namespace quill {

// A one-line text editor. Its text is the control's caption text.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    std::string ClassName() const override { return "TEdit"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    const std::string& Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    // Fired after every change of the text, except while the design is read.
    TNotifyEvent OnChange;

protected:
    void TextChangedNotification() override;
};

}  // namespace quill
