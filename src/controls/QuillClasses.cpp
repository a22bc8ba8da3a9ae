#include "controls/QuillClasses.h"

#include "controls/QuillLabel.h"

#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"
#include "page/StandardClasses.h"
#include "page/TypeInfo.h"

namespace quill {

void RegisterQuillClasses() {
    RegisterStandardClasses();
    RegisterDesignClass(TQuillHtmlGenerator::StaticInfo());
    RegisterDesignClass(TQuillHeader::StaticInfo());
    RegisterDesignClass(TQuillLabel::StaticInfo());
}

}  // namespace quill
