#pragma once

#include <string>
#include <vector>

#include "framework/Color.h"
#include "framework/Component.h"

namespace quill {

// A list of equally sized two-colour glyphs (black on clear), stored in the
// design as text: each row of pixels is Width characters, "#" black and "."
// clear; rows are separated by single blanks and every Height rows make one
// glyph.
class TImageList : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TImageList"; }
    static const TClassInfo& StaticInfo();
    const TClassInfo* PublishedInfo() const override { return &StaticInfo(); }

    // Changing the glyph size drops the glyphs, which no longer fit it.
    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);

    // Raises Exception naming the faulty row when the text does not fit
    // Width and Height.
    const std::string& Bitmap() const { return FBitmap; }
    void SetBitmap(const std::string& text);

    int Count() const;
    // clBlack or clNone; raises Exception outside the list.
    TColor Pixel(int index, int x, int y) const;

private:
    void SetSize(int& field, int value);

    int FWidth = 16;
    int FHeight = 16;
    std::string FBitmap;
    std::vector<std::string> FRows;
};

}  // namespace quill
