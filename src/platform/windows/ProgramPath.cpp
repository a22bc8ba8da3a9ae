#include "platform/ProgramPath.h"

#include <windows.h>

#include <vector>

#include "framework/Exception.h"

namespace quill::platform {

std::string ProgramPath() {
    // The path's length is not known beforehand: grow until it fits.
    for (DWORD size = 260; size <= 65536; size *= 2) {
        std::vector<char> buffer(size);
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0)
            throw Exception("cannot find the running program: system error " + std::to_string(GetLastError()));
        if (length < size) return std::string(buffer.data(), length);
    }
    throw Exception("cannot find the running program: its path is longer than 65536 bytes");
}

}  // namespace quill::platform
