// Positions and sizes at the 32-bit limits, and trees that must not loop.
#include <gtest/gtest.h>

#include <climits>

#include "framework/Exception.h"
#include "framework/Font.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"

namespace quill {
namespace {

TEST(ControlLimits, BoundsAndClientSizeStopAtTheLimits) {
    TForm form(nullptr);
    form.ChangeBounds(INT_MAX - 47, INT_MIN + 3, 100, 100);
    EXPECT_EQ(form.BoundsRect(), (TRect{INT_MAX - 47, INT_MIN + 3, INT_MAX, INT_MIN + 103}));
    form.ChangeBounds(-5, -5, INT_MIN, INT_MIN + 1);
    EXPECT_EQ(form.BoundsRect(), (TRect{-5, -5, INT_MIN, INT_MIN}));
    EXPECT_EQ(form.ClientWidth(), INT_MIN);
    EXPECT_EQ(form.ClientHeight(), INT_MIN);
}

TEST(ControlLimits, RealignOfHugeChildrenClampsInsteadOfWrapping) {
    TPanel parent(nullptr);
    parent.ChangeBounds(0, 0, 100, INT_MAX);
    TPanel top1(nullptr), top2(nullptr), right1(nullptr), right2(nullptr), bottom(nullptr);
    for (auto [child, align] : {std::pair{&top1, alTop}, {&top2, alTop}, {&right1, alRight}, {&right2, alRight},
                                {&bottom, alBottom}}) {
        child->ChangeBounds(0, 0, INT_MAX, INT_MAX);
        child->SetAlign(align);
        child->SetParent(&parent);
    }
    EXPECT_EQ(top2.Top(), INT_MAX);  // below a first panel that took all the height
    EXPECT_EQ(right1.Left(), 100 - INT_MAX);
    EXPECT_EQ(right2.Left(), INT_MIN);  // further left than an int reaches
    EXPECT_EQ(bottom.Top(), 0);
    EXPECT_EQ(right2.Height(), INT_MIN);  // what remains: top already past the bottom
}

TEST(ControlLimits, RightJustifiedAutoSizeKeepsTheRightEdgeWithinRange) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAlignment(taRightJustify);
    label->ChangeBounds(INT_MIN, 0, 0, 17);
    label->SetCaption("A caption wider than nothing");
    label->FitSize();
    EXPECT_EQ(label->Left(), INT_MIN);  // would have wrapped to a large positive value
    EXPECT_GT(label->Width(), 0);
}

TEST(ControlLimits, FontHeightAndSizeConvertWithoutWrapping) {
    TFont font;
    font.SetHeight(INT_MIN);
    EXPECT_EQ(font.Size(), 1610612736);  // 2^31 pixels at 96 per inch, in points
    font.SetSize(INT_MAX);
    EXPECT_EQ(font.Height(), INT_MIN);
    font.SetSize(INT_MIN);
    EXPECT_EQ(font.Height(), INT_MAX);
}

TEST(ControlLimits, SetParentRefusesCycles) {
    TForm form(nullptr);
    auto* outer = new TPanel(&form);
    auto* middle = new TPanel(&form);
    auto* inner = new TPanel(&form);
    outer->SetParent(&form);
    middle->SetParent(outer);
    inner->SetParent(middle);
    EXPECT_THROW(outer->SetParent(outer), Exception);
    EXPECT_THROW(outer->SetParent(middle), Exception);
    EXPECT_THROW(outer->SetParent(inner), Exception);
    EXPECT_THROW(form.SetParent(inner), Exception);
    EXPECT_EQ(outer->Parent(), &form);
    EXPECT_EQ(inner->Parent(), middle);
    inner->SetParent(outer);  // moving down a branch that is not its own is fine
    EXPECT_EQ(inner->Parent(), outer);
}

TEST(ControlLimits, HeldBackAlignmentRealignsOnceAtTheEnd) {
    TPanel parent(nullptr);
    parent.ChangeBounds(0, 0, 50, 500);
    parent.DisableAlign();
    std::vector<std::unique_ptr<TPanel>> children;
    for (int i = 0; i < 3; ++i) {
        children.push_back(std::make_unique<TPanel>(nullptr));
        children.back()->ChangeBounds(9, 9, 9, 10);
        children.back()->SetAlign(alTop);
        children.back()->SetParent(&parent);
    }
    EXPECT_EQ(children[2]->Top(), 9);  // not yet placed
    parent.EnableAlign();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(children[i]->BoundsRect(), (TRect{0, 10 * i, 50, 10 * i + 10}));
}

}  // namespace
}  // namespace quill
