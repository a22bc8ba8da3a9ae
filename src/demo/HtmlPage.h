#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "controls/QuillLabel.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/ToolBar.h"
#include "page/QuillGenerator.h"
#include "page/QuillHeader.h"
#include "platform/Shell.h"

namespace quill {

// The desktop publisher's window: a message editor and three alignment
// buttons above a coloured design area whose one label repeats the
// message. Publish writes the design area's page beside the program and
// opens it. Knows the component model only, so it runs without a screen.
class THtmlPageForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "THtmlPageForm"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // Creates the form from the design built into the program.
    static std::unique_ptr<THtmlPageForm> Create();
    // The stored design itself.
    static const char* StoredDesign();

    void BindComponents() override;
    // Resizing the window re-wraps the message once the design area has
    // its new width.
    void ChangeBounds(int left, int top, int width, int height) override;

    // Published handlers.
    void PublishButtonClick(TObject* sender);
    void Edit1Change(TObject* sender);
    void ToolButton2Click(TObject* sender);
    void ToolButton3Click(TObject* sender);
    void ToolButton4Click(TObject* sender);

    // Where Publish writes: "page.html" in the running program's folder,
    // or in the folder set here (ending in a path separator).
    std::string PageFileName() const;
    void SetPageFolder(const std::string& folder) { FPageFolder = folder; }
    // How Publish shows the written page, and what became of it; the
    // generator's OpenFile unless replaced.
    using TPageOpener = std::function<platform::TOpenResult(const std::string& fileName)>;
    void SetPageOpener(TPageOpener opener) { FPageOpener = std::move(opener); }

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TToolBar* ToolBar2 = nullptr;
    TToolButton* ToolButton2 = nullptr;
    TToolButton* ToolButton3 = nullptr;
    TToolButton* ToolButton4 = nullptr;
    TButton* PublishButton = nullptr;
    TPanel* Panel2 = nullptr;
    TQuillLabel* QuillLabel1 = nullptr;
    TQuillHtmlGenerator* QuillHtmlGenerator1 = nullptr;
    TQuillHeader* QuillHeader1 = nullptr;
    TImageList* ImageList1 = nullptr;

private:
    // Leaves exactly `button` down among the three alignment buttons.
    void SelectAlignButton(TToolButton* button);
    void AlignCaption(THtmlAlignH align, TToolButton* button);
    platform::TOpenResult OpenPage(const std::string& fileName);
    // Gives the label the height its wrapped message needs, never less
    // than designed, as the page's cell grows with its text.
    void FitLabelToMessage();
    // The status line after a publish: where the page went, whether it
    // could be opened, and what has changed in the window since.
    void ShowPublishedStatus();

    // What the last page that was written shows, to tell when the window
    // has moved on from it.
    struct TPublished {
        std::string FileName;
        std::string OpenFailure;
        std::string Message;
        THtmlAlignH Align = haDefault;
        int Width = 0;
    };

    std::string FPageFolder;
    TPageOpener FPageOpener;
    // The label's height in the design; 0 for a form not made by Create.
    int FDesignedLabelHeight = 0;
    std::optional<TPublished> FPublished;
};

// Makes THtmlPageForm known to the design reader.
void RegisterHtmlPageForm();

}  // namespace quill
