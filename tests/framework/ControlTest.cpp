#include "framework/Control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Shape.h"

namespace quill {
namespace {

TEST(Control, DefaultsAfterConstruction) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    auto* shape = new TShape(&form);
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_FALSE(form.ParentColor());
    EXPECT_EQ(panel->Color(), clBtnFace);
    EXPECT_FALSE(panel->ParentColor());
    EXPECT_TRUE(shape->Visible());
    EXPECT_EQ(shape->Caption(), "");
    EXPECT_EQ(shape->Align(), alNone);
}

TEST(WinControl, ListsPlainChildrenBeforeWindowedOnesEachInInsertionOrder) {
    TForm form(nullptr);
    auto* panelA = new TPanel(&form);
    auto* shapeA = new TShape(&form);
    auto* panelB = new TPanel(&form);
    auto* shapeB = new TShape(&form);
    for (TControl* c : {static_cast<TControl*>(panelA), static_cast<TControl*>(shapeA),
                        static_cast<TControl*>(panelB), static_cast<TControl*>(shapeB)})
        c->SetParent(&form);
    ASSERT_EQ(form.ControlCount(), 4);
    EXPECT_EQ(form.Controls(0), shapeA);
    EXPECT_EQ(form.Controls(1), shapeB);
    EXPECT_EQ(form.Controls(2), panelA);
    EXPECT_EQ(form.Controls(3), panelB);
    shapeA->SetParent(panelA);
    EXPECT_EQ(form.ControlCount(), 3);
    EXPECT_EQ(panelA->Controls(0), shapeA);
    delete panelA;  // the shape loses its parent, not its life
    EXPECT_EQ(shapeA->Parent(), nullptr);
    EXPECT_EQ(form.ControlCount(), 2);
}

TEST(WinControl, ReportsChildInsertionAndRemoval) {
    struct TRecorder : TPanel {
        using TPanel::TPanel;
        std::vector<std::pair<TControl*, bool>> Seen;
        void ChildInsertedOrRemoved(TControl* child, bool inserting) override { Seen.emplace_back(child, inserting); }
    } recorder(nullptr);
    TShape shape(nullptr);
    shape.SetParent(&recorder);
    shape.SetParent(nullptr);
    ASSERT_EQ(recorder.Seen.size(), 2u);
    EXPECT_EQ(recorder.Seen[0], std::make_pair(static_cast<TControl*>(&shape), true));
    EXPECT_EQ(recorder.Seen[1], std::make_pair(static_cast<TControl*>(&shape), false));
}

TEST(WinControl, TopAlignedStackAndClientFillsTheRest) {
    TForm form(nullptr);
    form.ChangeBounds(366, 133, 423, 357);
    EXPECT_EQ(form.ClientWidth(), 415);
    EXPECT_EQ(form.ClientHeight(), 323);
    auto* top1 = new TPanel(&form);
    auto* client = new TPanel(&form);
    auto* top2 = new TPanel(&form);
    top1->SetParent(&form);
    client->SetParent(&form);
    top2->SetParent(&form);
    top1->SetHeight(63);
    top1->SetAlign(alTop);
    client->SetAlign(alClient);
    top2->SetHeight(10);
    top2->SetAlign(alTop);
    EXPECT_EQ(top1->BoundsRect(), (TRect{0, 0, 415, 63}));
    EXPECT_EQ(top2->BoundsRect(), (TRect{0, 63, 415, 73}));
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 73, 415, 323}));
    top2->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), (TRect{0, 63, 415, 323}));
    EXPECT_EQ(client->Width(), 415);
    EXPECT_EQ(client->Height(), 260);
    form.SetWidth(523);  // resizing the parent realigns
    EXPECT_EQ(client->Width(), 515);
}

// The order a designer gives components: moved ones land where asked,
// the others keep their order, and each child stays in its own group.
TEST(WinControl, MovingComponentsAndChildrenKeepsTheOthersInOrder) {
    TForm form(nullptr);
    std::vector<TControl*> made;
    for (const char* name : {"A", "B", "C", "D"}) {
        made.push_back(new TLabel(&form));
        made.back()->SetName(name);
        made.back()->SetParent(&form);
    }
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto names = [&] {
        std::string owned, children;
        for (int i = 0; i < form.ComponentCount(); ++i) owned += form.Components(i)->Name();
        for (int i = 0; i < form.ControlCount(); ++i) children += form.Controls(i)->Name();
        return owned + "/" + children;
    };
    panel->SetName("P");
    form.MoveComponent(made[0], 3);
    form.MoveControl(made[0], 3);
    EXPECT_EQ(names(), "BCDAP/BCDAP");
    form.MoveComponent(made[3], 0);
    form.MoveControl(made[3], 0);
    EXPECT_EQ(names(), "DBCAP/DBCAP");
    // Past either end is the end; a plain child never goes past a windowed one.
    form.MoveComponent(made[1], 99);
    form.MoveControl(made[1], 99);
    EXPECT_EQ(names(), "DCAPB/DCABP");
    form.MoveControl(panel, 0);
    EXPECT_EQ(form.ControlIndex(panel), 4);
    EXPECT_EQ(form.ComponentIndex(panel), 3);
    EXPECT_EQ(form.ControlIndex(&form), -1);
}

TEST(Control, ColorResolution) {
    EXPECT_EQ(ResolveColor(clBtnFace), 0xF0F0F0);
    EXPECT_EQ(ResolveColor(clWindow), 0xFFFFFF);
    EXPECT_EQ(ResolveColor(clWindowText), 0x000000);
    EXPECT_EQ(ResolveColor(clHighlight), 0xD77800);  // red in the low byte
    EXPECT_EQ(ResolveColor(SystemColor(200)), 0);
    EXPECT_EQ(ResolveColor(12967650), 12967650);
    EXPECT_EQ(ResolveColor(clRed), 0x0000FF);
    EXPECT_EQ(ColorFromName("clBtnFace"), clBtnFace);
    EXPECT_EQ(ColorToName(clWhite), "clWhite");
    EXPECT_EQ(ColorToName(12967650), std::nullopt);
}

TEST(Control, ParentColorFollowsTheParent) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetColor(clRed);
    EXPECT_FALSE(panel->ParentColor());
    panel->SetParentColor(true);
    EXPECT_EQ(panel->Color(), clBtnFace);
    form.SetColor(12967650);
    EXPECT_EQ(panel->Color(), 12967650);
    EXPECT_TRUE(panel->ParentColor());
    panel->SetColor(clWhite);
    form.SetColor(clBlack);
    EXPECT_EQ(panel->Color(), clWhite);
}

TEST(Control, ColorAndTextNoticesOnlyOnRealChange) {
    struct TCounter : TPanel {
        using TPanel::TPanel;
        int Colors = 0, Texts = 0;
        void ColorChangedNotification() override {
            TPanel::ColorChangedNotification();
            ++Colors;
        }
        void TextChangedNotification() override { ++Texts; }
    } counter(nullptr);
    counter.SetColor(clBtnFace);
    counter.SetCaption("");
    EXPECT_EQ(counter.Colors, 0);
    EXPECT_EQ(counter.Texts, 0);
    counter.SetColor(clRed);
    counter.SetCaption("x");
    counter.SetCaption("x");
    EXPECT_EQ(counter.Colors, 1);
    EXPECT_EQ(counter.Texts, 1);
}

TEST(Control, ParentFontReachesChildrenUntilTheyTakeTheirOwn) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    form.Font().SetName("Arial");
    EXPECT_EQ(label->Font().Name(), "Arial");
    EXPECT_TRUE(label->ParentFont());
    label->Font().SetSize(20);
    EXPECT_FALSE(label->ParentFont());
    form.Font().SetName("Courier New");
    EXPECT_EQ(label->Font().Name(), "Arial");
}

TEST(Label, AutoSizeMeasuresTheCaption) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->Font().SetName("Arial");
    label->Font().SetSize(10);
    label->SetCaption("Hello");
    int oneLineHeight = label->Height();
    int helloWidth = label->Width();
    EXPECT_GT(helloWidth, 0);
    EXPECT_GT(oneLineHeight, 0);
    label->SetCaption("Hello\r\nHello world");
    EXPECT_EQ(label->Height(), 2 * oneLineHeight);
    EXPECT_GT(label->Width(), helloWidth);
    label->SetAutoSize(false);
    label->SetCaption("x");
    EXPECT_EQ(label->Height(), 2 * oneLineHeight);  // keeps its size
}

TEST(Label, WordWrapBreaksToTheCurrentWidth) {
    TLabel label(nullptr);
    label.Font().SetName("Arial");
    label.SetCaption("one two three four five six");
    int lineHeight = label.Height();
    label.SetAutoSize(false);
    label.SetWidth(40);
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    EXPECT_EQ(label.Width(), 40);
    EXPECT_GT(label.Height(), 2 * lineHeight);
}

TEST(Label, LoadingDefersSizing) {
    TLabel label(nullptr);
    label.SetLoading(true);
    int width = label.Width();
    label.SetCaption("A much longer caption than before");
    EXPECT_EQ(label.Width(), width);
    label.AfterLoad();
    EXPECT_GT(label.Width(), width);
}

}  // namespace
}  // namespace quill
