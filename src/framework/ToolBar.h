#pragma once

#include "framework/Set.h"
#include "framework/WinControl.h"

namespace quill {

class TImageList;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;

// One button of a tool bar, showing an image of the bar's image list. A
// check-style button stays down after a click until clicked again.
class TToolButton : public TControl {
public:
    explicit TToolButton(TComponent* owner);
    std::string ClassName() const override { return "TToolButton"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    bool Down() const { return FDown; }
    void SetDown(bool value);
    // Index into the bar's image list; negative shows none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value) { FStyle = value; }
    // The bar the button sits on, if any.
    TToolBar* ToolBar() const;

    // What a press of the button does: a check-style button changes Down,
    // then OnClick fires.
    void Click();

    TNotifyEvent OnClick;

private:
    bool FDown = false;
    int FImageIndex = -1;
    TToolButtonStyle FStyle = tbsButton;
};

// A row of tool buttons placed side by side in child order, each
// ButtonWidth by ButtonHeight. With AutoSize on the bar takes the size of
// its row.
class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    std::string ClassName() const override { return "TToolBar"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders value) { FEdgeBorders = value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool value) { FFlat = value; }
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool value) { FWrapable = value; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);

    bool QueryAutoSize(int& width, int& height) override;
    void AfterLoad() override;
    void RemovalNotice(TComponent* component, TOperation operation) override;

protected:
    void ChildInsertedOrRemoved(TControl* child, bool inserting) override;

private:
    void ArrangeButtons();

    int FButtonWidth = 23;
    int FButtonHeight = 22;
    TEdgeBorders FEdgeBorders{ebTop};
    bool FFlat = false;
    bool FWrapable = true;
    TImageList* FImages = nullptr;  // watched: cleared when it goes
};

}  // namespace quill
