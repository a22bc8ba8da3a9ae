#pragma once

#include <string>

namespace quill::platform {

// Writes `bytes` to a new file beside `path`, then puts it in place of
// `path` in one step. On any failure it raises Exception and `path` is
// exactly as it was.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace quill::platform
