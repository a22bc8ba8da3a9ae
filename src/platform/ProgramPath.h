#pragma once

#include <string>

namespace quill::platform {

// The absolute path of the running program's own file. Raises Exception
// when the system cannot tell.
std::string ProgramPath();

}  // namespace quill::platform
