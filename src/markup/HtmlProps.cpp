#include "markup/HtmlProps.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <string_view>

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

namespace {

// The alignments as written, with their leading blank; empty for the
// defaults, as AlignHNames and AlignVNames give them.
constexpr std::string_view kAlignAttr[] = {"", " align=\"left\"", " align=\"center\"", " align=\"right\""};
constexpr std::string_view kValignAttr[] = {"", " valign=\"top\"", " valign=\"middle\"", " valign=\"bottom\""};

}  // namespace

char* THtmlTableDataPropertyBase::PutCellStartTag(char* at, int32_t colSpan, int32_t rowSpan, int32_t width,
                                                  int32_t height) const {
    // Attributes in the order the tag would hold them: the spans from the
    // fill, then UpdateTag's, then width and height set again; empty
    // values are not written.
    at = PutText(at, "<td");
    if (colSpan > 1) at = PutIntAttr(at, " colspan=\"", colSpan);
    if (rowSpan > 1) at = PutIntAttr(at, " rowspan=\"", rowSpan);
    if (!FElementId.empty()) at = PutTextAttr(at, " id=\"", FElementId);
    if (!FStyleClass.empty()) at = PutTextAttr(at, " class=\"", FStyleClass);
    assert(FAlignH < std::size(kAlignAttr) && FAlignV < std::size(kValignAttr));
    at = PutText(at, kAlignAttr[FAlignH]);
    at = PutText(at, kValignAttr[FAlignV]);
    if (!FParentColor) at = PutTextAttr(at, " bgcolor=\"", HtmlColorText(FColor).View());
    at = PutIntAttr(at, " width=\"", width);
    if (FFixedMinimumSize) at = PutIntAttr(at, " height=\"", height);
    return PutText(at, ">");
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
    UpdateStartText();
    Changed();
}

void THtmlLinkPropertyBase::SetHref(const std::string& value) {
    FHref = value;
    UpdateStartText();
    Changed();
}

void THtmlLinkPropertyBase::UpdateStartText() {
    FStartText.clear();
    if (FHref.empty()) return;
    THtmlTag tag("a", {});
    tag.SetAttribute(anHref, FHref);
    tag.SetAttribute(anTarget, FTarget);
    tag.WriteStartTag(FStartText);
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
    out += FStartText;
    FOpen = !FHref.empty();
}

void THtmlLinkPropertyBase::WriteEndTag(std::string& out) {
    if (!FOpen) return;
    out += "</a>";
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
