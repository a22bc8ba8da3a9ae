#include "controls/QuillClasses.h"

#include "controls/QuillImage.h"
#include "controls/QuillLabel.h"
#include "controls/QuillPanel.h"

#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"
#include "framework/StandardClasses.h"
#include "framework/TypeInfo.h"

namespace quill {

void RegisterQuillClasses() {
    RegisterStandardClasses();
    RegisterDesignClass(TQuillHtmlGenerator::StaticInfo());
    RegisterDesignClass(TQuillHeader::StaticInfo());
    RegisterDesignClass(TQuillLabel::StaticInfo());
    RegisterDesignClass(TQuillImage::StaticInfo());
    RegisterDesignClass(TQuillPanel::StaticInfo());
}

}  // namespace quill
