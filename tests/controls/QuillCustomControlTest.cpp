#include "controls/QuillCustomControl.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "markup/HtmlCodes.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/Panel.h"

namespace quill {
namespace {

// Counts how often the cell format is mirrored.
class TCountingControl : public TQuillCustomControl {
public:
    using TQuillCustomControl::TQuillCustomControl;
    void ApplyCellFormat() override {
        ++Applied;
        TQuillCustomControl::ApplyCellFormat();
    }
    int Applied = 0;
};

class QuillCustomControl : public ::testing::Test {
protected:
    QuillCustomControl() {
        Control = new TCountingControl(&Form);
        Control->SetParent(&Form);
        Control->ChangeBounds(12, 48, 94, 19);
    }
    std::string TagFor(THtmlTag& tag) {
        Control->UpdateTag(tag);
        return tag.StartTag();
    }
    TForm Form{nullptr};
    TCountingControl* Control;
};

TEST_F(QuillCustomControl, ConstructionDefaults) {
    EXPECT_EQ(Control->CellFormat().AlignV(), vaTop);
    EXPECT_FALSE(Control->Creating());
    EXPECT_FALSE(Control->AutoSize());
    ASSERT_NE(Control->FrameShape(), nullptr);
    EXPECT_EQ(Control->FrameShape()->Parent(), Control);
    EXPECT_EQ(Control->FrameShape()->Align(), alClient);
    EXPECT_EQ(Control->FrameShape()->PenStyle(), psDot);
    EXPECT_EQ(Control->Font().Name(), "Times New Roman");
    EXPECT_EQ(Control->Font().Size(), 12);
}

TEST_F(QuillCustomControl, HeightOnlyWithFixedMinimumSizeAndWidthAlwaysTheControls) {
    auto tag = NewCellTag(300, 40, 3, 1, haDefault, vaDefault, true);
    EXPECT_EQ(TagFor(*tag), R"(<td colspan="3" valign="top" width="94">)");
    Control->CellFormat().SetFixedMinimumSize(true);
    EXPECT_EQ(TagFor(*tag), R"(<td colspan="3" valign="top" width="94" height="19">)");
}

TEST_F(QuillCustomControl, OtherTagsGetNothingButTheEventStillFires) {
    std::string seen;
    Control->SetOnUpdateTag([&](THtmlTag& t) { seen = t.TagName(); });
    THtmlTag table("table", {toAlwaysWrite});
    EXPECT_EQ(TagFor(table), "<table>");
    EXPECT_EQ(seen, "table");
}

TEST_F(QuillCustomControl, DefaultHtmlIsOneLine) {
    TStringList lines;
    Control->GetHtml(lines);
    EXPECT_EQ(test::LinesOf(lines), std::vector<std::string>{""});
    lines.Clear();
    Control->SetCaption("a <b> & c\r\nd");
    Control->HtmlLink().SetHref("x.html");
    Control->HtmlFont().SetFontStyle({fsBold});
    Control->HtmlFont().SetFontName("Arial");
    Control->GetHtml(lines);
    EXPECT_EQ(test::LinesOf(lines),
              std::vector<std::string>{"<a href=\"x.html\"><font face=\"Arial\"><b>a <b> & c\r\nd</b></font></a>"});
}

TEST_F(QuillCustomControl, QuotesAreEscapedInAttributesButNotInTheCaption) {
    Control->SetCaption("say \"hi\"");
    Control->HtmlLink().SetHref("a\"b onclick=\"x");
    Control->HtmlFont().SetFontName("A\"rial");
    TStringList lines;
    Control->GetHtml(lines);
    EXPECT_EQ(lines[0], R"(<a href="a&quot;b onclick=&quot;x"><font face="A&quot;rial">say "hi"</font></a>)");
}

TEST_F(QuillCustomControl, FontMarkupFollowsEveryChangeOfTheFont) {
    auto html = [&] {
        TStringList lines;
        Control->GetHtml(lines);
        return lines[0];
    };
    Control->SetCaption("x");
    EXPECT_EQ(html(), "x");
    Control->HtmlFont().SetFontColor(clRed);
    EXPECT_EQ(html(), R"(<font color="#FF0000">x</font>)");
    Control->HtmlFont().SetDynamics({feColor});
    EXPECT_EQ(html(), "<font{_font}>x</font>");
    Control->HtmlFont().SetDefault({feColor, feName, feSize});
    Control->HtmlFont().SetFontStyle({fsItalic});
    EXPECT_EQ(html(), "<i>x</i>");
    // A content handler that changes the font: the text before the content
    // is the old font's, the text after it the new one's.
    Control->SetOnGenerateContent([&](std::string&) { Control->HtmlFont().SetFontStyle({fsBold}); });
    EXPECT_EQ(html(), "<i>x</b>");
}

TEST_F(QuillCustomControl, GetHtmlHandlerReplacesTheDefault) {
    bool contentAsked = false;
    Control->SetOnGenerateContent([&](std::string&) { contentAsked = true; });
    Control->SetOnGetHtml([](TStrings&) {});
    TStringList lines;
    Control->GetHtml(lines);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_FALSE(contentAsked);
}

TEST_F(QuillCustomControl, CellEntryIsTheControlAndItsBounds) {
    auto* hidden = new TQuillCustomControl(&Form);
    hidden->SetParent(&Form);
    hidden->SetVisible(false);
    TCellControlList list = CollectCellControls(Form);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Control, Control);
    EXPECT_EQ(list[0].Bounds, (TRect{12, 48, 106, 67}));
}

TEST_F(QuillCustomControl, CellFormatChangesAreMirroredAtOnceExceptWhileLoading) {
    Control->Applied = 0;
    Control->CellFormat().SetAlignH(haCenter);
    EXPECT_EQ(Control->Applied, 1);
    Control->SetLoading(true);
    Control->CellFormat().SetAlignH(haRight);
    Control->CellFormat().SetParentColor(false);
    EXPECT_EQ(Control->Applied, 1);
    Control->CellFormat().SetColor(clRed);
    Control->AfterLoad();
    EXPECT_GE(Control->Applied, 2);
    EXPECT_EQ(Control->Color(), clRed);
    EXPECT_FALSE(Control->ParentColor());
}

TEST_F(QuillCustomControl, ParentColorWinsOverAColourSetOnTheControl) {
    Form.SetColor(12967650);
    EXPECT_EQ(Control->Color(), 12967650);
    EXPECT_EQ(Control->CellFormat().Color(), 12967650);
    Control->SetColor(clRed);
    EXPECT_EQ(Control->Color(), 12967650);
    EXPECT_TRUE(Control->ParentColor());
    Form.SetColor(clWhite);
    EXPECT_EQ(Control->CellFormat().Color(), clWhite);
}

TEST_F(QuillCustomControl, OwnCellColourIsTheControlsColour) {
    Control->CellFormat().SetParentColor(false);
    Control->CellFormat().SetColor(clYellow);
    EXPECT_EQ(Control->Color(), clYellow);
    Form.SetColor(clWhite);
    EXPECT_EQ(Control->Color(), clYellow);
}

TEST_F(QuillCustomControl, HtmlFontReachesTheScreenFont) {
    Control->HtmlFont().SetFontName("Arial");
    Control->HtmlFont().SetFontSize("+2");
    EXPECT_EQ(Control->Font().Name(), "Arial");
    EXPECT_EQ(Control->Font().Size(), 18);
}

TEST_F(QuillCustomControl, ClientAlignmentSwitchesAutoSizeOff) {
    Control->ChangeAutoSize(true);
    EXPECT_TRUE(Control->AutoSize());
    EXPECT_TRUE(Control->TControl::AutoSize());
    Control->SetAlign(alClient);
    EXPECT_FALSE(Control->AutoSize());
    EXPECT_FALSE(Control->TControl::AutoSize());
    EXPECT_EQ(Control->BoundsRect(), (TRect{0, 0, Form.ClientWidth(), Form.ClientHeight()}));
}

TEST_F(QuillCustomControl, AssignedPropertyObjectsAreCopiedNotTaken) {
    auto source = std::make_unique<TQuillCustomControl>(nullptr);
    source->HtmlFont().SetFontName("Courier New");
    Control->SetHtmlFont(source->HtmlFont());
    TQuillHtmlFont* own = &Control->HtmlFont();
    source->HtmlFont().SetFontName("Arial");
    source.reset();
    EXPECT_EQ(&Control->HtmlFont(), own);
    EXPECT_EQ(Control->HtmlFont().FontName(), "Courier New");
    EXPECT_EQ(Control->Font().Name(), "Courier New");
    EXPECT_THROW(Control->SetCellFormat(THtmlTableDataProperty()), EConvertError);
}

}  // namespace
}  // namespace quill
