#include "platform/SysColors.h"

#include <windows.h>

namespace quill::platform {

uint32_t GetSysColor(int index) {
    if (index < 0 || index > 30) return 0;
    // COLORREF keeps red in the low byte, as the framework does.
    return static_cast<uint32_t>(::GetSysColor(index));
}

}  // namespace quill::platform
