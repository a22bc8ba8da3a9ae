#include "layout/HtmlGenerator.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "controls/QuillCustomControl.h"
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

}  // namespace
}  // namespace quill
