#pragma once

#include <memory>
#include <string>

#include "markup/HtmlCodes.h"
#include "markup/HtmlTag.h"
#include "framework/Control.h"
#include "framework/Event.h"
#include "framework/Persistent.h"

namespace quill {

// A property object of a page control. It tells its control of every
// change through one handler, which the control installs.
class THtmlProperty : public TPersistent {
public:
    std::string ClassName() const override { return "THtmlProperty"; }
    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
    void Changed();

private:
    TNotifyEvent FOnChange;
};

// How the table cell that holds a control is aligned and coloured.
class THtmlTableDataPropertyBase : public THtmlProperty {
public:
    std::string ClassName() const override { return "THtmlTableDataPropertyBase"; }

    bool FixedMinimumSize() const { return FFixedMinimumSize; }
    void SetFixedMinimumSize(bool value);
    THtmlAlignV AlignV() const { return FAlignV; }
    void SetAlignV(THtmlAlignV value);
    THtmlAlignH AlignH() const { return FAlignH; }
    void SetAlignH(THtmlAlignH value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // Keeps the colour in step with the control's inherited one; no notice.
    void StoreColor(TColor value) { FColor = value; }

    // Written as "class" and "id"; nothing in a design sets them.
    const std::string& StyleClass() const { return FStyleClass; }
    void SetStyleClass(const std::string& value) { FStyleClass = value; }
    const std::string& ElementId() const { return FElementId; }
    void SetElementId(const std::string& value) { FElementId = value; }

    // Writes id, class, align, valign and (unless ParentColor) bgcolor onto
    // a "td" tag; other tags are left alone.
    void UpdateTag(THtmlTag& tag) const;
    // The most bytes PutCellStartTag writes.
    size_t CellStartTagMax() const { return 160 + 6 * (FElementId.size() + FStyleClass.size()); }
    // The start tag of a control's cell as FillCellTag and then UpdateTag
    // leave it for a control of `width`, the height written only with
    // FixedMinimumSize: the same bytes, without a tag. Answers the end.
    char* PutCellStartTag(char* at, int32_t colSpan, int32_t rowSpan, int32_t width, int32_t height) const;

    // Where inner content of the given size sits in an outer box, by the
    // alignments; never negative.
    int ContentLeft(int outerWidth, int innerWidth, const TRect& margins) const;
    int ContentTop(int outerHeight, int innerHeight, const TRect& margins) const;

private:
    template <class T>
    void Store(T& field, T value) {
        field = value;
        Changed();
    }

    bool FFixedMinimumSize = false;
    THtmlAlignV FAlignV = vaDefault;
    THtmlAlignH FAlignH = haDefault;
    bool FParentColor = true;
    std::string FStyleClass;
    std::string FElementId;
    TColor FColor = 0;
};

class THtmlTableDataProperty : public THtmlTableDataPropertyBase {
public:
    std::string ClassName() const override { return "THtmlTableDataProperty"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }
};

// An optional link around a control's content.
class THtmlLinkPropertyBase : public THtmlProperty {
public:
    std::string ClassName() const override { return "THtmlLinkPropertyBase"; }

    const std::string& Target() const { return FTarget; }
    void SetTarget(const std::string& value);
    const std::string& Href() const { return FHref; }
    void SetHref(const std::string& value);

    // The anchor start tag, or empty when there is no Href. The link stays
    // open until EndTag.
    std::string StartTag();
    // The anchor end tag when the link is open, else empty.
    std::string EndTag();
    // The same texts appended to `out`.
    void WriteStartTag(std::string& out);
    void WriteEndTag(std::string& out);
    // The texts those write, with no state: the start tag (empty without
    // Href) and its end.
    const std::string& StartText() const { return FStartText; }
    std::string_view EndText() const { return FHref.empty() ? std::string_view() : std::string_view("</a>"); }

private:
    void UpdateStartText();

    std::string FTarget;
    std::string FHref;
    // Made when the link changes: every cell of a page asks for it.
    std::string FStartText;
    bool FOpen = false;
};

class THtmlLinkProperty : public THtmlLinkPropertyBase {
public:
    std::string ClassName() const override { return "THtmlLinkProperty"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }
};

}  // namespace quill
