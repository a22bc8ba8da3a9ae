#include "markup/HtmlProps.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"

namespace quill {
namespace {

TEST(CellFormat, UpdateTagLeavesOtherTagsAlone) {
    THtmlTableDataProperty format;
    format.SetAlignH(haCenter);
    auto table = std::make_unique<THtmlTag>("table", THtmlTagOptions{toAlwaysWrite});
    format.UpdateTag(*table);
    EXPECT_EQ(table->StartTag(), "<table>");
}

TEST(CellFormat, FreshFormatWritesNothingVisible) {
    THtmlTableDataProperty format;
    auto tag = NewCellTag(12, 48, 1, 1, haDefault, vaDefault, true);
    format.UpdateTag(*tag);
    EXPECT_EQ(tag->StartTag(), R"(<td width="12" height="48">)");
}

TEST(CellFormat, AttributeOrderAfterUpdateTag) {
    THtmlTableDataProperty format;
    format.SetAlignH(haCenter);
    format.SetAlignV(vaBottom);
    format.SetParentColor(false);
    format.SetColor(12967650);
    format.SetElementId("cell1");
    format.SetStyleClass("note");
    auto tag = NewCellTag(94, 19, 2, 3, haLeft, vaTop, true);
    format.UpdateTag(*tag);
    EXPECT_EQ(tag->StartTag(),
              R"(<td width="94" height="19" colspan="2" rowspan="3" id="cell1" class="note" align="center" )"
              R"(valign="bottom" bgcolor="#E2DEC5">)");
}

TEST(CellFormat, ParentColorKeepsAnEarlierBackground) {
    THtmlTableDataProperty format;
    auto tag = NewCellTag(1, 1, 1, 1, haDefault, vaDefault, false);
    tag->SetAttribute("bgcolor", "#123456");
    format.UpdateTag(*tag);
    EXPECT_EQ(tag->StartTag(), R"(<td width="1" bgcolor="#123456">)");
}

TEST(CellFormat, EveryWriteNotifiesEvenWithTheSameValue) {
    THtmlTableDataProperty format;
    int changes = 0;
    TObject* sender = nullptr;
    format.SetOnChange([&](TObject* s) { ++changes, sender = s; });
    format.SetAlignH(haDefault);
    format.SetAlignV(vaTop);
    format.SetFixedMinimumSize(false);
    format.SetColor(0);
    format.SetParentColor(true);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(sender, &format);
    format.StoreColor(clRed);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(format.Color(), clRed);
}

TEST(CellFormat, ContentOffsets) {
    const TRect margins{2, 3, 5, 7};
    struct {
        THtmlAlignH h;
        THtmlAlignV v;
        int outer, inner;
        int left, top;
    } cases[] = {
        {haDefault, vaDefault, 100, 40, 2, (100 - 40 - 3 - 7) / 2},
        {haLeft, vaTop, 100, 40, 2, 3},
        {haCenter, vaMiddle, 100, 40, (100 - 40 - 2 - 5) / 2, (100 - 40 - 3 - 7) / 2},
        {haCenter, vaMiddle, 100, 41, 26, 24},  // halves round toward zero
        {haRight, vaBottom, 100, 40, 55, 53},
        // Inner wider than outer: 0, except left keeps its margin.
        {haLeft, vaTop, 10, 40, 2, 3},
        {haDefault, vaDefault, 10, 40, 2, 0},
        {haCenter, vaMiddle, 10, 40, 0, 0},
        {haRight, vaBottom, 10, 40, 0, 0},
    };
    for (const auto& c : cases) {
        THtmlTableDataProperty format;
        format.SetAlignH(c.h);
        format.SetAlignV(c.v);
        EXPECT_EQ(format.ContentLeft(c.outer, c.inner, margins), c.left) << c.h << "/" << c.v;
        EXPECT_EQ(format.ContentTop(c.outer, c.inner, margins), c.top) << c.h << "/" << c.v;
    }
}

TEST(Link, NoHrefNoAnchor) {
    THtmlLinkProperty link;
    link.SetTarget("_blank");
    EXPECT_EQ(link.StartTag(), "");
    EXPECT_EQ(link.EndTag(), "");
}

TEST(Link, AnchorOpensAndClosesOnce) {
    THtmlLinkProperty link;
    link.SetHref("http://localhost/a?b=1&c=2");
    EXPECT_EQ(link.StartTag(), R"(<a href="http://localhost/a?b=1&c=2">)");
    EXPECT_EQ(link.EndTag(), "</a>");
    EXPECT_EQ(link.EndTag(), "");
    link.SetTarget("_top");
    std::string first = link.StartTag();
    EXPECT_EQ(link.StartTag(), first);
    EXPECT_EQ(first, R"(<a href="http://localhost/a?b=1&c=2" target="_top">)");
    EXPECT_EQ(link.EndTag(), "</a>");
    EXPECT_EQ(link.EndTag(), "");
}

TEST(Link, HrefClearedAfterAnInterruptedRunClosesNothing) {
    THtmlLinkProperty link;
    link.SetHref("a.html");
    EXPECT_EQ(link.StartTag(), R"(<a href="a.html">)");
    // The run that opened the link failed before closing it.
    link.SetHref("");
    EXPECT_EQ(link.StartTag(), "");
    EXPECT_EQ(link.EndTag(), "");
}

TEST(Link, BangHrefWritesTheBareName) {
    THtmlLinkProperty link;
    link.SetHref("!");
    EXPECT_EQ(link.StartTag(), "<a href>");
}

TEST(Link, WritesNotify) {
    THtmlLinkProperty link;
    int changes = 0;
    link.SetOnChange([&](TObject*) { ++changes; });
    link.SetHref("x");
    link.SetTarget("");
    EXPECT_EQ(changes, 2);
}

TEST(HtmlProperties, CopyingIsRefusedWithTheConversionError) {
    THtmlTableDataProperty a, b;
    THtmlLinkProperty link;
    EXPECT_THROW(a.CopyValuesFrom(b), EConvertError);
    try {
        link.CopyValuesFrom(a);
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a THtmlTableDataProperty to a THtmlLinkProperty");
    }
}

}  // namespace
}  // namespace quill
