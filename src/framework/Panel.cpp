#include "framework/Panel.h"

namespace quill {

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetColor(clBtnFace);
    ChangeBounds(0, 0, 185, 41);
}

}  // namespace quill
