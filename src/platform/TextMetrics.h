#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quill::platform {

struct TTextFont {
    std::string Name;
    int SizePoints = 8;
    bool Bold = false;
    bool Italic = false;
};

// Advances are kept in this many units per pixel, so that the widths of
// the parts of a text add up exactly to the width of the whole.
inline constexpr int64_t kAdvanceUnitsPerPixel = 65536;

// Unrounded width of 8-bit text at the font's pixel size (96 per inch), in
// kAdvanceUnitsPerPixel: the sum of the glyphs' unhinted advances, without
// kerning, as browsers lay text out. Never negative; saturates at the
// largest int64_t instead of overflowing.
int64_t TextAdvance(const TTextFont& font, std::string_view text);

// Width in whole pixels of one line: its advance rounded up once, at most
// the largest int.
int TextWidth(const TTextFont& font, std::string_view line);

// Height in pixels of one line: ascent plus descent.
int LineHeight(const TTextFont& font);

}  // namespace quill::platform
