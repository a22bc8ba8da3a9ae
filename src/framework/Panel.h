#pragma once

#include "framework/CustomControl.h"

namespace quill {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A plain container for designed children.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    std::string ClassName() const override { return "TPanel"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value) { FBevelOuter = value; }

private:
    TBevelCut FBevelOuter = bvRaised;
};

}  // namespace quill
