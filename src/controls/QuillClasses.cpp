#include "controls/QuillClasses.h"

#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"
#include "page/StandardClasses.h"
#include "page/TypeInfo.h"

namespace quill {

void RegisterQuillClasses() {
    RegisterStandardClasses();
    RegisterDesignClass(TQuillHtmlGenerator::StaticInfo());
    RegisterDesignClass(TQuillHeader::StaticInfo());
}

}  // namespace quill
