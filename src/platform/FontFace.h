// What each platform supplies to measure text: fonts opened by name, pixel
// size and style, and the unhinted advance of each 8-bit character. The
// portable measurer keeps the cache, the lock and the sums on top of it.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/TextMetrics.h"

namespace quill::platform {

class TFontFace {
public:
    virtual ~TFontFace() = default;
    // Ascent plus descent in whole pixels, as a line alone in a browser.
    virtual int LineHeight() const = 0;
    // The advance of character `c` in kAdvanceUnitsPerPixel, never negative.
    virtual int64_t Advance(unsigned char c) = 0;
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
