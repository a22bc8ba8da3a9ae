// Labels whose caption is plain text rather than markup.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "controls/QuillClasses.h"
#include "controls/QuillLabel.h"
#include "framework/Form.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "page/QuillGenerator.h"
#include "platform/TextMetrics.h"

namespace quill {
namespace {

// The page's line for the label's cell, by the page writer's short way and
// by the cell steps a handler would see.
struct TCellLines {
    std::string Plain;
    std::string Stepped;
};

TCellLines CellLines(TQuillLabel& label) {
    TCellLines lines;
    TCellPieces pieces;
    if (label.PlainCell(pieces))
        lines.Plain = std::string(pieces.LinkStart) + std::string(pieces.FontOpen) + std::string(pieces.Content) +
                      std::string(pieces.FontClose) + std::string(pieces.LinkEnd);
    TStringList strings;
    label.GetHtml(strings);
    if (strings.Count() == 1) lines.Stepped = strings[0];
    return lines;
}

class PlainTextLabel : public ::testing::Test {
protected:
    PlainTextLabel() {
        Label = new TQuillLabel(&Form);
        Label->SetParent(&Form);
        Label->HtmlFont().SetDefault({feColor, feName, feSize});
    }
    TForm Form{nullptr};
    TQuillLabel* Label;
};

TEST_F(PlainTextLabel, MarkupCharactersAndLineBreaksAreWrittenAsShown) {
    struct {
        const char* caption;
        const char* plain;
    } cases[] = {
        {"Tom & <Jerry>", "Tom &amp; &lt;Jerry&gt;"},
        {"say \"hi\"", "say &quot;hi&quot;"},
        {"one\ntwo", "one<br>two"},
        {"one\r\ntwo\r\n", "one<br>two<br>"},
        {"a\rb\n\nc", "a<br>b<br><br>c"},
        {"&amp; stays text", "&amp;amp; stays text"},
        {"caf\xC3\xA9 it's 100%", "caf\xC3\xA9 it's 100%"},
        {"", ""},
    };
    for (const auto& c : cases) {
        Label->SetPlainText(false);
        Label->SetCaption(c.caption);
        TCellLines markup = CellLines(*Label);
        EXPECT_EQ(markup.Plain, c.caption);
        EXPECT_EQ(markup.Stepped, c.caption);
        Label->SetPlainText(true);
        TCellLines plain = CellLines(*Label);
        EXPECT_EQ(plain.Plain, c.plain) << c.caption;
        EXPECT_EQ(plain.Stepped, c.plain) << c.caption;
    }
    // A caption changed while plain text is on is written anew.
    Label->SetCaption("<b>");
    EXPECT_EQ(CellLines(*Label).Plain, "&lt;b&gt;");
    Label->SetPlainText(false);
    EXPECT_EQ(CellLines(*Label).Plain, "<b>");
}

TEST_F(PlainTextLabel, ContentHandlerReceivesThePlainTextAsWritten) {
    Label->SetPlainText(true);
    Label->SetCaption("a<b");
    std::string seen;
    Label->SetOnGenerateContent(TQuillGenerateContentEvent([&](std::string& content) {
        seen = content;
        content += "!";
    }));
    TCellPieces pieces;
    EXPECT_FALSE(Label->PlainCell(pieces));
    EXPECT_EQ(CellLines(*Label).Stepped, "a&lt;b!");
    EXPECT_EQ(seen, "a&lt;b");
}

TEST_F(PlainTextLabel, AutoSizeMeasuresEachLineAsShownNotTheReferences) {
    Label->SetPlainText(true);
    Label->SetCaption("R&D <team>\r\nQ&A");
    platform::TTextFont font{"Times New Roman", 12, false, false};
    const int widest = std::max(platform::TextWidth(font, "R&D <team>"), platform::TextWidth(font, "Q&A"));
    EXPECT_EQ(Label->Width(), widest);
    EXPECT_LT(Label->Width(), platform::TextWidth(font, "R&amp;D &lt;team&gt;"));
    EXPECT_EQ(Label->Height(), 2 * platform::LineHeight(font));
}

TEST(PlainTextLabelDesign, StoredOnlyWhenOnAndPagedEscaped) {
    RegisterQuillClasses();
    const char* design = R"({"class": "TForm", "name": "F", "properties": {"Width": 200, "Height": 50}, "children": [
        {"class": "TQuillLabel", "name": "P", "properties": {"Caption": "5 < 6 & \"so\"\nnext", "PlainText": true,
         "HtmlFont": {"Default": ["feColor", "feName", "feSize"]}}},
        {"class": "TQuillLabel", "name": "M", "properties": {"Top": 30, "Caption": "<b>bold</b>",
         "HtmlFont": {"Default": ["feColor", "feName", "feSize"]}}},
        {"class": "TQuillHtmlGenerator", "name": "G"}]})";
    auto form = ReadFormDesign(design, "plain.json");
    auto* plain = dynamic_cast<TQuillLabel*>(form->FindComponent("P"));
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(plain->PlainText());
    const std::string written = WriteFormDesign(*form);
    EXPECT_EQ(written.find("\"PlainText\": false"), std::string::npos);
    EXPECT_NE(written.find("\"PlainText\": true"), std::string::npos);
    auto again = ReadFormDesign(written, "again.json");
    EXPECT_EQ(WriteFormDesign(*again), written);
    auto* generator = dynamic_cast<TQuillHtmlGenerator*>(again->FindComponent("G"));
    std::vector<std::string> page = test::LinesOf(*generator->Generate());
    EXPECT_NE(std::find(page.begin(), page.end(), "5 &lt; 6 &amp; &quot;so&quot;<br>next</td>"), page.end());
    EXPECT_NE(std::find(page.begin(), page.end(), "<b>bold</b></td>"), page.end());
}

}  // namespace
}  // namespace quill
