#include "layout/HtmlGenerator.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "controls/QuillCustomControl.h"
#include "controls/QuillLabel.h"
#include "framework/Shape.h"

namespace quill {
namespace {

using Lines = std::vector<std::string>;

Lines Generate(THtmlTableGenerator& generator) {
    TStringList out;
    generator.Generate(out);
    return test::LinesOf(out);
}

TEST(HtmlTableGenerator, EmptyBodyIsTwoLines) {
    THtmlTableGenerator generator;
    EXPECT_EQ(Generate(generator), (Lines{R"(<table cellpadding="0" cellspacing="0">)", "</table>"}));
    generator.BuildTable({}, 368, 0);
    generator.SetCenterPage(true);
    EXPECT_EQ(Generate(generator), (Lines{R"(<table cellpadding="0" cellspacing="0" align="center">)", "</table>"}));
}

TEST(HtmlTableGenerator, CellsOfOtherControlsAreEmptyAndSpansShowWhenAboveOne) {
    TComponent owner(nullptr);
    auto* shape = new TShape(&owner);
    auto* other = new TShape(&owner);
    THtmlTableGenerator generator;
    // Two rows; the second has no cells of its own, both columns are spanned.
    generator.BuildTable({{shape, {0, 0, 50, 60}}, {other, {50, 0, 100, 60}}, {nullptr, {0, 30, 0, 30}}}, 100, 0);
    EXPECT_EQ(Generate(generator), (Lines{R"(<table cellpadding="0" cellspacing="0">)", "<tr>",
                                          R"(<td width="50" height="60" rowspan="2"></td>)",
                                          R"(<td width="50" height="60" rowspan="2"></td>)", "</tr>", "<tr>", "</tr>",
                                          "</table>"}));
}

TEST(HtmlTableGenerator, ControlCellWidthIsTheControlsOwnAndSpansMoveFirst) {
    TComponent owner(nullptr);
    auto* wide = new TQuillCustomControl(&owner);
    wide->ChangeBounds(0, 0, 100, 10);
    wide->CellFormat().SetFixedMinimumSize(true);
    auto* cut = new TShape(&owner);
    THtmlTableGenerator generator;
    generator.BuildTable({{wide, wide->BoundsRect()}, {cut, {40, 10, 60, 30}}}, 100, 0);
    Lines page = Generate(generator);
    EXPECT_EQ(page[2], R"(<td colspan="3" valign="top" width="100" height="10">)");
}

TEST(HtmlTableGenerator, NextTableHookDecidesHowOftenTheTableIsWritten) {
    THtmlTableGenerator generator;
    std::vector<int> indexes;
    generator.OnNextTable = [&](int index, bool& writeTable) {
        indexes.push_back(index);
        writeTable = index < 2;
    };
    EXPECT_EQ(Generate(generator).size(), 4u);
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
    generator.OnNextTable = [&](int, bool& writeTable) { writeTable = false; };
    EXPECT_EQ(Generate(generator).size(), 0u);
}

TEST(HtmlTableGenerator, WriteLineSkipsEmptyTextAndAppendToLastLineAddsWhenEmpty) {
    TStringList lines;
    AppendToLastLine(lines, "");
    EXPECT_EQ(test::LinesOf(lines), Lines{""});
    AppendToLastLine(lines, "</td>");
    EXPECT_EQ(test::LinesOf(lines), Lines{"</td>"});
    THtmlTableGenerator generator;
    generator.OnNextTable = [&](int, bool& writeTable) {
        writeTable = false;
        generator.WriteLine("");
        generator.WriteLine("x");
    };
    generator.Generate(lines);
    EXPECT_EQ(test::LinesOf(lines), (Lines{"</td>", "x"}));
}

// A list that is not the system's own: the generator then takes each
// cell through the control's steps and a tag, the way the short ways for
// plain control cells and kept empty cells must match byte for byte.
class TPlainList : public TStrings {
public:
    int Count() const override { return static_cast<int>(FLines.size()); }
    const std::string& Get(int index) const override { return FLines.at(static_cast<size_t>(index)); }
    void Put(int index, std::string_view text) override { FLines.at(static_cast<size_t>(index)) = text; }
    void Insert(int index, std::string_view text) override { FLines.emplace(FLines.begin() + index, text); }
    void Delete(int index) override { FLines.erase(FLines.begin() + index); }
    void Clear() override { FLines.clear(); }

private:
    std::vector<std::string> FLines;
};

// Every setting that shows in a control's cell, one per case.
const std::vector<std::function<void(TQuillCustomControl&)>> kCellSettings = {
    [](TQuillCustomControl&) {},
    [](TQuillCustomControl& c) { c.CellFormat().SetAlignH(haCenter), c.CellFormat().SetAlignV(vaMiddle); },
    [](TQuillCustomControl& c) { c.CellFormat().SetAlignH(haRight), c.CellFormat().SetAlignV(vaDefault); },
    [](TQuillCustomControl& c) { c.CellFormat().SetAlignH(haLeft), c.CellFormat().SetAlignV(vaBottom); },
    [](TQuillCustomControl& c) { c.CellFormat().SetParentColor(false), c.CellFormat().SetColor(clYellow); },
    [](TQuillCustomControl& c) { c.CellFormat().SetFixedMinimumSize(true); },
    [](TQuillCustomControl& c) { c.CellFormat().SetElementId(R"(i"d)"), c.CellFormat().SetStyleClass("k"); },
    [](TQuillCustomControl& c) { c.HtmlLink().SetHref(R"(a"b.html)"), c.HtmlLink().SetTarget("_blank"); },
    [](TQuillCustomControl& c) { c.HtmlLink().SetTarget("t"), c.HtmlLink().SetHref("x.html"), c.HtmlLink().SetTarget(""); },
    [](TQuillCustomControl& c) { c.HtmlFont().SetFontName("Arial"), c.HtmlFont().SetFontSize("+2"); },
    [](TQuillCustomControl& c) { c.HtmlFont().SetFontColor(clRed), c.HtmlFont().SetFontStyle({fsBold, fsUnderline}); },
    [](TQuillCustomControl& c) { c.HtmlFont().SetFontName("Arial"), c.HtmlFont().SetDynamics({feName}); },
    [](TQuillCustomControl& c) { c.SetCaption(R"(say "hi" & <b>)"); },
    [](TQuillCustomControl& c) { c.SetCaption(""); },
    // Refused by the cell's steps, which leave the tag as filled.
    [](TQuillCustomControl& c) { c.CellFormat().SetAlignH(static_cast<THtmlAlignH>(9)); },
};

TEST(HtmlTableGenerator, ShortWaysWriteWhatTheControlsStepsWrite) {
    // Controls of both classes with every setting, some cut into spans by
    // shapes, beside empty cells of more sizes than are kept.
    TComponent owner(nullptr);
    TCellControlList cells;
    for (size_t i = 0; i < kCellSettings.size(); ++i) {
        const int top = static_cast<int>(i) * 40;
        TQuillCustomControl* controls[] = {new TQuillCustomControl(&owner), new TQuillLabel(&owner)};
        for (int k = 0; k < 2; ++k) {
            TQuillCustomControl& c = *controls[k];
            c.ChangeBounds(k * 300 + static_cast<int>(i), top, 120 + static_cast<int>(i), 30);
            c.SetCaption("c" + std::to_string(i));
            kCellSettings[i](c);
            cells.push_back({&c, c.BoundsRect()});
        }
        cells.push_back({new TShape(&owner), {60, top + 10, 70 + static_cast<int>(i), top + 50}});
    }
    // A second page with the same sizes: the kept empty cells are used again.
    for (int round = 0; round < 2; ++round) {
        THtmlTableGenerator generator;
        generator.BuildTable(cells, 700 + round, 0);
        TStringList packed;
        TPlainList plain;
        generator.Generate(packed);
        generator.Generate(plain);
        ASSERT_GT(plain.Count(), 300);
        EXPECT_EQ(test::LinesOf(packed), test::LinesOf(plain)) << "round " << round;
    }
}

// A class further down that replaces the cell steps it inherits.
class TMarkedLabel : public TQuillLabel {
public:
    using TQuillLabel::TQuillLabel;
    void UpdateTag(THtmlTag& tag) override {
        TQuillLabel::UpdateTag(tag);
        tag.SetAttribute(anClass, "marked");
    }
    void GetHtml(TStrings& strings) override {
        strings.Add("first");
        strings.Add("second");
    }
};

TEST(HtmlTableGenerator, ClassesFurtherDownKeepTheirOwnCellSteps) {
    TComponent owner(nullptr);
    auto* label = new TMarkedLabel(&owner);
    label->ChangeBounds(0, 0, 40, 20);
    THtmlTableGenerator generator;
    generator.BuildTable({{label, label->BoundsRect()}}, 40, 0);
    EXPECT_EQ(Generate(generator), (Lines{R"(<table cellpadding="0" cellspacing="0">)", "<tr>",
                                          R"(<td valign="top" width="40" class="marked">)", "first", "second</td>",
                                          "</tr>", "</table>"}));
}

}  // namespace
}  // namespace quill
