#include "framework/Button.h"

namespace quill {

TButton::TButton(TComponent* owner) : TWinControl(owner) { ChangeBounds(0, 0, 75, 25); }

void TButton::Click() {
    if (OnClick) OnClick(this);
}

}  // namespace quill
