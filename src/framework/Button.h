#pragma once

#include "framework/WinControl.h"

namespace quill {

// A push button.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    std::string ClassName() const override { return "TButton"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // What a press of the button does: fires OnClick.
    void Click();

    TNotifyEvent OnClick;
};

}  // namespace quill
