#pragma once

#include <QPainter>

#include "framework/Form.h"

namespace quill::studio {

// Something drawn over the design canvas after the controls, in the
// form's client coordinates (the canvas has already translated the
// painter to the client area's origin). The canvas does not own it.
class TCanvasOverlay {
public:
    virtual ~TCanvasOverlay() = default;
    virtual void Paint(QPainter& painter, TForm& form) = 0;
};

}  // namespace quill::studio
