#include "markup/HtmlProps.h"

#include <algorithm>

#include "framework/ClassBuilder.h"
#include "framework/Saturate.h"

namespace quill {

void THtmlProperty::Changed() {
    if (FOnChange) FOnChange(this);
}

void THtmlTableDataPropertyBase::SetFixedMinimumSize(bool value) { Store(FFixedMinimumSize, value); }
void THtmlTableDataPropertyBase::SetAlignV(THtmlAlignV value) { Store(FAlignV, value); }
void THtmlTableDataPropertyBase::SetAlignH(THtmlAlignH value) { Store(FAlignH, value); }
void THtmlTableDataPropertyBase::SetParentColor(bool value) { Store(FParentColor, value); }
void THtmlTableDataPropertyBase::SetColor(TColor value) { Store(FColor, value); }

void THtmlTableDataPropertyBase::UpdateTag(THtmlTag& tag) const {
    if (tag.TagName() != std::string_view("td")) return;
    tag.SetAttribute(anId, FElementId);
    tag.SetAttribute(anClass, FStyleClass);
    tag.SetAttribute(anAlign, AlignHNames(FAlignH));
    tag.SetAttribute(anValign, AlignVNames(FAlignV));
    if (!FParentColor) tag.SetAttribute(anBgcolor, HtmlColorText(FColor).View());
}

// Taken in 64 bits: a designed size near the 32-bit limits must not wrap.
int THtmlTableDataPropertyBase::ContentLeft(int outerWidth, int innerWidth, const TRect& margins) const {
    int64_t left = margins.Left;
    if (FAlignH == haCenter)
        left = (int64_t{outerWidth} - innerWidth - margins.Left - margins.Right) / 2;
    else if (FAlignH == haRight)
        left = int64_t{outerWidth} - innerWidth - margins.Right;
    return ClampToInt(std::max<int64_t>(0, left));
}

int THtmlTableDataPropertyBase::ContentTop(int outerHeight, int innerHeight, const TRect& margins) const {
    int64_t top = (int64_t{outerHeight} - innerHeight - margins.Top - margins.Bottom) / 2;
    if (FAlignV == vaTop)
        top = margins.Top;
    else if (FAlignV == vaBottom)
        top = int64_t{outerHeight} - innerHeight - margins.Bottom;
    return ClampToInt(std::max<int64_t>(0, top));
}

void THtmlLinkPropertyBase::SetTarget(const std::string& value) {
    FTarget = value;
    Changed();
}

void THtmlLinkPropertyBase::SetHref(const std::string& value) {
    FHref = value;
    Changed();
}

std::string THtmlLinkPropertyBase::StartTag() {
    std::string text;
    WriteStartTag(text);
    return text;
}

std::string THtmlLinkPropertyBase::EndTag() {
    std::string text;
    WriteEndTag(text);
    return text;
}

void THtmlLinkPropertyBase::WriteStartTag(std::string& out) {
    FOpen = false;
    if (FHref.empty()) return;
    FTag.Clear();
    FTag.SetAttribute(anHref, FHref);
    FTag.SetAttribute(anTarget, FTarget);
    FTag.WriteStartTag(out);
    FOpen = true;
}

void THtmlLinkPropertyBase::WriteEndTag(std::string& out) {
    if (!FOpen) return;
    FTag.WriteEndTag(out);
    FOpen = false;
}

const TClassInfo& THtmlTableDataProperty::StaticInfo() {
    using C = THtmlTableDataProperty;
    static const TClassInfo info = TClassBuilder<C>("THtmlTableDataProperty", nullptr)
                                       .Enum<THtmlAlignV>("AlignV", AlignVType(), &C::AlignV, &C::SetAlignV)
                                       .Enum<THtmlAlignH>("AlignH", AlignHType(), &C::AlignH, &C::SetAlignH)
                                       .Bool("FixedMinimumSize", &C::FixedMinimumSize, &C::SetFixedMinimumSize)
                                       .ColorProp("Color", &C::Color, &C::SetColor)
                                       .Bool("ParentColor", &C::ParentColor, &C::SetParentColor, true)
                                       .Build();
    return info;
}

const TClassInfo& THtmlLinkProperty::StaticInfo() {
    using C = THtmlLinkProperty;
    static const TClassInfo info = TClassBuilder<C>("THtmlLinkProperty", nullptr)
                                       .String("Href", &C::Href, &C::SetHref)
                                       .String("Target", &C::Target, &C::SetTarget)
                                       .Build();
    return info;
}

}  // namespace quill
