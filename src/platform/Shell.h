#pragma once

#include <string>

namespace quill::platform {

// Asks the desktop to open a file with its default handler, the way a user
// double-clicking it would, and does not wait. The file name is handed
// over as one argument, never through a command line. Returns whether the
// request could be made; what the handler then does is not known here.
bool ShellOpen(const std::string& fileName);

}  // namespace quill::platform
