#pragma once

namespace quill {

// Makes the core's design classes known, once per process, whichever
// thread reads the first design: the class registry is not for several
// threads to fill at once.
void RegisterClassesOnce();

}  // namespace quill
