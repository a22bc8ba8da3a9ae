#include "framework/Form.h"

namespace quill {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    ChangeBounds(0, 0, 320, 240);
}

void TForm::SetStatusText(const std::string& text) {
    if (text == FStatusText) return;
    FStatusText = text;
    NotifyView(TControlChange::State);
}

}  // namespace quill
