#pragma once

#include <string>

namespace quill::platform {

// A path for the wide Windows calls: read as UTF-8, as designs and command
// lines hold it, or in the ANSI code page when it is not valid UTF-8 (a
// name typed in an older console).
std::wstring WidePath(const std::string& text);

}  // namespace quill::platform
