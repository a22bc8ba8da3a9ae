#pragma once

#include <string>

namespace quill {
class TPageOneForm;
}

namespace quill::asp {

// Points where the test build of the server (QuillAspTest.dll) lets its
// test host step in: to make one registry step fail, to give the page
// text of its choosing, and to count the page forms still alive. The
// server itself is built without them, and then they do nothing.
#ifdef QUILLASP_TEST_SEAMS
// Raises as a refused registry call would when `step` is the one the test
// host chose to fail.
void RegistryStep(const std::string& step);
// Marks the new page form so it is counted until freed, and gives its
// label the caption the test host chose, if any.
void PreparePageForm(TPageOneForm& form);
#else
inline void RegistryStep(const std::string&) {}
inline void PreparePageForm(TPageOneForm&) {}
#endif

}  // namespace quill::asp
