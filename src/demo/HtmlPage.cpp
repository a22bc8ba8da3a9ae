#include "demo/HtmlPage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls/QuillClasses.h"
#include "framework/Application.h"
#include "framework/ClassBuilder.h"
#include "framework/FormReader.h"
#include "framework/Saturate.h"
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
    FPublished.reset();
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
    platform::TOpenResult opened = OpenPage(fileName);
    std::string failure = opened.Opened ? std::string() : opened.Reason.empty() ? "no reason given" : opened.Reason;
    FPublished = TPublished{fileName, failure, QuillLabel1->Caption(), QuillLabel1->CellFormat().AlignH(),
                            ClientWidth()};
    ShowPublishedStatus();
}

platform::TOpenResult THtmlPageForm::OpenPage(const std::string& fileName) {
    if (FPageOpener) return FPageOpener(fileName);
    return QuillHtmlGenerator1->OpenFile(fileName);
}

void THtmlPageForm::ShowPublishedStatus() {
    if (!FPublished) return;
    std::string text = "Published " + FPublished->FileName;
    if (!FPublished->OpenFailure.empty()) text += ", but it could not be opened: " + FPublished->OpenFailure;
    // The page on disk no longer shows what the window does.
    std::vector<std::string> changes;
    if (QuillLabel1->Caption() != FPublished->Message) changes.push_back("the message");
    if (QuillLabel1->CellFormat().AlignH() != FPublished->Align) changes.push_back("the alignment");
    // The page is as wide as the design area, which fills the client
    // width; Panel1's resize tells of it before the design area follows.
    if (ClientWidth() != FPublished->Width) changes.push_back("the width");
    for (size_t i = 0; i < changes.size(); ++i)
        text += (i == 0 ? "; " : i + 1 == changes.size() ? " and " : ", ") + changes[i];
    if (!changes.empty()) text += changes.size() == 1 ? " has changed since" : " have changed since";
    SetStatusText(text);
}

void THtmlPageForm::Edit1Change(TObject*) {
    // Panel1 may resize while the design is read, before the fields exist.
    if (!Edit1 || !QuillLabel1) return;
    QuillLabel1->SetCaption(Edit1->Text());
    FitLabelToMessage();
    ShowPublishedStatus();
}

void THtmlPageForm::ChangeBounds(int left, int top, int width, int height) {
    TForm::ChangeBounds(left, top, width, height);
    if (!QuillLabel1) return;
    FitLabelToMessage();
    ShowPublishedStatus();
}

void THtmlPageForm::FitLabelToMessage() {
    if (FDesignedLabelHeight <= 0) return;
    // The label wraps its message at its width, as the browser wraps the
    // page's cell, which has no fixed height and grows with the lines.
    // One line keeps the designed height, which the design gave it.
    const TLabel& inner = QuillLabel1->InnerLabel();
    const auto lines = static_cast<int64_t>(inner.TextLines().size());
    const int64_t textHeight = lines > 1 ? int64_t{inner.LineHeight()} * lines : 0;
    const int height = ClampToInt(std::max<int64_t>(FDesignedLabelHeight, textHeight));
    if (height != QuillLabel1->Height()) QuillLabel1->SetHeight(height);
}

void THtmlPageForm::ToolButton2Click(TObject*) { AlignCaption(haLeft, ToolButton2); }

void THtmlPageForm::ToolButton3Click(TObject*) { AlignCaption(haCenter, ToolButton3); }

void THtmlPageForm::ToolButton4Click(TObject*) { AlignCaption(haRight, ToolButton4); }

void THtmlPageForm::AlignCaption(THtmlAlignH align, TToolButton* button) {
    QuillLabel1->CellFormat().SetAlignH(align);
    SelectAlignButton(button);
    ShowPublishedStatus();
}

void THtmlPageForm::SelectAlignButton(TToolButton* button) {
    for (TToolButton* each : {ToolButton2, ToolButton3, ToolButton4}) each->SetDown(false);
    button->SetDown(true);
}

std::unique_ptr<THtmlPageForm> THtmlPageForm::Create() {
    RegisterQuillClasses();
    RegisterHtmlPageForm();
    auto form = ReadFormDesignAs<THtmlPageForm>(StoredDesign(), "HtmlPage.form.json");
    form->FDesignedLabelHeight = form->QuillLabel1->Height();
    form->FitLabelToMessage();
    return form;
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
