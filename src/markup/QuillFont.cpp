#include "markup/QuillFont.h"

#include <algorithm>
#include <array>

#include "framework/ClassBuilder.h"
#include "framework/Exception.h"
#include "framework/StandardClasses.h"
#include "framework/TextHelpers.h"

namespace quill {

const TEnumInfo& FontElementType() {
    static const TEnumInfo info{"TQuillFontElement", {"feColor", "feName", "feSize"}};
    return info;
}

void TQuillHtmlFont::CopyValuesFrom(const TPersistent& source) {
    auto* font = dynamic_cast<const TQuillHtmlFont*>(&source);
    if (!font) return TPersistent::CopyValuesFrom(source);
    FFontName = font->FFontName;
    FFontSize = font->FFontSize;
    FFontColor = font->FFontColor;
    FDefault = font->FDefault;
    FFontStyle = font->FFontStyle;
    Changed();
}

void TQuillHtmlFont::SetFontColor(TColor value) {
    FFontColor = value;
    FDefault.Exclude(feColor);
    Changed();
}

void TQuillHtmlFont::SetFontName(const std::string& value) {
    FFontName = value;
    FDefault.Exclude(feName);
    Changed();
}

void TQuillHtmlFont::SetFontSize(const THTMLFontSize& value) {
    FFontSize = value.substr(0, kHtmlFontSizeMax);
    FDefault.Exclude(feSize);
    Changed();
}

void TQuillHtmlFont::SetFontStyle(TFontStyles value) {
    FFontStyle = value;
    Changed();
}

void TQuillHtmlFont::SetDynamics(TQuillFontElementSet value) {
    FTextsValid = false;
    FDynamics = value;
    FDefault = FDefault - value;
}

void TQuillHtmlFont::SetDefault(TQuillFontElementSet value) {
    FTextsValid = false;
    FDefault = value;
    FDynamics = FDynamics - value;
    if (value.Contains(feSize)) {
        FFontSize.clear();
        Changed();
    }
    if (value.Contains(feColor)) {
        FFontColor = clBlack;
        Changed();
    }
    if (value.Contains(feName)) {
        FFontName = kDefaultName;
        Changed();
    }
}

void TQuillHtmlFont::Changed() {
    FTextsValid = false;
    if (FOnChange) FOnChange(this);
}

std::unique_ptr<THtmlTag> TQuillHtmlFont::CreateTag() const {
    auto tag = std::make_unique<THtmlTag>("font", THtmlTagOptions{});
    FillTag(*tag);
    return tag;
}

void TQuillHtmlFont::FillTag(THtmlTag& tag) const {
    if (!FDefault.Contains(feName)) tag.SetAttribute(anFace, FFontName, FDynamics.Contains(feName));
    if (!FDefault.Contains(feSize)) tag.SetAttribute(anSize, FFontSize, FDynamics.Contains(feSize));
    if (!FDefault.Contains(feColor))
        tag.SetAttribute(anColor, HtmlColorText(FFontColor).View(), FDynamics.Contains(feColor));
}

void TQuillHtmlFont::UpdateTexts() const {
    const TColor resolved = ResolveColor(FFontColor);
    if (FTextsValid && resolved == FTextsColor) return;
    // On the stack: a new control's texts are made for its first page.
    THtmlTag tag("font", {});
    FillTag(tag);
    FOpenText.clear();
    tag.WriteStartTag(FOpenText);
    if (FFontStyle.Contains(fsBold)) FOpenText += "<b>";
    if (FFontStyle.Contains(fsItalic)) FOpenText += "<i>";
    if (FFontStyle.Contains(fsUnderline)) FOpenText += "<u>";
    FCloseText.clear();
    if (FFontStyle.Contains(fsUnderline)) FCloseText += "</u>";
    if (FFontStyle.Contains(fsItalic)) FCloseText += "</i>";
    if (FFontStyle.Contains(fsBold)) FCloseText += "</b>";
    tag.WriteEndTag(FCloseText);
    FTextsColor = resolved;
    FTextsValid = true;
}

const std::string& TQuillHtmlFont::GetOpenText() const {
    UpdateTexts();
    return FOpenText;
}

const std::string& TQuillHtmlFont::GetCloseText() const {
    UpdateTexts();
    return FCloseText;
}

void TQuillHtmlFont::AssignToFont(TFont& font) const {
    // Points for HTML sizes 0 (clamped) to 7.
    static const std::array<int, 8> kPoints = {7, 7, 10, 12, 14, 18, 24, 36};
    TFont result;
    result.SetName(FFontName);
    result.SetColor(FFontColor);
    result.SetStyle(FFontStyle);
    result.SetSize(12);
    if (!FFontSize.empty() && FFontSize != "None") {
        try {
            int64_t n = StrToInt(FFontSize);
            if (FFontSize[0] == '+' || FFontSize[0] == '-') n += 3;
            result.SetSize(kPoints[std::clamp<int64_t>(n, 0, 7)]);
        } catch (const Exception&) {
            // Not a number: the font stays at 12 points.
        }
    }
    // One change notice for the whole font, not one per value.
    font.CopyValuesFrom(result);
}

const TClassInfo& TQuillHtmlFont::StaticInfo() {
    using C = TQuillHtmlFont;
    static const TClassInfo info =
        TClassBuilder<C>("TQuillHtmlFont", nullptr)
            .ColorProp("FontColor", &C::FontColor, &C::SetFontColor)
            .String("FontName", &C::FontName, &C::SetFontName, true)
            .String("FontSize", &C::FontSize, &C::SetFontSize, true)
            .SetOf<TFontStyle>("FontStyle", FontStyleType(), &C::FontStyle, &C::SetFontStyle)
            .SetOf<TQuillFontElement>("Default", FontElementType(), &C::Default, &C::SetDefault)
            .SetOf<TQuillFontElement>("Dynamics", FontElementType(), &C::Dynamics, &C::SetDynamics)
            .Build();
    return info;
}

}  // namespace quill
