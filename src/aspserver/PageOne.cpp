#include "aspserver/PageOne.h"

#include "controls/QuillClasses.h"
#include "framework/ClassBuilder.h"
#include "framework/FormReader.h"

namespace quill {

void TPageOneForm::BindComponents() {
    QuillLabel1 = BindComponent<TQuillLabel>(*this, "QuillLabel1");
    QuillHtmlGenerator1 = BindComponent<TQuillHtmlGenerator>(*this, "QuillHtmlGenerator1");
    QuillHeader1 = BindComponent<TQuillHeader>(*this, "QuillHeader1");
}

const TFormDesign& TPageOneForm::Design() {
    // Read once, on first use; static initialisation is safe across threads.
    static const TFormDesign design = [] {
        RegisterQuillClasses();
        RegisterPageOneForm();
        return TFormDesign(StoredDesign(), "PageOne.form.json");
    }();
    return design;
}

std::unique_ptr<TPageOneForm> TPageOneForm::Create() {
    const TFormDesign& design = Design();
    return FormAs<TPageOneForm>(design.CreateForm(), design.FileName());
}

const TClassInfo& TPageOneForm::StaticInfo() {
    static const TClassInfo info = TClassBuilder<TPageOneForm>("TPageOneForm", &TForm::StaticInfo()).Creatable().Build();
    return info;
}

void RegisterPageOneForm() { RegisterDesignClass(TPageOneForm::StaticInfo()); }

}  // namespace quill
