#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace quill::platform {

bool ShellOpen(const std::string& fileName) {
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", fileName.c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

}  // namespace quill::platform
