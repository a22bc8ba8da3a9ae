#pragma once

#include <memory>

#include "controls/QuillLabel.h"
#include "framework/Form.h"
#include "framework/FormReader.h"
#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"

namespace quill {

// The page form the server renders: one label, a page generator rooted at
// the form itself, and a page header.
class TPageOneForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TPageOneForm"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // Creates the form from the design built into the program. The design
    // is read once; any thread may create forms at the same time.
    static std::unique_ptr<TPageOneForm> Create();
    // The built-in design, read on first use.
    static const TFormDesign& Design();
    // The stored design itself.
    static const char* StoredDesign();

    void BindComponents() override;

    TQuillLabel* QuillLabel1 = nullptr;
    TQuillHtmlGenerator* QuillHtmlGenerator1 = nullptr;
    TQuillHeader* QuillHeader1 = nullptr;
};

// Makes TPageOneForm known to the design reader.
void RegisterPageOneForm();

}  // namespace quill
