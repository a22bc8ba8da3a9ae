#include "controls/QuillPanel.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "controls/QuillClasses.h"
#include "controls/QuillLabel.h"
#include "framework/DesignLimits.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/FormReader.h"
#include "framework/FormWriter.h"
#include "framework/Panel.h"
#include "page/QuillGenerator.h"

namespace quill {
namespace {

using test::LinesOf;
using Lines = std::vector<std::string>;

class QuillPanel : public ::testing::Test {
protected:
    QuillPanel() {
        Form.ChangeBounds(0, 0, 200, 100);
        Generator = new TQuillHtmlGenerator(&Form);
    }
    template <class C = TQuillCustomControl>
    C* Add(TWinControl& parent, TRect r, const std::string& caption = "") {
        auto* c = new C(&Form);
        c->SetParent(&parent);
        c->ChangeBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        c->SetCaption(caption);
        return c;
    }
    Lines Run() { return LinesOf(*Generator->Generate()); }

    TForm Form{nullptr};
    TQuillHtmlGenerator* Generator;
};

TEST_F(QuillPanel, ChildrenAreANestedTableAsLargeAsThePanel) {
    auto* panel = Add<TQuillPanel>(Form, {10, 10, 110, 60});
    Add(*panel, {5, 5, 45, 25}, "X");
    EXPECT_EQ(Run(), (Lines{
                         R"(<table cellpadding="0" cellspacing="0">)",
                         "<tr>", R"(<td width="10" height="10"></td>)", R"(<td width="100" height="10"></td>)",
                         R"(<td width="90" height="10"></td>)", "</tr>",
                         "<tr>", R"(<td width="10" height="50"></td>)", R"(<td valign="top" width="100">)",
                         R"(<table cellpadding="0" cellspacing="0">)",
                         "<tr>", R"(<td width="5" height="5"></td>)", R"(<td width="40" height="5"></td>)",
                         R"(<td width="55" height="5"></td>)", "</tr>",
                         "<tr>", R"(<td width="5" height="20"></td>)", R"(<td valign="top" width="40">)", "X</td>",
                         R"(<td width="55" height="20"></td>)", "</tr>",
                         "<tr>", R"(<td width="5" height="25"></td>)", R"(<td width="40" height="25"></td>)",
                         R"(<td width="55" height="25"></td>)", "</tr>",
                         "</table></td>",
                         R"(<td width="90" height="50"></td>)", "</tr>",
                         "</table>"}));
}

TEST_F(QuillPanel, EmptyPanelIsOneColouredCell) {
    auto* panel = Add<TQuillPanel>(Form, {0, 0, 200, 4});
    panel->CellFormat().SetParentColor(false);
    panel->CellFormat().SetColor(clRed);
    EXPECT_EQ(Run(), (Lines{R"(<table cellpadding="0" cellspacing="0">)", "<tr>",
                            R"(<td valign="top" bgcolor="#FF0000" width="200">)",
                            R"(<table cellpadding="0" cellspacing="0">)", "<tr>", R"(<td width="200" height="4"></td>)",
                            "</tr>", "</table></td>", "</tr>", "</table>"}));
}

// Only visible page controls that are direct children of the panel are in
// its table; a plain panel's children stay off the page as before.
TEST_F(QuillPanel, WhatThePanelShows) {
    auto* panel = Add<TQuillPanel>(Form, {0, 0, 200, 30});
    Add(*panel, {0, 0, 10, 10}, "hidden")->SetVisible(false);
    auto* plain = Add<TPanel>(*panel, {20, 0, 60, 10});
    Add(*plain, {0, 0, 10, 10}, "in a plain panel");
    Add(*panel, {100, 0, 200, 30}, "shown");
    const std::string page = Generator->Generate()->Text();
    EXPECT_NE(page.find("shown</td>"), std::string::npos);
    EXPECT_EQ(page.find("hidden"), std::string::npos);
    EXPECT_EQ(page.find("in a plain panel"), std::string::npos);
    panel->SetVisible(false);
    EXPECT_EQ(Generator->Generate()->Text().find("shown"), std::string::npos);
}

TEST_F(QuillPanel, HandlersOfThePanelAndItsChildrenRunInTheirCells) {
    auto* panel = Add<TQuillPanel>(Form, {0, 0, 200, 30});
    auto* child = Add(*panel, {0, 0, 200, 30}, "child");
    child->SetOnGenerateContent([](std::string& content) { content += "!"; });
    panel->SetOnUpdateTag([](THtmlTag& tag) { tag.SetAttribute("id", "card"); });
    const std::string page = Generator->Generate()->Text();
    EXPECT_NE(page.find(R"(<td valign="top" width="200" id="card">)"), std::string::npos) << page;
    EXPECT_NE(page.find("child!</td>"), std::string::npos) << page;
    panel->SetOnGetHtml([](TStrings& lines) { lines.Add("replaced"); });
    EXPECT_EQ(Generator->Generate()->Text().find("child"), std::string::npos);
}

// `panels` panels nested in each other, each one pixel inside the last,
// with a label in the innermost.
std::string NestedPanelDesign(size_t panels) {
    std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 600, "Height": 400}, "children": [
        {"class": "TQuillHtmlGenerator", "name": "G"})";
    for (size_t i = 0; i < panels; ++i)
        text += std::string(i ? "" : ", ") + R"({"class": "TQuillPanel", "name": "P)" + std::to_string(i) +
                R"(", "properties": {"Left": 1, "Top": 1, "Width": )" + std::to_string(600 - 2 * i) +
                R"(, "Height": )" + std::to_string(400 - i) + R"(}, "children": [)";
    text += R"({"class": "TQuillLabel", "name": "Deep", "properties": {"Width": 50, "Height": 20, "AutoSize": false, "Caption": "deep"}})";
    for (size_t i = 0; i < panels; ++i) text += "]}";
    return text + "]}";
}

// As deep as the reader takes them: every level is one more table.
TEST(QuillPanelNesting, PanelsNestedToTheReadersLimit) {
    RegisterQuillClasses();
    constexpr size_t kPanels = TDesignLimits::kMaxNesting - 1;
    auto form = ReadFormDesign(NestedPanelDesign(kPanels), "deep.json");
    const std::string page = dynamic_cast<TQuillHtmlGenerator*>(form->FindComponent("G"))->Generate()->Text();
    size_t tables = 0;
    for (size_t at = page.find("<table"); at != std::string::npos; at = page.find("<table", at + 1)) ++tables;
    EXPECT_EQ(tables, kPanels + 1);
    EXPECT_NE(page.find("deep</td>\r\n"), std::string::npos);
    try {
        ReadFormDesign(NestedPanelDesign(kPanels + 1), "deeper.json");
        ADD_FAILURE() << "a label below the nesting limit was read";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("nested more than 256 levels deep"), std::string::npos) << e.Message();
    }
}

// Ten thousand labels in one panel, a hundred to a row: one nested table
// with a cell for each label and no other cell.
TEST(QuillPanelNesting, PanelOfTenThousandControls) {
    RegisterQuillClasses();
    std::string text = R"({"class": "TForm", "name": "F", "properties": {"Width": 2000, "Height": 2200}, "children": [
        {"class": "TQuillHtmlGenerator", "name": "G"},
        {"class": "TQuillPanel", "name": "P", "properties": {"Width": 2000, "Height": 2000}, "children": [)";
    for (int i = 0; i < 10000; ++i)
        text += std::string(i ? "," : "") + R"({"class": "TQuillLabel", "name": "L)" + std::to_string(i) +
                R"(", "properties": {"Left": )" + std::to_string(i % 100 * 20) + R"(, "Top": )" +
                std::to_string(i / 100 * 20) + R"(, "Width": 20, "Height": 20, "AutoSize": false, "Caption": "x"}})";
    text += "]}]}";
    auto form = ReadFormDesign(text, "many.json");
    TStrings& lines = *dynamic_cast<TQuillHtmlGenerator*>(form->FindComponent("G"))->Generate();
    // Page table: one row, one cell. Panel table: 100 rows of 100 cells of two lines.
    EXPECT_EQ(lines.Count(), 5 + 2 + 100 * 2 + 10000 * 2);
    EXPECT_EQ(lines[lines.Count() - 3], "</table></td>");
}

TEST(QuillPanelDesign, RoundTripKeepsThePanelAndItsChildren) {
    RegisterQuillClasses();
    const std::string text = R"({"class": "TForm", "name": "F", "children": [
        {"class": "TQuillPanel", "name": "Card", "properties": {"Left": 5, "Top": 6, "Width": 70, "Height": 80,
         "Align": "alLeft", "CellFormat": {"Color": "clYellow", "ParentColor": false}},
         "children": [{"class": "TQuillPanel", "name": "Inner", "properties": {"Width": 10, "Height": 10},
                       "children": [{"class": "TQuillLabel", "name": "L", "properties": {"Caption": "x"}}]}]}]})";
    auto form = ReadFormDesign(text, "d.json");
    const std::string written = WriteFormDesign(*form);
    auto again = ReadFormDesign(written, "again.json");
    EXPECT_EQ(WriteFormDesign(*again), written);
    auto* card = dynamic_cast<TQuillPanel*>(again->FindComponent("Card"));
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->Align(), alLeft);
    EXPECT_EQ(card->CellFormat().Color(), clYellow);
    EXPECT_EQ(card->Color(), clYellow);
    EXPECT_EQ(again->FindComponent("L")->AsControl()->Parent(), again->FindComponent("Inner"));
    // A label takes no children.
    EXPECT_THROW(ReadFormDesign(R"({"class": "TForm", "name": "F", "children": [{"class": "TQuillLabel", "name": "L",
        "children": [{"class": "TQuillLabel", "name": "M"}]}]})", "l.json"), Exception);
}

}  // namespace
}  // namespace quill
