#include "markup/HtmlCodes.h"

#include <array>
#include <charconv>
#include <cstring>

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

THtmlColorText HtmlColorText(TColor color) {
    static const char kDigits[] = "0123456789ABCDEF";
    const uint32_t rgb = static_cast<uint32_t>(ResolveColor(color));
    THtmlColorText result{{'#'}};
    for (int i = 0; i < 3; ++i) {
        const uint32_t byte = (rgb >> (8 * i)) & 0xFF;
        result.Text[1 + 2 * i] = kDigits[byte >> 4];
        result.Text[2 + 2 * i] = kDigits[byte & 0xF];
    }
    return result;
}

std::string HtmlColor(TColor color) { return std::string(HtmlColorText(color).View()); }

std::unique_ptr<THtmlTag> NewTableTag() {
    auto tag = std::make_unique<THtmlTag>("table", THtmlTagOptions{toAlwaysWrite});
    FillTableTag(*tag);
    return tag;
}

void FillTableTag(THtmlTag& tag) {
    tag.SetIntAttribute(anCellpadding, 0);
    tag.SetIntAttribute(anCellspacing, 0);
}

std::unique_ptr<THtmlTag> NewCellTag(int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan,
                                     THtmlAlignH alignH, THtmlAlignV alignV, bool useHeight) {
    auto tag = std::make_unique<THtmlTag>("td", THtmlTagOptions{toAlwaysWrite});
    FillCellTag(*tag, width, height, colSpan, rowSpan, alignH, alignV, useHeight);
    return tag;
}

char* PutEmptyCell(char* at, int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan) {
    at = PutIntAttr(at, "<td width=\"", width);
    at = PutIntAttr(at, " height=\"", height);
    if (colSpan > 1) at = PutIntAttr(at, " colspan=\"", colSpan);
    if (rowSpan > 1) at = PutIntAttr(at, " rowspan=\"", rowSpan);
    return PutText(at, "></td>");
}

char* PutTextAttr(char* at, std::string_view prefix, std::string_view value) {
    at = PutText(at, prefix);
    size_t from = 0;
    for (size_t quote = value.find('"'); quote != std::string_view::npos; quote = value.find('"', from)) {
        at = PutText(at, value.substr(from, quote - from));
        at = PutText(at, "&quot;");
        from = quote + 1;
    }
    at = PutText(at, value.substr(from));
    *at++ = '"';
    return at;
}

void WriteEmptyCell(std::string& out, int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan) {
    // Put together on the stack and appended once.
    char text[kEmptyCellMax];
    out.append(text, PutEmptyCell(text, width, height, colSpan, rowSpan));
}

void FillCellTag(THtmlTag& tag, int32_t width, int32_t height, int32_t colSpan, int32_t rowSpan,
                 THtmlAlignH alignH, THtmlAlignV alignV, bool useHeight) {
    tag.SetIntAttribute(anWidth, width);
    if (useHeight) tag.SetIntAttribute(anHeight, height);
    if (colSpan > 1) tag.SetIntAttribute(anColspan, colSpan);
    if (rowSpan > 1) tag.SetIntAttribute(anRowspan, rowSpan);
    tag.SetAttribute(anAlign, AlignHNames(alignH));
    tag.SetAttribute(anValign, AlignVNames(alignV));
}

}  // namespace quill
