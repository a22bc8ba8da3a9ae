#pragma once

#include <string>

namespace quill::asp::test {

// Checks a page written by GetBody against the stored page in `golden`:
// the same lines in the same order, numbers and colours aside, CR LF after
// every line, the button face colour that GetSysColor gives, and a label
// cell as wide as GDI measures the caption.
void CheckPage(const std::wstring& page, const std::string& golden);

}  // namespace quill::asp::test
