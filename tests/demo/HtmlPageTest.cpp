#include "demo/HtmlPage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = QUILL_SOURCE_DIR;

// The form as the program creates it, publishing into a folder of its own
// and recording what it would open instead of asking the desktop.
class HtmlPage : public ::testing::Test {
protected:
    HtmlPage() : Dir("quill-htmlpage"), Form(THtmlPageForm::Create()) {
        Form->SetPageFolder(Dir.Path().string() + "/");
        Form->SetPageOpener([this](const std::string& fileName) {
            Opened.push_back(fileName);
            return OpenAnswer;
        });
    }

    std::string PagePath() const { return (Dir / "page.html").string(); }
    std::string Published() const { return test::ReadFile(PagePath()); }
    std::string CurrentPage() const { return Form->QuillHtmlGenerator1->Generate()->Text(); }
    // The one line of the label's cell, as the page holds it.
    std::string CellLine() const {
        TStrings& lines = *Form->QuillHtmlGenerator1->Generate();
        for (int i = 0; i + 1 < lines.Count(); ++i)
            if (lines[i].rfind("<td", 0) == 0) return lines[i] + "\n" + lines[i + 1];
        return {};
    }
    std::vector<bool> DownStates() const {
        return {Form->ToolButton2->Down(), Form->ToolButton3->Down(), Form->ToolButton4->Down()};
    }

    test::TTempDir Dir;
    std::unique_ptr<THtmlPageForm> Form;
    std::vector<std::string> Opened;
    platform::TOpenResult OpenAnswer{true, {}};
};

TEST_F(HtmlPage, StartsAsDesigned) {
    EXPECT_EQ(Form->Name(), "HtmlPageForm");
    EXPECT_EQ(Form->Caption(), "QuillHtml Example 02 - Run-time HTML");
    EXPECT_EQ(Form->BoundsRect(), (TRect{366, 133, 366 + 423, 133 + 357}));
    EXPECT_EQ(Form->Font().Name(), "Arial");
    EXPECT_EQ(Form->Font().Height(), -11);
    EXPECT_EQ(Form->Panel1->BoundsRect(), (TRect{0, 0, 415, 63}));
    EXPECT_EQ(Form->Panel2->BoundsRect(), (TRect{0, 63, 415, 323}));
    EXPECT_EQ(Form->QuillLabel1->BoundsRect(), (TRect{0, 0, 415, 27}));
    EXPECT_EQ(Form->ToolBar2->BoundsRect(), (TRect{320, 33, 389, 55}));
    EXPECT_EQ(Form->ToolButton4->BoundsRect(), (TRect{46, 0, 69, 22}));
    EXPECT_EQ(Form->ImageList1->Count(), 3);
    EXPECT_EQ(DownStates(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Form->QuillLabel1->CellFormat().AlignH(), haCenter);
    EXPECT_EQ(Form->QuillLabel1->Caption(), Form->Edit1->Text());
}

TEST_F(HtmlPage, TypingCopiesTheTextAtOnceAndResizingThePanelRepeatsIt) {
    Form->Edit1->SetText("Good morning");
    EXPECT_EQ(Form->QuillLabel1->Caption(), "Good morning");
    EXPECT_EQ(Form->QuillLabel1->InnerLabel().Caption(), "Good morning");

    Form->QuillLabel1->SetCaption("changed elsewhere");
    Form->ChangeBounds(Form->Left(), Form->Top(), 600, 400);
    EXPECT_EQ(Form->Panel1->Width(), 600 - TForm::kFrameWidth);
    EXPECT_EQ(Form->QuillLabel1->Caption(), "Good morning");
    EXPECT_EQ(Form->QuillLabel1->Width(), 600 - TForm::kFrameWidth);
}

TEST_F(HtmlPage, EachAlignmentButtonSetsTheCellAlignmentAndIsTheOnlyOneDown) {
    struct {
        TToolButton* button;
        THtmlAlignH align;
        const char* attribute;
        std::vector<bool> down;
    } cases[] = {{Form->ToolButton2, haLeft, "<td align=\"left\"", {true, false, false}},
                 {Form->ToolButton4, haRight, "<td align=\"right\"", {false, false, true}},
                 {Form->ToolButton3, haCenter, "<td align=\"center\"", {false, true, false}},
                 {Form->ToolButton4, haRight, "<td align=\"right\"", {false, false, true}}};
    for (const auto& c : cases) {
        c.button->Click();
        EXPECT_EQ(Form->QuillLabel1->CellFormat().AlignH(), c.align) << c.button->Name();
        EXPECT_EQ(DownStates(), c.down) << c.button->Name();
        EXPECT_EQ(CellLine().rfind(c.attribute, 0), 0u) << CellLine();
    }
}

TEST_F(HtmlPage, ClickingTheButtonThatIsDownKeepsItDown) {
    Form->ToolButton3->Click();
    EXPECT_EQ(DownStates(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Form->QuillLabel1->CellFormat().AlignH(), haCenter);
}

TEST_F(HtmlPage, TheUnchangedDesignPublishesItsGoldenPage) {
    Form->PublishButton->Click();
    EXPECT_EQ(Published(), test::ReadFile(kSource / "tests/golden/HtmlPage.html"));
    EXPECT_EQ(CellLine(), "<td align=\"center\" valign=\"top\" width=\"415\">\n"
                          "<font face=\"Arial\" size=\"+2\" color=\"#000000\">Hello World</font></td>");
    EXPECT_EQ(Opened, std::vector<std::string>{PagePath()});
    EXPECT_EQ(Form->StatusText(), "Published " + PagePath());
}

TEST_F(HtmlPage, PublishingTwiceOverwritesThePageWithTheCurrentState) {
    Form->PublishButton->Click();
    Form->Edit1->SetText("Second");
    Form->ToolButton4->Click();
    Form->PublishButton->Click();
    EXPECT_EQ(Published(), CurrentPage());
    EXPECT_EQ(Published().find("Hello World"), std::string::npos);
    EXPECT_NE(Published().find("<td align=\"right\""), std::string::npos);
    EXPECT_EQ(Opened, (std::vector<std::string>{PagePath(), PagePath()}));
}

TEST_F(HtmlPage, MessagesArePublishedVerbatim) {
    struct {
        const char* message;
        const char* line;
    } cases[] = {{"", "<font face=\"Arial\" size=\"+2\" color=\"#000000\"></font></td>"},
                 {"<b>bold</b> & <i>more</i>",
                  "<font face=\"Arial\" size=\"+2\" color=\"#000000\"><b>bold</b> & <i>more</i></font></td>"}};
    for (const auto& c : cases) {
        Form->Edit1->SetText(c.message);
        Form->PublishButton->Click();
        std::string page = Published();
        EXPECT_NE(page.find(std::string("\r\n") + c.line + "\r\n"), std::string::npos) << page;
    }
}

TEST_F(HtmlPage, APageThatCannotBeWrittenIsReportedWithItsReasonAndNothingIsOpened) {
    test::WriteFile(Dir / "a-file", "not a folder");
    fs::create_directories(Dir / "taken" / "page.html");
    struct {
        const char* folder;
        const char* reason;
    } cases[] = {{"/missing/", "No such file or directory"},
                 {"/a-file/", "Not a directory"},
                 {"/taken/", "Is a directory"}};
    for (const auto& c : cases) {
        std::string folder = Dir.Path().string() + c.folder;
        Form->SetPageFolder(folder);
        Form->PublishButton->Click();
        EXPECT_TRUE(Opened.empty()) << folder;
        const std::string& status = Form->StatusText();
        EXPECT_EQ(status.rfind("Not published: " + folder + "page.html: ", 0), 0u) << status;
        EXPECT_NE(status.find(c.reason), std::string::npos) << status;
    }
}

TEST_F(HtmlPage, APageThatCouldNotBeOpenedIsPublishedAndTheStatusSaysWhy) {
    OpenAnswer = {false, "xdg-open was not found on PATH"};
    Form->PublishButton->Click();
    EXPECT_EQ(Published(), CurrentPage());
    EXPECT_EQ(Form->StatusText(),
              "Published " + PagePath() + ", but it could not be opened: xdg-open was not found on PATH");
    // An opener that gives no reason still does not pass for a success.
    OpenAnswer = {false, ""};
    Form->PublishButton->Click();
    EXPECT_EQ(Form->StatusText(), "Published " + PagePath() + ", but it could not be opened: no reason given");
    OpenAnswer = {true, ""};
    Form->PublishButton->Click();
    EXPECT_EQ(Form->StatusText(), "Published " + PagePath());
}

TEST_F(HtmlPage, TheStatusSaysWhenTheWindowHasMovedOnFromThePublishedPage) {
    const std::string published = "Published " + PagePath();
    Form->Edit1->SetText("");
    EXPECT_EQ(Form->StatusText(), "");  // nothing published yet
    Form->Edit1->SetText("Hello World");
    Form->PublishButton->Click();
    struct {
        std::function<void()> change;
        std::string status;
    } steps[] = {
        // Resizing the panel repeats the same caption: nothing changed.
        {[&] { Form->Panel1->ChangeBounds(0, 0, 415, 63); }, published},
        {[&] { Form->Edit1->SetText("Hello World!"); }, published + "; the message has changed since"},
        {[&] { Form->ToolButton2->Click(); }, published + "; the message and the alignment have changed since"},
        {[&] { Form->Edit1->SetText("Hello World"); }, published + "; the alignment has changed since"},
        {[&] { Form->ChangeBounds(Form->Left(), Form->Top(), 500, 357); },
         published + "; the alignment and the width have changed since"},
        {[&] { Form->Edit1->SetText("x"); },
         published + "; the message, the alignment and the width have changed since"},
        {[&] { Form->PublishButton->Click(); }, published},
        {[&] { Form->ToolButton3->Click(); }, published + "; the alignment has changed since"},
        {[&] { Form->ToolButton2->Click(); }, published},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_EQ(Form->StatusText(), step.status);
    }
    // A publish that fails says so, and later changes leave that alone.
    Form->SetPageFolder(Dir.Path().string() + "/missing/");
    Form->PublishButton->Click();
    Form->Edit1->SetText("after");
    EXPECT_EQ(Form->StatusText().rfind("Not published: ", 0), 0u) << Form->StatusText();
}

TEST_F(HtmlPage, ALongMessageGrowsTheLabelWithItsLinesAndLeavesThePageCellWithoutHeight) {
    const int lineHeight = Form->QuillLabel1->InnerLabel().LineHeight();
    Form->Edit1->SetText("A message much longer than the design area is wide, so that it takes lines");
    const auto lines = static_cast<int>(Form->QuillLabel1->InnerLabel().TextLines().size());
    ASSERT_GE(lines, 2);
    EXPECT_EQ(Form->QuillLabel1->Height(), lines * lineHeight);
    EXPECT_EQ(CellLine().rfind("<td align=\"center\" valign=\"top\" width=\"415\">\n", 0), 0u) << CellLine();
    // Wider, fewer lines; one line, the designed height again.
    Form->ChangeBounds(Form->Left(), Form->Top(), 2000, 357);
    EXPECT_EQ(Form->QuillLabel1->Height(), 27);
    Form->ChangeBounds(Form->Left(), Form->Top(), 423, 357);
    EXPECT_EQ(Form->QuillLabel1->Height(), lines * lineHeight);
    Form->Edit1->SetText("Short");
    EXPECT_EQ(Form->QuillLabel1->Height(), 27);
}

TEST_F(HtmlPage, PublishesBesideTheRunningProgramByDefault) {
    auto form = THtmlPageForm::Create();
    EXPECT_EQ(form->PageFileName(), std::string(QUILL_BINARY_DIR) + "/page.html");
}

TEST_F(HtmlPage, TheProgramHoldsTheStoredDesignAndItSurvivesARoundTrip) {
    EXPECT_EQ(test::ReadFile(kSource / "src/demo/HtmlPage.form.json"), THtmlPageForm::StoredDesign());
    std::string written = WriteFormDesign(*Form);
    EXPECT_EQ(WriteFormDesign(*ReadFormDesignAs<THtmlPageForm>(written, "written.json")), written);
    for (const char* stored : {"\"EdgeBorders\": []", "\"Wrapable\": false", "\"Down\": true",
                               "\"Images\": \"ImageList1\"", "\"OnResize\": \"Edit1Change\""})
        EXPECT_NE(written.find(stored), std::string::npos) << stored;
}

}  // namespace
}  // namespace quill
