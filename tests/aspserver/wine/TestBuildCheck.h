#pragma once

#include <string>

namespace quill::asp::test {

// Checks what needs the server's seams, in its test build at `testDll`:
// the page's characters reach the response as the design holds them, the
// page form is freed when GetBody fails, and registering and unregistering
// fail with E_FAIL when any one step fails. Registers the server at
// `serverDll` again at the end, as the checks before left it.
void CheckTestBuild(const std::wstring& testDll, const std::wstring& serverDll);

}  // namespace quill::asp::test
