#pragma once

#include <string>

namespace quill::platform {

struct TTextFont {
    std::string Name;
    int SizePoints = 8;
    bool Bold = false;
    bool Italic = false;
};

// Width in pixels (96 per inch) of one line of 8-bit text: the sum of the
// glyphs' hinted advances, without kerning.
int TextWidth(const TTextFont& font, const std::string& line);

// Height in pixels of one line: ascent plus descent.
int LineHeight(const TTextFont& font);

}  // namespace quill::platform
