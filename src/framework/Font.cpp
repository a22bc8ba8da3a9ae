#include "framework/Font.h"

#include <cmath>
#include <cstdlib>

#include "framework/CachedCast.h"
#include "framework/Saturate.h"

namespace quill {

namespace {

// In 64 bits and clamped: a designed size near the limits must not wrap.
int64_t MulDivRounded(int64_t value, int numerator, int denominator) {
    return std::llround(static_cast<double>(value) * numerator / denominator);
}

}  // namespace

void TFont::CopyValuesFrom(const TPersistent& source) {
    auto* font = ExactOrDynamicCast<const TFont>(&source);
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

int TFont::Height() const { return ClampToInt(-MulDivRounded(FSize, kPixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) { SetSize(ClampToInt(MulDivRounded(std::abs(int64_t{pixels}), 72, kPixelsPerInch))); }

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace quill
