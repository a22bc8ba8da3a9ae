#include "demo/HtmlPage.h"

#include "controls/QuillClasses.h"
#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/FormReader.h"
#include "framework/TextHelpers.h"

namespace quill {

void THtmlPageForm::BindComponents() {
    Panel1 = BindComponent<TPanel>(*this, "Panel1");
    Label1 = BindComponent<TLabel>(*this, "Label1");
    Edit1 = BindComponent<TEdit>(*this, "Edit1");
    ToolBar2 = BindComponent<TToolBar>(*this, "ToolBar2");
    ToolButton2 = BindComponent<TToolButton>(*this, "ToolButton2");
    ToolButton3 = BindComponent<TToolButton>(*this, "ToolButton3");
    ToolButton4 = BindComponent<TToolButton>(*this, "ToolButton4");
    PublishButton = BindComponent<TButton>(*this, "PublishButton");
    Panel2 = BindComponent<TPanel>(*this, "Panel2");
    QuillLabel1 = BindComponent<TQuillLabel>(*this, "QuillLabel1");
    QuillHtmlGenerator1 = BindComponent<TQuillHtmlGenerator>(*this, "QuillHtmlGenerator1");
    QuillHeader1 = BindComponent<TQuillHeader>(*this, "QuillHeader1");
    ImageList1 = BindComponent<TImageList>(*this, "ImageList1");
}

std::string THtmlPageForm::PageFileName() const {
    std::string folder = FPageFolder.empty() ? ExtractFilePath(Application().ExeName()) : FPageFolder;
    return folder + "page.html";
}

void THtmlPageForm::PublishButtonClick(TObject*) {
    std::string fileName;
    try {
        fileName = PageFileName();
    } catch (const Exception& e) {
        SetStatusText("Not published: " + e.Message());
        return;
    }
    // An older page must not be shown as if it were the current one.
    if (!QuillHtmlGenerator1->GenerateToFile(fileName)) {
        SetStatusText("Not published: " + QuillHtmlGenerator1->LastSaveError());
        return;
    }
    OpenPage(fileName);
    SetStatusText("Published " + fileName);
}

void THtmlPageForm::OpenPage(const std::string& fileName) {
    if (FPageOpener)
        FPageOpener(fileName);
    else
        QuillHtmlGenerator1->OpenFile(fileName);
}

void THtmlPageForm::Edit1Change(TObject*) {
    // Panel1 may resize while the design is read, before the fields exist.
    if (!Edit1 || !QuillLabel1) return;
    QuillLabel1->SetCaption(Edit1->Text());
}

void THtmlPageForm::ToolButton2Click(TObject*) { AlignCaption(haLeft, ToolButton2); }

void THtmlPageForm::ToolButton3Click(TObject*) { AlignCaption(haCenter, ToolButton3); }

void THtmlPageForm::ToolButton4Click(TObject*) { AlignCaption(haRight, ToolButton4); }

void THtmlPageForm::AlignCaption(THtmlAlignH align, TToolButton* button) {
    QuillLabel1->CellFormat().SetAlignH(align);
    SelectAlignButton(button);
}

void THtmlPageForm::SelectAlignButton(TToolButton* button) {
    for (TToolButton* each : {ToolButton2, ToolButton3, ToolButton4}) each->SetDown(false);
    button->SetDown(true);
}

std::unique_ptr<THtmlPageForm> THtmlPageForm::Create() {
    RegisterQuillClasses();
    RegisterHtmlPageForm();
    return ReadFormDesignAs<THtmlPageForm>(StoredDesign(), "HtmlPage.form.json");
}

const TClassInfo& THtmlPageForm::StaticInfo() {
    using C = THtmlPageForm;
    static const TClassInfo info = TClassBuilder<C>("THtmlPageForm", &TForm::StaticInfo())
                                       .Creatable()
                                       .Method<TNotifyEvent>("PublishButtonClick", "TNotifyEvent", &C::PublishButtonClick)
                                       .Method<TNotifyEvent>("Edit1Change", "TNotifyEvent", &C::Edit1Change)
                                       .Method<TNotifyEvent>("ToolButton2Click", "TNotifyEvent", &C::ToolButton2Click)
                                       .Method<TNotifyEvent>("ToolButton3Click", "TNotifyEvent", &C::ToolButton3Click)
                                       .Method<TNotifyEvent>("ToolButton4Click", "TNotifyEvent", &C::ToolButton4Click)
                                       .Build();
    return info;
}

void RegisterHtmlPageForm() { RegisterDesignClass(THtmlPageForm::StaticInfo()); }

}  // namespace quill
