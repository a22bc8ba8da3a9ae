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

// Unrounded width of UTF-8 text at the font's pixel size (96 per inch), in
// kAdvanceUnitsPerPixel: the sum of the glyphs' unhinted advances, without
// kerning, as browsers lay text out. A character the font lacks counts in
// the face the platform falls back to for it; a malformed sequence counts
// as U+FFFD. Never negative; saturates at the largest int64_t instead of
// overflowing.
int64_t TextAdvance(const TTextFont& font, std::string_view text);

// Width in whole pixels of one line: its advance rounded up once, at most
// the largest int.
int TextWidth(const TTextFont& font, std::string_view line);

// Height in pixels of one line: ascent plus descent.
int LineHeight(const TTextFont& font);

// Height in pixels of a line holding `line`: that of the font, or more when
// faces it falls back to for some characters make a browser's line taller.
int LineHeight(const TTextFont& font, std::string_view line);

}  // namespace quill::platform
