#pragma once

#include "controls/QuillCustomControl.h"

namespace quill {

// A page control that holds page controls: its cell takes its cell format
// (so a colour paints the box), and its own visible page controls are laid
// out by the same cell table, relative to the panel, as a table of their
// own inside that cell. Panels nest.
class TQuillPanel : public TQuillCustomControl {
public:
    explicit TQuillPanel(TComponent* owner);
    std::string ClassName() const override { return "TQuillPanel"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // The nested table: the panel's width and height, the cells of its
    // direct page children, written as the page's body table is.
    void GetDefaultHtml(TStrings& strings) override;
    bool AppendsToPage() const override { return !OnGetHtml(); }
};

}  // namespace quill
