#pragma once

#include <memory>

#include "controls/QuillLabel.h"
#include "framework/Form.h"
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

    // Creates the form from the design built into the program.
    static std::unique_ptr<TPageOneForm> Create();
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
