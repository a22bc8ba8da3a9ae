#pragma once

#include <vector>

#include "framework/Control.h"

namespace quill {

// A control that holds child controls. The children are listed, not owned:
// the non-windowed ones first, then the windowed ones, each in insertion
// order.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    std::string ClassName() const override { return "TWinControl"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    TWinControl* AsWinControl() override { return this; }
    const TWinControl* AsWinControl() const override { return this; }

    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    // The child's place in Controls(), or -1 when it is not a child.
    int ControlIndex(const TControl* control) const;
    // Moves a child to place `index` in Controls(), kept within its own
    // group (windowed or not): the order decides which child lies on top.
    void MoveControl(TControl* control, int index);

    // Places the aligned children: top-aligned ones stacked from the top in
    // child order, then bottom, left and right, and client-aligned ones
    // filling what remains.
    void Realign();
    // Holds realigning back until the matching EnableAlign, which then
    // realigns once if anything asked for it meanwhile. Adding many aligned
    // children between the two costs one realign instead of one per child.
    void DisableAlign() { ++FAlignLock; }
    void EnableAlign();

    void ChangeBounds(int left, int top, int width, int height) override;

protected:
    // Sent after a child joined (inserting true) or left the list.
    virtual void ChildInsertedOrRemoved(TControl* child, bool inserting);
    void ColorChangedNotification() override;
    void FontChangedNotification() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> FControls;
    std::vector<TControl*> FWinControls;
    int FAligning = 0;
    int FAlignLock = 0;
    bool FAlignPending = false;
};

}  // namespace quill
