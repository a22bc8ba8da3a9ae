#include "markup/HtmlCodes.h"

#include <array>

#include "framework/TextHelpers.h"
#include "framework/TypeInfo.h"

namespace quill {

const std::string& AlignHNames(THtmlAlignH align) {
    static const std::array<std::string, 4> names = {"", "left", "center", "right"};
    return names.at(align);
}

const std::string& AlignVNames(THtmlAlignV align) {
    static const std::array<std::string, 4> names = {"", "top", "middle", "bottom"};
    return names.at(align);
}

const TEnumInfo& AlignHType() {
    static const TEnumInfo info{"THtmlAlignH", {"haDefault", "haLeft", "haCenter", "haRight"}};
    return info;
}

const TEnumInfo& AlignVType() {
    static const TEnumInfo info{"THtmlAlignV", {"vaDefault", "vaTop", "vaMiddle", "vaBottom"}};
    return info;
}

std::string HtmlColor(TColor color) {
    uint32_t rgb = static_cast<uint32_t>(ResolveColor(color));
    return "#" + IntToHex(rgb & 0xFF, 2) + IntToHex((rgb >> 8) & 0xFF, 2) + IntToHex((rgb >> 16) & 0xFF, 2);
}

std::unique_ptr<THtmlTag> NewTableTag() {
    auto tag = std::make_unique<THtmlTag>("table", THtmlTagOptions{toAlwaysWrite});
    tag->SetIntAttribute("cellpadding", 0);
    tag->SetIntAttribute("cellspacing", 0);
    return tag;
}

std::unique_ptr<THtmlTag> NewCellTag(int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan,
                                     THtmlAlignH alignH, THtmlAlignV alignV, bool useHeight) {
    auto tag = std::make_unique<THtmlTag>("td", THtmlTagOptions{toAlwaysWrite});
    tag->SetIntAttribute("width", width);
    if (useHeight) tag->SetIntAttribute("height", height);
    if (colSpan > 1) tag->SetIntAttribute("colspan", colSpan);
    if (rowSpan > 1) tag->SetIntAttribute("rowspan", rowSpan);
    tag->SetAttribute("align", AlignHNames(alignH));
    tag->SetAttribute("valign", AlignVNames(alignV));
    return tag;
}

}  // namespace quill
