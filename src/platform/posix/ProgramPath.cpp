#include "platform/ProgramPath.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "framework/Exception.h"

namespace quill::platform {

std::string ProgramPath() {
    // The link's length is not known beforehand: grow until it fits.
    for (size_t size = 256; size <= 65536; size *= 2) {
        std::vector<char> buffer(size);
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) throw Exception(std::string("cannot find the running program: /proc/self/exe: ") + std::strerror(errno));
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(length));
    }
    throw Exception("cannot find the running program: its path is longer than 65536 bytes");
}

}  // namespace quill::platform
