#include "framework/Form.h"

namespace quill {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    ChangeBounds(0, 0, 320, 240);
}

}  // namespace quill
