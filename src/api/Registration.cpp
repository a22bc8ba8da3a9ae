#include "api/Registration.h"

#include "controls/QuillClasses.h"

namespace quill {

void RegisterClassesOnce() {
    static const bool registered = [] {
        RegisterQuillClasses();
        return true;
    }();
    (void)registered;
}

}  // namespace quill
