#include "markup/HtmlCodes.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quill {
namespace {

TEST(HtmlCodes, HtmlColor) {
    struct {
        TColor color;
        const char* text;
    } cases[] = {
        {clRed, "#FF0000"},        {clBlue, "#0000FF"},         {12967650, "#E2DEC5"},
        {0x7F000000, "#000000"},   {clBtnFace, "#F0F0F0"},      {clHighlight, "#0078D7"},
        {clWindowText, "#000000"}, {0x00010203, "#030201"},
    };
    for (const auto& c : cases) EXPECT_EQ(HtmlColor(c.color), c.text) << c.color;
}

TEST(HtmlCodes, AlignmentNames) {
    EXPECT_EQ(AlignHNames(haDefault), "");
    EXPECT_EQ(AlignHNames(haLeft), "left");
    EXPECT_EQ(AlignHNames(haCenter), "center");
    EXPECT_EQ(AlignHNames(haRight), "right");
    EXPECT_EQ(AlignVNames(vaDefault), "");
    EXPECT_EQ(AlignVNames(vaTop), "top");
    EXPECT_EQ(AlignVNames(vaMiddle), "middle");
    EXPECT_EQ(AlignVNames(vaBottom), "bottom");
}

TEST(HtmlCodes, TableTag) {
    auto tag = NewTableTag();
    EXPECT_EQ(tag->StartTag(), R"(<table cellpadding="0" cellspacing="0">)");
    tag->SetAttribute("align", "center");
    EXPECT_EQ(tag->StartTag(), R"(<table cellpadding="0" cellspacing="0" align="center">)");
    EXPECT_EQ(tag->EndTag(), "</table>");
}

TEST(HtmlCodes, CellTag) {
    struct {
        int w, h, cs, rs;
        THtmlAlignH ah;
        THtmlAlignV av;
        bool useHeight;
        const char* start;
    } cases[] = {
        {12, 48, 1, 1, haDefault, vaDefault, true, R"(<td width="12" height="48">)"},
        {12, 48, 0, -1, haDefault, vaDefault, true, R"(<td width="12" height="48">)"},
        {12, 48, 2, 3, haDefault, vaDefault, true, R"(<td width="12" height="48" colspan="2" rowspan="3">)"},
        {12, 48, 1, 1, haDefault, vaDefault, false, R"(<td width="12">)"},
        {0, 0, 1, 1, haCenter, vaBottom, true, R"(<td width="0" height="0" align="center" valign="bottom">)"},
        {-7, 5, 1, 2, haRight, vaDefault, false, R"(<td width="-7" rowspan="2" align="right">)"},
    };
    for (const auto& c : cases) {
        auto tag = NewCellTag(c.w, c.h, c.cs, c.rs, c.ah, c.av, c.useHeight);
        EXPECT_EQ(tag->StartTag(), c.start);
        EXPECT_EQ(tag->EndTag(), "</td>");
    }
}

TEST(HtmlCodes, EmptyCellIsWrittenAsItsFilledTagWouldBe) {
    const int32_t values[][4] = {{20, 10, 1, 1}, {0, 0, 1, 1}, {-5, INT32_MIN, 2, 1}, {INT32_MAX, 7, 1, 3}, {3, 4, 9, 9}};
    for (const auto& v : values) {
        auto tag = NewCellTag(v[0], v[1], v[2], v[3], haDefault, vaDefault, true);
        std::string written = "x";
        WriteEmptyCell(written, v[0], v[1], v[2], v[3]);
        EXPECT_EQ(written, "x" + tag->StartTag() + tag->EndTag());
    }
}

}  // namespace
}  // namespace quill
