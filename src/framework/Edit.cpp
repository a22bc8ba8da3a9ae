#include "framework/Edit.h"

namespace quill {

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetParentColor(false);
    ChangeBounds(0, 0, 121, 21);
}

void TEdit::TextChangedNotification() {
    if (!Loading() && OnChange) OnChange(this);
}

}  // namespace quill
