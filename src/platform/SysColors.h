#pragma once

#include <cstdint>

namespace quill::platform {

// The current RGB value (red in the low byte) of a system colour entry,
// indexes 0 to 30; 0 for any other index.
uint32_t GetSysColor(int index);

}  // namespace quill::platform
