#include "controls/QuillLabel.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "aspserver/PageOne.h"
#include "controls/QuillClasses.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "platform/TextMetrics.h"

namespace quill {
namespace {

class QuillLabel : public ::testing::Test {
protected:
    QuillLabel() {
        Label = new TQuillLabel(&Form);
        Label->SetParent(&Form);
        Label->ChangeBounds(10, 20, 200, 60);
    }
    TForm Form{nullptr};
    TQuillLabel* Label;
};

TEST_F(QuillLabel, ConstructionDefaults) {
    EXPECT_TRUE(Label->AutoSize());
    EXPECT_FALSE(Label->TControl::AutoSize());
    EXPECT_EQ(Label->InnerControl(), &Label->InnerLabel());
    EXPECT_TRUE(Label->InnerAutoSize());
    EXPECT_TRUE(Label->InnerLabel().TControl::AutoSize());
    EXPECT_TRUE(Label->InnerLabel().Transparent());
    EXPECT_FALSE(Label->InnerLabel().WordWrap());
    EXPECT_EQ(Label->InnerLabel().Align(), alNone);
    EXPECT_EQ(Label->InnerLabel().Font().Name(), "Times New Roman");
}

TEST_F(QuillLabel, AutoSizedLabelIsAsLargeAsItsText) {
    Label->SetCaption("Hello World");
    const TLabel& inner = Label->InnerLabel();
    platform::TTextFont font{"Times New Roman", 12, false, false};
    EXPECT_EQ(inner.Width(), platform::TextWidth(font, "Hello World"));
    EXPECT_EQ(inner.Height(), platform::LineHeight(font));
    EXPECT_EQ(Label->BoundsRect(), (TRect{10, 20, 10 + inner.Width(), 20 + inner.Height()}));
    EXPECT_EQ(inner.Left(), 0);
    EXPECT_EQ(inner.Top(), 0);
}

TEST_F(QuillLabel, SwitchingAutoSizeOffAndOn) {
    Label->SetCaption("Hello World");
    Label->ChangeAutoSize(false);
    Label->ChangeBounds(10, 20, 300, 80);
    EXPECT_EQ(Label->InnerLabel().Align(), alClient);
    EXPECT_TRUE(Label->InnerLabel().WordWrap());
    EXPECT_FALSE(Label->InnerLabel().TControl::AutoSize());
    EXPECT_EQ(Label->InnerLabel().BoundsRect(), (TRect{0, 0, 300, 80}));
    Label->SetCaption("Changed");
    EXPECT_EQ(Label->Width(), 300);  // keeps its designed size

    Label->ChangeAutoSize(true);
    EXPECT_EQ(Label->InnerLabel().Align(), alNone);
    EXPECT_FALSE(Label->InnerLabel().WordWrap());
    Label->SetCaption("Hello World");
    EXPECT_EQ(Label->Width(), Label->InnerLabel().Width());
    EXPECT_EQ(Label->Height(), Label->InnerLabel().Height());
}

TEST_F(QuillLabel, ClientAlignmentForcesAutoSizeOff) {
    Label->SetAlign(alClient);
    EXPECT_FALSE(Label->AutoSize());
    EXPECT_TRUE(Label->InnerLabel().WordWrap());
    EXPECT_EQ(Label->InnerLabel().Align(), alClient);
    EXPECT_EQ(Label->Width(), Form.ClientWidth());
}

TEST_F(QuillLabel, LayoutAndAlignmentFollowTheCellFormat) {
    struct {
        THtmlAlignV v;
        TTextLayout layout;
        THtmlAlignH h;
        TAlignment alignment;
    } cases[] = {{vaDefault, tlCenter, haDefault, taLeftJustify},
                 {vaTop, tlTop, haLeft, taLeftJustify},
                 {vaMiddle, tlCenter, haCenter, taCenter},
                 {vaBottom, tlBottom, haRight, taRightJustify}};
    Label->ChangeAutoSize(false);
    for (const auto& c : cases) {
        Label->CellFormat().SetAlignV(c.v);
        Label->CellFormat().SetAlignH(c.h);
        EXPECT_EQ(Label->InnerLabel().Layout(), c.layout);
        EXPECT_EQ(Label->InnerLabel().Alignment(), c.alignment);
    }
}

TEST(QuillWrappedControl, InnerPlacementByContentOffsets) {
    // An inner control that keeps its own size is placed by the alignments.
    struct TPlacedLabel : TQuillLabel {
        explicit TPlacedLabel(TComponent* owner) : TQuillLabel(owner) { SetInnerAutoSize(false); }
    } label(nullptr);
    label.SetCaption("x");
    label.ChangeAutoSize(false);
    label.ChangeBounds(0, 0, 100, 50);
    label.SetMargins({1, 2, 3, 4});
    const TLabel& inner = label.InnerLabel();
    label.CellFormat().SetAlignH(haRight);
    label.CellFormat().SetAlignV(vaBottom);
    EXPECT_EQ(inner.Left(), 100 - inner.Width() - 3);
    EXPECT_EQ(inner.Top(), 50 - inner.Height() - 4);
    label.CellFormat().SetAlignH(haCenter);
    label.CellFormat().SetAlignV(vaMiddle);
    EXPECT_EQ(inner.Left(), (100 - inner.Width() - 4) / 2);
    EXPECT_EQ(inner.Top(), (50 - inner.Height() - 6) / 2);
    label.ChangeAutoSize(true);
    label.CellFormat().SetAlignH(haRight);
    EXPECT_EQ(inner.Left(), 1);
    EXPECT_EQ(inner.Top(), 2);
    EXPECT_EQ(label.Width(), inner.Width() + 4);
}

TEST_F(QuillLabel, RightAlignedAutoSizedLabelKeepsItsInnerLabelAtTheMargins) {
    Label->SetMargins({2, 3, 4, 5});
    Label->CellFormat().SetAlignH(haRight);
    for (const char* caption : {"Hi", "A much longer caption than before", "", "Short again"}) {
        Label->SetCaption(caption);
        const TLabel& inner = Label->InnerLabel();
        EXPECT_EQ(inner.Left(), 2) << caption;
        EXPECT_EQ(inner.Top(), 3) << caption;
        EXPECT_EQ(Label->Width(), inner.Width() + 6) << caption;
    }
}

TEST_F(QuillLabel, CaptionChangeWhileLoadingWaitsForAfterLoad) {
    Label->SetLoading(true);
    Label->SetCaption("A caption read from the design");
    EXPECT_EQ(Label->Width(), 200);
    EXPECT_EQ(Label->InnerLabel().Caption(), "A caption read from the design");
    Label->AfterLoad();
    EXPECT_EQ(Label->Width(), Label->InnerLabel().Width());
}

TEST_F(QuillLabel, AssigningAnotherLabelsObjectsCopiesTheirValues) {
    auto other = std::make_unique<TQuillLabel>(nullptr);
    other->HtmlFont().SetFontName("Arial");
    other->HtmlLink().SetHref("x.html");
    TQuillHtmlFont* ownFont = &Label->HtmlFont();
    Label->SetHtmlFont(other->HtmlFont());
    EXPECT_THROW(Label->SetHtmlLink(other->HtmlLink()), EConvertError);
    EXPECT_THROW(Label->SetCellFormat(other->CellFormat()), EConvertError);
    other->HtmlFont().SetFontName("Courier New");
    other.reset();
    EXPECT_EQ(&Label->HtmlFont(), ownFont);
    EXPECT_EQ(Label->HtmlFont().FontName(), "Arial");
    EXPECT_EQ(Label->HtmlLink().Href(), "");
}

TEST(PageOneForm, PageLineByLine) {
    auto form = TPageOneForm::Create();
    TQuillLabel& label = *form->QuillLabel1;
    platform::TTextFont font{"Times New Roman", 12, false, false};
    const int width = platform::TextWidth(font, "Hominahomina.");
    const int height = platform::LineHeight(font);
    EXPECT_EQ(label.Width(), width);
    EXPECT_EQ(label.Height(), height);
    EXPECT_EQ(form->Font().Size(), 8);
    const std::string w = std::to_string(width), h = std::to_string(height), rest = std::to_string(368 - 12 - width);
    EXPECT_EQ(test::LinesOf(*form->QuillHtmlGenerator1->Generate()),
              (std::vector<std::string>{"<html>", "<head>", " <style type=\"text/css\">",
                                        "\tbody { background: #F0F0F0; color: black; margin: 0}", " </style>",
                                        "</head>", "<body>", R"(<table cellpadding="0" cellspacing="0">)", "<tr>",
                                        R"(<td width="12" height="48"></td>)",
                                        "<td width=\"" + w + "\" height=\"48\"></td>",
                                        "<td width=\"" + rest + "\" height=\"48\"></td>", "</tr>", "<tr>",
                                        "<td width=\"12\" height=\"" + h + "\"></td>",
                                        "<td valign=\"top\" width=\"" + w + "\">",
                                        R"(<font face="Times New Roman" color="#000000">Hominahomina.</font></td>)",
                                        "<td width=\"" + rest + "\" height=\"" + h + "\"></td>", "</tr>", "</table>",
                                        "</body>", "</html>"}));
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

TEST(PageOneForm, DesignRoundTripKeepsStoredRules) {
    auto form = TPageOneForm::Create();
    std::string written = WriteFormDesign(*form);
    auto again = ReadFormDesignAs<TPageOneForm>(written, "written.json");
    EXPECT_EQ(WriteFormDesign(*again), written);
    // No declared default: stored even at their zero values.
    for (const char* stored : {"\"CenterPage\": false", "\"Priority\": 0", "\"RefreshSeconds\": 0",
                               "\"PreventCache\": false", "\"FixedMinimumSize\": false", "\"Default\": []",
                               "\"Dynamics\": []", "\"FontSize\": \"\"", "\"AlignH\": \"haDefault\""})
        EXPECT_NE(written.find(stored), std::string::npos) << stored;
    // Declared defaults and empty values are left out.
    for (const char* left : {"\"AutoSize\"", "\"Title\"", "\"ParentColor\"", "\"HtmlLink\"", "\"Container\"", "\"Visible\""})
        EXPECT_EQ(written.find(left), std::string::npos) << left;
}

TEST(QuillLabelDesign, AutoSizeOffIsStoredAndAppliedWhileLoading) {
    RegisterQuillClasses();
    auto form = ReadFormDesign(R"({"class": "TForm", "name": "F", "children": [
        {"class": "TQuillLabel", "name": "L", "properties": {"Left": 5, "Top": 6, "Width": 150, "Height": 40,
         "AutoSize": false, "Caption": "wrapped text", "CellFormat": {"AlignH": "haRight"},
         "HtmlLink": {"Href": "a.html"}}}]})",
                               "label.json");
    auto* label = dynamic_cast<TQuillLabel*>(form->FindComponent("L"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->BoundsRect(), (TRect{5, 6, 155, 46}));
    EXPECT_TRUE(label->InnerLabel().WordWrap());
    EXPECT_EQ(label->InnerLabel().Align(), alClient);
    EXPECT_EQ(label->InnerLabel().Alignment(), taRightJustify);
    std::string written = WriteFormDesign(*form);
    EXPECT_NE(written.find("\"AutoSize\": false"), std::string::npos);
    EXPECT_NE(written.find("\"Href\": \"a.html\""), std::string::npos);
    EXPECT_EQ(written.find("\"Target\""), std::string::npos);
}

}  // namespace
}  // namespace quill
