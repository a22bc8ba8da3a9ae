#include "framework/Form.h"

#include <filesystem>

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

std::string DesignFolderOf(const std::string& fileName) {
    return std::filesystem::path(fileName).parent_path().string();
}

}  // namespace quill
