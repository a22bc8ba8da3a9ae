#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "markup/HtmlCodes.h"
#include "markup/HtmlTag.h"
#include "framework/Font.h"

namespace quill {

struct TEnumInfo;

enum TQuillFontElement { feColor, feName, feSize };
using TQuillFontElementSet = TSet<TQuillFontElement>;
const TEnumInfo& FontElementType();

// The font of a control as the page shows it. Each of face, size and
// colour is either left at its default (not written), chosen (written), or
// dynamic (written as a template field).
class TQuillHtmlFont : public TPersistent {
public:
    static constexpr const char* kDefaultName = "Times New Roman";

    std::string ClassName() const override { return "TQuillHtmlFont"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // Copies face, size, colour, Default and style; keeps its own Dynamics.
    void CopyValuesFrom(const TPersistent& source) override;

    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value);
    const std::string& FontName() const { return FFontName; }
    void SetFontName(const std::string& value);
    const THTMLFontSize& FontSize() const { return FFontSize; }
    void SetFontSize(const THTMLFontSize& value);
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles value);
    TQuillFontElementSet Dynamics() const { return FDynamics; }
    void SetDynamics(TQuillFontElementSet value);
    TQuillFontElementSet Default() const { return FDefault; }
    void SetDefault(TQuillFontElementSet value);

    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
    void Changed();

    // A "font" tag with face, size and colour as chosen; the caller owns it.
    std::unique_ptr<THtmlTag> CreateTag() const;
    // The font tag and the style tags before the content, and their ends.
    // Both are kept until the font changes: every cell of a page asks.
    const std::string& GetOpenText() const;
    const std::string& GetCloseText() const;
    // Both at once.
    void GetTexts(std::string_view& open, std::string_view& close) const {
        UpdateTexts();
        open = FOpenText;
        close = FCloseText;
    }
    // Copies the font into a screen font; HTML sizes become points.
    void AssignToFont(TFont& font) const;

private:
    void FillTag(THtmlTag& tag) const;
    void UpdateTexts() const;

    THTMLFontSize FFontSize;
    TColor FFontColor = clBlack;
    std::string FFontName = kDefaultName;
    TFontStyles FFontStyle;
    TQuillFontElementSet FDynamics;
    TQuillFontElementSet FDefault{feColor, feName, feSize};
    TNotifyEvent FOnChange;
    // The texts as last made, and the colour they were made for: a system
    // colour may resolve differently later.
    mutable std::string FOpenText;
    mutable std::string FCloseText;
    mutable bool FTextsValid = false;
    mutable TColor FTextsColor = 0;
};

}  // namespace quill
