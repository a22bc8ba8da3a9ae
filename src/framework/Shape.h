#pragma once

#include "framework/Control.h"

namespace quill {

enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psDash, psDot };

// A plain outline drawn over its bounds.
class TShape : public TControl {
public:
    using TControl::TControl;
    std::string ClassName() const override { return "TShape"; }

    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle style) { FBrushStyle = style; }
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle style) { FPenStyle = style; }

private:
    TBrushStyle FBrushStyle = bsSolid;
    TPenStyle FPenStyle = psSolid;
};

}  // namespace quill
