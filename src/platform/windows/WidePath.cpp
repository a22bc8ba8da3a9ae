#include "platform/windows/WidePath.h"

#include <windows.h>

namespace quill::platform {

std::wstring WidePath(const std::string& text) {
    if (text.empty()) return {};
    UINT page = CP_UTF8;
    int size = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size == 0) {
        page = CP_ACP;
        size = MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace quill::platform
