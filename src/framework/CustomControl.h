#pragma once

#include "framework/WinControl.h"

namespace quill {

// A windowed control that draws itself.
class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::string ClassName() const override { return "TCustomControl"; }
};

}  // namespace quill
