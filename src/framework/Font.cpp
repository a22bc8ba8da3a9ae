#include "framework/Font.h"

#include <cmath>
#include <cstdlib>

namespace quill {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

void TFont::CopyValuesFrom(const TPersistent& source) {
    auto* font = dynamic_cast<const TFont*>(&source);
    if (!font) return TPersistent::CopyValuesFrom(source);
    FName = font->FName;
    FColor = font->FColor;
    FStyle = font->FStyle;
    FSize = font->FSize;
    Changed();
}

void TFont::SetName(const std::string& name) { Store(FName, name); }

void TFont::SetColor(TColor color) { Store(FColor, color); }

void TFont::SetStyle(TFontStyles style) { Store(FStyle, style); }

void TFont::SetSize(int points) { Store(FSize, points); }

int TFont::Height() const { return -MulDivRounded(FSize, kPixelsPerInch, 72); }

void TFont::SetHeight(int pixels) { SetSize(MulDivRounded(std::abs(pixels), 72, kPixelsPerInch)); }

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace quill
