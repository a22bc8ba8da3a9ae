// What each platform supplies to measure text: fonts opened by name, pixel
// size and style, and the unhinted advance of each character, found in the
// face the platform falls back to when the font lacks it. The portable
// measurer keeps the cache, the lock and the sums on top of it.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/TextMetrics.h"

namespace quill::platform {

// A face's share of a line as browsers build one: the parts above and
// below the baseline, half the line gap added to each (the lower half
// taking the odd pixel). A line holding text in several faces is as high
// as the largest part above plus the largest part below.
struct TLineExtent {
    int Above = 0;
    int Below = 0;
};

// One character as a font shows it.
struct TGlyphMetrics {
    int64_t Advance = 0;      // in kAdvanceUnitsPerPixel, never negative
    bool Fallback = false;    // drawn in a face the font falls back to
    TLineExtent Extent;       // of the face that draws it, when Fallback
};

class TFontFace {
public:
    virtual ~TFontFace() = default;
    // Ascent plus descent in whole pixels, as a line alone in a browser.
    virtual int LineHeight() const = 0;
    // The font's own share of a line that also holds fallback faces.
    virtual TLineExtent LineExtent() const = 0;
    // The character `c`, a Unicode scalar value; a character no face has is
    // drawn, and measured, as the font's own missing-glyph box.
    virtual TGlyphMetrics Glyph(char32_t c) = 0;
};

// The platform's font service. Faces it opens must be closed before it is.
class TFontSystem {
public:
    virtual ~TFontSystem() = default;
    // Never null: when no font matches, the face gives estimates.
    virtual std::unique_ptr<TFontFace> Open(const TTextFont& font, int pixelSize) = 0;
};

std::unique_ptr<TFontSystem> NewFontSystem();

}  // namespace quill::platform
